#include "dbbuilder.h"

#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <cstdint>
#include <set>
#include <sstream>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "refdata/engine.h"
#include "refdata/nationsettings.h"
#include "refdata/yeardata.h"

namespace tovmir::builder {

namespace {

// Up to 18 decimal digits and nothing else: 18 digits always fit 64 bits.
bool isDigits(std::string_view s) {
    return !s.empty() && s.size() <= 18 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One optional minus sign, before everything: "5.-2" and "--5" are not numbers.
bool isWhole(std::string_view s) {
    if (!s.empty() && s[0] == '-') s.remove_prefix(1);
    return isDigits(s);
}

bool isDecimal(std::string_view s) {
    if (!s.empty() && s[0] == '-') s.remove_prefix(1);
    const auto point = s.find('.');
    if (point == std::string_view::npos) return isDigits(s);
    return isDigits(s.substr(0, point)) && isDigits(s.substr(point + 1));
}

std::vector<std::string> splitTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0, n; i < s.size(); i += n)
        if ((n = utf8SequenceLength(s, i)) == 0) return false;
    return true;
}

std::string quotedName(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

void exec(sqlite3* db, const std::string& sql, const std::string& what) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string why = err ? err : sqlite3_errmsg(db);
        sqlite3_free(err);
        throw BuildError(what + ": " + why);
    }
}

// The line that starts at pos, without its LF or CR LF; pos moves past it. Both
// kinds of data file are read line by line the same way.
std::string_view nextLine(std::string_view text, std::size_t& pos) {
    const auto end = text.find('\n', pos);
    std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

Table parseTable(std::string_view text, const std::string& fileName) {
    Table table;
    table.name = std::filesystem::path(fileName).stem().string();
    if (table.name.empty()) throw BuildError(fileName + ": tabellen saknar namn");
    std::size_t lineNo = 0, pos = 0;
    bool header = false;
    std::size_t ruleColumn = SIZE_MAX;
    const auto fail = [&](const std::string& why) { return BuildError(fileName + ":" + std::to_string(lineNo) + ": " + why); };
    while (pos < text.size()) {
        std::string_view line = nextLine(text, pos);
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        if (!validUtf8(line)) throw fail("raden är inte giltig UTF-8");
        auto fields = splitTabs(line);
        if (!header) {
            std::set<std::string> seen;
            for (const auto& f : fields) {
                Column c;
                const auto colon = f.find(':');
                c.name = f.substr(0, colon);
                const std::string type = colon == std::string::npos ? "" : f.substr(colon + 1);
                if (type.empty()) c.type = Column::text;
                else if (type == "int") c.type = Column::integer;
                else if (type == "num") c.type = Column::number;
                else throw fail("okänd typ \"" + type + "\" för kolumnen " + c.name + " (int, num eller ingen)");
                if (c.name.empty() || c.name.find_first_of(" \"[]") != std::string::npos)
                    throw fail("ogiltigt kolumnnamn \"" + c.name + "\"");
                std::string lower = c.name;
                std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
                // Columns are found without regard to case, so two names differing only in case would clash.
                if (!seen.insert(lower).second) throw fail("kolumnen " + c.name + " finns två gånger");
                table.columns.push_back(c);
            }
            header = true;
            // A holiday rule table (its rows name days by a code, with dagNamn
            // for the day's text): every code must be one the loader applies.
            const auto column = [&](const char* name) {
                for (std::size_t i = 0; i < table.columns.size(); ++i)
                    if (table.columns[i].name == name) return i;
                return table.columns.size();
            };
            if (column("dagNamn") < table.columns.size()) ruleColumn = column("rule");
            continue;
        }
        if (fields.size() != table.columns.size())
            throw fail(std::to_string(fields.size()) + " fält, rubriken har " + std::to_string(table.columns.size()));
        if (ruleColumn < fields.size() && !knownRuleCode(fields[ruleColumn]))
            throw fail("okänd regelkod \"" + fields[ruleColumn] + "\" (fix, est, sun, wkd, fly, kyn, MB1 eller MB2, "
                       "med eller utan +, age eller ded)");
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const auto& c = table.columns[i];
            if (c.type == Column::text || fields[i].empty()) continue;
            if (c.type == Column::integer ? !isWhole(fields[i]) : !isDecimal(fields[i]))
                throw fail("\"" + fields[i] + "\" i kolumnen " + c.name + " är inget " +
                           (c.type == Column::integer ? "heltal" : "tal"));
        }
        table.rows.push_back(std::move(fields));
    }
    if (!header) throw fail("rubrikraden saknas");
    return table;
}

