// find and ics over the shipped data against dates known from outside the program: Easter
// from the published computus tables (Julian while a nation kept the Julian calendar; no year
// here in which Sweden or Denmark kept an Easter of their own), the Sundays counted from it and
// from 6 January and 26 November as the church orders count them, the saints' days on their
// almanac dates. Each answer is the nation's own date.
#include "cli/yeardays.h"

#include <algorithm>
#include <sstream>

#include "refdata/churchdates.h"
#include "shipped_data.h"

using namespace tovmir::cli;

namespace {
class ChurchDates : public shipped::Test {};

std::string find(std::string_view search, int16_t from, int16_t to, Options opt = {}) {
    std::ostringstream out;
    writeFind(out, search, {from, to}, opt);
    return out.str();
}

tovmir::FindResult found(int16_t forNation, const std::string& phrase, int16_t from, int16_t to, bool latin = false) {
    using namespace tovmir;
    nation = forNation, latinNames = latin, curYear = 1900, curMonth = 1;
    loadNationSettings();
    return findDays(phrase, from, to);
}
}  // namespace

// Church-book phrases in Latin and the four languages as "phrase = MM-DD" in the phrase's year
// (Korsmässa names two days). Norway's Easter: 1865 16 April, 1830 11 April. Dom. 1 Adv. 1740
// is found by its Sunday name although the day shows Andreas' day (Julian 30 November).
TEST_F(ChurchDates, ChurchBookPhrasesGiveTheirDays) {
    const std::pair<int16_t, std::vector<std::string>> cases[] = {
        {0, {"Dom. XIV p. Trin. 1735 = 09-07", "Dom. 3 p. Trin. 1690 = 07-06", "3 sönd. e. Trettond. 1886 = 01-24",
            "Die Andreae 1747 = 11-30", "Festo Michaelis 1745 = 09-29", "Festo Michaelis 1780 = 10-01",
            "Olofsmäss 1750 = 07-29", "Kyndelsmäss 1650 = 02-02", "Dominica Invocavit 1620 = 03-05",
            "Esto mihi 1725 = 02-07", "Palmarum 1865 = 04-09", "Tredjedag jul 1640 = 12-27",
            "Fer. 2 Pasch. 1660 = 04-23", "Quasimodogeniti 1890 = 04-13", "Laetare 1400 = 03-28",
            "Dom. 1 Adv. 1730 = 11-29", "Ad te levavi 1870 = 11-27", "Gaudete 1500 = 12-13",
            "Mickelsmäss 1600 = 09-29", "Larsmäss 1690 = 08-10", "Mårtensmässa 1720 = 11-11",
            "Valborgsmässoafton 1880 = 04-30", "Tjugondedag Knut 1850 = 01-13", "Kristi himmelsfärdsdag 1870 = 05-26",
            "Pingstdagen 1333 = 05-23", "Festum Trinitatis 1555 = 06-09", "Septuagesima 1888 = 01-29",
            "Sexagesima 1610 = 02-11", "Dom. Judica 1666 = 04-01", "Misericordias Domini 1699 = 04-23",
            "Jubilate 1877 = 04-22", "Cantate 1350 = 04-25", "Bönsöndagen 1860 = 05-13", "Exaudi 1455 = 05-18",
            "Skärtorsdagen 1690 = 04-17", "Långfredagen 1895 = 04-12", "Askonsdagen 1875 = 02-10",
            "Festo Nativitatis Christi 1699 = 12-25", "Purificationis Mariae 1620 = 02-02",
            "Omnium Sanctorum 1600 = 11-01", "Petri et Pauli 1650 = 06-29",
            "Nativitatis Johannis Baptistae 1599 = 06-24", "Visitationis Mariae 1685 = 07-02",
            "Laurentii 1760 = 08-10", "S. Thomae 1620 = 12-21", "Catharinae 1400 = 11-25", "Die Martini 1500 = 11-11",
            "Luciae 1830 = 12-13", "Korsmässa 1600 = 05-03 09-14", "Fer. 4 p. Oculi 1730 = 03-04",
            "Måndagen efter Mikaelidagen 1740 = 10-06", "Söndagen före domssöndagen 1880 = 11-14",
            "Crastino Andreae 1510 = 12-01", "Octava Epiphaniae 1530 = 01-13", "Dom. post Ascens. 1692 = 05-08",
            "Dnca in Albis 1622 = 04-28", "Dom. 1 Adv. 1740 = 11-30"}},
        {1, {"Dom. 2 p. Trin. 1730 = 06-07", "Mikaelis 1730 = 09-29", "Tredje söndagen i fastan 1880 = 02-29",
            "Dom. 5 p. Epiph. 1886 = 02-07", "Juhannuspäivä 1870 = 06-24", "Mikkelinpäivä 1880 = 10-03",
            "Kiirastorstai 1870 = 04-14", "Toinen pääsiäispäivä 1888 = 04-02", "Marianpäivä 1889 = 03-25"}},
        {2, {"Dominica Invocavit 1690 = 03-09", "Store bededag 1850 = 04-26",
            "2. søndag efter trinitatis 1860 = 06-17", "Mikkelsdag 1650 = 09-29", "Fastelavns søndag 1880 = 02-08",
            "Hellig tre Kongers dag 1600 = 01-06", "1. søndag i advent 1890 = 11-30", "Palmesøndag 1820 = 03-26",
            "Søndag efter Hellig tre Konger 1870 = 01-09", "Paaskedag 1850 = 03-31", "Anden Pinsedag 1880 = 05-17",
            "Pintsedag 1865 = 06-04", "Vor Frue Dag i Fasten 1631 = 03-25"}},
        {3, {"Olsok 1650 = 07-29", "Dom. 4 p. Trin. 1660 = 07-15", "Jonsok 1820 = 06-24",
            "Kristi himmelfartsdag 1880 = 05-06", "Trettende søndag efter trinitatis 1870 = 09-11",
            "Reminiscere 1350 = 02-21", "Sexagesima 1890 = 02-09", "Tredie Søndag i Fasten 1830 = 03-14",
            "Seljumannamesse 1440 = 07-08", "Hallvardsmesse 1420 = 05-15", "Syftesok 1650 = 07-02",
            "Persok 1680 = 06-29"}},
    };
    for (const auto& [n, rows] : cases)
        for (const std::string& row : rows) {
            const std::string phrase = row.substr(0, row.find(" = "));
            const int16_t y = tovmir::phraseYear(phrase);
            std::string days;
            for (const auto& d : found(n, phrase, y, y).days)
                days += (days.empty() ? "" : " ") + std::string(d.year == y ? "" : std::to_string(d.year) + "-") +
                        (d.month < 10 ? "0" : "") + std::to_string(d.month) + (d.day < 10 ? "-0" : "-") + std::to_string(d.day);
            EXPECT_EQ(phrase + " = " + days, row) << "nation " << n;
        }
    // Words begin in order, case-blind, with the Nordic letters as letters of their
    // own; words in brackets are words ("(kyndelmisse)"), and a number stands for
    // itself; a phrase's year is a number of four digits.
    struct Match { const char* text; const char* search; bool match; };
    const Match matches[] = {
        {" Dominica 13 post Trinitatis", "Dom. 3 p. Trin.", false},  // 3 does not begin 13
        {" Dominica 22 post Trinitatis", "Dom. 2 p. Trin.", false}, {" Quasimodogeniti", "Quasimodo", true},
        {" Olof, Olle", "olof", true}, {" Olof, Olle", "Olle Olof", false},  // out of order
        {" Åke", "ÅKE", true}, {" Sören", "Soren", false}, {" Åke", "ake", false},  // å is not a
        {" Mariæ bebudelsesdag", "MARIÆ", true}, {" Malin, Malena – Nobeldagen", "Malena Nobel", true},
        {" Mariæ renselsesdag (kyndelmisse)", "kyndelmisse", true}, {" Dominica 3 post Trinitatis", "Dom. 3 p. Trin.", true},
    };
    for (const auto& c : matches) EXPECT_EQ(tovmir::textMatches(c.text, c.search), c.match) << c.text << c.search;
    EXPECT_EQ(tovmir::phraseYear("Anno 1745 Mickelsmäss"), 1745);
    EXPECT_EQ(tovmir::phraseYear("Dom. XIV p. Trin.") + tovmir::phraseYear("Dom. 14 p. Trin."), 0);
}

