#include "churchwords.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>

#include "calendar/numbers.h"
#include "nationsettings.h"

namespace tovmir {

namespace {

// ---------------------------------------------------------------------------
// Spelling. Church books spell as their writer pleased: "Michaelis", "Mikaelis",
// "Mickelsmäss", "Mikkelsdag"; "Paaske" and "Påske"; "Mariæ" and "Mariae". Both
// the phrase and every form it is compared with are folded the same way, so the
// comparison never sees these differences: case goes; å, ä/æ, ö/ø become the
// placeholders A, E, O (one byte a letter, so lengths count letters); then ch and
// c read as k, ph as f, th as t, w as v, aa as å, ae as ä, and a doubled letter
// as one. Other accented letters lose their accent. Anything else but letters and
// digits separates words, except a colon, which joins ("1:a", "S:t").
// ---------------------------------------------------------------------------

// The raw words of a text: ASCII lower case, the Latin-1 letters by their
// placeholders, digits; every other character a separator.
std::vector<std::string> rawWords(std::string_view text) {
    std::vector<std::string> words;
    std::string w;
    const auto flush = [&] {
        if (!w.empty()) words.push_back(std::move(w));
        w.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z') w += static_cast<char>(c + 32);
            else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) w += static_cast<char>(c);
            else if (c == ':' || c == '\'') continue;
            else flush();
            continue;
        }
        if (c == 0xC3 && i + 1 < text.size()) {
            // U+00C0 to U+00FF: the second byte, capitals (80 to 9E) taken to
            // their small letters (A0 to BE).
            const auto raw = static_cast<unsigned char>(text[i + 1]);
            ++i;
            if (raw == 0x9F) {  // ß
                w += "ss";
                continue;
            }
            switch (static_cast<unsigned char>(raw | 0x20)) {
                case 0xA5: w += 'A'; break;             // å
                case 0xA4: case 0xA6: w += 'E'; break;  // ä æ
                case 0xB6: case 0xB8: w += 'O'; break;  // ö ø
                case 0xA0: case 0xA1: case 0xA2: case 0xA3: w += 'a'; break;
                case 0xA7: w += 'c'; break;
                case 0xA8: case 0xA9: case 0xAA: case 0xAB: w += 'e'; break;
                case 0xAC: case 0xAD: case 0xAE: case 0xAF: w += 'i'; break;
                case 0xB1: w += 'n'; break;
                case 0xB2: case 0xB3: case 0xB4: case 0xB5: w += 'o'; break;
                case 0xB9: case 0xBA: case 0xBB: w += 'u'; break;
                case 0xBC: case 0xBD: case 0xBF: w += 'y'; break;
                default: flush();  // × ÷ and the letters no Nordic book needs
            }
            continue;
        }
        flush();
        // The rest of a multi-byte character: skipped with it.
        while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) ++i;
    }
    flush();
    return words;
}

// The spelling folds of one raw word (see above).
std::string folded(std::string_view w) {
    std::string s;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const char c = w[i];
        const char n = i + 1 < w.size() ? w[i + 1] : '\0';
        if (c == 'c' && n == 'h') { s += 'k'; ++i; }
        else if (c == 'p' && n == 'h') { s += 'f'; ++i; }
        else if (c == 't' && n == 'h') { s += 't'; ++i; }
        else if (c == 'a' && n == 'a') { s += 'A'; ++i; }
        else if (c == 'a' && n == 'e') { s += 'E'; ++i; }
        else if (c == 'c') s += 'k';
        else if (c == 'w') s += 'v';
        else s += c;
    }
    std::string out;
    for (char c : s)
        if (out.empty() || out.back() != c || (c >= '0' && c <= '9')) out += c;
    return out;
}

// A roman numeral up to 40 (the church year counts no further), or 0.
int romanValue(std::string_view w) {
    if (w.empty() || w.size() > 6 || w.find_first_not_of("ivxl") != std::string_view::npos) return 0;
    static const std::map<std::string, int, std::less<>> numerals = [] {
        std::map<std::string, int, std::less<>> m;
        const char* ones[] = {"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix"};
        const char* tens[] = {"", "x", "xx", "xxx", "xl"};
        for (int t = 0; t < 5; ++t)
            for (int o = 0; o < 10; ++o)
                if (t * 10 + o > 0 && t * 10 + o <= 40) m[std::string(tens[t]) + ones[o]] = t * 10 + o;
        return m;
    }();
    const auto it = numerals.find(w);
    return it == numerals.end() ? 0 : it->second;
}

// ---------------------------------------------------------------------------
// Words. Each word of a phrase is one of these kinds once folded.
// ---------------------------------------------------------------------------

