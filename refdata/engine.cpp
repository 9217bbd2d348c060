#include "engine.h"

#include <openssl/crypto.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>

#include "calendar/numbers.h"
#include "calendar/overflow.h"

namespace tovmir {

void SqliteClose::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

namespace {

// What tells one state of a file from another without decrypting it. The salt
// is the first 16 bytes of an SQLCipher file, drawn at random when the file is
// built, so a file rebuilt within the same clock tick, in a reused inode and at
// the same size, still differs.
struct FileMarks {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};
    char salt[16] = {};
    bool operator==(const FileMarks& o) const {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec && std::memcmp(salt, o.salt, sizeof salt) == 0;
    }
};

// The marks of the file now; false where it cannot be read (the open then fails
// as it always has).
bool marksOf(const std::string& fileName, FileMarks& m) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    m.device = st.st_dev;
    m.inode = st.st_ino;
    m.size = st.st_size;
    m.modified = st.st_mtim;
    m.changed = st.st_ctim;
    std::ifstream in(fileName, std::ios::binary);
    return static_cast<bool>(in.read(m.salt, sizeof m.salt));
}

}  // namespace

// One file as this run has read it: each table read from it, and the
// connection while a loader has the database open (no connection outlives the
// event that opened it).
struct StoredFile {
    std::string fileName, password;
    FileMarks marks;
    timespec storedAt{};
    std::weak_ptr<sqlite3> connection;
    std::map<std::string, std::shared_ptr<const TableData>> tables;
};

namespace {

// The program reads one reference database; the store holds the last file
// opened, so a test that builds database after database keeps one at a time.
std::shared_ptr<StoredFile> storedFile;

const TableData noRows;

// File times tick with the kernel's coarse clock, some milliseconds apart, so a
// file written again within one tick of the first reading may keep every mark
// but the bytes. Marks are trusted only for a file left alone for a second
// before the store read it; a file that fresh is read anew at each open until it
// has aged.
bool settled(const StoredFile& f) {
    const auto ns = [](const timespec& t) { return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec; };
    const int64_t lastWrite = std::max(ns(f.marks.modified), ns(f.marks.changed));
    return ns(f.storedAt) - lastWrite > 1000000000;
}

const TableData& contentOf(const Recordset& rs) { return rs.data ? *rs.data : noRows; }

std::string quoted(std::string_view s, char q) {
    std::string out(1, q);
    for (char c : s) {
        out += c;
        if (c == q) out += q;
    }
    out += q;
    return out;
}

std::string sqliteMessage(sqlite3* db) { return db ? sqlite3_errmsg(db) : "okänt fel"; }

// A file named in a message by its full path: the program reads from its run
// folder, which the user need not know.
std::string shownPath(const std::string& fileName) {
    if (fileName.empty() || fileName[0] == '/') return fileName;
    char folder[4096];
    if (!::getcwd(folder, sizeof folder)) return fileName;  // a folder since removed, or a path too long
    std::string full = folder;
    if (full.back() != '/') full += '/';
    return full + (fileName.rfind("./", 0) == 0 ? fileName.substr(2) : fileName);
}

// What an empty reference database is called, whether the file has no bytes or
// decrypts to no tables: either way none of the reference data is there, and
// naming the first table asked for would send the user looking for one table.
constexpr const char* emptyReason = "är tom: referensdata saknas";

// Why the database file cannot be opened, in Swedish, for the common cases:
// missing (a dangling link too), not a file, no permission, empty (SQLite would
// take an empty file for an empty database and report a missing table). Empty
// where the file looks openable; the system's own text only in brackets.
std::string unopenableReason(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return "finns inte";
        if (errno == EACCES) return "kan inte nås: behörighet saknas till en mapp på vägen";
        return std::string("kan inte nås (") + std::strerror(errno) + ")";
    }
    if (S_ISDIR(st.st_mode)) return "är en mapp, inte en fil";
    if (!S_ISREG(st.st_mode)) return "är ingen vanlig fil";
    if (::access(fileName.c_str(), R_OK) != 0) return "får inte läsas: behörighet saknas";
    if (st.st_size == 0) return emptyReason;
    return "";
}

// Executes statements that return no rows we need; raises DataError with the context.
void exec(sqlite3* db, const std::string& sql, const std::string& context) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string why = err ? err : sqliteMessage(db);
        sqlite3_free(err);
        throw DataError(context + " (SQLite: " + why + ")");
    }
}

