// The criterion reader of the reference database. Property: a criterion either
// reads into comparisons or raises DataError (never another error, never a match
// on a misread text), and a criterion written back from what was read reads the
// same comparisons again.
#include <charconv>
#include <cmath>
#include <string>

#include "fuzz.h"
#include "refdata/engine.h"

using namespace tovmir;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<Comparison> read;
    try { read = parseCriterion(fuzz::text(data, size)); } catch (const DataError&) { return 0; }
    fuzz::require(!read.empty(), "a criterion read into no comparison");
    static const char* const opTexts[] = {"=", "<>", "<", "<=", ">", ">="};  // in the order of Comparison::Op
    std::string again;
    for (const auto& c : read) {
        fuzz::require(!c.column.empty(), "a comparison without a column");
        if (!again.empty()) again += " AND ";
        // A run of digits too long for a double reads as infinity: it matches
        // like one and cannot be written back as digits.
        if (!std::isfinite(c.value)) return 0;
        char number[400];
        const auto end = std::to_chars(number, number + sizeof number, c.value, std::chars_format::fixed).ptr;
        again.append("[").append(c.column).append("] ").append(opTexts[c.op]).append(" ").append(number, end);
    }
    const auto reread = fuzz::without<DataError>([&] { return parseCriterion(again); },
                                                 "a criterion written back from a read one does not read");
    fuzz::require(reread.size() == read.size(), "the written-back criterion has other comparisons");
    for (std::size_t i = 0; i < read.size(); ++i)
        fuzz::require(reread[i].column == read[i].column && reread[i].op == read[i].op &&
                          reread[i].value == read[i].value,
                      "the written-back criterion reads differently");
    return 0;
}
