#include "churchdates.h"

#include <algorithm>
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
#include "churchwords.h"
#include "nationsettings.h"
#include "yeardata.h"

namespace tovmir {

namespace {

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
        for (const auto& r : readChurchPhrase(part, false))
            if (r.exact) keys.push_back(r.key);
            else if (r.steps.size() == 1 && r.steps[0].type == Step::plusDays && countsSundays(r.key))
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
            bool adding = false;
            const int64_t target = ruleTarget(rules, ruleCode(rules, &adding), hasEaster);
            if (target == noRuleDay) continue;
            const std::string name = bare(readTextField(rules, "dagNamn"));
            const auto& keys = keysOfName(name);
            out.push_back({yearDayZero + target, name, readInt16Field(rules, "color"), second, &keys});
        }
        closeRecordset(rules);
    }
    return out;
}

// The last year in which the nation's rules keep each weekday feast between Easter
// and Whitsun (Store bededag to 2023 in Denmark): after it the feast is no day of
// the nation's calendar. The Sundays are left out, and so is any feast the rules
// never name: those days are the church year's own.
std::map<std::string, double> lastRuleYears(Database& db) {
    std::map<std::string, double> last;
    for (const bool second : {false, true}) {
        Recordset rules = openRecordset(db, holidayTableName(db, second));
        for (; !eof(rules); moveNext(rules)) {
            std::string name = readTextField(rules, "dagNamn");
            for (const auto& k : keysOfName(bare(name))) {
                // Only the weekdays between Easter and Whitsun: Store bededag, the
                // gångdagar. Holy Week and Lent stay church days when no longer
                // holidays (Skärtorsdagen in Finland after 1772).
                if (k[0] != 'E') continue;
                const int n = std::stoi(k.substr(2));
                if (n <= 0 || n >= 49 || n % 7 == 0) continue;
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



// "1 söndag", "24 söndagar".
std::string sundays(int64_t n) { return std::to_string(n) + (n == 1 ? " söndag" : " söndagar"); }

// Why a Sunday counted in a season lies outside it, empty where it lies inside:
// the Sundays after Trinity end where Advent begins, those after Epiphany where
// Septuagesima does, the Sunday after New Year before Epiphany.
std::string outsideSeason(const std::string& key, int64_t d, const YearFacts& f) {
    if (key[0] == 'E') {
        if (std::stoi(key.substr(2)) <= 56 || f.advent1 == 0 || d < f.advent1) return "";
        return "har bara " + sundays((f.advent1 - f.easter - 56) / 7 - 1) + " efter trefaldighet";
    }
    if (key[0] == 'P') {
        if (f.easter == 0 || d < f.easter - 63) return "";
        const int64_t first = d - 7 * (std::stoi(key.substr(2)) - 1);
        return "har bara " + sundays(f.easter - 63 > first ? (f.easter - 63 - first) / 7 : 0) + " efter trettondedagen";
    }
    if (key[0] == 'C') {
        const auto jan6 = dateOf(f.year, 1, 6);
        if (!jan6 || d < *jan6) return "";
        return "har ingen söndag mellan nyårsdagen och trettondedagen";
    }
    return "";
}

bool withinSeason(const std::string& key, int64_t d, const YearFacts& f) { return outsideSeason(key, d, f).empty(); }

// The day a key names by the church year's own count, where the nation's rules
// name no day for it. A Sunday outside its season is none, and for the year
// searched the reason goes into lacking.
std::vector<int64_t> countedDays(const std::string& key, const YearFacts& f) {
    std::optional<int64_t> day;
    const char kind = key[0];
    if (kind == 'E') {
        if (f.easter != 0) day = f.easter + std::stoi(key.substr(2));
    } else if (kind == 'A') {
        if (f.advent1 != 0) day = f.advent1 + 7 * (std::stoi(key.substr(2)) - 1);
    } else if (kind == 'P') {
        if (const auto jan6 = dateOf(f.year, 1, 6)) day = firstSundayAfter(*jan6) + 7 * (std::stoi(key.substr(2)) - 1);
    } else if (kind == 'N') {
        if (const auto dec25 = dateOf(f.year, 12, 25)) day = firstSundayAfter(*dec25);
    } else if (kind == 'C') {
        if (const auto jan1 = dateOf(f.year, 1, 1)) day = firstSundayAfter(*jan1);
    } else if (kind == 'F') {
        const int plus = key.size() > 7 ? std::stoi(key.substr(8)) : 0;
        const int m = std::stoi(key.substr(2, 2)), d = std::stoi(key.substr(5, 2));
        day = dateOf(f.year, m, d);
        // Mattias: 25 February in a leap year whose almanac keeps the leap day on
        // 24 February.
        if (m == 2 && d == 24 && f.year < lpDChg && isValidDate(f.year, 2, 29, nation)) day = dateOf(f.year, 2, 25);
        if (day) *day += plus;
    }
    if (!day) return {};
    if (const std::string why = outsideSeason(key, *day, f); !why.empty()) {
        if (f.rules) lacking = std::to_string(f.year) + " " + why;
        return {};
    }
    return {*day};
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
    // The table of church days has Swedish and Latin names: the Swedish ones
    // where the almanac is Sweden's (Sweden, Finland), the Latin elsewhere.
    const bool swedish = !latinNames && nationCalendar(nation).swedish;
    for (const auto& f : feastTable())
        if (f.key == key) return swedish ? f.name : f.latin;
    return generatedName(key);
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
    const auto search = textWords(words);
    searchedWords = search;
    if (search.empty()) throw PhraseError("söktexten har inga ord");
    if (inPhrase != 0) from = to = inPhrase;
    const std::vector<Reading> readings = readChurchPhrase(words, true);
    const bool churchDayWhole = std::any_of(readings.begin(), readings.end(), [](const Reading& r) { return !r.weak; });
    lacking.clear();

    FindResult result;
    BorrowedView borrowed;
    Database db = openReferenceDatabase();
    const std::map<std::string, double> lastYears = lastRuleYears(db);
    for (int y = from; y <= to; ++y) {
        const int64_t days = loadWholeYear(static_cast<int16_t>(y));
        // The load left the year's working values: easterDay is 0 only for a
        // nation without an Easter rule.
        const std::vector<RuleDay> rules = ruleDaysOfYear(db, easterDay != 0);
        const int64_t first = yearDayZero + 1;
        const int64_t last = yearDayZero + days;

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
                        // A day reached by steps ("Fer. 2 Pasch.", "Juleaften") is named
                        // by the day itself where it is a named day, by the phrase
                        // before the day's names where it is not.
                        const bool namedDay = dayTableAt(j - yearDayZero).color != 0 && !dayText(j).empty();
                        found[j] = r.exact ? shown(nameOfKey(r.key, j, rules), j) : namedDay ? dayText(j) : shown(words, j);
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