enum class Kind {
    word,     // anything else: a name to look up
    number,   // digits; an ordinal where it is not the year
    ordinal,  // a counting word, digits with an ending ("3:e", "1ma") or a roman numeral
    sunday,   // Dom., Dominica, sönd., søndag ...
    weekday,  // måndag ... lördag, sabbato (value 0 Monday .. 5 Saturday)
    feria,    // Fer., Feria: a weekday counted from Sunday as 1
    after,    // p., post, e., efter, etter
    before,   // ante, före, før
    in,       // i, in, infra
    eve,      // afton, aften, vigilia, pridie: the day before
    morrow,   // crastino: the day after
    octave,   // octava, oct.
    filler,   // die, festo, och ...: no meaning of their own here
    title,    // sankt, sancti: a filler before a name, a word after one
};

// The bases the ordinal Sundays are counted from.
enum class Base { none, trinity, pentecost, epiphany, easter, lent, advent, christmas, newYear };

struct Token {
    std::string text;  // folded
    Kind kind = Kind::word;
    int value = 0;        // number, ordinal, weekday, feria
    Base base = Base::none;
    bool dayMark = false;  // the word ended in -dag ("Tredjedag", "2. påskedag")
    bool romanI = false;   // a lone "i": the preposition, or the numeral 1 before "p."
};

// Folds every word of a list of spellings, for the tables below.
std::set<std::string, std::less<>> foldedSet(std::initializer_list<const char*> words) {
    std::set<std::string, std::less<>> out;
    for (const char* w : words)
        for (const auto& r : rawWords(w)) out.insert(folded(r));
    return out;
}

const std::map<std::string, int, std::less<>>& ordinalWords() {
    static const std::map<std::string, int, std::less<>> words = [] {
        std::map<std::string, int, std::less<>> m;
        const auto add = [&](int n, std::initializer_list<const char*> forms) {
            for (const auto& w : foldedSet(forms)) m[w] = n;
        };
        // Swedish, Danish, Norwegian and Latin, with the Latin case endings
        // church books use ("Dominica prima", "Dom. tertiam p. Trin.").
        add(1, {"ensimmäinen", "första", "förste", "første", "prima", "primam", "primae", "primo"});
        add(2, {"toinen", "andra", "andre", "annan", "anden", "annen", "secunda", "secundam", "secundae", "secundo"});
        add(3, {"kolmas", "tredje", "tredie", "tridje", "tertia", "tertiam", "tertiae", "tertio"});
        add(4, {"neljäs", "fjärde", "fjerde", "fierde", "quarta", "quartam", "quartae", "quarto"});
        add(5, {"femte", "quinta", "quintam", "quintae", "quinto"});
        add(6, {"sjätte", "sjette", "siette", "sexta", "sextam", "sextae", "sexto"});
        add(7, {"sjunde", "syvende", "sjuende", "septima", "septimam", "septimae", "septimo"});
        add(8, {"åttonde", "ottende", "åttende", "octava", "octavam", "octavae", "octavo"});
        add(9, {"nionde", "niende", "nona", "nonam", "nonae", "nono"});
        add(10, {"tionde", "tiende", "decima", "decimam", "decimae", "decimo"});
        add(11, {"elfte", "ellevte", "undecima", "undecimam", "undecimae"});
        add(12, {"tolfte", "tolvte", "duodecima", "duodecimam", "duodecimae"});
        add(13, {"trettonde", "trettende"});
        add(14, {"fjortonde", "fjortende", "fiortende"});
        add(15, {"femtonde", "femtende"});
        add(16, {"sextonde", "sekstende", "sextende"});
        add(17, {"sjuttonde", "syttende"});
        add(18, {"artonde", "attende"});
        add(19, {"nittonde", "nittende"});
        add(20, {"tjugonde", "tyvende", "tjuende", "vigesima", "vicesima", "vigesimam", "vicesimam"});
        const char* sw[] = {"första", "andra", "tredje", "fjärde", "femte", "sjätte", "sjunde"};
        const char* dk[] = {"en", "to", "tre", "fire", "fem", "seks", "syv"};
        const char* no[] = {"første", "andre", "tredje", "fjerde", "femte", "sjette", "sjuende"};
        for (int i = 0; i < 7; ++i) {
            add(21 + i, {(std::string("tjugo") + sw[i]).c_str(), (std::string(dk[i]) + "ogtyvende").c_str(),
                         (std::string("tjue") + no[i]).c_str()});
        }
        return m;
    }();
    return words;
}

bool endsWith(std::string_view s, std::string_view end) { return s.size() >= end.size() && s.substr(s.size() - end.size()) == end; }
bool startsWith(std::string_view s, std::string_view start) { return s.substr(0, start.size()) == start; }

