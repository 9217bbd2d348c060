#include "cli/commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>

#include "calendar/overflow.h"
#include "cli/yeardays.h"
#include "refdata_fixture.h"

using namespace tovmir::cli;

namespace {

class CliMonth : public fixture::WorkingFolder {};

// Runs a command on its values, separated by blanks (find and ics only read their
// years), and gives its answer, "fel: " and the reason it was refused, or
// "överspill" for the calendar's range error.
std::string run(const char* command, const std::string& values, Options opt = {}) {
    std::vector<std::string> args(1);
    for (char c : values) c == ' ' ? void(args.emplace_back()) : args.back().push_back(c);
    try {
        if (std::string_view(command) == "find" || std::string_view(command) == "ics") {
            parseYearRange(args[0], args.size() > 1 ? args[1] : "", opt.nation);
            return "";
        }
        return runCommand(*findCommand(command), args, opt, nullptr);
    } catch (const tovmir::ArithmeticOverflow&) {
        return "överspill";
    } catch (const std::exception& e) {
        return "fel: " + errorText(e);
    }
}

}  // namespace

// Answers for known dates, and every refusal of a bad value: a Swedish reason, any
// byte that is not UTF-8 escaped, and the years without data (outside the month
// view) refused by year, find and ics alike. A refusal's row gives the beginning of
// its message.
TEST_F(CliMonth, AnswersForKnownDatesAndRefusalsWithASwedishReason) {
    build(fixture::baseTables());
    struct Case { const char* command; const char* values; Options opt; const char* answer; };
    const Case cases[] = {
        {"daynumber", "2000 1 1", {}, "2451545"}, {"daynumber", "1712 2 30", {}, "2346425"},
        {"date", "2346425", {}, "1712 2 30"}, {"date", "2451545", {5}, "1999 12 19"}, {"valid", "1700 2 29", {}, "0"},
        {"valid", "1700 2 29", {5}, "1"}, {"prevmonthlen", "1753 3", {}, "17"}, {"easter", "2024", {}, "2460401"},
        {"easter", "2024", {7}, "0"}, {"daynumber", "+2000 01 -0", {}, "2451544"},
        {"easter", "4000", {}, "3182129"},  // 9 April, by the full century term
        // A Swedish church record's 1 March 1700 is the Julian 29 February, the Gregorian 11 March.
        {"convert", "1700 3 1", {0, 0, 5}, "1700 2 29"}, {"convert", "1700 3 1", {0, 0, 9}, "1700 3 11"},
        {"daynumber", "2000 1", {}, "fel: "}, {"daynumber", "2000 1 x", {}, "fel: "}, {"daynumber", "2000 1 1.5", {}, "fel: "},
        {"daynumber", "40000 1 1", {}, "fel: "}, {"date", "99999999999999999999999", {}, "fel: "}, {"date", "", {}, "fel: "},
        // 20 February 1753 was dropped in Sweden; 2147483647 fits the value but not the calendar.
        {"convert", "1753 2 20", {0, 0, 9}, "fel: "}, {"date", "2147483647", {}, "överspill"},
        // Years before 1 are refused by every command, not counted (the first and last years
        // of each: cli_exit.cmake).
        {"daynumber", "-32768 1 1", {}, "fel: "}, {"easter", "-1", {}, "fel: "}, {"date", "-99999", {}, "fel: "},
        {"prevmonthlen", "2024 13", {}, "fel: "}, {"prevmonthlen", "2024 0", {}, "fel: "},
        {"daynumber", "2000 13x 1", {}, "fel: månaden \"13x\" är inget heltal"},
        {"year", "2101", {0}, "fel: året 2101 ligger utanför kalendern för nation 0 (1200 till 2100)"},
        {"year", "9999", {1}, "fel: året 9999 ligger utanför kalendern för nation 1 (1200 till 2100)"},
        {"year", "32", {0}, "fel: året 32 ligger utanför kalendern för nation 0"},
        {"year", "1199", {3}, "fel: året 1199 ligger utanför kalendern för nation 3"},
        {"year", "1", {5}, "fel: året 1 ligger utanför kalendern för nation 5 (2 till 2100)"},
        {"year", "2101", {9}, "fel: året 2101 ligger utanför kalendern för nation 9 (2 till 2100)"},
        {"find", "2101", {0}, "fel: året 2101 ligger utanför kalendern för nation 0"},
        {"find", "1700 2101", {2}, "fel: året 2101 ligger utanför kalendern för nation 2"},
        {"ics", "1100", {4}, "fel: året 1100 ligger utanför kalendern för nation 4 (1200 till 2100)"},
        {"daynumber", "\xc0\x80 1 1", {}, "fel: året \"\\xc0\\x80\" är inget heltal"},
        {"daynumber", "2000 \xed\xa0\x80 1", {}, "fel: månaden \"\\xed\\xa0\\x80\" är inget heltal"},
        {"valid", "2000 1 \xf5\x80\x80\x80", {}, "fel: dagen \"\\xf5\\x80\\x80\\x80\" är inget heltal"},
        {"date", "\xe0\x80\xaf", {}, "fel: dagnumret \"\\xe0\\x80\\xaf\" är inget heltal"},
    };
    for (const auto& c : cases) {
        const std::string answer = run(c.command, c.values, c.opt);
        EXPECT_EQ(answer.starts_with("fel: ") ? answer.substr(0, std::strlen(c.answer)) : answer, c.answer)
            << c.command << " " << c.values << ": " << answer;
    }
    std::string warning;
    EXPECT_EQ(runCommand(*findCommand("daynumber"), {"1753", "2", "20"}, {}, &warning), "2361381");
    EXPECT_NE(warning.find("finns inte"), std::string::npos);
    // A library's own text stands only in brackets after a Swedish sentence.
    EXPECT_EQ(errorText(std::logic_error("basic_string::substr")), "ett oväntat fel inträffade (basic_string::substr)");
}

