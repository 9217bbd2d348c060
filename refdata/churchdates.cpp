#include "churchdates.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "calendar/daynumber.h"
#include "calendar/feasts.h"
#include "calendar/limits.h"
#include "calendar/nations.h"
#include "calendar/numbers.h"
#include "calendar/state.h"
#include "calendar/text.h"
#include "calendar/weeks.h"
#include "nationsettings.h"
#include "yeardata.h"

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
    eve,      // afton, aften, vigilia
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
            for (const char* f : forms)
                for (const auto& r : rawWords(f)) m[folded(r)] = n;
        };
        // Swedish, Danish, Norwegian and Latin, with the Latin case endings
        // church books use ("Dominica prima", "Dom. tertiam p. Trin.").
        add(1, {"första", "förste", "første", "prima", "primam", "primae", "primo"});
        add(2, {"andra", "andre", "annan", "anden", "annen", "secunda", "secundam", "secundae", "secundo"});
        add(3, {"tredje", "tertia", "tertiam", "tertiae", "tertio"});
        add(4, {"fjärde", "fjerde", "quarta", "quartam", "quartae", "quarto"});
        add(5, {"femte", "quinta", "quintam", "quintae", "quinto"});
        add(6, {"sjätte", "sjette", "sexta", "sextam", "sextae", "sexto"});
        add(7, {"sjunde", "syvende", "sjuende", "septima", "septimam", "septimae", "septimo"});
        add(8, {"åttonde", "ottende", "åttende", "octava", "octavam", "octavae", "octavo"});
        add(9, {"nionde", "niende", "nona", "nonam", "nonae", "nono"});
        add(10, {"tionde", "tiende", "decima", "decimam", "decimae", "decimo"});
        add(11, {"elfte", "ellevte", "undecima", "undecimam", "undecimae"});
        add(12, {"tolfte", "tolvte", "duodecima", "duodecimam", "duodecimae"});
        add(13, {"trettonde", "trettende"});
        add(14, {"fjortonde", "fjortende"});
        add(15, {"femtonde", "femtende"});
        add(16, {"sextonde", "sekstende"});
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
// "Tref.", "trefaldighet"; "Trettond.", "Epiph."; "Pasch.", "påsktiden" ...
Base baseOf(std::string_view w) {
    static const auto f = [](const char* s) { return folded(rawWords(s).front()); };
    static const std::string trin = f("trin"), tref = f("tref"), treen = f("treen"), pent = f("pent"),
                             pingst = f("pingst"), pins = f("pins"), epif = f("epiph"), tretond = f("trettond"),
                             tretend = f("trettend"), helig = f("helligtrekong"), apenbar = f("åpenbaring"),
                             paska = f("pasch"), pask = f("påsk"), adv = f("adv"), quadrag = f("quadr"),
                             jul = f("jul"), jule = f("jule"), julen = f("julen"), juld = f("juld"),
                             nativ = f("nativ"), nyar = f("nyår"), nytar = f("nytår"), nyttar = f("nyttår"),
                             kirkum = f("circum"), kirk = f("circ");
    static const auto lent = foldedSet({"fastan", "fasten", "fasta", "faste", "fastetiden", "fastetid"});
    if (startsWith(w, trin) || startsWith(w, tref) || startsWith(w, treen)) return Base::trinity;
    if (startsWith(w, pent) || startsWith(w, pingst) || startsWith(w, pins)) return Base::pentecost;
    if (startsWith(w, epif) || startsWith(w, tretond) || startsWith(w, tretend) || startsWith(w, helig) ||
        startsWith(w, apenbar))
        return Base::epiphany;
    if (startsWith(w, paska) || startsWith(w, pask)) return Base::easter;
    if (startsWith(w, adv)) return Base::advent;
    if (startsWith(w, quadrag) || lent.count(w)) return Base::lent;
    if (w == jul || w == "nat" || startsWith(w, jule) || startsWith(w, julen) || startsWith(w, juld) || startsWith(w, nativ))
        return Base::christmas;
    if (startsWith(w, nyar) || startsWith(w, nytar) || startsWith(w, nyttar) || startsWith(w, kirkum) || w == kirk)
        return Base::newYear;
    return Base::none;
}

