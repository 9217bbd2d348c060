#include "commands.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <istream>
#include <new>
#include <ostream>
#include <sstream>

#include "calculator/spans.h"
#include "calendar/daynumber.h"
#include "calendar/feasts.h"
#include "calendar/numbers.h"
#include "calendar/overflow.h"
#include "calendar/text.h"
#include "calendar/limits.h"
#include "calendar/state.h"
#include "calendar/weeks.h"
#include "refdata/churchdates.h"
#include "refdata/nationsettings.h"
#include "refdata/yeardata.h"
#include "monthtext.h"
#include "yeardays.h"
#include "monthview/viewdriver.h"

namespace tovmir::cli {

const std::vector<CommandInfo>& commandTable() {
    static const std::vector<CommandInfo> table = {
        {"daynumber", {"Y", "M", "D"}, "dagnumret för datumet"},
        {"date", {"J"}, "datumet för dagnumret, som Y M D"},
        {"week", {"J"}, "veckonumret för dagnumret"},
        {"valid", {"Y", "M", "D"}, "1 om datumet finns i nationens kalender, annars 0"},
        {"prevmonthlen", {"Y", "M"}, "antal dagar i månaden före månad M"},
        {"easter", {"Y"}, "dagnumret för påskdagen (0 utan påskregel)"},
        {"convert", {"Y", "M", "D"}, "samma dag i kalendern för --to, som Y M D"},
        {"year", {"Y"}, "årets dagar med färg och text ur Const.mdb, en rad per dag; utan värde innevarande år"},
        {"span", {"Y1", "M1", "D1", "Y2", "M2", "D2"}, "tiden från datum 1 till datum 2, som ÅR MÅNADER DAGAR"},
        {"add", {"Y", "M", "D", "YEARS", "MONTHS", "DAYS"}, "datumet tiden efter datumet, som Y M D"},
        {"sub", {"Y", "M", "D", "YEARS", "MONTHS", "DAYS"}, "datumet tiden före datumet, som Y M D"},
    };
    return table;
}

const CommandInfo* findCommand(std::string_view name) {
    for (const auto& c : commandTable())
        if (name == c.name) return &c;
    return nullptr;
}

Database openForCommand() { return openReferenceDatabase(); }

std::string errorText(const std::exception& e) {
    if (dynamic_cast<const InputError*>(&e) || dynamic_cast<const DataError*>(&e) ||
        dynamic_cast<const PhraseError*>(&e) || dynamic_cast<const ArithmeticOverflow*>(&e))
        return e.what();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return "minnet räcker inte";
    return std::string("ett oväntat fel inträffade (") + e.what() + ")";
}


namespace {

// Sign and decimal digits, nothing else. Digits past 19 would not fit int64, and
// none of those fit the calendar anyway, so they are refused by their count.
int64_t parseWhole(std::string_view text, std::string_view what, int64_t lo, int64_t hi, int bits) {
    std::string_view s = text;
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    bool allDigits = !s.empty();
    for (char c : s) allDigits = allDigits && c >= '0' && c <= '9';
    if (!allDigits) throw InputError(std::string(what) + " \"" + shownValue(text) + "\" är inget heltal");
    while (s.size() > 1 && s[0] == '0') s.remove_prefix(1);
    int64_t v = 0;
    bool fits = s.size() <= 18;
    if (fits) {
        for (char c : s) v = v * 10 + (c - '0');
        if (negative) v = -v;
        fits = v >= lo && v <= hi;
    }
    if (!fits)
        throw InputError(std::string(what) + " " + shownValue(text) + " ryms inte i " + std::to_string(bits) +
                         " bitar (" + std::to_string(lo) + " till " + std::to_string(hi) + ")");
    return v;
}

std::string ymd(int y, int m, int d) {
    return std::to_string(y) + " " + std::to_string(m) + " " + std::to_string(d);
}

std::string dateText(int16_t y, int16_t m, int16_t d) {
    return std::to_string(y) + "-" + format0x(m) + "-" + format0x(d);
}

// Years before 1 are refused by every command rather than counted: the calendar
// arithmetic divides with truncation, right only from year 1 on, and no almanac
// date lies before it.
constexpr const char* beforeYearOne = " (kalendern räknar från år 1)";

// weekNumber counts Sunday weeks up to weekNoChg, the nation's own last year of
// them (1973 in Finland), which the window has from the nation's settings. The
// terminal reads that one field of the same Titles row, so that both count by the
// same year; a code without a row of its own reads the row of 9, as the window does.
// A batch of week numbers reads the row once, not once a line: the year stays
// while the nation does (a reset of the calendar state clears it, and with it
// this memory).
void loadWeekRule(int16_t forNation) {
    static int16_t loadedFor = -1;
    if (weekNoChg != 0 && nation == forNation && loadedFor == forNation) return;
    loadedFor = -1;
    nation = forNation;
    Database db = openForCommand();
    Recordset titles = openRecordset(db, "Titles");
    findNationRow(titles);
    if (noMatch(titles)) throw DataError("tabellen Titles har ingen rad för nation " + std::to_string(forNation));
    weekNoChg = readInt16Field(titles, "weekNoChg");
    loadedFor = forNation;
}

const char* valueName(std::string_view argName) {
    if (argName == "Y" || argName == "Y1" || argName == "Y2") return "året";
    if (argName == "M" || argName == "M1" || argName == "M2") return "månaden";
    if (argName == "D" || argName == "D1" || argName == "D2") return "dagen";
    if (argName == "YEARS") return "antalet år";
    if (argName == "MONTHS") return "antalet månader";
    if (argName == "DAYS") return "antalet dagar";
    return "dagnumret";
}

}  // namespace

int16_t parse16(std::string_view text, std::string_view what) {
    return static_cast<int16_t>(parseWhole(text, what, min16, max16, 16));
}

int32_t parse32(std::string_view text, std::string_view what) {
    return static_cast<int32_t>(parseWhole(text, what, min32, max32, 32));
}

std::string yearListing(int16_t year, const Options& opt) {
    std::string out;
    int64_t index = 0;
    forEachDay({year, year}, opt, [&](const ListedDay& d) {
        if (index > 0) out += '\n';
        out += std::to_string(++index) + '\t' + isoDate(d.year, d.month, d.day) + '\t' + std::to_string(d.color) + '\t' +
               *d.text;
    });
    return out;
}

YearMonth parseYearMonth(std::string_view text, int16_t forNation) {
    const auto dash = text.find('-', text.empty() ? 0 : 1);
    if (dash == std::string_view::npos) throw InputError("\"" + shownValue(text) + "\" är ingen månad (ÅÅÅÅ-MM)");
    const int16_t year = parse16(text.substr(0, dash), "året");
    const std::string_view monthText = text.substr(dash + 1);
    if (monthText.empty() || monthText[0] == '-' || monthText[0] == '+')
        throw InputError("\"" + shownValue(text) + "\" är ingen månad (ÅÅÅÅ-MM)");
    const int16_t month = parse16(monthText, "månaden");
    if (month < 1 || month > 12) throw InputError("månaden " + std::to_string(month) + " finns inte (1 till 12)");
    const int16_t first = firstEnteredYear(forNation);
    if (year < first || year > lastShownYear)
        throw InputError("året " + std::to_string(year) + " ligger utanför kalendern för nation " +
                         std::to_string(forNation) + " (" + std::to_string(first) + " till " +
                         std::to_string(lastShownYear) + ")");
    return {year, month};
}

YearMonth currentMonth() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {to16(local.tm_year + 1900), to16(local.tm_mon + 1)};
}