// Column names are ASCII, and most are asked for in the case they are stored in:
// the plain comparison first, then letter by letter without the locale, since a
// year's load asks some hundred thousand times.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::size_t columnIndex(const Recordset& rs, std::string_view column) {
    for (std::size_t i = 0; i < contentOf(rs).columns.size(); ++i)
        if (sameName(contentOf(rs).columns[i], column)) return i;
    throw DataError("kolumnen " + std::string(column) + " finns inte i tabellen " + rs.table);
}

const Value& currentValue(const Recordset& rs, std::string_view column) {
    const std::size_t col = columnIndex(rs, column);
    if (rs.current >= contentOf(rs).rows.size())
        throw DataError("tabellen " + rs.table + " har ingen aktuell rad (läsning av kolumnen " + std::string(column) +
                        " efter sista raden)");
    const Value& v = contentOf(rs).rows[rs.current][col];
    if (std::holds_alternative<std::monostate>(v))
        throw DataError("kolumnen " + std::string(column) + " i tabellen " + rs.table + " saknar värde (NULL) på rad " +
                        std::to_string(rs.current + 1));
    return v;
}

std::string numberText(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) return std::to_string(static_cast<int64_t>(d));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

// Opens the file, gives it the key and reads its schema, so that a file that does
// not decrypt fails here. The connection closes with its last holder.
std::shared_ptr<sqlite3> connectTo(const std::string& fileName, const std::string& password) {
    // libcrypto starts at the first key: without reading the system's OpenSSL
    // configuration (the file needs only the default algorithms) and without
    // a clean-up at exit (the process gives everything back as it ends). The
    // two were a fifth of a month listed in the terminal.
    static const bool cryptoStarted = OPENSSL_init_crypto(OPENSSL_INIT_NO_LOAD_CONFIG | OPENSSL_INIT_NO_ATEXIT, nullptr);
    (void)cryptoStarted;
    const std::string shown = shownPath(fileName);
    if (const std::string reason = unopenableReason(fileName); !reason.empty())
        throw DataError("databasen " + shown + " " + reason);
    sqlite3* raw = nullptr;
    // Without SQLITE_OPEN_CREATE a missing file is an error, not a new empty
    // database; read-write falls back to reading where the file is write-protected.
    const int rc = sqlite3_open_v2(fileName.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    std::shared_ptr<sqlite3> connection(raw, SqliteClose{});
    const std::string context = "databasen " + shown + " kan inte öppnas";
    if (rc != SQLITE_OK) throw DataError(context + " (SQLite: " + sqliteMessage(raw) + ")");
    exec(raw, "PRAGMA key = " + quoted(password, '\'') + ";", context);
    exec(raw, cipherSettings, context);
    // The key is only tried at the first read; read the schema now so that a file
    // that does not decrypt is reported as such and not as a missing table. The
    // cipher cannot tell a damaged first page from another key, and the program
    // always gives its own: so the file is damaged, or not the reference database.
    // A schema without a single table is a file keyed as the reference database
    // that holds none of it.
    sqlite3_stmt* stmt = nullptr;
    const bool read = sqlite3_prepare_v2(raw, "SELECT count(*) FROM sqlite_master;", -1, &stmt, nullptr) == SQLITE_OK &&
                      sqlite3_step(stmt) == SQLITE_ROW;
    const int64_t schemaRows = read ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    if (!read)
        throw DataError("databasen " + shown + " är skadad eller ingen referensdatabas för Tovmir (den går inte att dekryptera)");
    if (schemaRows == 0) throw DataError("databasen " + shown + " " + emptyReason);
    return connection;
}

// A whole table read through the connection, in table order; a table that fails
// half-way (a damaged page) raises DataError and is not kept.
std::shared_ptr<TableData> readTable(sqlite3* raw, const std::string& table, const std::string& fileName) {
    const auto damaged = [&](const std::string& why) {
        return DataError("tabellen " + table + " kan inte läsas: databasen " + shownPath(fileName) + " är skadad (SQLite: " +
                         why + ")");
    };
    sqlite3_stmt* stmt = nullptr;
    const std::string sql = "SELECT * FROM " + quoted(table, '"') + " ORDER BY rowid;";
    if (sqlite3_prepare_v2(raw, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string why = sqliteMessage(raw);
        sqlite3_finalize(stmt);
        if (why.rfind("no such table", 0) == 0)
            throw DataError("tabellen " + table + " finns inte i databasen " + shownPath(fileName));
        throw damaged(why);
    }
    auto content = std::make_shared<TableData>();
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i) content->columns.emplace_back(sqlite3_column_name(stmt, i));
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        auto& row = content->rows.emplace_back();
        row.reserve(n);
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
                case SQLITE_INTEGER: row.emplace_back(static_cast<int64_t>(sqlite3_column_int64(stmt, i))); break;
                case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(stmt, i)); break;
                case SQLITE_NULL: row.emplace_back(std::monostate{}); break;
                default: {
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                    row.emplace_back(std::string(text ? text : "", sqlite3_column_bytes(stmt, i)));
                }
            }
        }
    }
    sqlite3_finalize(stmt);
    // A table that failed half-way (a damaged page) is not kept: the next open
    // fails the same way.
    if (rc != SQLITE_DONE) throw damaged(sqliteMessage(raw));
    return content;
}

}  // namespace