// Classifies one folded word; suffixes split off into the extra kinds they carry
// ("fastlagssöndagen" is "fastlags" and a Sunday, "valborgsmässoafton" is
// "valborgs" and an eve).
void classify(const std::string& raw, std::vector<Token>& out) {
    static const auto sundays = foldedSet({"dom", "dominica", "dominicam", "dominicae", "dnca", "dnc", "dnica",
                                           "dominic", "domin", "s", "söndag", "söndagen", "söndags", "sönd", "sön",
                                           "sd", "sdg", "søndag", "søndagen", "søn"});
    static const auto feriae = foldedSet({"fer", "feria", "feriae", "feriam"});
    static const auto afters = foldedSet({"p", "post", "e", "efter", "eft", "ef", "etter", "näst", "nästa"});
    static const auto befores = foldedSet({"ante", "före", "för", "f", "før", "for", "innan"});
    static const auto ins = foldedSet({"in", "infra", "uti"});
    static const auto eves = foldedSet({"afton", "aftonen", "aften", "aftenen", "aftan", "vigilia", "vigiliae",
                                        "vigilia", "pervigilium", "vigil", "vigilie"});
    // Titles before a saint's name: no part of the name ("Sankt Hans" is Hans),
    // but a word of a feast's name where one comes first ("Omnium Sanctorum").
    static const auto titles = foldedSet({"sankt", "sankte", "sancti", "sancte", "sanct", "sancta", "sanctae", "sankta"});
    static const auto octaves = foldedSet({"oct", "octav", "octavam", "octavas", "octavis", "oktav"});
    static const auto fillers = foldedSet(
        {"die", "dies", "diei", "festo", "festum", "festi", "fest", "ipso", "sct", "skt", "st", "dni", "dnj", "dmi", "b", "beati", "beatae", "beata", "divi", "diva", "d",
         "den", "det", "dag", "dagen", "dags", "dagh", "et", "ok", "och", "oc", "og", "helga", "heliga", "helige",
         "helig", "hellig", "hellige", "anno", "ao", "år", "aar", "mäss", "mässa", "mässan", "messa", "messe",
         "misse", "mässo", "domini", "jungfru", "jomfru"});
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
    static const auto sundayEnds = foldedSet({"söndagen", "söndag", "søndag", "søndagen"});
    static const auto eveEnds = foldedSet({"aftonen", "afton", "aftan", "aftenen", "aften"});
    static const auto dayEnds = foldedSet({"dagen", "dagens", "dags", "dag", "dagh"});
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
    if (eves.count(w)) { simple(Kind::eve); return; }
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
    bool sunday = strip(sundayEnds), eve = false, day = false;
    if (!sunday) eve = strip(eveEnds);
    if (!sunday) day = strip(dayEnds);
    strip(feastEnds);
    if (!day) day = strip(dayEnds);  // "mikaelsmässodag" lost -dag first
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
    std::vector<Token> out;
    for (const auto& raw : rawWords(text)) classify(raw, out);
    return out;
}

// ---------------------------------------------------------------------------
// The table of church days (Kyrkodagar): its rows and their forms, read once a
// run from the reference database.
// ---------------------------------------------------------------------------

struct Feast {
    std::string key;  // "F:MM-DD", "E:n" or "A:n" (see Reading)
    std::string name, latin;
    std::vector<std::vector<std::string>> forms;  // each form's folded words, the fillers dropped
};

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

