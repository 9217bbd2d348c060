// The database engine operations that the reference-data loaders use, over an
// encrypted SQLite database (SQLCipher): open a database with a connect string,
// open a table whole in table order, find the first row meeting a criterion,
// step through rows, read columns by name, close. Nothing is ever written.
//
// The loaders were designed for an engine whose tables keep their insertion order
// and whose column names ignore case; both are kept here: a table is read in rowid
// order (the order its rows were inserted) and columns are found case-insensitively.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3;

namespace tovmir {

// A failure of the reference data: a missing file or table or column, a wrong
// password, a read past the last row, a NULL or unconvertible value, a criterion
// that cannot be read, a day or colour outside its range. what() is the Swedish
// text shown to the user and names the file, table and column concerned.
struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The cipher settings of Const.mdb beside the key, for the program and the
// builder alike. The password is fixed in the program, so a costly key derivation
// would protect nothing and cost tens of milliseconds at the first open of every
// run, a large part of a terminal command; one iteration keeps it cheap. data/FORMAT.md gives the same
// line for opening the file by hand.
constexpr const char* cipherSettings = "PRAGMA kdf_iter = 1;";

// One stored cell: NULL, a whole number, a real number or a text.
using Value = std::variant<std::monostate, int64_t, double, std::string>;

struct SqliteClose {
    void operator()(sqlite3* db) const;
};

struct StoredFile;

// An open database: the run's store of the file's tables, opened and checked (or
// found unchanged) by openDatabase.
struct Database {
    std::shared_ptr<StoredFile> file;
    std::shared_ptr<sqlite3> connection;  // none until a table must be read from the file
    std::string fileName;
};

// A table's stored content: its column names and its rows in table order.
struct TableData {
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;
};

// A table read whole: the rows in table order and a current position. The
// position rows.size() is past the last row (EOF). The content is shared with the
// engine's store of what this run has read, and never changes under a reader.
struct Recordset {
    std::string table;
    std::shared_ptr<const TableData> data;
    std::size_t current = 0;
    bool noMatch = false;
};

// A comparison of a column with a number, one term of a criterion.
struct Comparison {
    std::string column;
    enum Op { eq, ne, lt, le, gt, ge } op;
    double value;
};

// Opens the database file (never creating it) with a connect string of the form
// ";pwd=<password>". Exclusive and read-only are accepted as the loaders pass them;
// the file is only ever read. Raises DataError when the file is missing, empty
// (no bytes, or no table at all) or the password does not open it.
//
// The loaders open the file for every event. Decrypting it each time (key set-up,
// page decryption, HMAC checks) was most of a month's cost, so the run keeps what
// it has read: every table read from the last file opened. The connection itself
// lives only until the loader closes the database, as the loaders' pattern wants.
// A later open with the same password finds the tables again as long as the file is
// the same file, unchanged: same device and inode, size, modification and change
// times, and the same 16-byte salt at its start (a file built anew gets a new
// salt even where the other marks repeat). Any difference drops the store and
// opens the file afresh, so a changed, replaced or damaged file reads and fails
// exactly as at its first open.
Database openDatabase(const std::string& fileName, bool exclusive, bool readOnly, std::string_view connect);
void closeDatabase(Database& db);

// Forgets what the run has read, closing the kept connection; the next open reads
// the file afresh. For tests that measure or compare a first open.
void forgetStoredFiles();

// The whole table, in table order, standing on its first row. Read from the file
// the first time the run asks for it, from the run's store after.
Recordset openRecordset(Database& db, const std::string& table);
void closeRecordset(Recordset& rs);

// Reads a criterion in the engine's filter syntax as the loaders build it:
// comparisons "column op number" joined by AND, with any blanks between the parts
// ("Nation =  3", "bonyr = -5", "Nation = 0 AND chgYr >= 1900"). Operators =, <>,
// <, <=, >, >=; AND in any case. Anything else raises DataError naming the
// criterion: a criterion that cannot be read must never match the wrong row.
std::vector<Comparison> parseCriterion(std::string_view criterion);

// Moves to the first row, in table order, that meets the criterion and clears
// noMatch; with no such row sets noMatch and moves past the last row, so a read
// that follows raises DataError instead of reading another row. A NULL never meets
// a comparison; a text where a number is compared raises DataError.
void findFirst(Recordset& rs, std::string_view criterion);
bool noMatch(const Recordset& rs);
void moveNext(Recordset& rs);
bool eof(const Recordset& rs);

// Reading a column of the current row by name. Each raises DataError, naming table
// and column, for a missing column, a position past the last row or a NULL.
//   readNumberField: a number column, as stored.
//   readInt16Field: a number rounded to 16 bits, halves to even; out of range is an error.
//   readTextField: a text (a number as its decimal text).
double readNumberField(const Recordset& rs, std::string_view column);
int16_t readInt16Field(const Recordset& rs, std::string_view column);
std::string readTextField(const Recordset& rs, std::string_view column);

}  // namespace tovmir
