// The date calculator against dates whose answers are known from the calendars
// themselves: ordinary months, the month-end carry, and the reform months of
// 1582, 1700, 1712, 1752 and 1753, where a span must count only the days that
// existed. The press is driven as the window drives it, through its fields.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "calculator/calcwindow.h"
#include "calculator/spans.h"
#include "calendar/daynumber.h"
#include "calendar/state.h"
#include "calendar/weeks.h"
#include "monthview/surface.h"
#include "refdata_fixture.h"

using namespace tovmir;

namespace {

// Fills the fields as a user would (empty strings stay empty) and presses
// "Beräkna" without the main window; returns the computed group's three fields,
// or "fel: <message>", or "" when nothing was computed.
std::string press(int16_t forNation, std::vector<std::string> texts) {
    nation = forNation;
    installCalcWindowOps({});
    calcFields.clear();
    calcMessages.clear();
    for (int i = 0; i < 9; ++i) calcFields[calcFieldNames[i]] = texts[static_cast<std::size_t>(i)];
    const int group = calcPress();
    if (!calcMessages.empty()) return std::string("fel: ").append(calcMessages.back());
    if (group <= 0) return "";
    const int first = group == 1 ? 0 : group == 2 ? 3 : 6;
    return calcFields[calcFieldNames[first]] + calcFields[calcFieldNames[first + 1]] + calcFields[calcFieldNames[first + 2]];
}

std::string add(int16_t n, std::string y, std::string m, std::string d, std::string ay, std::string am, std::string ad) {
    return press(n, {y, m, d, ay, am, ad, "", "", ""});
}
std::string sub(int16_t n, std::string y, std::string m, std::string d, std::string ay, std::string am, std::string ad) {
    return press(n, {"", "", "", ay, am, ad, y, m, d});
}
std::string span(int16_t n, std::string y1, std::string m1, std::string d1, std::string y2, std::string m2, std::string d2) {
    return press(n, {y1, m1, d1, "", "", "", y2, m2, d2});
}

}  // namespace

TEST(Calculator, OrdinaryMonthsAndTheMonthEndCarry) {
    EXPECT_EQ(add(0, "2001", "6", "15", "0", "10", "0"), " 2002 4 15");
    EXPECT_EQ(sub(0, "2002", "1", "15", "0", "11", "0"), " 2001 2 15");
    EXPECT_EQ(add(0, "2000", "1", "31", "0", "1", "0"), " 2000 3 2");  // not clamped to 29 February
    EXPECT_EQ(span(0, "2000", "1", "31", "2000", "3", "1"), " 0 0 30");  // 31 "February" would be 2 March
    EXPECT_EQ(span(0, "2024", "3", "31", "2024", "5", "1"), " 0 1 0");
    EXPECT_EQ(span(0, "2024", "5", "1", "2024", "5", "1"), " 0 0 0");
    EXPECT_EQ(span(0, "2000", "12", "10", "2001", "1", "5"), " 0 0 26");
    // The fields are read by the numeric reading rule, and months carry into years.
    EXPECT_EQ(add(0, "2001abc", " 6", "15", " 0", "14", ""), " 2002 8 15");
    EXPECT_EQ(add(0, "2000", "2.5", "3.5", "0", "0", "1"), " 2000 2 5");
}

