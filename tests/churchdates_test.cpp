// Dates as church books write them, read into days. The expected days are taken
// from outside the program: Easter from the published computus tables (Julian
// Easter while a nation kept the Julian calendar, Gregorian after; no year here in
// which Sweden or Denmark kept an Easter of their own), the Sundays counted from it
// and from 6 January and 26 November as the church orders count them, and the
// saints' days on their dates in the almanacs. Each answer is the nation's own date.
#include <gtest/gtest.h>

#include <sstream>

#include "calendar/daynumber.h"
#include "calendar/state.h"
#include "refdata/churchdates.h"
#include "refdata/nationsettings.h"
#include "shipped_data.h"

namespace {

class ChurchDates : public shipped::Test {};

// The days found for a phrase that carries its year, as YYYY-MM-DD joined by blanks.
std::string daysOf(int16_t forNation, const std::string& phrase, bool latin = false) {
    using namespace tovmir;
    nation = forNation;
    latinNames = latin;
    curYear = 1900;
    curMonth = 1;
    loadNationSettings();
    const int16_t y = phraseYear(phrase);
    const FindResult r = findDays(phrase, y, y);
    std::ostringstream out;
    for (const auto& d : r.days) {
        if (out.tellp() > 0) out << ' ';
        out << d.year << '-' << (d.month < 10 ? "0" : "") << d.month << '-' << (d.day < 10 ? "0" : "") << d.day;
    }
    return out.str();
}

tovmir::FindResult found(int16_t forNation, const std::string& phrase, int16_t from, int16_t to, bool latin = false) {
    using namespace tovmir;
    nation = forNation;
    latinNames = latin;
    loadNationSettings();
    return findDays(phrase, from, to);
}

}  // namespace