// The base a word names, by its folded beginning: "Trin.", "Trinitatis",
// "Tref.", "trefaldighet"; "Trettond.", "Epiph."; "Pasch.", "påsktiden"; the
// Finnish "pääsiäinen", "helluntai", "loppiainen", "joulu". A few short words
// name a base only whole ("jul", "nat", "circ", the Lent words), since longer
// words begin with them.
Base baseOf(std::string_view w) {
    struct Named {
        const char* spelling;
        Base base;
        bool whole;
    };
    static const Named named[] = {
        {"trin", Base::trinity, false},     {"tref", Base::trinity, false},        {"treen", Base::trinity, false},
        {"kolminaisuu", Base::trinity, false},
        {"pent", Base::pentecost, false},   {"pingst", Base::pentecost, false},    {"pins", Base::pentecost, false},
        {"pints", Base::pentecost, false},  {"pinds", Base::pentecost, false},     {"helluntai", Base::pentecost, false},
        {"epiph", Base::epiphany, false},   {"trettond", Base::epiphany, false},   {"trettend", Base::epiphany, false},
        {"helligtrekong", Base::epiphany, false}, {"åpenbaring", Base::epiphany, false},
        {"loppiai", Base::epiphany, false},
        {"pasch", Base::easter, false},     {"påsk", Base::easter, false},         {"pääsiä", Base::easter, false},
        {"adv", Base::advent, false},
        {"quadr", Base::lent, false},       {"fastan", Base::lent, true},          {"fasten", Base::lent, true},
        {"fasta", Base::lent, true},        {"faste", Base::lent, true},           {"fastetiden", Base::lent, true},
        {"fastetid", Base::lent, true},
        {"jul", Base::christmas, true},     {"nat", Base::christmas, true},        {"jule", Base::christmas, false},
        {"julen", Base::christmas, false},  {"juld", Base::christmas, false},      {"nativ", Base::christmas, false},
        {"joulu", Base::christmas, false},
        {"nyår", Base::newYear, false},     {"nytår", Base::newYear, false},       {"nyttår", Base::newYear, false},
        {"circum", Base::newYear, false},   {"circ", Base::newYear, true},
    };
    static const auto folds = [] {
        std::vector<std::pair<std::string, const Named*>> out;
        for (const Named& n : named) out.emplace_back(folded(rawWords(n.spelling).front()), &n);
        return out;
    }();
    for (const auto& [spelling, n] : folds)
        if (n->whole ? w == spelling : startsWith(w, spelling)) return n->base;
    return Base::none;
}