// About a megabyte: few enough pieces for the largest output, small enough that
// a new piece is a small allocation.
constexpr std::size_t heldPieceSize = std::size_t{1} << 20;

void hold(HeldOutput& held, std::string_view text) {
    if (held.empty() || held.back().size() + text.size() > heldPieceSize) {
        held.emplace_back();
        held.back().reserve(std::max(heldPieceSize, text.size()));
    }
    held.back().append(text);
}

void release(std::ostream& out, const HeldOutput& held) {
    for (const auto& piece : held) out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
}

void writeMonthListing(std::ostream& out, std::string_view from, std::string_view to, const Options& opt, bool ops,
                       bool color) {
    const YearMonth first = parseYearMonth(from, opt.nation), last = parseYearMonth(to, opt.nation);
    if (last.year * 12 + last.month < first.year * 12 + first.month)
        throw InputError(shownValue(to) + " ligger före " + shownValue(from));
    const Database command = openForCommand();
    nation = opt.nation;
    latinNames = opt.latin;
    loadedYear = 0;
    curYear = first.year;
    curMonth = first.month;
    loadNationSettings();
    HeldOutput held;
    for (int y = first.year, m = first.month; y * 12 + m <= last.year * 12 + last.month; m == 12 ? (m = 1, ++y) : ++m) {
        showMonth(static_cast<int16_t>(y), static_cast<int16_t>(m));
        if (y != first.year || m != first.month) hold(held, "\n");
        hold(held, ops ? monthOps() : monthText(color));
    }
    release(out, held);
}