TEST(Calculator, ReformMonthsCountOnlyTheDaysThatExisted) {
    // Sweden: 17 February 1753 was followed by 1 March; 1712 had a 30 February;
    // 1700 had no 29 February.
    EXPECT_EQ(add(0, "1753", "2", "10", "0", "0", "10"), " 1753 3 3");
    EXPECT_EQ(span(0, "1753", "2", "10", "1753", "3", "5"), " 0 0 12");
    EXPECT_EQ(sub(0, "1753", "3", "20", "0", "1", "0"), " 1753 3 3");
    EXPECT_EQ(add(0, "1712", "2", "29", "0", "0", "1"), " 1712 2 30");
    EXPECT_EQ(add(0, "1712", "2", "29", "0", "0", "2"), " 1712 3 1");
    EXPECT_EQ(add(0, "1711", "3", "1", "0", "11", "30"), " 1712 3 1");
    EXPECT_EQ(span(0, "1712", "2", "20", "1712", "3", "5"), " 0 0 15");
    EXPECT_EQ(sub(0, "1712", "3", "5", "0", "0", "10"), " 1712 2 25");
    EXPECT_EQ(add(0, "1700", "2", "28", "0", "0", "1"), " 1700 3 1");
    EXPECT_EQ(add(0, "1700", "1", "1", "0", "0", "59"), " 1700 3 1");
    EXPECT_EQ(sub(1, "1754", "5", "13", "1", "2", "111"), " 1752 11 11");
    // October 1582: the 4th was followed by the 15th.
    for (int16_t n : {6, 8}) {
        EXPECT_EQ(add(n, "1582", "10", "1", "0", "0", "10"), " 1582 10 21");
        EXPECT_EQ(span(n, "1582", "10", "1", "1582", "10", "20"), " 0 0 9");
    }
    EXPECT_EQ(add(6, "1582", "10", "15", "0", "0", "1"), " 1582 10 16");
    EXPECT_EQ(add(6, "1582", "9", "20", "0", "1", "0"), " 1582 10 20");
    EXPECT_EQ(span(6, "1582", "10", "15", "1582", "10", "20"), " 0 0 5");
    EXPECT_EQ(span(6, "1582", "10", "1", "1582", "11", "5"), " 0 1 4");
    EXPECT_EQ(span(6, "1582", "9", "20", "1582", "10", "16"), " 0 0 16");
    // November 1700 (16th, then 28th) and September 1752 (2nd, then 14th).
    EXPECT_EQ(span(4, "1700", "11", "10", "1700", "11", "30"), " 0 0 9");
    EXPECT_EQ(add(7, "1752", "9", "1", "0", "0", "5"), " 1752 9 17");
    EXPECT_EQ(add(7, "1752", "2", "20", "0", "0", "1244"), " 1755 7 29");
}

TEST(Calculator, RefusalsChoiceAndLimits) {
    EXPECT_EQ(add(0, "2097", "12", "31", "1", "0", "1"), " 2099 1 1");  // the limit sees 2098
    EXPECT_EQ(add(0, "2098", "1", "1", "1", "0", "0"), "fel: Väl långt fram i tiden");
    EXPECT_EQ(sub(0, "1", "1", "1", "0", "0", "1"), "fel: Datum f Kr beräknas ej");
    EXPECT_EQ(sub(0, "2000", "1", "1", "0", "0", "368"), "fel: Ogiltigt antal dagar, försök igen");
    EXPECT_EQ(sub(0, "2000", "1", "1", "0", "0", "367"), " 1998 12 30");
    EXPECT_EQ(sub(0, "2023", "2", "29", "0", "0", "1"), "fel: Ogiltigt datum 2, försök igen!");
    EXPECT_EQ(add(0, "2023", "2", "29", "0", "0", "1"), "fel: Ogiltigt datum1, försök igen");
    EXPECT_EQ(span(0, "2101", "1", "1", "2101", "1", "2"), "fel: Ogiltigt Datum 1");
    EXPECT_EQ(span(0, "2000", "1", "1", "2023", "2", "29"), "fel: Ogiltigt Datum2");
    EXPECT_EQ(calYear, 2023);  // the validity test's date: 1 March 2023
    EXPECT_EQ(calMonth, 3);
    EXPECT_EQ(span(0, "2000", "1", "2", "2000", "1", "1"), "fel: Datum2 lägre än Datum1, byt om");
    EXPECT_EQ(add(0, "2000", "1", "1", "0", "-1", "0"),
              "fel: Inga negativa tal i åldersuppgift!\nskriv i rätt datumfält i stället");
    for (const char* f : calcFieldNames) EXPECT_EQ(calcFields[f], "") << f;  // cleared
    // Values beyond 16 bits are refused, not wrapped.
    EXPECT_EQ(add(0, "2000", "1", "1", "0", "40000", "0"), "fel: Talen är för stora för en datumberäkning, försök igen");
    EXPECT_EQ(add(0, "2000", "1", "1", "32767", "12", "0"), "fel: Talen är för stora för en datumberäkning, försök igen");
    // Nothing to compute: both dates and a span year; an empty window; year -5 with both others.
    EXPECT_EQ(press(0, {"2000", "1", "1", "", "12", "", "2001", "1", "1"}), "");
    EXPECT_EQ(press(0, {"", "", "", "", "", "", "", "", ""}), "");
    EXPECT_EQ(press(0, {"-5", "1", "1", "1", "", "", "2001", "1", "1"}), "");
}

