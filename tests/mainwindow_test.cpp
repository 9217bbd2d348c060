#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <tuple>

#include "mainwindow/handlers.h"
#include "mainwindow/notes.h"
#include "mainwindow/windowhooks.h"
#include "refdata/engine.h"
#include "refdata/windowops.h"
#include "monthview/surface.h"
#include "refdata_fixture.h"
#include "calendar/numbers.h"
#include "calendar/text.h"

using namespace tovmir;

namespace {

class MainWindow : public fixture::WorkingFolder {
protected:
    int todayYear = 2026, todayMonth = 12;
    void SetUp() override {
        WorkingFolder::SetUp();
        // The state folder inside the test's own folder: no test touches the
        // user's ~/.local/state.
        ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        build(fixture::baseTables());
        shownMessages.clear();
        txtIndateBackground = fieldYellow;
        MainWindowHooks hooks;
        hooks.today = [this](int& y, int& m) { y = todayYear, m = todayMonth; };
        installMainWindowHooks(hooks);
        closeCalculator();
    }
    void TearDown() override {
        installMainWindowHooks({});
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        WorkingFolder::TearDown();
    }
    static void file(const char* name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }
    static std::string read(const char* name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Types text into the field as the window does: each character's handler
    // sees the text before the character goes in.
    static void type(const std::string& text) {
        for (char c : text) {
            txtIndate_KeyPress(static_cast<unsigned char>(c));
            writeDateField(readDateField() + c);
        }
    }
    static void enter() { txtIndate_KeyPress(13); }
};

}  // namespace

TEST_F(MainWindow, StartUpReadsTheSavedNationAndLeavesIt) {
    ASSERT_TRUE(Form_Load());  // no ctry.txt
    EXPECT_EQ(nation, 0);
    EXPECT_EQ(readDateField(), "2026-12");
    EXPECT_EQ(labelCaptions["lblMonth"], "December   ");
    EXPECT_EQ(labelCaptions["lblYear"], " 2026");
    EXPECT_TRUE(shownMessages.empty());

    // Read and left in place: a kill, a crash or a second window finds it still.
    struct Case { const char* text; int16_t nation; };
    for (const Case& c : {Case{"2\r\n", 2}, {" 3 , 7\r\n", 3}, {"abc\r\n", 0}, {"", 0}, {"99999\r\n", 0}, {"2x\r\n", 0}}) {
        file(nationFile, c.text);
        ASSERT_TRUE(Form_Load());
        EXPECT_EQ(nation, c.nation) << c.text;
        EXPECT_EQ(read(nationFile), c.text);
    }
    todayYear = 2027, todayMonth = 1;  // a 9 January: month 01
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(readDateField(), "2027-01");
    EXPECT_EQ(labelCaptions["lblMonth"], "Januari    ");
    EXPECT_TRUE(shownMessages.empty());

    // A saved nation that cannot be shown is told before Sweden is shown, and
    // the file keeps it until the user picks a nation.
    file(nationFile, "9\r\n");
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(nation, 0);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text.rfind("Det sparade landet (kod 9) kan inte visas:\n", 0), 0u);
    EXPECT_NE(shownMessages[0].text.find("\nKalendern visas för Sverige."), std::string::npos);
    Form_QueryUnload(true);
    EXPECT_EQ(read(nationFile), "9\r\n");
    picFlg_Click();
    Form_QueryUnload(true);
    EXPECT_EQ(read(nationFile), "1\r\n");

    // Nothing to fall back on: one message, the failure itself; the file kept.
    file("Const.mdb", "not a database\n");
    shownMessages.clear();
    EXPECT_FALSE(Form_Load());
    EXPECT_EQ(read(nationFile), "1\r\n");
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text.rfind("Tovmir kan inte starta", 0), 0u);
}