// Sundays by count and by name, feasts and saints' days in Latin, Swedish, Danish
// and Norwegian, folk names, abbreviations, roman numerals, weekdays of a week and
// eves, over the four nations from 1333 to 1895. A phrase naming two days (Korsmässa
// in May and September) lists both.
TEST_F(ChurchDates, ChurchBookPhrasesGiveTheirDays) {
    struct Case { int16_t nation; const char* phrase; const char* days; };
    const Case cases[] = {
        {0, "Dom. XIV p. Trin. 1735", "1735-09-07"}, {0, "Dom. 3 p. Trin. 1690", "1690-07-06"},
        {0, "3 sönd. e. Trettond. 1886", "1886-01-24"}, {0, "Die Andreae 1747", "1747-11-30"},
        {0, "Festo Michaelis 1745", "1745-09-29"}, {0, "Festo Michaelis 1780", "1780-10-01"},
        {0, "Olofsmäss 1750", "1750-07-29"}, {0, "Kyndelsmäss 1650", "1650-02-02"},
        {0, "Dominica Invocavit 1620", "1620-03-05"}, {0, "Esto mihi 1725", "1725-02-07"},
        {0, "Palmarum 1865", "1865-04-09"}, {0, "Tredjedag jul 1640", "1640-12-27"},
        {0, "Fer. 2 Pasch. 1660", "1660-04-23"}, {0, "Quasimodogeniti 1890", "1890-04-13"},
        {0, "Laetare 1400", "1400-03-28"}, {0, "Dom. 1 Adv. 1730", "1730-11-29"},
        {0, "Ad te levavi 1870", "1870-11-27"}, {0, "Gaudete 1500", "1500-12-13"},
        {0, "Mickelsmäss 1600", "1600-09-29"}, {0, "Larsmäss 1690", "1690-08-10"},
        {0, "Mårtensmässa 1720", "1720-11-11"}, {0, "Valborgsmässoafton 1880", "1880-04-30"},
        {0, "Tjugondedag Knut 1850", "1850-01-13"}, {0, "Kristi himmelsfärdsdag 1870", "1870-05-26"},
        {0, "Pingstdagen 1333", "1333-05-23"}, {0, "Festum Trinitatis 1555", "1555-06-09"},
        {0, "Septuagesima 1888", "1888-01-29"}, {0, "Sexagesima 1610", "1610-02-11"},
        {0, "Dom. Judica 1666", "1666-04-01"}, {0, "Misericordias Domini 1699", "1699-04-23"},
        {0, "Jubilate 1877", "1877-04-22"}, {0, "Cantate 1350", "1350-04-25"}, {0, "Bönsöndagen 1860", "1860-05-13"},
        {0, "Exaudi 1455", "1455-05-18"}, {0, "Skärtorsdagen 1690", "1690-04-17"},
        {0, "Långfredagen 1895", "1895-04-12"}, {0, "Askonsdagen 1875", "1875-02-10"},
        {0, "Festo Nativitatis Christi 1699", "1699-12-25"}, {0, "Purificationis Mariae 1620", "1620-02-02"},
        {0, "Omnium Sanctorum 1600", "1600-11-01"}, {0, "Petri et Pauli 1650", "1650-06-29"},
        {0, "Nativitatis Johannis Baptistae 1599", "1599-06-24"}, {0, "Visitationis Mariae 1685", "1685-07-02"},
        {0, "Laurentii 1760", "1760-08-10"}, {0, "S. Thomae 1620", "1620-12-21"},
        {0, "Catharinae 1400", "1400-11-25"}, {0, "Die Martini 1500", "1500-11-11"}, {0, "Luciae 1830", "1830-12-13"},
        {0, "Korsmässa 1600", "1600-05-03 1600-09-14"}, {0, "Fer. 4 p. Oculi 1730", "1730-03-04"},
        {0, "Måndagen efter Mikaelidagen 1740", "1740-10-06"}, {0, "Söndagen före domssöndagen 1880", "1880-11-14"},
        {1, "Dom. 2 p. Trin. 1730", "1730-06-07"}, {1, "Mikaelis 1730", "1730-09-29"},
        {1, "Tredje söndagen i fastan 1880", "1880-02-29"}, {1, "Dom. 5 p. Epiph. 1886", "1886-02-07"},
        {2, "Dominica Invocavit 1690", "1690-03-09"}, {2, "Store bededag 1850", "1850-04-26"},
        {2, "2. søndag efter trinitatis 1860", "1860-06-17"}, {2, "Mikkelsdag 1650", "1650-09-29"},
        {2, "Fastelavns søndag 1880", "1880-02-08"}, {2, "Hellig tre Kongers dag 1600", "1600-01-06"},
        {2, "1. søndag i advent 1890", "1890-11-30"}, {2, "Palmesøndag 1820", "1820-03-26"},
        {2, "Søndag efter Hellig tre Konger 1870", "1870-01-09"}, {2, "Paaskedag 1850", "1850-03-31"},
        {2, "Anden Pinsedag 1880", "1880-05-17"}, {3, "Olsok 1650", "1650-07-29"},
        {3, "Dom. 4 p. Trin. 1660", "1660-07-15"}, {3, "Jonsok 1820", "1820-06-24"},
        {3, "Kristi himmelfartsdag 1880", "1880-05-06"}, {3, "Trettende søndag efter trinitatis 1870", "1870-09-11"},
        {3, "Reminiscere 1350", "1350-02-21"}, {3, "Sexagesima 1890", "1890-02-09"},
        // The day after and the octave day, Finnish names, old Danish spellings,
        // Norway's own saints (Easter 1865 16 April, 1830 11 April).
        {0, "Crastino Andreae 1510", "1510-12-01"}, {0, "Octava Epiphaniae 1530", "1530-01-13"},
        {1, "Juhannuspäivä 1870", "1870-06-24"}, {1, "Mikkelinpäivä 1880", "1880-10-03"},
        {2, "Pintsedag 1865", "1865-06-04"}, {3, "Tredie Søndag i Fasten 1830", "1830-03-14"},
        {3, "Seljumannamesse 1440", "1440-07-08"}, {3, "Hallvardsmesse 1420", "1420-05-15"},
        // Abbreviations and names a second round of church-book forms brought.
        {0, "Dom. post Ascens. 1692", "1692-05-08"}, {0, "Dnca in Albis 1622", "1622-04-28"},
        {1, "Kiirastorstai 1870", "1870-04-14"}, {1, "Toinen pääsiäispäivä 1888", "1888-04-02"},
        {1, "Marianpäivä 1889", "1889-03-25"}, {2, "Vor Frue Dag i Fasten 1631", "1631-03-25"},
        {3, "Syftesok 1650", "1650-07-02"}, {3, "Persok 1680", "1680-06-29"},
    };
    for (const auto& c : cases) EXPECT_EQ(daysOf(c.nation, c.phrase), c.days) << "nation " << c.nation << ": " << c.phrase;
}