// Classifies one folded word; suffixes split off into the extra kinds they carry
// ("fastlagssöndagen" is "fastlags" and a Sunday, "valborgsmässoafton" is
// "valborgs" and an eve).
void classify(const std::string& raw, std::vector<Token>& out) {
    static const auto sundays = foldedSet({"dom", "dominica", "dominicam", "dominicae", "dnca", "dnc", "dnica",
                                           "dominic", "domin", "s", "söndag", "söndagen", "söndags", "sönd", "sön",
                                           "sd", "sdg", "søndag", "søndagen", "søn", "sunnuntai", "sunnuntaina"});
    static const auto feriae = foldedSet({"fer", "feria", "feriae", "feriam"});
    static const auto afters = foldedSet({"p", "post", "e", "efter", "eft", "ef", "etter", "näst", "nästa"});
    static const auto befores = foldedSet({"ante", "före", "för", "f", "før", "for", "innan"});
    static const auto ins = foldedSet({"in", "infra", "uti"});
    static const auto eves = foldedSet({"afton", "aftonen", "aften", "aftenen", "aftan", "vigilia", "vigiliae",
                                        "vigilia", "pervigilium", "vigil", "vigilie"});
    // Titles before a saint's name: no part of the name ("Sankt Hans" is Hans),
    // but a word of a feast's name where one comes first ("Omnium Sanctorum").
    static const auto titles = foldedSet({"sankt", "sankte", "sancti", "sancte", "sanct", "sancta", "sanctae", "sankta"});
    // The day after and the day before a feast: "Crastino Andreae", "Pridie Michaelis".
    static const auto afterDays = foldedSet({"crastino", "crastina", "crast"});
    static const auto beforeDays = foldedSet({"pridie"});
    static const auto octaves = foldedSet({"oct", "octav", "octavam", "octavas", "octavis", "oktav"});
    static const auto fillers = foldedSet(
        {"die", "dies", "diei", "festo", "festum", "festi", "fest", "ipso", "sct", "skt", "st", "dni", "dnj", "dmi", "b", "beati", "beatae", "beata", "divi", "diva", "d",
         "den", "det", "dag", "dagen", "dags", "dagh", "et", "ok", "och", "oc", "og", "helga", "heliga", "helige",
         "helig", "hellig", "hellige", "anno", "ao", "år", "aar", "mäss", "mässa", "mässan", "messa", "messe",
         "misse", "mässo", "domini", "jungfru", "jomfru", "virginis", "virgo", "virgine"});
    static const std::map<std::string, int, std::less<>> weekdays = [] {
        std::map<std::string, int, std::less<>> m;
        const auto add = [&](int w, std::initializer_list<const char*> forms) {
            for (const auto& s : foldedSet(forms)) m[s] = w;
        };
        add(0, {"måndag", "måndagen", "mandag", "mandagen", "mondag"});
        add(1, {"tisdag", "tisdagen", "tirsdag", "tirsdagen", "tysdag"});
        add(2, {"onsdag", "onsdagen"});
        add(3, {"torsdag", "torsdagen"});
        add(4, {"fredag", "fredagen"});
        add(5, {"lördag", "lördagen", "lørdag", "lørdagen", "laurdag", "löverdag", "sabbato", "sabbatum", "sabb"});
        return m;
    }();
    static const auto sundayEnds = foldedSet({"söndagen", "söndag", "søndag", "søndagen", "sunnuntai", "sunnuntaina"});
    static const auto eveEnds = foldedSet({"aftonen", "afton", "aftan", "aftenen", "aften"});
    static const auto dayEnds = foldedSet({"dagen", "dagens", "dags", "dag", "dagh", "päivänä", "päivän", "päivä"});
    static const auto feastEnds = foldedSet({"mässan", "mässa", "mässo", "mäss", "messa", "messe", "messo", "mess",
                                             "misse", "missa"});

    // Digits: a number, or with an ending ("1ma", "3tia", "2dra", "14de") an ordinal.
    if (raw[0] >= '0' && raw[0] <= '9') {
        std::size_t k = 0;
        long v = 0;
        while (k < raw.size() && raw[k] >= '0' && raw[k] <= '9' && v < 100000) v = v * 10 + (raw[k++] - '0');
        Token t{raw, k == raw.size() ? Kind::number : Kind::ordinal, static_cast<int>(v)};
        out.push_back(std::move(t));
        return;
    }
    if (raw == "i") {
        Token t{"i", Kind::in};
        t.romanI = true;
        out.push_back(std::move(t));
        return;
    }
    if (const int r = romanValue(raw); r > 0 && raw != "l") {
        out.push_back(Token{raw, Kind::ordinal, r});
        return;
    }
    std::string w = folded(raw);
    const auto simple = [&](Kind k, int value = 0) {
        out.push_back(Token{w, k, value});
        return true;
    };
    if (sundays.count(w)) { simple(Kind::sunday); return; }
    if (feriae.count(w)) { simple(Kind::feria); return; }
    if (afters.count(w)) { simple(Kind::after); return; }
    if (befores.count(w)) { simple(Kind::before); return; }
    if (ins.count(w)) { simple(Kind::in); return; }
    if (eves.count(w) || beforeDays.count(w)) { simple(Kind::eve); return; }
    if (afterDays.count(w)) { simple(Kind::morrow); return; }
    if (octaves.count(w)) { simple(Kind::octave); return; }
    if (const auto it = weekdays.find(w); it != weekdays.end()) { simple(Kind::weekday, it->second); return; }
    if (fillers.count(w)) { simple(Kind::filler); return; }
    if (titles.count(w)) { simple(Kind::title); return; }
    // Compounds: the stem keeps at least two letters ("bön" of "bönsöndagen"),
    // and a word that names a base keeps its ending ("påsktiden").
    const auto strip = [&](const std::set<std::string, std::less<>>& ends) {
        for (const auto& e : ends)
            if (w.size() >= e.size() + 2 && endsWith(w, e)) {
                w.resize(w.size() - e.size());
                return true;
            }
        return false;
    };
    // "Böndagen" is a prayer day, not the Sunday Rogate ("Bönsöndagen"): its -dag
    // stays.
    static const auto keepDay = foldedSet({"böndag", "böndagen", "böndagar", "böndagarna"});
    const bool keep = keepDay.count(w) > 0;
    bool sunday = !keep && strip(sundayEnds), eve = false, day = false;
    if (!sunday && !keep) eve = strip(eveEnds);
    if (!sunday && !keep) day = strip(dayEnds);
    if (!keep) strip(feastEnds);
    if (!day && !keep) day = strip(dayEnds);  // "mikaelsmässodag" lost -dag first
    Token t{w, Kind::word};
    const auto ordinal = ordinalWords().find(w);
    if (ordinal != ordinalWords().end() && !(day && ordinal->second == 13)) {
        t.kind = Kind::ordinal;  // "tredjedag", "annandag", "tjugondedag"
        t.value = ordinal->second;
    } else if (const Base b = baseOf(w); b != Base::none) {
        t.base = b;  // "pingstdagen", "trefaldighetsdagen", and "trettondedagen"
    }
    t.dayMark = day;
    out.push_back(std::move(t));
    if (sunday) out.push_back(Token{"", Kind::sunday});
    if (eve) out.push_back(Token{"", Kind::eve});
}

std::vector<Token> tokensOf(std::string_view text) {
    std::vector<std::string> raw = rawWords(text);
    // "B.M.V.", "B.V.M.", "BMV": Beatae Mariae Virginis, the Virgin, read as Mariae.
    std::vector<std::string> words;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == "bmv" || raw[i] == "bvm") {
            words.push_back("mariae");
        } else if (i + 2 < raw.size() && raw[i] == "b" &&
                   ((raw[i + 1] == "m" && raw[i + 2] == "v") || (raw[i + 1] == "v" && raw[i + 2] == "m"))) {
            words.push_back("mariae");
            i += 2;
        } else {
            words.push_back(raw[i]);
        }
    }
    std::vector<Token> out;
    for (const auto& w : words) classify(w, out);
    return out;
}