TEST_F(MainWindow, OnlyTheUsersCloseSavesTheNationWholeOrNotAtAll) {
    ASSERT_TRUE(Form_Load());
    nation = 3;
    openCalculator();
    Form_QueryUnload(false);  // the session ends
    EXPECT_FALSE(std::filesystem::exists(nationFile));
    EXPECT_TRUE(calculatorOpen());
    Form_QueryUnload(true);
    EXPECT_EQ(read(nationFile), "3\r\n");
    EXPECT_FALSE(calculatorOpen());
    nation = -12;
    Form_QueryUnload(true);
    EXPECT_EQ(read(nationFile), "-12\r\n");
    // The run folder removed under the window: the state folder keeps the choice.
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove(dir / "gone");
    EXPECT_NO_THROW(Form_QueryUnload(true));
    std::filesystem::current_path(dir);
    EXPECT_EQ(read("state/tovmir/ctry.txt"), "-12\r\n");

    // Two windows closing together in one folder, round after round: each
    // leaves one whole value, and no temporary file stays behind.
    const int rounds = 150;
    int torn = 0;
    for (int round = 0; round < rounds; ++round) {
        pid_t closing[2];
        for (int k = 0; k < 2; ++k)
            if ((closing[k] = ::fork()) == 0) {
                nation = static_cast<int16_t>(2 + k);
                Form_QueryUnload(true);
                ::_exit(0);
            }
        for (pid_t p : closing) ::waitpid(p, nullptr, 0);
        const std::string value = read(nationFile);
        torn += value != "2\r\n" && value != "3\r\n";
    }
    EXPECT_EQ(torn, 0) << "of " << rounds << " rounds";
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_EQ(entry.path().filename().string().rfind("ctry.txt.", 0), std::string::npos) << entry.path();

    // A full disk (here a file-size limit of one byte): the old file stays as
    // it was in both folders, and the user is told why.
    file(nationFile, "1\r\n");
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit before{}, tiny{1, RLIM_INFINITY};
    ::getrlimit(RLIMIT_FSIZE, &before);
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    nation = 3;
    shownMessages.clear();
    Form_QueryUnload(true);
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(read(nationFile), "1\r\n");
    EXPECT_FALSE(std::filesystem::exists("state/tovmir/ctry.txt"));
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "Landet som visas kan inte sparas till nästa start: filen ctry.txt kan varken "
                                     "skrivas i " + dir.string() + " (filen får inte bli större) eller i " +
                                         (dir / "state/tovmir").string() + " (filen får inte bli större).");
}

TEST_F(MainWindow, ANationTheRunFolderCannotKeepIsKeptInTheStateFolder) {
    // A run folder whose ctry.txt cannot be replaced (a folder of that name
    // stands in for a read-only installation; root writes anyway): the state
    // folder keeps the choice, and the next start reads it from there.
    std::filesystem::create_directories("ctry.txt/x");
    ASSERT_TRUE(Form_Load());
    nation = 2;
    Form_QueryUnload(true);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(read("state/tovmir/ctry.txt"), "2\r\n");
    nation = 0;
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(nation, 2);
    EXPECT_EQ(read("state/tovmir/ctry.txt"), "2\r\n");
    std::filesystem::remove_all("ctry.txt");

    // Both folders hold a file: the one written later is the user's last choice,
    // so an installer's file older than the state folder's does not come back.
    const auto now = std::filesystem::file_time_type::clock::now();
    file(nationFile, "1\r\n");
    std::filesystem::last_write_time(nationFile, now - std::chrono::hours(24));
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(nation, 2);
    std::filesystem::last_write_time("state/tovmir/ctry.txt", now - std::chrono::hours(48));
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(nation, 1);
    Form_QueryUnload(true);  // the run folder writable: its file, and the state folder's gone
    EXPECT_EQ(read(nationFile), "1\r\n");
    EXPECT_FALSE(std::filesystem::exists("state/tovmir/ctry.txt"));

    // Without XDG_STATE_HOME, or with a relative one, in ~/.local/state.
    std::filesystem::create_directories("ctry.txt.d/x");
    std::filesystem::remove(nationFile);
    std::filesystem::rename("ctry.txt.d", nationFile);
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    ::setenv("HOME", (dir / "home").c_str(), 1);
    ::setenv("XDG_STATE_HOME", "state", 1);
    nation = 3;
    Form_QueryUnload(true);
    EXPECT_EQ(read("home/.local/state/tovmir/ctry.txt"), "3\r\n");
    nation = 0;
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(nation, 3);

    // Neither folder can be written: the window closes, the calculator with it,
    // and the user is told where the file could not go, and why.
    std::ofstream(dir / "home" / "fil") << "x";
    ::setenv("XDG_STATE_HOME", (dir / "home" / "fil").c_str(), 1);
    openCalculator();
    Form_QueryUnload(true);
    EXPECT_FALSE(calculatorOpen());
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].title, "Felrapport");
    EXPECT_EQ(shownMessages[0].text, "Landet som visas kan inte sparas till nästa start: filen ctry.txt kan varken "
                                     "skrivas i " + dir.string() + " (en mapp har filens namn) eller i " +
                                         (dir / "home/fil/tovmir").string() + " (mappen finns inte).");
    ::unsetenv("XDG_STATE_HOME");
    ::unsetenv("HOME");
    Form_QueryUnload(true);
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_NE(shownMessages[1].text.find("varken XDG_STATE_HOME eller HOME är satt"), std::string::npos);
    if (!home.empty()) ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
}

