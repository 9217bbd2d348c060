#include <gtest/gtest.h>

#include "monthview/layout.h"
#include "monthview/listing.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata_fixture.h"
#include "calendar/numbers.h"

using namespace tovmir;

namespace {

// What a reader sees of a listed month, taken from the display list by column.
struct Listing {
    std::vector<std::string> labels;  // the two-digit day labels
    std::vector<int16_t> colors;      // the colour of each day line
    std::vector<std::string> weeks;   // week numbers, in print order
    std::vector<std::string> dates;   // the other calendar's dates
    std::vector<std::pair<int16_t, std::string>> calendars;  // y and text of the "Stilen" labels
};

class MonthView : public fixture::WorkingFolder {
protected:
    void SetUp() override {
        WorkingFolder::SetUp();
        // Code 9 too, Gregorian at every date.
        auto t = fixture::baseTables();
        for (const char* table : {"Titles", "Weekdays", "MonthNames", "DayNameFiles", "HolidayFiles"}) {
            std::string& rows = t[table];
            for (std::size_t at = rows.find("\n8\t"); at != std::string::npos; at = rows.find("\n8\t", at + 1))
                rows += "9" + rows.substr(at + 2, rows.find('\n', at + 1) - at - 1);
        }
        build(t);
    }
    Listing show(int16_t n, const std::string& field) {
        if (nation != n || loadedYear == 0) {
            nation = n;
            curYear = readInt16(field.substr(0, 4));
            loadNationSettings();
            loadedYear = 0;
        }
        curMonth = readInt16(field.substr(5));
        writeDateField(field);
        showCalendar();
        Listing l;
        for (const auto& op : displayList) {
            if (op.kind != SurfaceOp::print || op.y < layout::firstLineY) continue;
            if (op.x == layout::textX) l.labels.push_back(op.text.substr(0, 2)), l.colors.push_back(op.color);
            if (op.x == 0) l.weeks.push_back(op.text);
            if (op.x == layout::alternativeX) l.dates.push_back(op.text);
            if (op.x == layout::calendarLabelX) l.calendars.emplace_back(op.y, op.text);
        }
        return l;
    }
};

}  // namespace

// Which calendar the right-hand column gives, and from which line: the Julian
// ("Gamla Stilen") after the nation's reform and always for the Gregorian codes
// from 9, the Gregorian ("Nya Stilen") before it and in Sweden's special
// calendar; in a reform month both, the label on the first day of the other.
// The first date is the month's first day in that calendar.
TEST_F(MonthView, TheOtherCalendarsLabelAndFirstDate) {
    using Labels = std::vector<std::pair<int16_t, std::string>>;
    constexpr int16_t first = layout::firstLineY, step = layout::lineStep;
    struct Case { int16_t nation; const char* month; Labels labels; const char* firstDate; };
    const Case cases[] = {
        {0, "2024-05", {{first, "Gamla Stilen"}}, "18/ 4"},      {0, "1712-02", {{first, "    Nya Stilen"}}, "11/ 2"},
        {0, "1753-02", {{first, "    Nya Stilen"}}, "12/ 2"},    {0, "1753-03", {{first, "Gamla Stilen"}}, "18/ 2"},
        {4, "1700-11", {{first, "    Nya Stilen"}, {first + 16 * step, "Gamla Stilen"}}, "12/ 11"},  // Gregorian from the 28th
        {6, "1582-10", {{first, "Gamla Stilen"}, {1280, "    Nya Stilen"}}, "01/ 10"},  // Gregorian from the 15th
        {8, "1582-10", {{first, "Gamla Stilen"}, {1280, "    Nya Stilen"}}, "01/ 10"},
        {7, "1752-09", {{first, "    Nya Stilen"}, {first + 2 * step, "Gamla Stilen"}}, "12/ 9"},  // from the 14th
        {8, "1500-05", {{first, "Gamla Stilen"}}, "01/ 5"},       {9, "1600-05", {{first, "Gamla Stilen"}}, "21/ 4"},
        {9, "1500-05", {{first, "Gamla Stilen"}}, "21/ 4"},  // Gregorian 1 May 1500 was Julian 21 April
    };
    for (const auto& c : cases) {
        const Listing l = show(c.nation, c.month);
        EXPECT_EQ(std::pair(l.calendars, l.dates.front()), std::pair(c.labels, std::string(c.firstDate)))
            << c.nation << " " << c.month;
    }
    // 14 September 1752 was 3 September in the Julian calendar.
    EXPECT_EQ(show(7, "1752-09").dates[2], "03/ 9");
    // 1712 had a 30 February, so February's first day is day 32 of the year. The header
    // exactly as printed (the first day line: cli_test).
    show(0, "1712-02");
    EXPECT_EQ(std::tuple(monthStartDay, monthOffset), std::tuple(2346396, 32));
    EXPECT_EQ(displayList[0].text, "V    Dag           Namn                                   Alternativa kalenderns datum");
    EXPECT_EQ(displayList[0].color, 9);
}

