#include "refdata/engine.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "refdata_fixture.h"

using namespace tovmir;

namespace {

class Engine : public fixture::WorkingFolder {};

template <class Error = DataError>
std::string errorOf(const std::function<void()>& f) {
    try { f(); } catch (const Error& e) { return e.what(); }
    return "(inget fel)";
}

// Dates the file's modification back a minute: the run trusts its marks only for a file left alone a while.
void ageFile(const char* name) {
    std::filesystem::last_write_time(name, std::filesystem::last_write_time(name) - std::chrono::minutes(1));
}

std::string firstTitle() {
    Database db = openReferenceDatabase();
    return readTextField(openRecordset(db, "Titles"), "Title");
}

}  // namespace

// Each way a reference database can be missing, damaged or locked, and its message, naming the file by its full path.
TEST_F(Engine, EachDamageOfTheFileHasItsMessage) {
    build(fixture::baseTables());
    const std::string here = "databasen " + std::filesystem::current_path().string() + "/";
    std::filesystem::create_directory("Mapp.mdb");
    std::ofstream("Tom.mdb").close();
    std::ofstream("Skräp.mdb") << std::string(4096, 'x');
    std::filesystem::create_symlink("Borta.mdb", "Länk.mdb");  // a link left by an uninstalled package
    // Keyed as the reference database, and decrypting, but with no table.
    sqlite3* keyedEmpty = nullptr;
    ASSERT_EQ(sqlite3_open("Tabellös.mdb", &keyedEmpty), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(keyedEmpty, ("PRAGMA key = '" + referenceConnectString().substr(5) + "'; " + cipherSettings +
                                        " PRAGMA user_version = 1;").c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(keyedEmpty);
    const std::string key = referenceConnectString(), empty = " är tom: referensdata saknas",
                      locked = " är skadad eller ingen referensdatabas för Tovmir (den går inte att dekryptera)";
    struct Case { const char* file; std::string key, message; };
    const Case cases[] = {
        {"Saknas.mdb", key, here + "Saknas.mdb finns inte"}, {"./Länk.mdb", key, here + "Länk.mdb finns inte"},
        {"Const.mdb/x", key, here + "Const.mdb/x finns inte"}, {"Mapp.mdb", key, here + "Mapp.mdb är en mapp, inte en fil"},
        {"/dev/null", key, "databasen /dev/null är ingen vanlig fil"},
        {"Tom.mdb", key, here + "Tom.mdb" + empty}, {"Tabellös.mdb", key, here + "Tabellös.mdb" + empty},
        {"Skräp.mdb", key, here + "Skräp.mdb" + locked},
        // The password really locks the file: another key, or none, does not open it.
        {"Const.mdb", ";pwd=vortle", here + "Const.mdb" + locked}, {"Const.mdb", "", here + "Const.mdb" + locked},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf([&] { openDatabase(c.file, false, false, c.key); }), c.message) << c.file;
    EXPECT_FALSE(std::filesystem::exists("Saknas.mdb"));  // opening never creates the file
    // Not an SQLite file to anyone without the key: the header is ciphertext.
    char header[16] = {};
    std::ifstream("Const.mdb", std::ios::binary).read(header, sizeof header);
    EXPECT_NE(std::string(header, 15), "SQLite format 3");
    // A maintainer opens it in the stock shell with the lines data/FORMAT.md tells him to type.
    std::FILE* p = ::popen("printf \"PRAGMA key = '[vortle#';\\nPRAGMA kdf_iter = 1;\\nSELECT Title FROM Titles;\\n\" | "
                           "sqlcipher Const.mdb 2>&1", "r");
    ASSERT_NE(p, nullptr);
    char buf[256] = {};
    const std::string out(buf, std::fread(buf, 1, sizeof buf - 1, p));
    ::pclose(p);
    EXPECT_EQ(out.substr(0, 17), "Sverige\nNation 1\n");
    // Permissions bind everyone but root.
    if (::geteuid() != 0) {
        std::filesystem::permissions("Const.mdb", std::filesystem::perms::none);
        EXPECT_EQ(errorOf([] { openReferenceDatabase(); }), here + "Const.mdb får inte läsas: behörighet saknas");
        std::filesystem::permissions("Const.mdb", std::filesystem::perms::owner_all);
    }
}

// Tables keep their lines' order, find the first match; a bad read names table and column, a bad criterion itself.
TEST_F(Engine, TablesReadInOrderAndBadReadsNameTheirColumn) {
    auto t = fixture::baseTables();
    t["Order"] = "Nation:int\tname\n3\tc\n1\ta\n3\td\n-2\tb\n";
    t["Odd"] = "Nation:int\tsmall:num\tbig:int\tword\n0\t2.5\t40000\tord\n1\t3.5\t\tx\n";
    build(t);
    Database db = openReferenceDatabase();
    Recordset rs = openRecordset(db, "Order");
    const auto found = [&](const char* criterion) { findFirst(rs, criterion); return readTextField(rs, "NAME"); };
    EXPECT_EQ(readTextField(rs, "name"), "c");  // stands on the first row
    EXPECT_EQ(found("Nation =  3"), "c");
    EXPECT_FALSE(noMatch(rs));
    moveNext(rs);
    EXPECT_EQ(readTextField(rs, "name"), "a");
    EXPECT_EQ(found("nation=-2"), "b");
    findFirst(rs, "Nation > 1 AND Nation <> 3");
    EXPECT_TRUE(noMatch(rs) && eof(rs));
    EXPECT_NE(errorOf([&] { readTextField(rs, "name"); }).find("efter sista raden"), std::string::npos);
    EXPECT_EQ(found("Nation >= 1 and Nation < 3"), "a");
    moveNext(rs), moveNext(rs), moveNext(rs);
    EXPECT_TRUE(eof(rs));
    EXPECT_THROW(moveNext(rs), DataError);
    Recordset odd = openRecordset(db, "Odd");
    EXPECT_EQ(readInt16Field(odd, "small"), 2);  // halves to even
    const std::pair<std::function<void()>, const char*> badReads[] = {
        {[&] { readInt16Field(odd, "big"); }, "big i tabellen Odd"},
        {[&] { readInt16Field(odd, "word"); }, "word i tabellen Odd"},
        {[&] { readTextField(odd, "missing"); }, "missing finns inte i tabellen Odd"},
        {[&] { findFirst(odd, "word = 1"); }, "word i tabellen Odd"},
        {[&] { openRecordset(db, "Saknas"); }, "tabellen Saknas finns inte"},
        {[&] { moveNext(odd), readInt16Field(odd, "big"); }, "NULL"},
    };
    for (const auto& [read, why] : badReads) EXPECT_NE(errorOf(read).find(why), std::string::npos) << why;
    EXPECT_EQ(readInt16Field(odd, "small"), 4);
    findFirst(odd, "big > 0");  // a NULL meets no comparison
    EXPECT_EQ(readTextField(odd, "word"), "ord");
    struct Case { const char* text; std::size_t terms; double value; };
    const Case good[] = {
        {"Nation =  3", 1, 3}, {"bonyr =  1700", 1, 1700}, {"Nation = -3", 1, -3}, {"Nation = - 3", 1, -3},
        {"  Nation=0  ", 1, 0}, {"[Nation] <= 2.5", 1, 2.5}, {"a = 1 AND b <> 2 and c >= 3", 3, 1},
    };
    for (const auto& c : good) EXPECT_EQ(parseCriterion(c.text).size(), c.terms) << c.text;
    for (const auto& c : good) EXPECT_EQ(parseCriterion(c.text).at(0).value, c.value) << c.text;
    for (const char* bad : {"", "Nation", "Nation = ", "Nation == 3", "Nation = 3 OR Nation = 4", "Nation = 3 AND",
                            "Nation = 'Sverige'", "Nation = 3x", "Nation = 3ANDx = 1", "= 3", "Nation ! 3", "[Nation = 3"}) {
        const std::string why = errorOf([&] { parseCriterion(bad); });
        EXPECT_NE(why.find(std::string("\"") + bad + "\""), std::string::npos) << bad << ": " << why;
    }
}

// The run's store: a file rebuilt, changed or damaged in place reads as at a first open, even with its time put back.
TEST_F(Engine, TheRunsStoreSeesEveryChangeOfTheFile) {
    forgetStoredFiles();
    const auto rebuild = [this](const auto& tables) { build(tables), ageFile("Const.mdb"); };
    auto t = fixture::baseTables();
    rebuild(t);
    EXPECT_EQ(firstTitle(), "Sverige");
    EXPECT_EQ(firstTitle(), "Sverige");  // from the store
    t["Titles"] = "Nation:int\tFlag\tTitle\tlpDChg:int\tleapDayName\tweekNoChg:int\n0\tflag.xpm\tSvea\t2000\tS\t1972\n";
    rebuild(t);  // a new file of the same size
    EXPECT_EQ(firstTitle(), "Svea");
    // Damage one byte of the schema page after the salt, keep the size and the old times.
    std::fstream("Const.mdb", std::ios::in | std::ios::out | std::ios::binary).seekp(500).put('\x5a');
    ageFile("Const.mdb");
    const std::string afterDamage = errorOf([] { firstTitle(); });
    EXPECT_NE(afterDamage, "(inget fel)");
    forgetStoredFiles();  // a first open of the damaged file fails the same way
    EXPECT_EQ(errorOf([] { firstTitle(); }), afterDamage);
    // A wrong password is never served from the store.
    rebuild(fixture::baseTables());
    EXPECT_EQ(firstTitle(), "Sverige");
    EXPECT_THROW(openDatabase("Const.mdb", false, false, ";pwd=vortle"), DataError);
    // No connection outlives the loader's close: no descriptor refers to the file, though its tables stay in the store.
    const auto descriptorsOnFile = [] {
        return std::ranges::count_if(std::filesystem::directory_iterator("/proc/self/fd"), [](const auto& fd) {
            std::error_code ec;
            return std::filesystem::read_symlink(fd.path(), ec).filename() == "Const.mdb" && !ec;
        });
    };
    {
        Database db = openReferenceDatabase();
        Recordset rs = openRecordset(db, "Weekdays");  // not read yet: through a connection
        EXPECT_GT(descriptorsOnFile(), 0);
        closeDatabase(db);
        EXPECT_EQ(descriptorsOnFile(), 0);
    }
    forgetStoredFiles();
}

// The builder's tables (T.tsv) and notes files (HistSe.txt) refuse each malformed line, the message led by file:line.
TEST(DatabaseBuilder, RefusesMalformedLinesWithFileAndLine) {
    using namespace tovmir::builder;
    const std::string close = "9999-12 9999-12\n";
    const struct { std::string text, start; } cases[] = {
        // Too few fields, not a number, a sign not in front, unknown type, names equal but for case, no header, bad
        // UTF-8.
        {"a:int\tb\n1\tx\n2\n", "T.tsv:3:"}, {"# source\na:int\nx\n", "T.tsv:3:"}, {"a:num\n1.2.3\n", "T.tsv:2:"},
        {"a:num\n--5\n", "T.tsv:2:"}, {"a:num\n5.-2\n", "T.tsv:2:"}, {"a:date\n", "T.tsv:1:"}, {"a\tA\n", "T.tsv:1:"},
        {"# only a comment\n", "T.tsv:1:"}, {"a\n\xff\n", "T.tsv:2:"},
        {"1753-02 1753-03 a\n", "HistSe.txt:1: filen slutar utan"},
        {"1753-2 1753-03 a\n" + close, "HistSe.txt:1: posten ska vara"},
        {"1753-03 1753-02 a\n" + close, "HistSe.txt:1: spannet slutar"},
        {"1753-13 1753-13 a\n" + close, "HistSe.txt:1: posten ska vara"},
        {"1800-01 1800-01 a\n1753-02 1753-03 b\n" + close, "HistSe.txt:2: startmånaden 1753-02"},
        {"1753-02 1753-03 " + std::string(61, 'x') + "\n" + close, "HistSe.txt:1: notisen har 61 tecken"},
        {"1753-02 1753-03 Ω\n" + close, "HistSe.txt:1: tecknet Ω finns inte"},
        {close + "1753-02 1753-03 a\n", "HistSe.txt:2: efter den avslutande"},
    };
    for (const auto& c : cases) {
        const std::string file = c.start.substr(0, c.start.find(':')), why = errorOf<BuildError>([&] {
            file == "T.tsv" ? void(parseTable(c.text, file)) : void(convertNotes(c.text, file));
        });
        EXPECT_EQ(why.rfind(c.start, 0), 0u) << why << ": " << c.text;
    }
    const auto t = parseTable("# c\n\na:int\tb\r\n-1\t\n\n2\tx y\n", "dir/T.tsv");
    EXPECT_EQ(t.name, "T");
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[1][1], "x y");
    EXPECT_EQ(convertNotes("# källa\n1753-02 1753-03 Övergång – 17 feb\n" + close, "HistSe.txt"),
              "1753-02 1753-03 \xd6verg\xe5ng \x96 17 feb\r\n9999-12 9999-12\r\n");
    // Sixty characters with letters of two bytes each still fit.
    const std::string sixty = [] { std::string s; for (int i = 0; i < 60; ++i) s += "å"; return s; }();
    EXPECT_NO_THROW(convertNotes("1753-02 1753-03 " + sixty + "\n" + close, "HistSe.txt"));
}