// A Sunday the year lacks is no day at all, and the message says how many the year
// has: 1720 (Easter 17 April, Advent 27 November) has 23 Sundays after Trinity;
// 1850 (Septuagesima 27 January) has two after Epiphany, 13 and 20 January.
TEST_F(ChurchDates, ASundayTheYearLacksIsSaidSo) {
    auto r = found(0, "Dom. XXVII p. Trin.", 1720, 1720);
    EXPECT_TRUE(r.days.empty());
    EXPECT_NE(r.message.find("1720 har bara 23 söndagar efter trefaldighet"), std::string::npos) << r.message;
    r = found(0, "Dom. XXIII p. Trin.", 1720, 1720);
    EXPECT_EQ(r.days.size(), 1u);
    r = found(0, "3 sönd. e. Trettond. 1850", 1850, 1850);
    EXPECT_TRUE(r.days.empty());
    EXPECT_NE(r.message.find("1850 har bara 2 söndagar efter trettondedagen"), std::string::npos) << r.message;
    // "Böndagen" is a proclaimed prayer day, not Bönsöndagen: none stands in 1680.
    EXPECT_TRUE(found(0, "Böndagen", 1680, 1680).days.empty());
    // Not understood at all: the message shows how a church day is written.
    r = found(0, "xyzzy", 1720, 1720);
    EXPECT_TRUE(r.days.empty());
    EXPECT_NE(r.message.find("Dom. 3 p. Trin."), std::string::npos) << r.message;
    EXPECT_THROW(found(0, " .,", 1720, 1720), tovmir::PhraseError);
}

// The day is found by its Sunday name although it shows another feast: the first
// Sunday in Advent 1740 (Julian) fell on 30 November, Andreas' day. The name shown
// follows the Latin switch; the search reads both.
TEST_F(ChurchDates, TheSundayIsFoundWhateverTheDayShows) {
    auto r = found(0, "Dom. 1 Adv.", 1740, 1740);
    ASSERT_EQ(r.days.size(), 1u);
    EXPECT_EQ(r.days[0].month * 100 + r.days[0].day, 1130);
    EXPECT_EQ(r.days[0].weekday, "Sö");
    EXPECT_EQ(r.days[0].otherYear * 10000 + r.days[0].otherMonth * 100 + r.days[0].otherDay, 17401211);
    EXPECT_NE(r.days[0].text.find("Andreas"), std::string::npos) << r.days[0].text;
    r = found(0, "Ad te levavi", 1740, 1740, true);
    ASSERT_EQ(r.days.size(), 1u);
    EXPECT_NE(r.days[0].text.find("Ad te levavi"), std::string::npos) << r.days[0].text;
}

// A search over years leaves the month on show as it was, and makes the next
// redraw load its year afresh (the search loaded others into the day table).
TEST_F(ChurchDates, TheShownMonthIsGivenBack) {
    using namespace tovmir;
    nation = 0;
    loadNationSettings();
    curYear = 2024;
    curMonth = 5;
    yearDayZero = 2460310;
    monthStartDay = 2460432;
    monthOffset = 122;
    loadedYear = 2024;
    const FindResult r = findDays("Mikaelidagen", 1700, 1800);
    EXPECT_EQ(r.days.size(), 101u);
    EXPECT_EQ(curYear, 2024);
    EXPECT_EQ(curMonth, 5);
    EXPECT_EQ(yearDayZero, 2460310);
    EXPECT_EQ(monthStartDay, 2460432);
    EXPECT_EQ(monthOffset, 122);
    EXPECT_EQ(loadedYear, 0);
}

// Words in brackets are words ("(kyndelmisse)"), and a number stands for itself.
TEST(ChurchDateText, BracketsAndNumbers) {
    EXPECT_TRUE(tovmir::textMatches(" Mariæ renselsesdag (kyndelmisse)", "kyndelmisse"));
    EXPECT_FALSE(tovmir::textMatches(" Dominica 22 post Trinitatis", "Dom. 2 p. Trin."));
    EXPECT_TRUE(tovmir::textMatches(" Dominica 2 post Trinitatis", "Dom. 2 p. Trin."));
    EXPECT_EQ(tovmir::phraseYear("Anno 1745 Mickelsmäss"), 1745);
    EXPECT_EQ(tovmir::phraseYear("Dom. XIV p. Trin."), 0);
    EXPECT_EQ(tovmir::phraseYear("Dom. 14 p. Trin."), 0);
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
                    // The rule's name: the last part after a dash, without a year
                    // that belongs to it ("Danmarks befrielse 1945").
                    std::string name = r.dayText.substr(r.dayText.rfind("\u2013") == std::string::npos
                                                            ? 0
                                                            : r.dayText.rfind("\u2013") + 3);
                    red.emplace_back(zero + i, name);
                }
                for (const auto& [j, name] : red) {
                    const FindResult f = findDays(name, y, y);
                    bool hit = false;
                    for (const auto& d : f.days) hit = hit || d.dayNumber == j;
                    EXPECT_TRUE(hit) << "nation " << n << (latin ? " latin " : " ") << y << ": \"" << name << "\" "
                                     << f.message;
                }
            }
}