// ---------------------------------------------------------------------------
// The table of church days (Kyrkodagar): its rows and their forms, read once a
// run from the reference database.
// ---------------------------------------------------------------------------

// The folded words of a text that carry a name: every kind but the fillers,
// the Sunday words and the prepositions of a name ("Dominica in albis").
std::vector<std::string> nameWords(const std::vector<Token>& tokens) {
    std::vector<std::string> out;
    for (const auto& t : tokens)
        if (t.kind == Kind::word || t.kind == Kind::ordinal || t.kind == Kind::number ||
            (t.kind == Kind::title && !out.empty()))
            out.push_back(t.text);
    return out;
}

std::string keyOfFixed(int month, int day) {
    return "F:" + format0x(month) + "-" + format0x(day);
}

// How well a folded word of a phrase names a word of a form: 3 the same word; 2
// another case of it (Latin "Laurentii" and "Laurentius", "Andreae" and "Andreas":
// a common stem of six letters and at most three letters each after it, of five
// and two, or of four and one; a form's word with an ending of one letter, or of up
// to three after six letters, "Mikaels" of "Mikael"); 1 an abbreviation of it
// ("Trin." of "Trinitatis", three letters at least); 0 not at all.
int wordMatch(std::string_view p, std::string_view f) {
    if (p == f) return 3;
    if (f.size() >= 3 && startsWith(p, f) && (p.size() - f.size() <= 1 || (f.size() >= 6 && p.size() - f.size() <= 3)))
        return 2;
    std::size_t common = 0;
    while (common < p.size() && common < f.size() && p[common] == f[common]) ++common;
    const std::size_t rest = std::max(p.size(), f.size()) - common;
    if ((common >= 6 && rest <= 3) || (common == 5 && rest <= 2) || (common == 4 && rest <= 1)) return 2;
    return p.size() >= 3 && startsWith(f, p) ? 1 : 0;
}

// The feasts whose forms the words name. A form with as many words, each named,
// is a strong match: whole words before abbreviations ("Fastelavns" is the
// Sunday, not an abbreviation of "Fastelavnstirsdag"). Failing any, and where
// allowed, forms that the words begin in order (weak: "Pauli" names both of
// Paul's days).
std::vector<const Feast*> feastsNamed(const std::vector<std::string>& words, bool allowWeak, bool* weakOnly = nullptr) {
    std::vector<const Feast*> strong[4], weak;
    if (words.empty()) return {};
    for (const auto& f : feastTable()) {
        int best = 0;
        bool isWeak = false;
        for (const auto& form : f.forms) {
            if (form.size() == words.size()) {
                int level = 3;
                for (std::size_t i = 0; i < words.size() && level > 0; ++i) level = std::min(level, wordMatch(words[i], form[i]));
                best = std::max(best, level);
            } else if (form.size() > words.size()) {
                std::size_t k = 0;
                for (std::size_t j = 0; k < words.size() && j < form.size(); ++j)
                    if (wordMatch(words[k], form[j]) > 0) ++k;
                if (k == words.size()) isWeak = true;
            }
        }
        if (best > 0) strong[best].push_back(&f);
        else if (isWeak) weak.push_back(&f);
    }
    for (int level = 3; level >= 1; --level)
        if (!strong[level].empty()) return strong[level];
    if (weakOnly) *weakOnly = allowWeak && !weak.empty();
    return allowWeak ? weak : std::vector<const Feast*>{};
}

// ---------------------------------------------------------------------------
// Readings: a phrase read as church days, each a key and its steps (the keys
// in churchwords.h).
// ---------------------------------------------------------------------------


// The key a base's own feast day has, for the n-th day of a feast ("Tredjedag
// jul", "2. påskedag", "Fer. 3 Pent.") and the weekdays after it.
std::string feastKeyOf(Base b) {
    switch (b) {
        case Base::easter: return "E:0";
        case Base::pentecost: return "E:49";
        case Base::trinity: return "E:56";
        case Base::christmas: return "F:12-25";
        case Base::epiphany: return "F:01-06";
        case Base::newYear: return "F:01-01";
        case Base::advent: return "A:1";
        case Base::lent: return "E:-46";
        case Base::none: break;
    }
    return "";
}

// A key that a Sunday phrase counts from: a feast the table names, taken as the
// base whose Sundays the church counts from it ("Søndag efter Hellig tre
// Konger" is the first Sunday after Epiphany).
Base baseOfKey(const std::string& key) {
    for (const Base b : {Base::easter, Base::pentecost, Base::trinity, Base::christmas, Base::epiphany, Base::newYear,
                         Base::advent})
        if (feastKeyOf(b) == key) return b;
    return Base::none;
}

