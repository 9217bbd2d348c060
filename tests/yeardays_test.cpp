// find and ics over the shipped reference data, against dates known from outside
// the program: Julian Easter by the computus, the Saturday rule of Midsommardagen,
// the last Store bededag, and the year listing itself for the calendar file.
#include "cli/yeardays.h"

#include <chrono>
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

    // Midsommardagen on the Saturday from 20 to 26 June every year since 1953.
    const auto midsummer = lines(find("Midsommardagen", 1953, 2100));
    ASSERT_EQ(midsummer.size(), 2100u - 1953u + 1u);
    for (const auto& l : midsummer) {
        const int y = std::stoi(l.substr(0, 4)), m = std::stoi(l.substr(5, 2)), d = std::stoi(l.substr(8, 2));
        const std::chrono::weekday w{std::chrono::sys_days{std::chrono::year{y} / m / d}};
        EXPECT_TRUE(m == 6 && d >= 20 && d <= 26 && w == std::chrono::Saturday) << l;
    }

    // Store bededag, the fourth Friday after Easter, last kept in 2023.
    Options denmark;
    denmark.nation = 2;
    const auto prayer = lines(find("Store bededag", 2000, 2100, denmark));
    ASSERT_FALSE(prayer.empty());
    EXPECT_EQ(prayer.back().substr(0, 13), "2023-05-05\tFr");
    EXPECT_EQ(prayer.size(), 24u);
}

// The calendar file read back: every named day of the year listing is an event
// on its Gregorian date with the listing's text, the lines folded as RFC 5545 asks.
TEST_F(FindAndIcs, IcsHoldsTheYearsNamedDays) {
    for (const int16_t y : {int16_t{1712}, int16_t{2024}}) {
        std::ostringstream out;
        writeIcs(out, {y, y}, {}, false);
        const std::string ics = out.str();
        ASSERT_TRUE(ics.ends_with("END:VCALENDAR\r\n"));
        std::string unfolded;
        for (const auto& l : lines(ics, "\r\n")) {
            EXPECT_LE(l.size(), 75u);
            EXPECT_EQ(l.find('\n'), std::string::npos);
            if (!l.empty() && l[0] == ' ') unfolded += l.substr(1);
            else unfolded += "\n" + l;
        }
        std::vector<std::string> summaries, starts;
        for (const auto& l : lines(unfolded)) {
            if (l.starts_with("SUMMARY:")) summaries.push_back(l.substr(8));
            if (l.starts_with("DTSTART;VALUE=DATE:")) starts.push_back(l.substr(19));
        }
        // The listing: index, own date, colour, text; the Gregorian date from the day number.
        std::vector<std::string> expected;
        const auto year = lines(yearListing(y, {}));
        for (const auto& l : year) {
            const auto f = lines(l, "\t");
            if (f.size() < 4 || f[2] == "0" || f[3].empty()) continue;
            std::string text = f[3];
            while (!text.empty() && text.front() == ' ') text.erase(0, 1);
            while (!text.empty() && text.back() == ' ') text.pop_back();
            std::string escaped;
            for (char c : text) escaped += c == ',' || c == ';' ? std::string("\\") + c : std::string(1, c);
            expected.push_back(escaped);
        }
        EXPECT_EQ(summaries, expected) << y;
        ASSERT_EQ(starts.size(), expected.size());
        if (y == 2024) {
            EXPECT_EQ(starts.front(), "20240101");  // Nyårsdagen
        } else {
            EXPECT_EQ(starts.front(), "17120111");  // Swedish 1 January 1712 = Julian 31 December 1711
        }
    }
}