// A Sunday the year lacks is no day at all, and the message says how many the year
// has: 1720 (Easter 17 April, Advent 27 November) has 23 Sundays after Trinity;
// 1850 (Septuagesima 27 January) has two after Epiphany, 13 and 20 January.
// "Böndagen" is a proclaimed prayer day, not Bönsöndagen: none stands in 1680.
// Not understood at all: the message shows how a church day is written.
TEST_F(ChurchDates, ASundayTheYearLacksIsSaidSoAndTheShownMonthIsKept) {
    struct Case { const char* phrase; int16_t year; std::size_t days; const char* message; };
    const Case cases[] = {
        {"Dom. XXVII p. Trin.", 1720, 0, "1720 har bara 23 söndagar efter trefaldighet"}, {"Dom. XXIII p. Trin.", 1720, 1, ""},
        {"3 sönd. e. Trettond. 1850", 1850, 0, "1850 har bara 2 söndagar efter trettondedagen"},
        {"Böndagen", 1680, 0, ""}, {"xyzzy", 1720, 0, "Dom. 3 p. Trin."},
    };
    for (const auto& c : cases) {
        const auto r = found(0, c.phrase, c.year, c.year);
        EXPECT_EQ(r.days.size(), c.days) << c.phrase;
        EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
    }
    EXPECT_THROW(found(0, " .,", 1720, 1720), tovmir::PhraseError);
    // A search over years leaves the month on show as it was, and makes the next
    // redraw load its year afresh (the search loaded others into the day table).
    using namespace tovmir;
    curYear = 2024, curMonth = 5, yearDayZero = 2460310, monthStartDay = 2460432, monthOffset = 122, loadedYear = 2024;
    EXPECT_EQ(findDays("Mikaelidagen", 1700, 1800).days.size(), 101u);
    EXPECT_EQ(std::vector<int32_t>({curYear, curMonth, yearDayZero, monthStartDay, monthOffset, loadedYear}),
              std::vector<int32_t>({2024, 5, 2460310, 2460432, 122, 0}));
}