// The n-th Sunday after (or in, or before) a base, as a key where the church
// counts it, otherwise as steps from the base's feast.
std::optional<Reading> countedSunday(Base b, Kind prep, int n) {
    if (n < 1 || n > 40) return std::nullopt;
    Reading r;
    const auto key = [&](std::string k) {
        r.key = std::move(k);
        return r;
    };
    if (prep == Kind::before) {
        r.key = feastKeyOf(b);
        if (b == Base::advent) return key("A:" + std::to_string(1 - n));
        r.steps.push_back({Step::sundayBefore, n});
        r.exact = false;
        return r;
    }
    switch (b) {
        // "i treenighetstiden": the season's first Sunday is Trinity Sunday itself.
        case Base::trinity: return key("E:" + std::to_string(prep == Kind::in ? 49 + 7 * n : 56 + 7 * n));
        case Base::pentecost: return key("E:" + std::to_string(49 + 7 * n));
        case Base::easter: return key("E:" + std::to_string(prep == Kind::in ? 7 * (n - 1) : 7 * n));
        case Base::lent: return n <= 6 ? key("E:" + std::to_string(-49 + 7 * n)) : std::optional<Reading>{};
        case Base::advent: return n <= 4 ? key("A:" + std::to_string(n)) : std::optional<Reading>{};
        case Base::epiphany: return n <= 6 ? key("P:" + std::to_string(n)) : std::optional<Reading>{};
        case Base::christmas: return n == 1 ? key("N:1") : std::optional<Reading>{};
        case Base::newYear: return n == 1 ? key("C:1") : std::optional<Reading>{};
        case Base::none: break;
    }
    return std::nullopt;
}

// The readings of a phrase's tokens (year and the weekday prefix already taken
// off). Empty where the phrase names no church day.
std::vector<Reading> readChurchDay(std::vector<Token> t, bool allowWeak) {
    std::vector<Reading> out;
    // A lone "i" before "p." or "post" is the numeral: "Dom. I p. Trin.".
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i].romanI && (t[i + 1].kind == Kind::after || t[i + 1].kind == Kind::before)) {
            t[i].kind = Kind::ordinal;
            t[i].value = 1;
        }
    bool eve = false, octave = false, morrow = false;
    // "Octava Epiphaniae" with no Sunday word is the octave day, not an eighth.
    const bool anySunday = std::any_of(t.begin(), t.end(), [](const Token& x) { return x.kind == Kind::sunday; });
    std::vector<Token> rest;
    for (auto& x : t) {
        if (x.kind == Kind::ordinal && x.value == 8 && !anySunday && startsWith(x.text, "oktav")) octave = true;
        else if (x.kind == Kind::eve) eve = true;
        else if (x.kind == Kind::morrow) morrow = true;
        else if (x.kind == Kind::octave) octave = true;
        else if (x.kind != Kind::filler && !(x.kind == Kind::title && rest.empty())) rest.push_back(x);
    }
    // "Dom. infra oct. Epiph.": the Sunday within the octave is the first after.
    if (octave && std::any_of(t.begin(), t.end(), [](const Token& x) { return x.kind == Kind::in; })) octave = false;
    const auto finish = [&](std::vector<Reading> rs) {
        for (auto& r : rs) {
            if (octave) r.steps.push_back({Step::plusDays, 7});
            if (eve) r.steps.push_back({Step::plusDays, -1});
            if (morrow) r.steps.push_back({Step::plusDays, 1});
            if (octave || eve || morrow) r.exact = false;
        }
        return rs;
    };
    if (rest.empty()) return out;

    const bool hasSunday = std::any_of(rest.begin(), rest.end(), [](const Token& x) { return x.kind == Kind::sunday; });
    // The first preposition that stands after a Sunday word or an ordinal: what
    // comes before it counts, what comes after it is the base.
    std::size_t prepAt = rest.size();
    int n = 0;
    bool leftOnlyCount = true;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const Kind k = rest[i].kind;
        if ((k == Kind::after || k == Kind::before || k == Kind::in) && i > 0) {
            prepAt = i;
            break;
        }
        // "decima quarta", "vigesima prima": a ten and a unit make one count.
        if (k == Kind::ordinal || k == Kind::number)
            n = n > 0 && n % 10 == 0 && rest[i].value < 10 ? n + rest[i].value : rest[i].value;
        else if (k != Kind::sunday) leftOnlyCount = false;
    }
    if (prepAt < rest.size() && leftOnlyCount && (n > 0 || hasSunday)) {
        const Kind prep = rest[prepAt].kind;
        std::vector<Token> right(rest.begin() + static_cast<std::ptrdiff_t>(prepAt) + 1, rest.end());
        if (right.empty()) return out;
        const int count = n > 0 ? n : 1;
        // A base word, alone or with words of its own name ("trefaldighet",
        // "trettondedag jul", "påsktiden").
        Base b = right.front().base;
        if (b == Base::none || right.size() > 2) {
            // A feast the table names: "Söndagen efter Mikaelidagen".
            const auto feasts = feastsNamed(nameWords(right), false);
            for (const Feast* f : feasts) {
                const Base fb = baseOfKey(f->key);
                if (fb != Base::none) {
                    if (auto r = countedSunday(fb, prep, count)) out.push_back(*r);
                    continue;
                }
                // "Dominica in albis": a Sunday named by what follows "in" is that day.
                if (prep == Kind::in && n == 0) {
                    out.push_back(Reading{f->key, {}, true});
                    continue;
                }
                Reading r{f->key, {{prep == Kind::before ? Step::sundayBefore : Step::sundayAfter, count}}, false};
                out.push_back(r);
            }
            return finish(out);
        }
        if (auto r = countedSunday(b, prep, count)) out.push_back(*r);
        return finish(out);
    }

    // No preposition: "Dom. 3 Adv.", "Trin. 14", "2. påskedag", "Tredjedag jul".
    Base b = Base::none;
    int bases = 0;
    bool other = false, dayMark = false;
    n = 0;
    for (const auto& x : rest) {
        dayMark = dayMark || x.dayMark;
        if (x.base != Base::none) {
            b = x.base;
            ++bases;
        } else if (x.kind == Kind::ordinal || x.kind == Kind::number) {
            n = x.value;
        } else if (x.kind != Kind::sunday && x.kind != Kind::in) {
            other = true;
        }
    }
    if (bases == 1 && !other && n > 0) {
        // The n-th day of a feast: "Tredjedag jul" is 27 December, "Tjugondedag
        // jul" 13 January, "2. påskedag" Easter Monday.
        const bool greatFeast = b == Base::christmas || b == Base::easter || b == Base::pentecost;
        if (dayMark || (!hasSunday && greatFeast)) {
            if (n > 40) return out;
            out.push_back(Reading{feastKeyOf(b), {{Step::plusDays, n - 1}}, n == 1});
            return finish(out);
        }
        const Kind prep = b == Base::advent || b == Base::lent ? Kind::in : Kind::after;
        if (auto r = countedSunday(b, prep, n)) out.push_back(*r);
        return finish(out);
    }

    // A named day: the words against the table's forms.
    bool weak = false;
    for (const Feast* f : feastsNamed(nameWords(rest), allowWeak, &weak)) out.push_back(Reading{f->key, {}, true, weak});
    return finish(out);
}

