// The terminal front end's reading of values and batch lines, on the commands that
// need no reference data. The first byte picks the command, the second the nation;
// the rest is the batch text. Properties: one output line per input line; every
// answer is whole numbers within the widths the calendar keeps them in (no wrapped
// number is ever printed); a day number given back as a date names the same day;
// and the strict value reader takes exactly the whole numbers that fit.
#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>

#include "calendar/daynumber.h"
#include "calendar/numbers.h"
#include "cli/commands.h"
#include "fuzz.h"
#include "calendar/overflow.h"

using namespace tovmir;

namespace {

const char* const commands[] = {"daynumber", "date", "week", "valid", "prevmonthlen",
                                "easter", "convert", "span", "add", "sub"};

bool wholeWithin(std::string_view s, int64_t lo, int64_t hi, int64_t* out = nullptr) {
    int64_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || v < lo || v > hi) return false;
    if (out) *out = v;
    return true;
}

// The strict reader against a plain reading of its own rule.
void checkStrictReader(std::string_view value) {
    int64_t v = 0;
    const bool fits = fuzz::plainWhole(value, 18, false, v) && v >= min16 && v <= max16;
    try {
        const int16_t got = cli::parse16(value, "värdet");
        fuzz::require(fits && got == v, "parse16 took a value it should refuse");
    } catch (const cli::InputError&) {
        fuzz::require(!fits, "parse16 refused a whole number that fits");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view name = commands[data[0] % std::size(commands)];
    cli::Options opt;
    opt.nation = static_cast<int8_t>(data[1]);  // the table's codes and many outside it
    opt.from = opt.nation, opt.to = static_cast<int16_t>((opt.nation + 1) % 10);
    const std::string batch(fuzz::text(data + 2, size - 2));

    for (const auto& v : cli::splitLine(batch.substr(0, batch.find('\n')))) checkStrictReader(v);

    std::istringstream in(batch);
    std::ostringstream out, err;
    const int status = cli::runBatch(*cli::findCommand(name), opt, in, out, err);
    fuzz::require(status == 0 || status == 1, "a batch status other than 0 and 1");

    const std::size_t inputLines =
        std::count(batch.begin(), batch.end(), '\n') + !(batch.empty() || batch.ends_with('\n'));
    std::istringstream answers(out.str()), lines(batch);
    std::string answer, line;
    std::size_t outputLines = 0;
    while (std::getline(answers, answer)) {
        ++outputLines;
        std::getline(lines, line);
        if (answer.starts_with("fel: ")) continue;
        const auto fields = cli::splitLine(answer);
        const bool three = name == "date" || name == "convert" || name == "span" || name == "add" || name == "sub";
        fuzz::require(fields.size() == (three ? 3u : 1u), "an answer with the wrong number of values");
        const bool wide = name == "daynumber" || name == "easter";
        for (const auto& f : fields)
            fuzz::require(wholeWithin(f, wide ? min32 : min16, wide ? max32 : max16), "an answer outside its width");
        if (name == "date") {
            // The date printed for a day number is that day: counted back it gives the
            // number, or overflows. Before year 1 the calendar's divisions truncate toward
            // zero, so the count back is not exact, and such dates are called invalid.
            int64_t ymd[3] = {}, j = 0;
            for (int i = 0; i < 3; ++i) wholeWithin(fields[i], min16, max16, &ymd[i]);
            const auto values = cli::splitLine(line);
            const std::string_view given = std::string_view(values[0]).substr(values[0].starts_with('+'));
            fuzz::require(wholeWithin(given, min32, max32, &j), "date answered a bad day number");
            if (ymd[0] < 1) continue;
            try {
                fuzz::require(dateToDayNumber(int16_t(ymd[0]), int16_t(ymd[1]), int16_t(ymd[2]), opt.nation) == j,
                              "the date of a day number names another day");
            } catch (const ArithmeticOverflow&) {
            }
        }
    }
    fuzz::require(outputLines == inputLines, "not one answer per input line");
    return 0;
}
