// The data-table reader of the builder, which every file of data/ goes through.
// Property: a text is refused with a BuildError naming the file and line, or read
// into a table whose every row has one field per column and whose number fields
// are empty or plain numbers of their type.
#include <string>

#include "fuzz.h"
#include "tools/dbbuilder.h"

using namespace tovmir;

namespace {

// An optional minus, then digits with at most one decimal point if the column allows one.
bool plainNumber(const std::string& f, bool decimal) {
    const std::string_view d = std::string_view(f).substr(f.starts_with('-'));
    const std::size_t point = decimal ? d.find('.') : d.npos;
    return d.find_first_not_of("0123456789.") == d.npos && d.find_first_of("0123456789") != d.npos &&
           d.find('.', point == d.npos ? 0 : point + 1) == d.npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    builder::Table t;
    try {
        t = builder::parseTable(fuzz::text(data, size), "Fuzz.tsv");
    } catch (const builder::BuildError& e) {
        fuzz::require(std::string(e.what()).starts_with("Fuzz.tsv:"), "a refusal that names no file and line");
        return 0;
    }
    fuzz::require(t.name == "Fuzz", "the table is not named after its file");
    fuzz::require(!t.columns.empty(), "a table without columns");
    for (const auto& row : t.rows) {
        fuzz::require(row.size() == t.columns.size(), "a row with another number of fields than columns");
        for (std::size_t c = 0; c < row.size(); ++c)
            if (t.columns[c].type != builder::Column::text)
                fuzz::require(row[c].empty() || plainNumber(row[c], t.columns[c].type == builder::Column::number),
                              "a number field that is not a number");
    }
    return 0;
}