Database openDatabase(const std::string& fileName, bool /*exclusive*/, bool /*readOnly*/, std::string_view connect) {
    // The password is the connect string's "pwd=" part, up to the next ';'.
    std::string password;
    const auto at = connect.find("pwd=");
    if (at != std::string_view::npos) {
        const auto rest = connect.substr(at + 4);
        password = std::string(rest.substr(0, rest.find(';')));
    }
    FileMarks marks;
    const bool marked = marksOf(fileName, marks);
    if (marked && storedFile && storedFile->fileName == fileName && storedFile->password == password &&
        storedFile->marks == marks && settled(*storedFile))
        return Database{storedFile, storedFile->connection.lock(), fileName};

    auto file = std::make_shared<StoredFile>();
    auto connection = connectTo(fileName, password);
    file->connection = connection;
    file->fileName = fileName;
    file->password = password;
    file->marks = marks;
    ::clock_gettime(CLOCK_REALTIME, &file->storedAt);
    // A file whose marks could not be read is never found again: each open of
    // it reads it anew.
    if (marked) storedFile = file;
    return Database{std::move(file), std::move(connection), fileName};
}

void closeDatabase(Database& db) {
    db.file.reset();
    db.connection.reset();
}

void forgetStoredFiles() { storedFile.reset(); }

Recordset openRecordset(Database& db, const std::string& table) {
    if (!db.file) throw DataError("tabellen " + table + " kan inte öppnas: databasen är stängd");
    Recordset rs;
    rs.table = table;
    if (const auto found = db.file->tables.find(table); found != db.file->tables.end()) {
        rs.data = found->second;
        return rs;
    }
    // A table not read yet in this run: through this event's connection, or one
    // another open of this event holds, or one opened now where the event found
    // everything else in the store.
    if (!db.connection) db.connection = db.file->connection.lock();
    if (!db.connection) {
        db.connection = connectTo(db.file->fileName, db.file->password);
        db.file->connection = db.connection;
    }
    sqlite3* raw = db.connection.get();
    auto content = readTable(raw, table, db.fileName);
    db.file->tables.emplace(table, content);
    rs.data = std::move(content);
    return rs;
}

void closeRecordset(Recordset& rs) {
    rs.data.reset();
    rs.current = 0;
}

