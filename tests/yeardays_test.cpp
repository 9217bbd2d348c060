// find and ics over the shipped reference data, against dates known from outside
// the program: Julian Easter by the computus, the Saturday rule of Midsommardagen,
// the last Store bededag, and the year listing itself for the calendar file.
#include "cli/yeardays.h"

#include <sstream>

#include "shipped_data.h"

using namespace tovmir::cli;

namespace {

class FindAndIcs : public shipped::Test {};

std::vector<std::string> lines(const std::string& text, const char* end = "\n") {
    std::vector<std::string> out;
    const std::string_view sep = end;
    for (std::size_t at = 0; at < text.size();) {
        const auto next = text.find(sep, at);
        out.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + sep.size();
    }
    return out;
}

std::string find(std::string_view search, int16_t from, int16_t to, Options opt = {}) {
    std::ostringstream out;
    writeFind(out, search, {from, to}, opt);
    return out.str();
}

}  // namespace

TEST(TextMatching, WordsBeginInOrderCaseBlindWithTheNordicLetters) {
    struct Case { const char* text; const char* search; bool match; };
    const Case cases[] = {
        {" Dominica 3 post Trinitatis", "Dom. 3 p. Trin.", true},
        {" Dominica 13 post Trinitatis", "Dom. 3 p. Trin.", false},  // 3 does not begin 13
        {" Quasimodogeniti", "Quasimodo", true},
        {" Olof, Olle", "olof", true},
        {" Olof, Olle", "Olle Olof", false},                         // out of order
        {" Åke", "ÅKE", true},
        {" Åke", "ake", false},                                       // å is not a
        {" Sören", "Soren", false},
        {" Mariæ bebudelsesdag", "MARIÆ", true},
        {" Malin, Malena – Nobeldagen", "Malena Nobel", true},
    };
    for (const auto& c : cases) EXPECT_EQ(tovmir::textMatches(c.text, c.search), c.match) << c.text << " / " << c.search;
}

// Quasimodogeniti is Easter + 7. Julian Easter by the computus: 20 April 1690,
// 24 March 1706 (Swedish calendar 25 March, one day ahead), 29 March 1730.
TEST_F(FindAndIcs, FindGivesTheChurchBookDayAndBothCalendars) {
    Options latin;
    latin.latin = true;
    EXPECT_EQ(find("Quasimodo", 1690, 1690, latin), "1690-04-27\tSö\t1690-05-07\tTeresia \u2013 Quasimodogeniti\n");
    EXPECT_EQ(find("Quasimodo", 1706, 1706, latin), "1706-04-01\tSö\t1706-04-11\tHugo \u2013 Quasimodogeniti\n");
    EXPECT_EQ(find("Quasimodo", 1730, 1730, latin), "1730-04-05\tSö\t1730-04-16\tIrene \u2013 Quasimodogeniti\n");
    EXPECT_EQ(find("Dom. 3 p. Trin.", 1745, 1745, latin), "1745-06-23\tSö\t1745-07-04\tAdolf \u2013 Dominica 3 post Trinitatis\n");
    // The Swedish calendar's own days: its leap day 24 February 1712 (Julian 23rd,
    // Gregorian 5 March, a Saturday).
    EXPECT_EQ(find("Skottdagen", 1712, 1712), "1712-02-24\tLö\t1712-03-05\tSkottdagen\n");
    EXPECT_EQ(find("xyzzy", 2024, 2024), "");

    // Midsommardagen, once a year since 1953 (its Saturdays are checked in the month view's data).
    EXPECT_EQ(lines(find("Midsommardagen", 1953, 2100)).size(), 2100u - 1953u + 1u);

    // Store bededag, the fourth Friday after Easter, last kept in 2023.
    Options denmark;
    denmark.nation = 2;
    const auto prayer = lines(find("Store bededag", 2000, 2100, denmark));
    ASSERT_FALSE(prayer.empty());
    EXPECT_EQ(prayer.back().substr(0, 13), "2023-05-05\tFr");
    EXPECT_EQ(prayer.size(), 24u);
}

// The calendar file: lines folded as RFC 5545 asks, each day on its Gregorian
// date, commas escaped, and the nation's own date described where it differs.
TEST_F(FindAndIcs, IcsHoldsTheYearsNamedDays) {
    struct Case { int16_t year; const char* event; };
    const Case cases[] = {
        {1712, "DTSTART;VALUE=DATE:17120111\nDTEND;VALUE=DATE:17120112\nSUMMARY:Nyårsdagen\n"
               "DESCRIPTION:Datum i nationens kalender: 1712-01-01\nTRANSP"},  // Julian 31 December 1711
        {2024, "DTSTART;VALUE=DATE:20240101\nDTEND;VALUE=DATE:20240102\nSUMMARY:Nyårsdagen (flaggdag)\nTRANSP"},
        {2024, "DTSTART;VALUE=DATE:20241210\nDTEND;VALUE=DATE:20241211\nSUMMARY:Malin\\, Malena – Nobeldagen\nTRANSP"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        writeIcs(out, {c.year, c.year}, {}, false);
        const std::string ics = out.str();
        ASSERT_TRUE(ics.ends_with("END:VCALENDAR\r\n"));
        std::string unfolded;
        for (const auto& l : lines(ics, "\r\n")) {
            EXPECT_LE(l.size(), 75u);
            EXPECT_EQ(l.find('\n'), std::string::npos);
            unfolded += !l.empty() && l[0] == ' ' ? l.substr(1) : "\n" + l;
        }
        EXPECT_NE(unfolded.find(c.event), std::string::npos) << c.event;
        EXPECT_EQ(unfolded.find("DESCRIPTION") == std::string::npos, c.year == 2024) << c.year;
    }
}
