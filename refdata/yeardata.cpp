#include "yeardata.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "calendar/daynumber.h"
#include "calendar/feasts.h"
#include "calendar/nations.h"
#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/state.h"
#include "nationsettings.h"

namespace tovmir {

int16_t easterDay = 0;
int16_t march1Day = 0;
int16_t leapShift = 0;

namespace {

// The years whose almanacs carry the prayer days: from 1601, when BONDAG begins,
// to the nation's last prayer-day year (Sweden 1983, Finland 1808, its last year
// in the Swedish realm).
constexpr int16_t firstPrayerYear = 1601;
bool readsPrayerDays() {
    const int16_t last = nationCalendar(nation).lastPrayerYear;
    return last != 0 && curYear >= firstPrayerYear && curYear <= last;
}

// The widest joined day text: 44 characters with the leading blank. The window
// prints the text from x 300 and a reform label from x 3800, some 230 pixels of
// 8-point text, and the longest single names the rule tables carry ("Valborgs-
// mässoafton, Konungens födelsedag") take 41. An adding row whose join would pass
// it leaves the day to the higher rank instead.
constexpr std::size_t joinedTextWidth = 44;

// A red day: a holiday or a named Sunday. No adding row takes its colour.
constexpr int16_t redDay = 12;

int16_t paletteIndex(const Recordset& rs, const char* column) {
    const int16_t c = readInt16Field(rs, column);
    if (c < 0 || c >= paletteSize)
        throw DataError("färgen " + std::to_string(c) + " i tabellen " + rs.table + ", rad " +
                        std::to_string(rs.current + 1) + ", ligger utanför paletten (0 till 15)");
    return c;
}

// A day of the common-year numbering moved to the same date of curYear: the days
// from 1 March on shift with the year's leap day, its 30 February or its reform.
int16_t leapCorrected(int16_t ruleDay) { return ruleDay > 59 ? to16(int64_t{ruleDay} + leapShift) : ruleDay; }

// The target of "wkd" and "fly": param modulo 7 (truncating, so with param's
// sign) is the weekday, param / 7 rounded (not truncated) the count.
int16_t weekdayRule(int16_t ruleDay, double param) {
    const int16_t w = to16(roundTo16(param) % 7);
    const int16_t n = roundTo16(param / 7.0);
    return nthWeekdayAfter(ruleDay, w, n);
}

// Jungfru Marie bebådelsedag as a Sunday: the Sunday from 22 to 28 March, moved to
// two weeks before Easter when it is Palm Sunday or Easter Day.
int16_t annunciationSunday() {
    const int64_t w25 = (int64_t{yearDayZero} + march1Day + 24) % 7;  // weekday of 25 March
    int64_t s = march1Day + 30 - w25;
    if (6 - w25 >= 4) s -= 7;
    return to16(easterDay - s < 14 ? easterDay - 14 : s);
}

// An adding row (a rule code with "+" after it) on its day. It never lowers a red
// day, and it keeps what the day already shows, the names of the name-day list
// above all: the row's name follows the day's text after a dash. Where the two do
// not fit the line, a red day stays as it is and any other day shows the row's
// name alone, as a replacing row would.
void addToDay(DayRecord& r, const std::string& name, int16_t color) {
    if (r.dayText.empty()) {
        r.dayText = name;
        r.color = color;
        return;
    }
    // A feast that the name list itself carries (Kyndelmisse in the Danish row)
    // is not written twice; the day only takes the row's rank.
    // Every item of the day's text, the first one too, stands between commas once
    // the text is framed by them: ", Kyndelmisse, Maria," holds ", Maria,".
    if (("," + r.dayText + ",").find("," + name + ",") != std::string::npos) {
        if (r.color != redDay) r.color = color;
        return;
    }
    std::string joined = r.dayText + " \u2013" + name;
    const bool fits = textLength(joined) <= joinedTextWidth;
    if (r.color == redDay && color != redDay) {
        if (fits) r.dayText = std::move(joined);
        return;
    }
    r.dayText = fits ? std::move(joined) : name;
    r.color = color;
}

// The name lists are stored for a common year. In a leap year the names move one
// day on from the almanac's leap day: from 25 February (day 55) in the years
// before the nation's lpDChg, whose almanacs put the leap day on 24 February, and
// from 29 February (day 60) after. The same year places the leap-day label, so
// the label always lands on the day the names leave empty. (Denmark keeps the
// leap day on 24 February to this day; its lpDChg lies past every year shown.)
void placeNameDays(Database& db) {
    Recordset files = openRecordset(db, "DayNameFiles");
    findNationRow(files);
    if (noMatch(files)) throw DataError("tabellen DayNameFiles har ingen rad för nation " + std::to_string(nation));
    // The walk does not stop at the nation's last row: the data must end each
    // nation with a MaxYear above every year shown, or reading MaxYear past the
    // table's end fails.
    while (curYear >= readNumberField(files, "MaxYear")) moveNext(files);
    const std::string listName = readTextField(files, "DaynameFile");
    closeRecordset(files);

    Recordset names = openRecordset(db, listName);
    int64_t k = 1;
    for (; !eof(names); moveNext(names), ++k) {
        int64_t day = k;
        if (leapShift >= 1 && k > (curYear < lpDChg ? 54 : 59)) day = k + 1;
        // Sweden's 1712 has a 30 February besides its leap day: from 1 March the
        // names stand two days on, as the holidays do.
        if (leapShift == 2 && k > 59) day = k + 2;
        dayTableAt(day).dayText = readTextField(names, "dayname");
    }
    closeRecordset(names);
}

void placePrayerDays(Database& db) {
    Recordset prayer = openRecordset(db, "BONDAG");
    findFirst(prayer, "bonyr = " + signPlace(curYear));
    if (!noMatch(prayer)) {
        static constexpr const char* columns[] = {"bon1", "bon2", "bon3", "bon4"};
        static constexpr const char* labels[] = {"   1. Böndagen", "   2. Böndagen", "   3. Böndagen", "   4. Böndagen"};
        for (int i = 0; i < 4; ++i) {
            const double v = std::nearbyint(readNumberField(prayer, columns[i]));
            if (v > 0) {
                DayRecord& r = dayTableAt(v > max32 ? max32 : static_cast<int64_t>(v));
                r.color = 12;
                r.dayText += labels[i];
            }
        }
    }
    closeRecordset(prayer);
}

}  // namespace

int64_t ruleTarget(const Recordset& rules, const std::string& rule, bool hasEaster) {
    int16_t ruleDay = readInt16Field(rules, "dayNo");
    const bool needsEaster = rule == "est" || rule == "fly" || rule == "kyn" || rule == "MB1" || rule == "MB2";
    if (needsEaster && !hasEaster) return noRuleDay;
    if (rule == "fix") return roundTo16(leapCorrected(ruleDay) + readNumberField(rules, "param"));
    if (rule == "est") return roundTo16(easterDay + readNumberField(rules, "param"));
    if (rule == "sun") return sundayAfter(leapCorrected(ruleDay), roundTo16(readNumberField(rules, "param")));
    if (rule == "wkd") return weekdayRule(leapCorrected(ruleDay), readNumberField(rules, "param"));
    if (rule == "fly") {
        // Never on Easter or in the days right after it: at the earliest the
        // Thursday after Easter.
        const int64_t target = weekdayRule(leapCorrected(ruleDay), readNumberField(rules, "param"));
        return target < easterDay + 4 ? easterDay + 4 : target;
    }
    if (rule == "kyn") {
        // Kept off Fastlagssöndagen, seven weeks before Easter.
        const int64_t target = sundayAfter(ruleDay, roundTo16(readNumberField(rules, "param")));
        return target == easterDay - 49 ? target - 7 : target;
    }
    if (rule == "MB1") {
        // Moved out of Easter week to Easter Tuesday, out of Holy Week to the
        // Saturday before Palm Sunday.
        ruleDay = leapCorrected(ruleDay);
        const int64_t delta = int64_t{easterDay} - ruleDay;
        return delta >= -3 && delta <= 0 ? easterDay + 2 : delta >= 1 && delta <= 7 ? easterDay - 8 : ruleDay;
    }
    if (rule == "MB2") return annunciationSunday();
    return noRuleDay;  // not a day code (codes are matched with their capitals)
}

namespace {

// The holiday rules of the nation's rule table (the second one while latinNames
// is on), applied over the name days. A nation without an Easter rule
// (hasEaster false) gets every rule that does not need Easter instead of failing
// the year.
void applyHolidayRules(Database& db, bool hasEaster) {
    Recordset rules = openRecordset(db, holidayTableName(db, latinNames));
    for (; !eof(rules); moveNext(rules)) {
        if (curYear < readNumberField(rules, "begYr") || curYear > readNumberField(rules, "endYr")) continue;
        bool adding = false;
        const std::string rule = ruleCode(rules, &adding);
        if (rule == "age") {
            // A person's birthday: name, age in the loaded year, the person's colour.
            DayRecord& r = dayTableAt(leapCorrected(readInt16Field(rules, "dayNo")));
            const int16_t born = roundTo16(readNumberField(rules, "param"));
            r.dayText.append("   ").append(fixedText(readTextField(rules, "dagNamn"), 22));
            r.dayText.append(format0x(int64_t{curYear} - born)).append(" år");
            r.color = paletteIndex(rules, "color");
            continue;
        }
        if (rule == "ded") {
            DayRecord& r = dayTableAt(leapCorrected(readInt16Field(rules, "dayNo")));
            r.dayText.append(" ").append(fixedText(readTextField(rules, "dagNamn"), 22)).append("död");
            continue;
        }
        const int64_t target = ruleTarget(rules, rule, hasEaster);
        if (target == noRuleDay) continue;
        DayRecord& r = dayTableAt(target);
        if (adding) {
            addToDay(r, readTextField(rules, "dagNamn"), paletteIndex(rules, "color"));
            continue;
        }
        r.color = paletteIndex(rules, "color");
        r.dayText = readTextField(rules, "dagNamn");
    }
    closeRecordset(rules);
}

}  // namespace

namespace {

// A rule field read as its code and whether it adds: "fix+", "sun+", ...: the
// day of the code before the "+", added to instead of replaced. The birthday
// codes add already and take no "+": "age+" stays whole, and is no code.
std::string_view splitRuleField(std::string_view field, bool& adding) {
    adding = field.size() > 1 && field.back() == '+' && field != "age+" && field != "ded+";
    if (adding) field.remove_suffix(1);
    return field;
}

}  // namespace

std::string ruleCode(const Recordset& rules, bool* adding) {
    return std::string(splitRuleField(readTextField(rules, "rule"), *adding));
}

bool knownRuleCode(std::string_view field) {
    static constexpr std::string_view dayCodes[] = {"fix", "est", "sun", "wkd", "fly", "kyn", "MB1", "MB2"};
    bool adding = false;
    const std::string_view code = splitRuleField(field, adding);
    if (!adding && (code == "age" || code == "ded")) return true;
    return std::find(std::begin(dayCodes), std::end(dayCodes), code) != std::end(dayCodes);
}

int64_t loadWholeYear(int16_t year) {
    curYear = year;
    curMonth = 1;
    yearDayZero = to32(int64_t{dateToDayNumber(curYear, 1, 1, nation)} - 1);
    monthStartDay = to32(int64_t{yearDayZero} + 1);
    monthOffset = 1;
    loadedYear = curYear;
    loadYearData();
    return int64_t{dateToDayNumber(to16(int64_t{year} + 1), 1, 1, nation)} - 1 - yearDayZero;
}

namespace {

// Sets easterDay, march1Day and leapShift for curYear and the nation (yearDayZero
// already describing curYear); false for a nation without an Easter rule.
bool setYearWorkingValues() {
    const int32_t easter = easterDayNumber(curYear, nation);
    easterDay = easter != 0 ? to16(int64_t{easter} - yearDayZero) : 0;
    march1Day = to16(int64_t{dateToDayNumber(curYear, 3, 1, nation)} - yearDayZero);
    leapShift = to16(int64_t{march1Day} - 60);
    return easter != 0;
}

}  // namespace

std::string holidayTableName(Database& db, bool second) {
    Recordset files = openRecordset(db, "HolidayFiles");
    findNationRow(files);
    if (noMatch(files)) throw DataError("tabellen HolidayFiles har ingen rad för nation " + std::to_string(nation));
    if (second) moveNext(files);
    std::string name = readTextField(files, "HolidayFile");
    closeRecordset(files);
    return name;
}

void loadYearData() {
    try {
        const bool hasEaster = setYearWorkingValues();

        for (int i = 1; i < dayTableSize; ++i) dayTable[i] = DayRecord{};

        Database db = openReferenceDatabase();
        placeNameDays(db);
        applyHolidayRules(db, hasEaster);
        if (readsPrayerDays()) placePrayerDays(db);
        if (leapShift >= 1) {
            DayRecord& r = dayTableAt(curYear < lpDChg ? 55 : 60);
            r.color = 9;
            r.dayText = leapDayName;
        }
        closeDatabase(db);
    } catch (...) {
        loadedYear = 0;
        throw;
    }
}

}  // namespace tovmir