// The whole phrase: a weekday in front ("Fer. 2 p. Oculi", "Måndagen efter
// Mikaelidagen") and the church day it is counted from.
std::vector<Reading> readPhrase(const std::vector<Token>& tokens, bool allowWeak) {
    if (tokens.empty()) return {};
    std::size_t at = 0;
    std::optional<int> weekday;
    int feria = 0;
    if (tokens[0].kind == Kind::feria && tokens.size() > 1 &&
        (tokens[1].kind == Kind::ordinal || tokens[1].kind == Kind::number || tokens[1].romanI)) {
        feria = tokens[1].romanI ? 1 : tokens[1].value;
        if (feria < 1 || feria > 7) return {};
        weekday = feria == 1 ? 6 : feria - 2;
        at = 2;
    } else if (tokens[0].kind == Kind::weekday) {
        weekday = tokens[0].value;
        at = 1;
    } else if (tokens[0].kind == Kind::feria) {
        at = 1;  // "Fer. Andreae": the feast itself
    }
    Kind prep = Kind::filler;
    if (weekday && at < tokens.size() && (tokens[at].kind == Kind::after || tokens[at].kind == Kind::before)) {
        prep = tokens[at].kind;
        ++at;
    }
    std::vector<Token> rest(tokens.begin() + static_cast<std::ptrdiff_t>(at), tokens.end());
    if (!weekday) return readChurchDay(rest, allowWeak);

    // Feria n of a great feast is its n-th day ("Fer. 2 Nativ." is 26 December,
    // "Fer. 3 Pasch." Easter Tuesday), as the Lutheran books count.
    std::vector<Reading> out = readChurchDay(rest, allowWeak);
    const auto greatFeast = [](const Reading& r) {
        return r.exact && (r.key == feastKeyOf(Base::christmas) || r.key == feastKeyOf(Base::easter) ||
                           r.key == feastKeyOf(Base::pentecost));
    };
    if (feria > 0 && prep == Kind::filler && !out.empty() && std::all_of(out.begin(), out.end(), greatFeast)) {
        for (auto& r : out) {
            r.steps.push_back({Step::plusDays, feria - 1});
            r.exact = false;
        }
        return out;
    }
    for (auto& r : out) {
        const Step::Type type = prep == Kind::before ? Step::weekdayBefore
                                : prep == Kind::after ? Step::weekdayAfter
                                                      : Step::weekdayAt;
        r.steps.push_back({type, *weekday});
        r.exact = false;
    }
    return out;
}

}  // namespace