// Sweden's May 2024 has weeks 18 to 22 and red Sundays. Nation 1 in the test data counts
// Monday weeks from 1754, and its week numbers stand on the same Mondays as its rules:
// January 1900 begins on a Monday, whose number the first line prints twice in the same
// place. Codes from 5 on: neither week numbers nor red Sundays.
TEST_F(MonthView, WeekNumbersAndRedSundaysFollowTheNation) {
    const Listing l = show(0, "2024-05");
    EXPECT_EQ(l.weeks, (std::vector<std::string>{"18", "19", "20", "21", "22"}));
    for (int sunday : {5, 12, 19, 26}) EXPECT_EQ(l.colors[sunday - 1], 12) << sunday;
    EXPECT_EQ(l.colors[0], 0);
    EXPECT_EQ(show(1, "1900-01").weeks, (std::vector<std::string>{"01", "01", "02", "03", "04", "05"}));
    for (const auto& [n, month] : {std::pair<int16_t, const char*>{5, "2024-05"}, {7, "1752-09"}}) {
        const Listing l = show(n, month);
        EXPECT_TRUE(l.weeks.empty()) << n;
        EXPECT_EQ(std::count(l.colors.begin(), l.colors.end(), 12), 0) << n;
    }
}

// A week rule stands just above the line of each day that begins a week (a
// Sunday while the nation counts weeks from Sunday, a Monday after), and nowhere
// else: none under the last day of a short month or at the foot of a month of
// fewer weeks.
TEST_F(MonthView, WeekRulesStandOnlyAboveTheDaysThatBeginAWeek) {
    struct Case { int16_t nation; const char* month; std::size_t rules; };
    const Case cases[] = {
        {0, "1972-01", 5}, {0, "1973-01", 5},  // 1 January a Saturday, Sunday weeks to 1972; a Monday, Monday weeks
        {0, "1753-02", 2},  // 17 days from Monday 1 February: Sundays the 7th and 14th
        {4, "1700-11", 3},  // 19 days from Friday 1 November, 28 November after the 16th
        {0, "2025-03", 5}, {0, "2024-05", 4},  // Saturday 1 March, 31 days: six weeks; Mondays 6 to 27 May
        {0, "2021-02", 4},  // Monday 1 February, 28 days: the first rule on Line11
        {0, "1700-02", 4}, {2, "1700-02", 3},  // 28 and 18 days from Sunday 1 February (Julian)
        {6, "1582-10", 3},  // 21 lines from Monday 1 October
    };
    for (const auto& c : cases) {
        show(c.nation, c.month);
        const int16_t firstWeekday = curYear <= weekNoChg ? 6 : 0;
        std::vector<int> dayLines;  // print y of each day's line
        for (const auto& op : displayList)
            if (op.kind == SurfaceOp::print && op.x == layout::textX && op.y >= layout::firstLineY) dayLines.push_back(op.y);
        std::vector<int> expected;
        for (std::size_t k = 0; k < dayLines.size(); ++k)
            if ((monthStartDay + int32_t(k)) % 7 == firstWeekday) expected.push_back(dayLines[k] + layout::topRuleY - layout::firstLineY);
        std::vector<int> rules;
        for (const char* name : {"Line2", "Line3", "Line4", "Line5", "Line6"})
            if (lineY.count(name)) rules.push_back(lineY[name]);
        EXPECT_EQ(rules, expected) << c.nation << " " << c.month;
        EXPECT_EQ(rules.size(), c.rules) << c.nation << " " << c.month;
        for (int y : rules) EXPECT_GE(y, lineY["Line11"]) << c.month;
    }
}

// The year's data is read once per year, from the field's first four characters; bad
// colours and indexes stop the listing.
TEST_F(MonthView, TheYearDataIsLoadedOncePerYearAndBadValuesStopTheListing) {
    show(0, "2024-05");
    dayTable[monthOffset + 1].color = 16;
    EXPECT_THROW(listMonth(), std::invalid_argument);
    dayTable[monthOffset + 1].color = 0;
    dayTable[153].dayText = "marker";
    show(0, "2024-06");
    EXPECT_EQ(dayTable[153].dayText, "marker");
    loadedYear = 0;
    show(0, "2024-06");
    EXPECT_NE(dayTable[153].dayText, "marker");
    EXPECT_EQ(loadedYear, 2024);
    monthOffset = 360;
    EXPECT_THROW(listMonth(), std::out_of_range);
    nation = 5;
    const auto enter = [](const char* field) { writeDateField(field), showCalendar(); };
    enter("17");
    EXPECT_EQ(curYear, 17);
    enter("");
    EXPECT_EQ(labelCaptions["lblYear"], " 0");
    EXPECT_THROW(enter("9e99-01"), ArithmeticOverflow);
}