TEST(CliBatch, OneOutputLinePerInputLineAndStatusOneOnAnyFailure) {
    std::istringstream in("2000 1 1\n\n  1712\t2  30 \r\n1 2\nabc 1 1\n-32768 1 1\n" +
                          std::string(maxLineLength + 1, '1') + "\n1753 3 1\n");
    std::ostringstream out, err, out2;
    EXPECT_EQ(runBatch(*findCommand("daynumber"), {}, in, out, err), 1);
    EXPECT_EQ(out.str(), "2451545\nfel: tom rad\n2346425\nfel: väntade 3 värden, fick 2\n"
                         "fel: året \"abc\" är inget heltal\nfel: året -32768 finns inte (kalendern räknar från år 1)\n"
                         "fel: raden är för lång (mer än 1000 tecken)\n2361390\n");
    std::istringstream good("2024\n1818\n");
    EXPECT_EQ(runBatch(*findCommand("easter"), {}, good, out2, err), 0);
    EXPECT_EQ(out2.str(), "2460401\n2385158\n");
}

TEST_F(CliMonth, TheMonthAsTextAndAsOperations) {
    build(fixture::baseTables());
    const std::string text = monthListing("2024-05", "2024-05", {}, false, false);
    std::istringstream lines(text);
    std::string title, header, first;
    std::getline(lines, title), std::getline(lines, header), std::getline(lines, first);
    EXPECT_EQ(title, "Sverige – Maj 2024");
    // Week, day, weekday and text under "Dag", the other calendar's label under
    // "Alternativa", then its dates in the same column.
    EXPECT_EQ(first, std::string(header.find("Alternativa"), ' ') + "Gamla Stilen");
    std::getline(lines, first);
    EXPECT_EQ(first.rfind("18   01 Onn121", 0), 0u) << first;  // day 122 of the leap year holds the 121st name
    EXPECT_EQ(first.substr(header.find("Alternativa")), "18/ 4");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 31 + 4);  // title, header, label, days, rules
    // The same month as the window's operations (their places are the month
    // view's own, tested there).
    const std::string ops = monthListing("2024-05", "2024-05", {}, true, false);
    EXPECT_EQ(ops.substr(0, ops.find("print")), "caption\tlblYear\t 2024\nclear\n");
    EXPECT_NE(ops.find("\t18/ 4\n"), std::string::npos);
    EXPECT_NE(monthListing("2024-05", "2024-05", {}, false, true).find("\x1b[91m"), std::string::npos);  // red Sundays
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    const std::string two = monthListing("2023-12", "2024-01", {}, false, false);
    EXPECT_TRUE(two.find("December 2023\n") < two.find("Januari 2024\n") && two.find("Januari 2024\n") != two.npos);
    // Months the calendar does not show.
    for (const char* bad : {"2024-13", "2024-0", "2024-5x", "2024", "1100-01", "2101-01", "-2024-01", "2024--1", ""})
        EXPECT_THROW(monthListing(bad, bad, {}, false, false), InputError) << bad;
    EXPECT_THROW(monthListing("2024-05", "2024-04", {}, false, false), InputError);
    // A code without rows: the reference data's error.
    EXPECT_THROW(monthListing("2024-01", "2024-01", Options{9}, false, false), tovmir::DataError);
}

// A rule row damaged for 2025 alone fails every whole-range command after 2024
// has been read: nothing may reach the output, or a redirected listing or
// calendar file would end at 2024 and look complete.
TEST_F(CliMonth, ARangeThatFailsHalfWayWritesNothing) {
    buildWithRules("2025\t2025\t1\tfix\t0\t99\tTrasig\n");
    const std::pair<const char*, std::function<void(std::ostream&)>> commands[] = {
        {"months", [](std::ostream& out) { writeMonthListing(out, "2024-01", "2025-12", {}, false, false); }},
        {"ics", [](std::ostream& out) { writeIcs(out, {2024, 2025}, {}, true); }},
        {"find", [](std::ostream& out) { writeFind(out, "n1", {2024, 2025}, {}); }},
    };
    for (const auto& [name, command] : commands) {
        std::ostringstream out;
        EXPECT_THROW(command(out), tovmir::DataError) << name;
        EXPECT_EQ(out.str(), "") << name;
    }
}

// Finland's almanac kept Sunday weeks through 1973, Sweden's through 1972: week
// and the month view count by the same weekNoChg of the nation's Titles row.
TEST_F(CliMonth, WeekAndTheMonthAgreeOnFinlandsWeeksOf1973) {
    auto tables = fixture::baseTables();
    auto& titles = tables["Titles"];
    titles.replace(titles.find("Leap day\t1753", titles.find("\n1\t")), 13, "Leap day\t1973");
    build(tables);
    struct Case { int16_t nation; const char *day, *week; };
    // Sundays 7 January and 30 December 1973, and Friday 1 January 2021.
    for (const auto& c : {Case{1, "2441690", "2"}, {1, "2442047", "53"}, {0, "2441690", "1"}, {0, "2442047", "52"},
                          {0, "2459216", "53"}})
        EXPECT_EQ(run("week", c.day, {c.nation}), c.week) << c.nation << " " << c.day;
    EXPECT_NE(monthListing("1973-12", "1973-12", {1}, false, false).find("\n53   30 "), std::string::npos);
    // The week of the last Sunday-week year begins on Sunday 7 January: Monday 8 has no number.
    EXPECT_NE(monthListing("1973-01", "1973-01", {1}, false, false).find("\n     08 "), std::string::npos);
}