TEST_F(MainWindow, EnterTakesOnlyACompleteDateWithinTheNationsYears) {
    ASSERT_TRUE(Form_Load());
    struct Case { int16_t nation; const char* text; bool taken; int16_t year, month; uint32_t colour; };
    const Case cases[] = {
        {0, "1999-03", true, 1999, 3, fieldYellow},  {0, "1199-03", false, 0, 0, fieldYellow},
        {6, "1199-03", true, 1199, 3, fieldYellow},  {5, "0099-03", true, 99, 3, fieldYellow},
        {5, "99-03", false, 0, 0, fieldYellow},      {0, "1999-3", false, 0, 0, fieldYellow},
        {0, "1999-03x", false, 0, 0, fieldRed},      {0, "1999/03", true, 1999, 3, fieldYellow},
        {0, "1999-3x", true, 1999, 3, fieldYellow},  {0, "2101-01", false, 0, 0, fieldYellow},
        {0, "9e99-01", false, 0, 0, fieldYellow},    {0, "2024-13", false, 0, 0, fieldYellow},
    };
    for (const auto& c : cases) {
        nation = c.nation;
        loadedYear = 0;
        curYear = 2000, curMonth = 6;
        writeDateField(c.text);
        enter();
        EXPECT_EQ(curYear, c.taken ? c.year : 2000) << c.nation << ' ' << c.text;
        EXPECT_EQ(curMonth, c.taken ? c.month : 6) << c.text;
        EXPECT_EQ(readDateField(), c.text);  // left as typed
        EXPECT_EQ(txtIndateBackground, c.colour) << c.text;
        if (c.taken) {
            EXPECT_EQ(labelCaptions["lblYear"], signPlace(c.year)) << c.text;
        }
    }
    // A hyphen turns the field red, the next digit yellow again.
    writeDateField("");
    type("2024-");
    EXPECT_EQ(txtIndateBackground, fieldRed);
    type("0");
    EXPECT_EQ(txtIndateBackground, fieldYellow);
}

TEST_F(MainWindow, SteppingKeysStayWithinTheNationsYears) {
    ASSERT_TRUE(Form_Load());
    struct Case { int16_t nation, year, month; int key; const char* field; };
    const Case cases[] = {
        {0, 2100, 12, keyRight, "2100-01"}, {0, 1200, 1, keyLeft, "1200-12"}, {0, 1250, 5, keyEnd, "1200-05"},
        {0, 2050, 5, keyHome, "2100-05"},   {5, 1, 5, keyPageUp, "0011-05"},  {6, 50, 5, keyEnd, "0001-05"},
        {0, 2024, 5, keyUp, "2025-05"},     {0, 2024, 5, keyDown, "2023-05"}, {0, 2024, 5, keyPageDown, "2014-05"},
        {0, 2024, 12, keyRight, "2025-01"}, {7, 5, 5, keyEnd, "-0095-05"},
    };
    for (const auto& c : cases) {
        nation = c.nation;
        loadedYear = 0;
        curYear = c.year, curMonth = c.month;
        txtIndateBackground = fieldRed;
        txtIndate_KeyUp(c.key);
        EXPECT_EQ(readDateField(), c.field) << c.nation << ' ' << c.year << '-' << c.month << " key " << c.key;
        EXPECT_EQ(txtIndateBackground, fieldYellow);
    }
    // A digit or Enter released changes nothing.
    nation = 0;
    writeDateField("typed");
    txtIndate_KeyUp('5');
    txtIndate_KeyUp(13);
    EXPECT_EQ(readDateField(), "typed");
    // Codes from 7 stop at the 16-bit edge instead of failing.
    nation = 7;
    curYear = -32760;
    EXPECT_NO_THROW(txtIndate_KeyUp(keyEnd));
}