std::string monthListing(std::string_view from, std::string_view to, const Options& opt, bool ops, bool color) {
    std::ostringstream out;
    writeMonthListing(out, from, to, opt, ops, color);
    return std::move(out).str();
}

namespace {

// The date calculator's press, on fields filled as a user of the window would
// fill them: the same choice, computation and refusal texts, and the computed
// group's fields as the answer.
std::string calculation(std::string_view name, const std::array<int16_t, 6>& v, const Options& opt) {
    nation = opt.nation;
    // The values where the calculator's fields would hold them: date 1, the span, date 2.
    static constexpr int spanFields[] = {0, 1, 2, 6, 7, 8}, addFields[] = {0, 1, 2, 3, 4, 5},
                         subFields[] = {6, 7, 8, 3, 4, 5};
    const int* at = name == "span" ? spanFields : name == "add" ? addFields : subFields;
    std::string fields[9];
    for (std::size_t i = 0; i < 6; ++i) fields[at[i]] = std::to_string(v[i]);
    const SpanOutcome o = computePress(fields);
    if (!o.refusal.empty()) {
        std::string text = o.refusal;
        for (char& c : text)
            if (c == '\n') c = ' ';  // one output line per input line
        throw InputError(text);
    }
    if (o.group == 0)
        throw InputError("inget att beräkna: årtalet 0 räknas som ett tomt fält, och tiden får inte vara bara nollor");
    if (name != "span" && o.values[0] < firstCountedYear)
        throw InputError("datumet hamnar före år 1" + std::string(beforeYearOne));
    return std::to_string(o.values[0]) + ' ' + std::to_string(o.values[1]) + ' ' + std::to_string(o.values[2]);
}

}  // namespace