void writeDatabase(const std::vector<Table>& tables, const std::filesystem::path& output) {
    std::filesystem::path temporary = output;
    temporary += ".tmp";
    std::filesystem::remove(temporary);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const std::string why = db ? sqlite3_errmsg(db) : "okänt fel";
        sqlite3_close(db);
        throw BuildError(temporary.string() + ": " + why);
    }
    try {
        std::string password = referenceConnectString().substr(5);
        exec(db, "PRAGMA key = '" + password + "';", temporary.string());
        exec(db, cipherSettings, temporary.string());
        exec(db, "BEGIN;", temporary.string());
        for (const auto& t : tables) {
            std::string create = "CREATE TABLE " + quotedName(t.name) + " (", insert = "INSERT INTO " + quotedName(t.name) + " VALUES (";
            for (std::size_t i = 0; i < t.columns.size(); ++i) {
                const auto& c = t.columns[i];
                create += (i ? ", " : "") + quotedName(c.name) +
                          (c.type == Column::text ? " TEXT" : c.type == Column::integer ? " INTEGER" : " REAL");
                insert += i ? ", ?" : "?";
            }
            exec(db, create + ");", t.name);
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, (insert + ");").c_str(), -1, &stmt, nullptr) != SQLITE_OK)
                throw BuildError(t.name + ": " + sqlite3_errmsg(db));
            for (const auto& row : t.rows) {
                for (std::size_t i = 0; i < row.size(); ++i) {
                    const auto& c = t.columns[i];
                    const int at = static_cast<int>(i) + 1;
                    if (c.type == Column::text) sqlite3_bind_text(stmt, at, row[i].data(), static_cast<int>(row[i].size()), SQLITE_TRANSIENT);
                    else if (row[i].empty()) sqlite3_bind_null(stmt, at);
                    else if (c.type == Column::integer) sqlite3_bind_int64(stmt, at, std::stoll(row[i]));
                    else sqlite3_bind_double(stmt, at, std::stod(row[i]));
                }
                if (sqlite3_step(stmt) != SQLITE_DONE) {
                    const std::string why = sqlite3_errmsg(db);
                    sqlite3_finalize(stmt);
                    throw BuildError(t.name + ": " + why);
                }
                sqlite3_reset(stmt);
            }
            sqlite3_finalize(stmt);
        }
        exec(db, "COMMIT;", temporary.string());
    } catch (...) {
        sqlite3_close(db);
        std::filesystem::remove(temporary);
        throw;
    }
    sqlite3_close(db);
    std::filesystem::rename(temporary, output);
}

void buildDatabase(const std::filesystem::path& dataDir, const std::filesystem::path& output) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir))
        if (entry.is_regular_file() && entry.path().extension() == ".tsv") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<Table> tables;
    std::set<std::string> names;
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        if (!in) throw BuildError(f.string() + ": filen kan inte läsas");
        std::ostringstream text;
        text << in.rdbuf();
        tables.push_back(parseTable(text.str(), f.string()));
        std::string lower = tables.back().name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
        if (!names.insert(lower).second) throw BuildError(f.string() + ": tabellen " + tables.back().name + " finns redan");
    }
    writeDatabase(tables, output);
}

std::string convertNotes(std::string_view text, const std::string& fileName) {
    static const std::string closing = "9999-12 9999-12";
    std::string out, lastStart;
    std::size_t lineNo = 0, pos = 0;
    bool closed = false;
    const auto fail = [&](const std::string& why) { return BuildError(fileName + ":" + std::to_string(lineNo) + ": " + why); };
    const auto isKey = [](std::string_view k) {
        return k.size() == 7 && k[4] == '-' && std::all_of(k.begin(), k.begin() + 4, ::isdigit) && ::isdigit(k[5]) &&
               ::isdigit(k[6]) && std::string_view("01") <= k.substr(5) && k.substr(5) <= std::string_view("12");
    };
    while (pos < text.size()) {
        std::string_view line = nextLine(text, pos);
        ++lineNo;
        if (!line.empty() && line[0] == '#') continue;
        if (closed) throw fail("efter den avslutande posten " + closing + " får inget stå");
        if (!validUtf8(line)) throw fail("raden är inte giltig UTF-8");
        // Keys and separators are ASCII, so byte positions are character positions up to the note.
        const std::string_view start = line.substr(0, 7), last = line.size() > 8 ? line.substr(8, 7) : "";
        if (!isKey(start) || line.size() < 15 || line[7] != ' ' || !isKey(last) || (line.size() > 15 && line[15] != ' '))
            throw fail("posten ska vara \"ÅÅÅÅ-MM ÅÅÅÅ-MM notis\"");
        const std::string_view note = line.size() > 16 ? line.substr(16) : "";
        if (textLength(note) > 60) throw fail("notisen har " + std::to_string(textLength(note)) + " tecken, högst 60 visas");
        if (last < start) throw fail("spannet slutar före sin början");
        if (std::string(start) < lastStart) throw fail("startmånaden " + std::string(start) + " står efter " + lastStart);
        lastStart = start;
        try {
            out += utf8ToWindows1252(line) + "\r\n";
        } catch (const std::invalid_argument& e) {
            throw fail(e.what());
        }
        closed = line == closing;
    }
    if (!closed) throw fail("filen slutar utan den avslutande posten " + closing);
    return out;
}

}  // namespace tovmir::builder