TEST_F(MainWindow, TheFlagCyclesTheFourNations) {
    ASSERT_TRUE(Form_Load());
    // Codes outside 0 to 3 step into the cycle; a code below 0 climbs towards 0.
    for (const auto& [from, to] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 0}, {5, 2}, {-1, 0}}) {
        nation = static_cast<int16_t>(from);
        picFlg_Click();
        EXPECT_EQ(nation, to) << from;
    }
    EXPECT_EQ(mainCaption, "Sverige");

    curMonth = 5;
    writeDateField("1100-05");  // typed, no Enter
    picFlg_Click();
    EXPECT_EQ(curYear, 1200);
    EXPECT_EQ(readDateField(), "1200-05");
    writeDateField("2500-05");
    picFlg_Click();
    EXPECT_EQ(curYear, 2500);
    EXPECT_EQ(readDateField(), "2500-05");
    openCalculator();
    picFlg_Click();
    EXPECT_FALSE(calculatorOpen());
    // A year that does not fit 16 bits: the field goes back to the month shown.
    writeDateField("9e99-05");
    EXPECT_NO_THROW(picFlg_Click());
    EXPECT_EQ(readDateField(), "2500-05");
    const int focus = dateFieldFocusCount;
    picFlg_Click();
    EXPECT_EQ(dateFieldFocusCount, focus + 1);

    // A nation whose flag cannot be shown changes nothing: the nation, its
    // caption, flag and days stay, and so does what the close saves.
    static bool flagFails = false;
    installMainWindowOps({[](const std::string& f) {
                              if (flagFails) throw DataError("flaggbilden " + f + " finns inte");
                              flagPictureFile = f;
                          },
                          [](const std::string& c) { mainCaption = c; }});
    nation = 0;
    writeDateField("1945-05");
    enter();
    picFlg_Click();
    ASSERT_EQ(nation, 1);
    const std::string caption = mainCaption;
    flagFails = true;
    EXPECT_THROW(picFlg_Click(), DataError);
    flagFails = false;
    EXPECT_EQ(std::to_string(nation) + mainCaption + readDateField(), "1" + caption + "1945-05");
    Form_QueryUnload(true);
    EXPECT_EQ(read(nationFile), "1\r\n");
    installMainWindowOps({});
}

TEST_F(MainWindow, LatinToggleHelpAndCalculator) {
    auto t = fixture::baseTables();
    t["Rules"] += "1900\t2100\t0\test\t0\t12\t Påskdagen\n";
    t["RulesLatin"] += "1900\t2100\t0\test\t0\t12\t Pascha\n";
    build(t);
    todayYear = 2024, todayMonth = 3;
    ASSERT_TRUE(Form_Load());
    EXPECT_EQ(dayTable[91].dayText, " Påskdagen");
    picLatin_Click();
    EXPECT_EQ(dayTable[91].dayText, " Pascha");
    picLatin_Click();
    EXPECT_EQ(dayTable[91].dayText, " Påskdagen");
    writeDateField("1100-05");  // typed without Enter: listed as typed
    picLatin_Click();
    EXPECT_EQ(curYear, 1100);
    writeDateField("9e99-05");
    EXPECT_NO_THROW(picLatin_Click());

    shownMessages.clear();
    picHelp_Click();  // no viewer to start
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].title, "Hjälp");

    int opened = 0;
    MainWindowHooks hooks;
    hooks.openCalculator = [&] { ++opened; };
    hooks.calculatorOpen = [&] { return opened > 0; };
    installMainWindowHooks(hooks);
    picAge_Click();
    picAge_Click();  // already open: nothing
    EXPECT_EQ(opened, 1);
}