std::vector<Comparison> parseCriterion(std::string_view criterion) {
    std::vector<Comparison> terms;
    std::size_t i = 0;
    const auto fail = [&](const std::string& why) -> DataError {
        return DataError("villkoret \"" + std::string(criterion) + "\" kan inte läsas: " + why);
    };
    const auto skipBlanks = [&] {
        while (i < criterion.size() && (criterion[i] == ' ' || criterion[i] == '\t')) ++i;
    };
    const auto isNameChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    for (;;) {
        skipBlanks();
        Comparison term{};
        if (i < criterion.size() && criterion[i] == '[') {
            const auto close = criterion.find(']', i);
            if (close == std::string_view::npos) throw fail("] saknas");
            term.column = std::string(criterion.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const std::size_t start = i;
            while (i < criterion.size() && isNameChar(criterion[i])) ++i;
            term.column = std::string(criterion.substr(start, i - start));
        }
        if (term.column.empty()) throw fail("kolumnnamn väntades");
        skipBlanks();
        const std::string_view rest = criterion.substr(i);
        if (rest.starts_with("<=")) term.op = Comparison::le, i += 2;
        else if (rest.starts_with(">=")) term.op = Comparison::ge, i += 2;
        else if (rest.starts_with("<>")) term.op = Comparison::ne, i += 2;
        else if (rest.starts_with("=")) term.op = Comparison::eq, i += 1;
        else if (rest.starts_with("<")) term.op = Comparison::lt, i += 1;
        else if (rest.starts_with(">")) term.op = Comparison::gt, i += 1;
        else throw fail("jämförelse (=, <>, <, <=, >, >=) väntades efter " + term.column);
        skipBlanks();
        std::string number;
        if (i < criterion.size() && (criterion[i] == '-' || criterion[i] == '+')) {
            number += criterion[i++];
            skipBlanks();
        }
        bool digits = false, point = false;
        while (i < criterion.size()) {
            const char c = criterion[i];
            if (c >= '0' && c <= '9') digits = true;
            else if (c == '.' && !point) point = true;
            else break;
            number += c;
            ++i;
        }
        if (!digits) throw fail("tal väntades efter " + term.column);
        term.value = std::strtod(number.c_str(), nullptr);
        terms.push_back(term);
        const std::size_t afterNumber = i;
        skipBlanks();
        if (i == criterion.size()) return terms;
        // Only AND joins terms, standing apart from the number before it and the
        // column after it.
        const std::size_t start = i;
        while (i < criterion.size() && isNameChar(criterion[i])) ++i;
        const bool blankAfter = i < criterion.size() && (criterion[i] == ' ' || criterion[i] == '\t');
        if (!sameName(criterion.substr(start, i - start), "AND") || start == afterNumber || !blankAfter)
            throw fail("oväntat \"" + std::string(criterion.substr(start)) + "\"");
    }
}

namespace {

bool meets(const Recordset& rs, const std::vector<std::size_t>& cols, const std::vector<Comparison>& terms,
           std::size_t row) {
    for (std::size_t t = 0; t < terms.size(); ++t) {
        const Value& v = contentOf(rs).rows[row][cols[t]];
        double x;
        if (std::holds_alternative<std::monostate>(v)) return false;
        if (const auto* i = std::get_if<int64_t>(&v)) x = static_cast<double>(*i);
        else if (const auto* d = std::get_if<double>(&v)) x = *d;
        else
            throw DataError("kolumnen " + contentOf(rs).columns[cols[t]] + " i tabellen " + rs.table +
                            " innehåller text och kan inte jämföras med ett tal");
        const double y = terms[t].value;
        bool ok = false;
        switch (terms[t].op) {
            case Comparison::eq: ok = x == y; break;
            case Comparison::ne: ok = x != y; break;
            case Comparison::lt: ok = x < y; break;
            case Comparison::le: ok = x <= y; break;
            case Comparison::gt: ok = x > y; break;
            case Comparison::ge: ok = x >= y; break;
        }
        if (!ok) return false;
    }
    return true;
}

}  // namespace

void findFirst(Recordset& rs, std::string_view criterion) {
    const auto terms = parseCriterion(criterion);
    std::vector<std::size_t> cols;
    for (const auto& t : terms) cols.push_back(columnIndex(rs, t.column));
    for (std::size_t row = 0; row < contentOf(rs).rows.size(); ++row) {
        if (meets(rs, cols, terms, row)) {
            rs.current = row;
            rs.noMatch = false;
            return;
        }
    }
    rs.current = contentOf(rs).rows.size();
    rs.noMatch = true;
}

bool noMatch(const Recordset& rs) { return rs.noMatch; }

void moveNext(Recordset& rs) {
    if (rs.current >= contentOf(rs).rows.size())
        throw DataError("tabellen " + rs.table + " har ingen rad efter den sista");
    ++rs.current;
}

bool eof(const Recordset& rs) { return rs.current >= contentOf(rs).rows.size(); }

double readNumberField(const Recordset& rs, std::string_view column) {
    const Value& v = currentValue(rs, column);
    if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    throw DataError("kolumnen " + std::string(column) + " i tabellen " + rs.table + " innehåller text, inte ett tal, på rad " +
                    std::to_string(rs.current + 1));
}

int16_t readInt16Field(const Recordset& rs, std::string_view column) {
    const double d = readNumberField(rs, column);
    try {
        return roundTo16(d);
    } catch (const ArithmeticOverflow&) {
        throw DataError("värdet " + numberText(d) + " i kolumnen " + std::string(column) + " i tabellen " + rs.table +
                        " ryms inte i 16 bitar (rad " + std::to_string(rs.current + 1) + ")");
    }
}

std::string readTextField(const Recordset& rs, std::string_view column) {
    const Value& v = currentValue(rs, column);
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    return numberText(std::get<double>(v));
}

}  // namespace tovmir