std::string runCommand(const CommandInfo& cmd, const std::vector<std::string>& args, const Options& opt,
                       std::string* warning) {
    if (args.size() != cmd.argNames.size())
        throw InputError("väntade " + std::to_string(cmd.argNames.size()) + " värden, fick " +
                         std::to_string(args.size()));
    const std::string_view name = cmd.name;
    if (name == "date" || name == "week") {
        const int32_t j = parse32(args[0], valueName("J"));
        // weekNumber answers for the current nation; in the terminal that is the
        // nation of the command line.
        if (j < dateToDayNumber(firstCountedYear, 1, 1, opt.nation))
            throw InputError("dagnumret " + std::to_string(j) + " ligger före år 1 i kalendern för nation " +
                             std::to_string(opt.nation) + beforeYearOne);
        if (name == "week") {
            loadWeekRule(opt.nation);
            return std::to_string(weekNumber(j));
        }
        dayNumberToDate(j, opt.nation);
        return ymd(calYear, calMonth, calDay);
    }
    // At most six values (span, add, sub); a batch line costs no allocation here.
    std::array<int16_t, 6> v{};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = cmd.argNames[i];
        v[i] = parse16(args[i], valueName(arg));
        if ((arg == "Y" || arg == "Y1" || arg == "Y2") && v[i] < firstCountedYear)
            throw InputError("året " + std::to_string(v[i]) + " finns inte" + beforeYearOne);
    }
    if (name == "prevmonthlen" && (v[1] < 1 || v[1] > 12))
        throw InputError("månaden " + std::to_string(v[1]) + " finns inte (1 till 12)");
    if (name == "daynumber") {
        const int32_t j = dateToDayNumber(v[0], v[1], v[2], opt.nation);
        if (warning && !isValidDate(v[0], v[1], v[2], opt.nation))
            *warning = "datumet " + dateText(v[0], v[1], v[2]) + " finns inte i kalendern för nation " +
                       std::to_string(opt.nation) + "; dagnumret är räknat ändå";
        return std::to_string(j);
    }
    if (name == "valid") return isValidDate(v[0], v[1], v[2], opt.nation) ? "1" : "0";
    if (name == "prevmonthlen") return std::to_string(prevMonthLength(v[0], v[1], opt.nation));
    if (name == "easter") return std::to_string(easterDayNumber(v[0], opt.nation));
    // Only the years the month view shows have their data (1200 to 2100 for the
    // Nordic codes); past them a year would list every day with no holiday at all.
    if (name == "year") return yearListing(parseYearRange(args[0], {}, opt.nation).from, opt);
    if (name == "span" || name == "add" || name == "sub") return calculation(name, v, opt);
    // convert: only a date that exists in the source calendar names a day at all.
    if (!isValidDate(v[0], v[1], v[2], opt.from))
        throw InputError("datumet " + dateText(v[0], v[1], v[2]) + " finns inte i kalendern för nation " +
                         std::to_string(opt.from));
    dayNumberToDate(dateToDayNumber(v[0], v[1], v[2], opt.from), opt.to);
    if (calYear < firstCountedYear) throw InputError("datumet hamnar före år 1 i kalendern för nation " + std::to_string(opt.to) + beforeYearOne);
    return ymd(calYear, calMonth, calDay);
}

void splitLine(std::string_view line, std::vector<std::string>& out) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t n = 0, i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i == start) continue;
        // The strings of the last line are reused, so their buffers too.
        if (n < out.size()) out[n].assign(line.substr(start, i - start));
        else out.emplace_back(line.substr(start, i - start));
        ++n;
    }
    out.resize(n);
}

std::vector<std::string> splitLine(std::string_view line) {
    std::vector<std::string> out;
    splitLine(line, out);
    return out;
}

int runBatch(const CommandInfo& cmd, const Options& opt, std::istream& in, std::ostream& out,
             std::ostream& err) {
    int status = 0;
    std::string line;
    std::vector<std::string> args;
    long lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::string warning;
        try {
            if (line.size() > maxLineLength)
                throw InputError("raden är för lång (mer än " + std::to_string(maxLineLength) + " tecken)");
            splitLine(line, args);
            if (args.empty()) throw InputError("tom rad");
            out << runCommand(cmd, args, opt, &warning) << '\n';
            if (!warning.empty()) err << "varning: rad " << lineNo << ": " << warning << '\n';
        } catch (const std::exception& e) {
            // InputError and the overflow error alike: the line fails, the batch goes on.
            out << "fel: " << errorText(e) << '\n';
            status = 1;
        }
    }
    return status;
}

}  // namespace tovmir::cli