// How well a folded word of a phrase names a word of a form: 2 the same word or
// another case of it (Latin "Laurentii" and "Laurentius", "Andreae" and
// "Andreas": a common stem of six letters and at most three letters each after
// it, of five and two, or of four and one), 1 an abbreviation of it ("Trin." of
// "Trinitatis", three letters at least), 0 not at all.
int wordMatch(std::string_view p, std::string_view f) {
    if (p == f) return 2;
    if (f.size() >= 3 && startsWith(p, f) && p.size() - f.size() <= 3) return 2;
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
    std::vector<const Feast*> strong[3], weak;
    if (words.empty()) return {};
    for (const auto& f : feastTable()) {
        int best = 0;
        bool isWeak = false;
        for (const auto& form : f.forms) {
            if (form.size() == words.size()) {
                int level = 2;
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
    if (!strong[2].empty()) return strong[2];
    if (!strong[1].empty()) return strong[1];
    if (weakOnly) *weakOnly = allowWeak && !weak.empty();
    return allowWeak ? weak : std::vector<const Feast*>{};
}

// ---------------------------------------------------------------------------
// Readings. A phrase reads as one or more church days, each a key and the
// steps that lead from it to the day:
//   E:n     Easter Sunday + n days
//   A:n     the n-th Sunday in Advent (0 the Sunday before the first)
//   P:n     the n-th Sunday after Epiphany (Trettondedagen, 6 January)
//   N:1     the Sunday after Christmas (26 December to 1 January)
//   C:1     the Sunday after New Year (2 to 5 January)
//   F:MM-DD a feast on that date, or where the nation's holiday rules keep it
// The Sundays after Trinity are E keys (Easter + 56 + 7n), as are the Sundays
// after Pentecost (Easter + 49 + 7n) and the named Sundays of Lent and Easter.
// ---------------------------------------------------------------------------

struct Step {
    enum Type { sundayAfter, sundayBefore, weekdayAfter, weekdayBefore, weekdayAt, plusDays } type;
    int value;  // the count of Sundays, the weekday, the days
};

struct Reading {
    std::string key;
    std::vector<Step> steps;  // applied in order to the key's days
    bool exact = true;        // the key itself, no steps: its name can be shown
    bool weak = false;        // only begun by the phrase's words ("Pauli" of "Conversio Pauli")
};

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
    if (key == "E:0") return Base::easter;
    if (key == "E:49") return Base::pentecost;
    if (key == "E:56") return Base::trinity;
    if (key == "F:12-25") return Base::christmas;
    if (key == "F:01-06") return Base::epiphany;
    if (key == "F:01-01") return Base::newYear;
    if (key == "A:1") return Base::advent;
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
    bool eve = false, octave = false;
    std::vector<Token> rest;
    for (auto& x : t) {
        if (x.kind == Kind::eve) eve = true;
        else if (x.kind == Kind::octave) octave = true;
        else if (x.kind != Kind::filler && !(x.kind == Kind::title && rest.empty())) rest.push_back(x);
    }
    // "Dom. infra oct. Epiph.": the Sunday within the octave is the first after.
    if (octave && std::any_of(t.begin(), t.end(), [](const Token& x) { return x.kind == Kind::in; })) octave = false;
    const auto finish = [&](std::vector<Reading> rs) {
        for (auto& r : rs) {
            if (octave) r.steps.push_back({Step::plusDays, 7});
            if (eve) r.steps.push_back({Step::plusDays, -1});
            if (octave || eve) r.exact = false;
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
    if (feria > 0 && prep == Kind::filler) {
        std::vector<Token> named;
        for (const auto& x : rest)
            if (x.kind != Kind::filler) named.push_back(x);
        if (named.size() == 1 && (named[0].base == Base::christmas || named[0].base == Base::easter ||
                                  named[0].base == Base::pentecost))
            return {Reading{feastKeyOf(named[0].base), {{Step::plusDays, feria - 1}}, false}};
    }
    std::vector<Reading> out = readChurchDay(rest, allowWeak);
    if (feria > 0 && prep == Kind::filler && !out.empty() &&
        std::all_of(out.begin(), out.end(), [](const Reading& r) {
            return r.exact && (r.key == "F:12-25" || r.key == "E:0" || r.key == "E:49");
        })) {
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

// ---------------------------------------------------------------------------
// The days of a year. Everything is counted in day numbers of the nation's own
// calendar, so reform gaps and Sweden's 30 February need no care here.
// ---------------------------------------------------------------------------

int weekdayOf(int64_t j) { return static_cast<int>(j % 7); }  // 0 Monday .. 6 Sunday
int64_t firstSundayAfter(int64_t j) { return j + (weekdayOf(j) == 6 ? 7 : 6 - weekdayOf(j)); }
int64_t lastSundayBefore(int64_t j) { return j - (weekdayOf(j) == 6 ? 7 : weekdayOf(j) + 1); }

// A date of the year, or nothing where the nation's calendar lacks it.
std::optional<int64_t> dateOf(int16_t y, int m, int d) {
    if (y < firstCountedYear + 1 || !isValidDate(y, static_cast<int16_t>(m), static_cast<int16_t>(d), nation))
        return std::nullopt;
    return dateToDayNumber(y, static_cast<int16_t>(m), static_cast<int16_t>(d), nation);
}

// A text without the blanks around it (the tables' leading blank, a label's fill).
std::string bare(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

// The days a holiday rule of the nation's tables names in the loaded year, with
// the church keys its name reads as.
struct RuleDay {
    int64_t dayNumber;
    std::string name;  // as stored, leading blank off
    int16_t color;
    bool second;  // from the nation's second (Latin) table
    const std::vector<std::string>* keys;
};

// The day a feast key's "n-th day of" form stands for as a key of its own where
// one exists: "Annandag jul" (Christmas + 1) is 26 December.
std::string normalKey(const std::string& key, int plus) {
    if (plus == 0) return key;
    if (key.starts_with("E:")) return "E:" + std::to_string(std::stoi(key.substr(2)) + plus);
    return key + "+" + std::to_string(plus);
}

// The keys a rule's name reads as: each part of it ("Tredjedag jul, Johannes
// apostels dag" is two), without the remarks in brackets ("(apostladag)",
// "(flaggdag)") and only where the part reads as one church day exactly.
const std::vector<std::string>& keysOfName(const std::string& name) {
    static std::unordered_map<std::string, std::vector<std::string>> cache;
    if (const auto it = cache.find(name); it != cache.end()) return it->second;
    std::string plain;
    int depth = 0;
    for (char c : name) {
        if (c == '(') ++depth;
        else if (c == ')') depth = depth > 0 ? depth - 1 : 0;
        else if (depth == 0) plain += c;
    }
    std::vector<std::string> keys;
    std::size_t at = 0;
    while (at <= plain.size()) {
        std::size_t end = plain.size();
        for (const char* sep : {",", "\u2013", " - "}) end = std::min(end, plain.find(sep, at) == std::string::npos ? plain.size() : plain.find(sep, at));
        const std::string part = plain.substr(at, end - at);
        for (const auto& r : readPhrase(tokensOf(part), false))
            if (r.exact) keys.push_back(r.key);
            else if (r.steps.size() == 1 && r.steps[0].type == Step::plusDays && baseOfKey(r.key) != Base::none)
                keys.push_back(normalKey(r.key, r.steps[0].value));
        if (end == plain.size()) break;
        at = end + (plain.compare(end, 3, "\u2013") == 0 ? 3 : plain[end] == ',' ? 1 : 3);
    }
    return cache.emplace(name, std::move(keys)).first->second;
}

std::vector<RuleDay> ruleDaysOfYear(Database& db, bool hasEaster) {
    std::vector<RuleDay> out;
    for (const bool second : {false, true}) {
        Recordset rules = openRecordset(db, holidayTableName(db, second));
        for (; !eof(rules); moveNext(rules)) {
            if (curYear < readNumberField(rules, "begYr") || curYear > readNumberField(rules, "endYr")) continue;
            std::string rule = readTextField(rules, "rule");
            if (rule.size() > 1 && rule.back() == '+') rule.pop_back();
            const int64_t target = ruleTarget(rules, rule, hasEaster);
            if (target == noRuleDay) continue;
            std::string name = readTextField(rules, "dagNamn");
            while (!name.empty() && name.front() == ' ') name.erase(0, 1);
            const auto& keys = keysOfName(name);
            out.push_back({yearDayZero + target, name, readInt16Field(rules, "color"), second, &keys});
        }
        closeRecordset(rules);
    }
    return out;
}

// The last year in which the nation's rules keep each weekday feast counted from
// Easter (Store bededag to 2023 in Denmark): after it the feast is no day of the
// nation's calendar. The Sundays are left out, and so is any feast the rules never
// name (Corpus Christi in a Lutheran table): those days are the church year's own.
std::map<std::string, double> lastRuleYears(Database& db) {
    std::map<std::string, double> last;
    for (const bool second : {false, true}) {
        Recordset rules = openRecordset(db, holidayTableName(db, second));
        for (; !eof(rules); moveNext(rules)) {
            std::string name = readTextField(rules, "dagNamn");
            for (const auto& k : keysOfName(bare(name))) {
                if (k[0] != 'E' || std::stoi(k.substr(2)) % 7 == 0) continue;
                const double end = readNumberField(rules, "endYr");
                if (!last.count(k) || last[k] < end) last[k] = end;
            }
        }
        closeRecordset(rules);
    }
    return last;
}

// What a year offers the readings: Easter, the first Sunday in Advent, the rule
// days. Computed for the searched year and the years on either side, whose
// Christmas and New Year reach into it.
struct YearFacts {
    int16_t year;
    int64_t easter;  // 0 for a nation without an Easter rule
    int64_t advent1;
    const std::vector<RuleDay>* rules;  // only for the searched year
};

YearFacts factsOf(int16_t y, const std::vector<RuleDay>* rules) {
    YearFacts f{y, easterDayNumber(y, nation), 0, rules};
    if (const auto nov26 = dateOf(y, 11, 26)) f.advent1 = firstSundayAfter(*nov26);
    return f;
}

// Why a key names no day in a year, for the message: "1745 har bara 24 söndagar
// efter trefaldighet".
std::string lacking;

// The searched phrase's words as text, to choose among the rules of one feast.
std::vector<std::string> searchedWords;

bool wordsBegin(const std::vector<std::string>& text, const std::vector<std::string>& search);
std::vector<std::string> textWords(std::string_view text);

// The day a key names by the church year's own count, where the nation's rules
// name no day for it.
std::vector<int64_t> countedDays(const std::string& key, const YearFacts& f) {
    std::vector<int64_t> days;
    const char kind = key[0];
    if (kind == 'E') {
        if (f.easter == 0) return days;
        const int n = std::stoi(key.substr(2));
        const int64_t d = f.easter + n;
        // The Sundays after Trinity (and Pentecost) end where Advent begins.
        if (n > 56 && f.advent1 != 0 && d >= f.advent1) {
            if (f.rules) lacking = std::to_string(f.year) + " har bara " + std::to_string((f.advent1 - f.easter - 56) / 7 - 1) +
                      " söndagar efter trefaldighet";
            return days;
        }
        days.push_back(d);
    } else if (kind == 'A') {
        if (f.advent1 != 0) days.push_back(f.advent1 + 7 * (std::stoi(key.substr(2)) - 1));
    } else if (kind == 'P') {
        const auto jan6 = dateOf(f.year, 1, 6);
        if (!jan6) return days;
        const int64_t first = firstSundayAfter(*jan6);
        const int64_t d = first + 7 * (std::stoi(key.substr(2)) - 1);
        // The Sundays after Epiphany end where Septuagesima begins.
        if (f.easter != 0 && d >= f.easter - 63) {
            const int64_t k = f.easter - 63 > first ? (f.easter - 63 - first) / 7 : 0;
            if (f.rules) lacking = std::to_string(f.year) + " har bara " + std::to_string(k) + " söndagar efter trettondedagen";
            return days;
        }
        days.push_back(d);
    } else if (kind == 'N') {
        if (const auto dec25 = dateOf(f.year, 12, 25)) days.push_back(firstSundayAfter(*dec25));
    } else if (kind == 'C') {
        const auto jan1 = dateOf(f.year, 1, 1);
        const auto jan6 = dateOf(f.year, 1, 6);
        if (jan1 && jan6 && firstSundayAfter(*jan1) < *jan6) days.push_back(firstSundayAfter(*jan1));
        else if (f.rules) lacking = std::to_string(f.year) + " har ingen söndag mellan nyårsdagen och trettondedagen";
    } else if (kind == 'F') {
        const int plus = key.size() > 7 ? std::stoi(key.substr(8)) : 0;
        const int m = std::stoi(key.substr(2, 2)), d = std::stoi(key.substr(5, 2));
        auto day = dateOf(f.year, m, d);
        // Mattias: 25 February in a leap year whose almanac keeps the leap day on
        // 24 February.
        if (m == 2 && d == 24 && f.year < lpDChg && isValidDate(f.year, 2, 29, nation)) day = dateOf(f.year, 2, 25);
        if (day) days.push_back(*day + plus);
    }
    return days;
}

// Whether a Sunday counted in a season lies inside it: the Sundays after Trinity
// end where Advent begins, those after Epiphany where Septuagesima does, the
// Sunday after New Year before Epiphany.
bool withinSeason(const std::string& key, int64_t d, const YearFacts& f) {
    if (key[0] == 'E') return std::stoi(key.substr(2)) <= 56 || f.advent1 == 0 || d < f.advent1;
    if (key[0] == 'P') return f.easter == 0 || d < f.easter - 63;
    if (key[0] == 'C') {
        const auto jan6 = dateOf(f.year, 1, 6);
        return !jan6 || d < *jan6;
    }
    return true;
}

// The days a key names in a year. The nation's rules decide where they name the
// day (Mikaelidagen on a Sunday in Sweden from 1773, Denmark's Sundays after
// Epiphany counted from 8 January from 1993, Norway's Lent Sundays counted round
// Maria budskapsdag): a red day, the feast kept, before a day that only carries
// its old name; of several days, those whose rule the phrase names in so many
// words (Midsommardagen on the Saturday and Johannes Döparens dag on the Sunday
// after it, both red from 2004). Otherwise the church year's own count.
std::vector<int64_t> daysOfKey(const std::string& key, const YearFacts& f) {
    std::vector<int64_t> counted = countedDays(key, f);
    if (!f.rules) return counted;
    std::vector<const RuleDay*> red, other;
    for (const auto& r : *f.rules)
        for (const auto& k : *r.keys)
            if (k == key && withinSeason(key, r.dayNumber, f)) {
                (r.color == 12 ? red : other).push_back(&r);
                break;
            }
    const auto& rows = red.empty() ? other : red;
    if (rows.empty()) return counted;
    std::set<int64_t> all, named;
    for (const RuleDay* r : rows) {
        all.insert(r->dayNumber);
        if (wordsBegin(textWords(r->name), searchedWords)) named.insert(r->dayNumber);
    }
    const auto& chosen = all.size() > 1 && !named.empty() ? named : all;
    return {chosen.begin(), chosen.end()};
}

std::vector<int64_t> applySteps(std::vector<int64_t> days, const std::vector<Step>& steps) {
    for (const auto& s : steps)
        for (auto& d : days) {
            switch (s.type) {
                case Step::plusDays: d += s.value; break;
                case Step::sundayAfter: d = firstSundayAfter(d) + 7 * (s.value - 1); break;
                case Step::sundayBefore: d = lastSundayBefore(d) - 7 * (s.value - 1); break;
                case Step::weekdayAfter: d += (s.value - weekdayOf(d) + 6) % 7 + 1; break;
                case Step::weekdayBefore: d -= (weekdayOf(d) - s.value + 6) % 7 + 1; break;
                case Step::weekdayAt: d += (s.value - weekdayOf(d) + 7) % 7; break;
            }
        }
    return days;
}

// ---------------------------------------------------------------------------
// Names shown.
// ---------------------------------------------------------------------------

const char* const swedishOrdinals[] = {"",           "Första",       "Andra",        "Tredje",       "Fjärde",
                                       "Femte",      "Sjätte",       "Sjunde",       "Åttonde",      "Nionde",
                                       "Tionde",     "Elfte",        "Tolfte",       "Trettonde",    "Fjortonde",
                                       "Femtonde",   "Sextonde",     "Sjuttonde",    "Artonde",      "Nittonde",
                                       "Tjugonde",   "Tjugoförsta",  "Tjugoandra",   "Tjugotredje",  "Tjugofjärde",
                                       "Tjugofemte", "Tjugosjätte",  "Tjugosjunde"};

// A key's own name where neither the nation's table nor the table of church days
// names it: the counted Sundays.
std::string generatedName(const std::string& key) {
    const char kind = key[0];
    const int n = kind == 'F' ? 0 : std::stoi(key.substr(2));
    if (kind == 'E' && n > 56 && (n - 56) % 7 == 0 && (n - 56) / 7 <= 27)
        return latinNames ? "Dominica " + std::to_string((n - 56) / 7) + " post Trinitatis"
                          : std::string(swedishOrdinals[(n - 56) / 7]) + " söndagen efter trefaldighet";
    if (kind == 'P' && n >= 1 && n <= 6)
        return latinNames ? "Dominica " + std::to_string(n) + " post Epiphaniam"
                          : std::string(swedishOrdinals[n]) + " söndagen efter trettondedagen";
    if (kind == 'N') return latinNames ? "Dominica post Nativitatem" : "Söndagen efter jul";
    if (kind == 'C') return latinNames ? "Dominica post Circumcisionem" : "Söndagen efter nyår";
    if (kind == 'E' && n > 0 && n % 7 == 0 && n < 49)
        return latinNames ? "Dominica " + std::to_string(n / 7) + " post Pascha"
                          : std::string(swedishOrdinals[n / 7]) + " söndagen efter påsk";
    return "";
}

std::string nameOfKey(const std::string& key, int64_t day, const std::vector<RuleDay>& rules) {
    // The nation's own table for the names shown, on that very day.
    for (const auto& r : rules)
        if (r.second == latinNames && r.dayNumber == day)
            for (const auto& k : *r.keys)
                if (k == key) return r.name;
    for (const auto& f : feastTable())
        if (f.key == key) return latinNames ? f.latin : f.name;
    return generatedName(key);
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

// The view state a search borrows, given back however it ends.
struct BorrowedView {
    int16_t year = curYear, month = curMonth, offset = monthOffset;
    int32_t zero = yearDayZero, start = monthStartDay;
    ~BorrowedView() {
        curYear = year;
        curMonth = month;
        monthOffset = offset;
        yearDayZero = zero;
        monthStartDay = start;
        loadedYear = 0;
    }
};

}  // namespace

// ---------------------------------------------------------------------------
// Text matching, for the phrases that name no church day: a name day, a flag day.
// ---------------------------------------------------------------------------

namespace {

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
bool wordBegins(const std::string& text, const std::string& search) {
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

}  // namespace

bool textMatches(std::string_view text, std::string_view search) { return wordsBegin(textWords(text), textWords(search)); }

int16_t phraseYear(std::string_view phrase) {
    const auto year = yearWord(phrase);
    return year ? static_cast<int16_t>(std::stoi(*year)) : 0;
}

FindResult findDays(std::string_view phrase, int16_t from, int16_t to) {
    // A year in the phrase outside the years searched is a word of a name
    // ("Danmarks befrielse 1945", found in 2024).
    int16_t inPhrase = phraseYear(phrase);
    if (inPhrase < from || inPhrase > to) inPhrase = 0;
    const std::string words = inPhrase != 0 ? phraseWithoutYear(phrase) : bare(phrase);
    const std::vector<Token> tokens = tokensOf(words);
    const auto search = textWords(words);
    searchedWords = search;
    if (tokens.empty() && search.empty()) throw PhraseError("söktexten har inga ord");
    if (inPhrase != 0) from = to = inPhrase;
    const std::vector<Reading> readings = readPhrase(tokens, true);
    const bool churchDayWhole = std::any_of(readings.begin(), readings.end(), [](const Reading& r) { return !r.weak; });
    lacking.clear();

    FindResult result;
    BorrowedView borrowed;
    Database db = openReferenceDatabase();
    const std::map<std::string, double> lastYears = lastRuleYears(db);
    for (int y = from; y <= to; ++y) {
        curYear = static_cast<int16_t>(y);
        curMonth = 1;
        yearDayZero = to32(int64_t{dateToDayNumber(curYear, 1, 1, nation)} - 1);
        monthStartDay = to32(int64_t{yearDayZero} + 1);
        monthOffset = 1;
        loadedYear = curYear;
        loadYearData();
        const bool hasEaster = setYearWorkingValues();
        const std::vector<RuleDay> rules = ruleDaysOfYear(db, hasEaster);
        const int64_t first = yearDayZero + 1;
        const int64_t last = int64_t{dateToDayNumber(to16(int64_t{y} + 1), 1, 1, nation)} - 1;

        std::map<int64_t, std::string> found;  // day number -> text shown
        const auto dayText = [&](int64_t j) { return bare(dayTableAt(j - yearDayZero).dayText); };
        const auto shown = [&](const std::string& name, int64_t j) {
            const std::string own = dayText(j);
            if (name.empty()) return own;
            if (own.empty() || own.find(name) != std::string::npos) return own.empty() ? name : own;
            return name + " \u2013 " + own;
        };
        if (!readings.empty()) {
            const YearFacts here = factsOf(curYear, &rules);
            const YearFacts around[] = {factsOf(to16(y - 1), nullptr), here, factsOf(to16(int64_t{y} + 1), nullptr)};
            for (const auto& r : readings) {
                if (const auto it = lastYears.find(r.key); it != lastYears.end() && y > it->second) continue;
                for (const auto& f : around) {
                    if (f.year < firstCountedYear + 1) continue;
                    for (const int64_t j : applySteps(daysOfKey(r.key, f), r.steps)) {
                        if (j < first || j > last || found.count(j)) continue;
                        found[j] = shown(r.exact ? nameOfKey(r.key, j, rules) : words, j);
                    }
                }
            }
        }
        // The texts, where the phrase is no church day or names one only in part
        // ("Maria", "Pauli"): the day as shown, and every rule's name in both of
        // the nation's tables, so that a Latin name is found without the Latin
        // names switched on. A church day read whole is answered by the rules
        // alone: a rule's name on a day another rule has taken would be a wrong
        // answer ("Söndagen efter nyår" in a year whose 2 to 5 January hold no
        // Sunday).
        if (!search.empty() && !churchDayWhole) {
            for (int64_t j = first; j <= last; ++j)
                if (!found.count(j) && !dayText(j).empty() && wordsBegin(textWords(dayText(j)), search))
                    found[j] = dayText(j);
            for (const auto& r : rules)
                if (r.dayNumber >= first && r.dayNumber <= last && !found.count(r.dayNumber) &&
                    wordsBegin(textWords(r.name), search))
                    found[r.dayNumber] = shown(r.name, r.dayNumber);
        }
        for (const auto& [j, text] : found) {
            FoundDay d;
            d.dayNumber = to32(j);
            dayNumberToDate(d.dayNumber, nation);
            d.year = calYear;
            d.month = calMonth;
            d.day = calDay;
            dayNumberToDate(d.dayNumber, otherCalendar(d.year, d.month, d.day, nation));
            d.otherYear = calYear;
            d.otherMonth = calMonth;
            d.otherDay = calDay;
            d.weekday = bare(weekdayNames[static_cast<std::size_t>(j % 7)]);
            d.text = text;
            result.days.push_back(std::move(d));
        }
    }
    closeDatabase(db);
    if (result.days.empty()) {
        const std::string shownPhrase = shownValue(words);
        if (!lacking.empty() && from == to) result.message = "\"" + shownPhrase + "\" finns inte: " + lacking;
        else if (!readings.empty())
            result.message = "\"" + shownPhrase + "\" infaller inte något av åren " + std::to_string(from) + " till " +
                             std::to_string(to);
        else
            result.message = "ingen dag stämmer med \"" + shownPhrase +
                             "\" (en kyrkodag skrivs till exempel \"Dom. 3 p. Trin.\", \"3 sönd. e. Trettond.\", "
                             "\"Die Andreae\" eller \"Olofsmäss\")";
    }
    return result;
}

}  // namespace tovmir
