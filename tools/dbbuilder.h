// The builder of Const.mdb: one tab-separated text file per table (data/FORMAT.md)
// compiled into the encrypted database, rows in the order of their lines.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tovmir::builder {

// A malformed line or file; what() is "<file>:<line>: <reason>".
struct BuildError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Column {
    std::string name;
    enum Type { text, integer, number } type;
};

// A field as read: empty means NULL in a number column.
struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;
};

// Reads one table file's text; fileName names the table and the errors.
Table parseTable(std::string_view text, const std::string& fileName);

// Compiles every *.tsv of dataDir (in name order) into the encrypted database at
// output, written beside it first and renamed into place, so a failed build never
// leaves a half-written database.
void buildDatabase(const std::filesystem::path& dataDir, const std::filesystem::path& output);

// The same, from tables already read (for the tests' small databases).
void writeDatabase(const std::vector<Table>& tables, const std::filesystem::path& output);

// A historical-notes file as kept in data/ (UTF-8, `#` lines for maintainers)
// made into the file the program reads: Windows-1252, CRLF, comments dropped.
// Refuses, with "<file>:<line>: <reason>", a record that is not
// "YYYY-MM YYYY-MM note" with a note of at most 60 characters, an end before its
// start, a start key out of order, a character the code page lacks, and a file
// whose last record is not the closing "9999-12 9999-12" (without it the program
// fails for every month after the last note).
std::string convertNotes(std::string_view text, const std::string& fileName);

}  // namespace tovmir::builder