TEST_F(MainWindow, NotesOfTheShownMonth) {
    const std::string notes =
        "1700-01 1712-12 Svenska kalendern: en dag f\xf6re den julianska\r\n"
        "1712-02 1712-02 30 februari\r"
        "\r\n"
        "1753-02 1753-02 " + std::string(80, 'x') + "\r\n"
        "9999-12 9999-12 slut\r\n";
    const std::string first = fixedText("Svenska kalendern: en dag före den julianska", 60) + "\n";
    for (const auto& [year, month, text] : {std::tuple{1712, 2, first + fixedText("30 februari", 60) + "\n"},
                                            {1700, 1, first}, {1713, 1, std::string()}, {1753, 2, std::string(60, 'x') + "\n"}})
        EXPECT_EQ(windows1252ToUtf8(notesFor(notes, notesKey(year, month))), text) << year << '-' << month;
    EXPECT_THROW(notesFor("1700-01 1712-12 utan slutpost\r\n", notesKey(1800, 1)), std::runtime_error);
    EXPECT_EQ(notesFor("Z\r\n1700-01 1712-12 aldrig\r\n", notesKey(1700, 5)), "");  // a letter ends the reading
    EXPECT_EQ(windows1252ToUtf8("\x80\xe5\xe4\xf6"), "€åäö");

    nation = 1;  // HistFi.txt missing
    curYear = 1712, curMonth = 2;
    picNotis_Click();
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "Filerna HIST??.TXT måste finnas i det bibliotek där programmet startats.");
    EXPECT_EQ(shownMessages[0].title, "Felrapport");
    file("HistSe.txt", notes);
    nation = 0;
    picNotis_Click();
    EXPECT_EQ(shownMessages.back().title, "Historiska Notiser");
    EXPECT_NE(shownMessages.back().text.find("30 februari"), std::string::npos);
    // A month without notes says so, rather than showing an empty box.
    monthNames[1] = fixedText("Januari", 11);
    curYear = 1713, curMonth = 1;
    picNotis_Click();
    EXPECT_EQ(shownMessages.back().title, "Historiska Notiser");
    EXPECT_EQ(shownMessages.back().text, "Inga anteckningar för januari 1713.");
    // Each kind of damaged file is told in its own words.
    std::filesystem::create_directory("HistDk.txt");
    std::filesystem::remove("HistNo.txt");
    struct Damaged { int16_t nation; std::string text; const char* told; };
    const Damaged damaged[] = {
        {0, "1700-01 1712-12 utan slutpost\r\n", "HistSe.txt saknar sin avslutande post (9999-12 9999-12)."},
        {0, "", "HistSe.txt är tom."},
        {0, std::string("1700-01\0\x01\x02", 10), "HistSe.txt är ingen textfil (den innehåller binära data)."},
        {0, std::string(maxNotesBytes + 1, ' '), "HistSe.txt är större än 1024 kB och kan inte vara en anteckningsfil."},
        {2, "", "HistDk.txt är en mapp, inte en fil."},
    };
    curYear = 1800;
    for (const Damaged& d : damaged) {
        if (d.nation == 0) file("HistSe.txt", d.text);
        nation = d.nation;
        picNotis_Click();
        EXPECT_EQ(shownMessages.back().text, "Anteckningsfilen " + std::string(d.told)) << d.told;
        EXPECT_EQ(shownMessages.back().title, "Felrapport");
    }
    // A month with more notes than a screen holds: the first of them, and how
    // many more there are.
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "1800-01 1800-12 not\r\n";
    nation = 0;
    file("HistSe.txt", many + "9999-12 9999-12\r\n");
    picNotis_Click();
    const std::string& told = shownMessages.back().text;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), static_cast<long>(maxShownNotes) + 1);
    EXPECT_NE(told.find("... och " + std::to_string(20000 - maxShownNotes) + " rader till för månaden.\n"), std::string::npos);
    nation = 5;  // no notes: nothing at all
    const auto count = shownMessages.size();
    picNotis_Click();
    EXPECT_EQ(shownMessages.size(), count);
}