const std::vector<Feast>& feastTable() {
    static std::vector<Feast> feasts;
    static bool read = false;
    if (read) return feasts;
    Database db = openReferenceDatabase();
    Recordset rs = openRecordset(db, "Kyrkodagar");
    std::vector<Feast> table;
    for (; !eof(rs); moveNext(rs)) {
        Feast f;
        const std::string rule = readTextField(rs, "rule");
        const int16_t month = readInt16Field(rs, "month"), day = readInt16Field(rs, "day");
        if (rule == "fix") f.key = keyOfFixed(month, day);
        else if (rule == "est") f.key = "E:" + std::to_string(day);
        else if (rule == "adv") f.key = "A:" + std::to_string(day);
        else throw DataError("tabellen Kyrkodagar, rad " + std::to_string(rs.current + 1) + ", har regeln \"" + rule +
                             "\" (fix, est eller adv)");
        f.name = readTextField(rs, "namn");
        f.latin = readTextField(rs, "latin");
        const std::string forms = readTextField(rs, "forms");
        for (std::size_t at = 0; at <= forms.size();) {
            const auto bar = std::min(forms.find('|', at), forms.size());
            auto words = nameWords(tokensOf(std::string_view(forms).substr(at, bar - at)));
            if (!words.empty()) f.forms.push_back(std::move(words));
            at = bar + 1;
        }
        table.push_back(std::move(f));
    }
    closeRecordset(rs);
    closeDatabase(db);
    feasts = std::move(table);
    read = true;
    return feasts;
}

std::vector<Reading> readChurchPhrase(std::string_view text, bool allowWeak) {
    return readPhrase(tokensOf(text), allowWeak);
}

bool countsSundays(const std::string& key) { return baseOfKey(key) != Base::none; }

// A text without the blanks around it (the tables' leading blank, a label's fill).
std::string bare(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

// The year a phrase carries: the last number of three or four digits in it (the
// church year counts no further than 27, a day of the month to 31).
std::optional<std::string> yearWord(std::string_view phrase) {
    std::optional<std::string> year;
    for (const auto& w : rawWords(phrase))
        if (w.size() >= 3 && w.size() <= 4 && w.find_first_not_of("0123456789") == std::string::npos) year = w;
    return year;
}

// The phrase as typed without its year and the word that announces it ("Anno
// 1745", "år 1745"), for the messages and for a day reached by steps.
std::string phraseWithoutYear(std::string_view phrase) {
    std::string s = bare(phrase);
    if (const auto year = yearWord(phrase)) {
        std::size_t at = s.rfind(*year);
        while (at != std::string::npos && ((at > 0 && std::isdigit(static_cast<unsigned char>(s[at - 1]))) ||
                                           (at + year->size() < s.size() && std::isdigit(static_cast<unsigned char>(s[at + year->size()])))))
            at = at == 0 ? std::string::npos : s.rfind(*year, at - 1);
        if (at != std::string::npos) {
            std::string before = bare(s.substr(0, at));
            for (const char* anno : {"anno", "Anno", "ANNO", "Ao.", "ao.", "A:o", "år", "År", "aar", "Aar"}) {
                const std::string_view a = anno;
                if (endsWith(before, a) && (before.size() == a.size() || before[before.size() - a.size() - 1] == ' ')) {
                    before = bare(before.substr(0, before.size() - a.size()));
                    break;
                }
            }
            s = bare(before + " " + s.substr(at + year->size()));
        }
    }
    while (!s.empty() && (s.back() == ',' || s.back() == ' ')) s.pop_back();
    return s;
}

// The words of a text for matching: case folded (also for the Nordic letters),
// dots, commas and brackets not part of a word, å, ä, ö, æ, ø letters of their own.
std::vector<std::string> textWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    const auto flush = [&] {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t' || c == '(' || c == ')' || c == '[' || c == ']' || c == '"') flush();
        else if (c == '.' || c == ',') continue;
        else if (c >= 'A' && c <= 'Z') word += static_cast<char>(c + 32);
        else if (c == 0xC3 && i + 1 < text.size()) {
            auto n = static_cast<unsigned char>(text[i + 1]);
            if (n >= 0x80 && n <= 0x9E && n != 0x97) n = static_cast<unsigned char>(n + 32);
            word += static_cast<char>(c);
            word += static_cast<char>(n);
            ++i;
        } else word += static_cast<char>(c);
    }
    flush();
    return words;
}

// A number in the search stands for itself: "2" does not begin "22".
static bool wordBegins(const std::string& text, const std::string& search) {
    if (!search.empty() && search.find_first_not_of("0123456789") == std::string::npos) return text == search;
    return text.starts_with(search);
}

bool wordsBegin(const std::vector<std::string>& text, const std::vector<std::string>& search) {
    std::size_t at = 0;
    for (const auto& s : search) {
        while (at < text.size() && !wordBegins(text[at], s)) ++at;
        if (at == text.size()) return false;
        ++at;
    }
    return true;
}

}  // namespace tovmir