namespace {

// The age from date 1 to date 2 (calcAge), then date 1 plus that age (calcDate2),
// on the working values as a press fills them. "" when no part of the age is
// negative, its months are 0 to 11 and the addition lands on date 2; otherwise
// what went wrong, with the pair.
std::string ageFault(int16_t n, int16_t y1, int16_t m1, int16_t d1, int16_t y2, int16_t m2, int16_t d2) {
    nation = n;
    yr1 = y1, mo1 = m1, da1 = d1, yr2 = y2, mo2 = m2, da2 = d2;
    const std::string pair = "nation " + std::to_string(n) + ": " + std::to_string(y1) + "-" + std::to_string(m1) +
                             "-" + std::to_string(d1) + " to " + std::to_string(y2) + "-" + std::to_string(m2) + "-" +
                             std::to_string(d2);
    const SpanOutcome age = calcAge();
    if (age.group != 2) return pair + ": refused, " + age.refusal;
    const std::string ageText = std::to_string(age.values[0]) + " " + std::to_string(age.values[1]) + " " +
                                std::to_string(age.values[2]);
    if (age.values[0] < 0 || age.values[1] < 0 || age.values[1] > 11 || age.values[2] < 0)
        return pair + ": age " + ageText;
    yr1 = y1, mo1 = m1, da1 = d1;
    ageYr = age.values[0], ageMo = age.values[1], ageDa = age.values[2];
    const SpanOutcome back = calcDate2();
    if (back.group != 3 || back.values[0] != y2 || back.values[1] != m2 || back.values[2] != d2)
        return pair + ": age " + ageText + " added gives " + std::to_string(back.values[0]) + "-" +
               std::to_string(back.values[1]) + "-" + std::to_string(back.values[2]) + back.refusal;
    return "";
}

}  // namespace

TEST(Ages, KnownAgesHaveNoNegativePart) {
    // Each worked out by counting days on a calendar: date 1 moved on by the
    // years and months, then the days to date 2.
    struct Case { int16_t nation; const char* from; const char* to; const char* age; };
    const Case cases[] = {
        {0, "2023 1 31", "2023 3 1", " 0 0 29"},    // 31 "February" would be 3 March
        {0, "2023 1 30", "2023 3 1", " 0 0 30"},
        {0, "2023 1 29", "2023 3 1", " 0 1 0"},     // 29 "February" is 1 March: kept
        {0, "2022 12 31", "2023 3 1", " 0 1 29"},   // to 31 January, then 29 days
        {0, "2024 1 31", "2024 3 1", " 0 0 30"},    // a leap year: 31 "February" is 2 March
        {0, "2023 3 31", "2023 5 1", " 0 1 0"},
        {0, "1745 6 23", "1753 3 5", " 7 7 30"},    // 23 January 1753, then 8 + 17 + 5 days
        {1, "1745 6 23", "1753 3 5", " 7 7 30"},
        {0, "1753 1 20", "1753 3 5", " 0 1 2"},     // 20 "February" 1753 is 3 March: kept
        {0, "1711 12 31", "1712 2 30", " 0 1 30"},  // Sweden's 30 February
        {0, "1712 1 31", "1712 3 1", " 0 1 0"},
        {2, "1700 1 28", "1700 3 5", " 0 0 26"},    // Denmark: 18 February, then 1 March
        {3, "1700 1 28", "1700 3 5", " 0 0 26"},
        {2, "1700 1 20", "1700 3 5", " 0 1 3"},
        {4, "1700 10 25", "1700 12 1", " 0 0 26"},  // 16 November, then 28
        {4, "1700 10 20", "1700 12 1", " 0 1 0"},
        {6, "1582 9 10", "1582 10 15", " 0 0 25"},  // 4 October, then 15
        {8, "1582 9 10", "1582 10 15", " 0 0 25"},
        {7, "1752 8 20", "1752 9 14", " 0 0 14"},   // 2 September, then 14
        {9, "2023 1 31", "2023 3 1", " 0 0 29"},
    };
    for (const auto& c : cases) {
        std::istringstream dates(std::string(c.from) + " " + c.to);
        std::string v[6];
        for (auto& text : v) dates >> text;
        EXPECT_EQ(span(c.nation, v[0], v[1], v[2], v[3], v[4], v[5]), c.age)
            << "nation " << c.nation << ": " << c.from << " to " << c.to;
    }
}

TEST(Ages, DateOnePlusTheAgeIsDateTwo) {
    // Random pairs over years 1 to 2098 in every nation code, the reform years
    // and the Swedish calendar of 1700-1712 weighted in. A fixed seed: a failure
    // comes back on every run.
    std::mt19937 random(1712);
    const int16_t years[] = {1582, 1700, 1701, 1711, 1712, 1752, 1753};
    for (int16_t n = 0; n <= 9; ++n) {
        for (int i = 0; i < 1500; ++i) {
            const auto pick = [&](int16_t& y, int16_t& m, int16_t& d) {
                do {
                    y = random() % 2 ? static_cast<int16_t>(1 + random() % 2098) : years[random() % 7];
                    m = static_cast<int16_t>(1 + random() % 12);
                    d = static_cast<int16_t>(random() % 2 ? 1 + random() % 31 : 28 + random() % 4);
                } while (!isValidDate(y, m, d, n));
            };
            int16_t y1, m1, d1, y2, m2, d2;
            pick(y1, m1, d1);
            pick(y2, m2, d2);
            if (dateToDayNumber(y2, m2, d2, n) < dateToDayNumber(y1, m1, d1, n)) {
                std::swap(y1, y2), std::swap(m1, m2), std::swap(d1, d2);
            }
            ASSERT_EQ(ageFault(n, y1, m1, d1, y2, m2, d2), "");
        }
    }
}