// Every Sunday and holiday the four almanacs show is found again by the name the
// day shows, in either table: the names the tables write and the names the reader
// understands cannot drift apart. Sampled years across every era of the tables.
TEST_F(ChurchDates, EveryRedDayIsFoundByItsOwnName) {
    using namespace tovmir;
    for (int16_t n = 0; n <= 3; ++n)
        for (const bool latin : {false, true})
            for (const int16_t y : {1250, 1560, 1690, 1745, 1830, 1905, 1990, 2024, 2077}) {
                shipped::load(n, y, latin);
                std::vector<std::pair<int32_t, std::string>> red;
                const int32_t zero = yearDayZero;
                const int32_t days = dateToDayNumber(static_cast<int16_t>(y + 1), 1, 1, n) - 1 - zero;
                for (int i = 1; i <= days; ++i) {
                    const DayRecord& r = dayTable[static_cast<std::size_t>(i)];
                    if (r.color != 12 || r.dayText.empty()) continue;
                    // The rule's name: the last part after a dash, with its year ("Danmarks befrielse 1945").
                    const auto dash = r.dayText.rfind("\u2013");
                    red.emplace_back(zero + i, r.dayText.substr(dash == std::string::npos ? 0 : dash + 3));
                }
                for (const auto& [j, name] : red) {
                    const FindResult f = findDays(name, y, y);
                    EXPECT_TRUE(std::ranges::any_of(f.days, [&](const auto& d) { return d.dayNumber == j; }))
                        << "nation " << n << (latin ? " latin " : " ") << y << ": \"" << name << "\" " << f.message;
                }
            }
}

// Quasimodogeniti is Easter + 7. Julian Easter by the computus: 20 April 1690,
// 24 March 1706 (Swedish calendar 25 March, one day ahead), 29 March 1730.
TEST_F(ChurchDates, FindAndIcsGiveTheChurchBookDayAndBothCalendars) {
    const Options latin{.latin = true};
    // The Swedish calendar's own days: its leap day 24 February 1712 (Julian 23rd,
    // Gregorian 5 March, a Saturday).
    const std::tuple<const char*, int16_t, const char*> cases[] = {
        {"Quasimodo", 1690, "1690-04-27\tSö\t1690-05-07\tTeresia \u2013 Quasimodogeniti\n"},
        {"Quasimodo", 1706, "1706-04-01\tSö\t1706-04-11\tHugo \u2013 Quasimodogeniti\n"},
        {"Quasimodo", 1730, "1730-04-05\tSö\t1730-04-16\tIrene \u2013 Quasimodogeniti\n"},
        {"Dom. 3 p. Trin.", 1745, "1745-06-23\tSö\t1745-07-04\tAdolf \u2013 Dominica 3 post Trinitatis\n"},
        {"Skottdagen", 1712, "1712-02-24\tLö\t1712-03-05\tSkottdagen\n"}, {"xyzzy", 2024, ""},
    };
    for (const auto& [search, year, result] : cases) EXPECT_EQ(find(search, year, year, latin), result) << search;
    // Midsommardagen, once a year since 1953 (its Saturdays are checked in the month view's data).
    EXPECT_EQ(std::ranges::count(find("Midsommardagen", 1953, 2100), '\n'), 2100 - 1953 + 1);
    // The calendar file: lines folded as RFC 5545 asks, each day on its Gregorian
    // date, commas escaped, and the nation's own date described where it differs.
    const std::pair<int16_t, const char*> events[] = {
        {1712, "DTSTART;VALUE=DATE:17120111\nDTEND;VALUE=DATE:17120112\nSUMMARY:Nyårsdagen\n"
               "DESCRIPTION:Datum i nationens kalender: 1712-01-01\nTRANSP"},  // Julian 31 December 1711
        {2024, "DTSTART;VALUE=DATE:20240101\nDTEND;VALUE=DATE:20240102\nSUMMARY:Nyårsdagen (flaggdag)\nTRANSP"},
        {2024, "DTSTART;VALUE=DATE:20241210\nDTEND;VALUE=DATE:20241211\nSUMMARY:Malin\\, Malena – Nobeldagen\nTRANSP"},
    };
    for (const auto& [year, event] : events) {
        std::ostringstream out;
        writeIcs(out, {year, year}, {}, false);
        const std::string ics = out.str();
        ASSERT_TRUE(ics.ends_with("END:VCALENDAR\r\n"));
        std::string unfolded;
        for (std::size_t at = 0, next; at < ics.size(); at = next + 2) {
            const std::string l = ics.substr(at, (next = ics.find("\r\n", at)) - at);
            EXPECT_TRUE(l.size() <= 75 && l.find('\n') == std::string::npos) << l;
            unfolded += !l.empty() && l[0] == ' ' ? l.substr(1) : "\n" + l;
        }
        EXPECT_NE(unfolded.find(event), std::string::npos) << event;
        EXPECT_EQ(unfolded.find("DESCRIPTION") == std::string::npos, year == 2024) << year;
    }
    // 75 octets a line, the continuation's blank counted, and "å" never split.
    std::string folded;
    appendFolded(folded, std::string(74, 'x') + "å" + std::string(80, 'y'));
    EXPECT_EQ(folded, std::string(74, 'x') + "\r\n å" + std::string(72, 'y') + "\r\n " + std::string(8, 'y') + "\r\n");
}