TEST(Ages, MonthEndsAndReformMonths) {
    // Date 1 on the 28th to the 31st of every month, date 2 on every day of the
    // three months after: the days a short month or a reform lacks are where the
    // moved date overshoots. The years take in February 1753 (codes 0, 1),
    // February 1700 (2, 3), November 1700 (4), 30 February 1712 (0, 1), October
    // 1582 (6, 8) and September 1752 (7).
    const int16_t years[] = {1, 1100, 1581, 1582, 1699, 1700, 1711, 1712, 1752, 1753, 1900, 2000, 2023, 2097};
    int checked = 0;
    for (int16_t n = 0; n <= 9; ++n) {
        for (int16_t y1 : years) {
            for (int16_t m1 = 1; m1 <= 12; ++m1) {
                for (int16_t d1 = 28; d1 <= 31; ++d1) {
                    if (!isValidDate(y1, m1, d1, n)) continue;
                    for (int k = 1; k <= 3; ++k) {
                        const auto y2 = static_cast<int16_t>(y1 + (m1 + k - 1) / 12);
                        const auto m2 = static_cast<int16_t>((m1 + k - 1) % 12 + 1);
                        for (int16_t d2 = 1; d2 <= 31; ++d2) {
                            if (!isValidDate(y2, m2, d2, n)) continue;
                            ASSERT_EQ(ageFault(n, y1, m1, d1, y2, m2, d2), "");
                            ++checked;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 150000);
}

class CalculatorFollowUp : public fixture::WorkingFolder {};

TEST_F(CalculatorFollowUp, TheMainWindowTurnsToTheResultsMonth) {
    build(fixture::baseTables());
    nation = 0;
    installCalcWindowOps({});
    calcFields = {{"txtYr1", "2000"}, {"txtMo1", "1"}, {"txtDa1", "1"}, {"txtYr2", "2023"}, {"txtMo2", "2"}, {"txtDa2", "29"}};
    cmdCalculate_Click();  // refused: the window still turns to March 2023
    EXPECT_EQ(readDateField(), "2023-03");
    EXPECT_EQ(curMonth, 3);
    EXPECT_FALSE(displayList.empty());
    calcFields = {{"txtYr1", "1090"}, {"txtMo1", "5"}, {"txtDa1", "1"}, {"txtAgeDa", "1"}};
    cmdCalculate_Click();  // a year the calendar does not show: remembered, not drawn
    EXPECT_EQ(curYear, 1090);
    EXPECT_EQ(readDateField(), "2023-03");
}

TEST_F(CalculatorFollowUp, APressThatComputesNothingLeavesTheMainWindow) {
    build(fixture::baseTables());
    nation = 0;
    int turned = 0;
    CalcWindowOps counting;
    counting.mainWindowTurned = [&] { ++turned; };
    installCalcWindowOps(counting);
    // Sweden in 1600 counts Julian days, so the month's listing ends on a
    // Gregorian date in June.
    calcFields = {{"txtYr1", "1600"}, {"txtMo1", "5"}, {"txtDa1", "10"}, {"txtAgeDa", "1"}};
    ASSERT_EQ(cmdCalculate_Click(), 3);
    ASSERT_EQ(readDateField(), "1600-05");
    ASSERT_EQ(turned, 1);
    // An empty window, pressed twice; both dates with a span year.
    const std::map<std::string, std::string> nothing[] = {
        {}, {}, {{"txtYr1", "2000"}, {"txtMo1", "1"}, {"txtDa1", "1"}, {"txtAgeYr", "1"}, {"txtYr2", "2001"}}};
    for (const auto& fields : nothing) {
        calcFields = fields;
        EXPECT_EQ(cmdCalculate_Click(), 0);
        EXPECT_EQ(curYear, 1600);
        EXPECT_EQ(curMonth, 5);
        EXPECT_EQ(readDateField(), "1600-05");
    }
    EXPECT_EQ(turned, 1);
    installCalcWindowOps({});
}
