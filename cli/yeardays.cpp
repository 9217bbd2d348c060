#include "yeardays.h"

#include <ctime>
#include <functional>
#include <ostream>
#include <vector>

#include "calendar/daynumber.h"
#include "calendar/nations.h"
#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/limits.h"
#include "calendar/state.h"
#include "monthview/viewdriver.h"
#include "refdata/nationsettings.h"
#include "refdata/windowops.h"
#include "monthview/surface.h"
#include "refdata/yeardata.h"
#include "refdata/churchdates.h"

namespace tovmir::cli {

namespace {

// The day's text without the blank it begins with and the blanks a fixed-width
// label (the leap day's) is filled with.
std::string_view bareText(const std::string& text) {
    std::string_view s = text;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A text value of iCalendar: backslash, semicolon and comma escaped, a line end
// written as \n.
std::string icsText(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == ';' || c == ',') out += '\\';
        if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

// A day's date as iCalendar writes it, YYYYMMDD, in the Gregorian calendar at
// every date, as RFC 5545 counts.
std::string icsDate(int32_t j) {
    dayNumberToDate(j, firstGregorianCode);
    return format000x(calYear) + format0x(calMonth) + format0x(calDay);
}

}  // namespace

std::string isoDate(int64_t y, int64_t m, int64_t d) { return dateFieldText(y, m) + "-" + format0x(d); }

namespace {

// A whole-range command's start: the nation and its names as the options choose,
// its settings loaded for the first year.
void startRange(YearRange years, const Options& opt) {
    nation = opt.nation;
    latinNames = opt.latin;
    curYear = years.from;
    curMonth = 1;
    loadedYear = 0;
    loadNationSettings();
}

}  // namespace

void forEachDay(YearRange years, const Options& opt, const std::function<void(const ListedDay&)>& visit) {
    const Database command = openForCommand();
    startRange(years, opt);
    for (int y = years.from; y <= years.to; ++y) {
        const int64_t days = loadWholeYear(static_cast<int16_t>(y));
        for (int64_t i = 1; i <= days; ++i) {
            const int32_t j = to32(yearDayZero + i);
            dayNumberToDate(j, nation);
            const DayRecord& r = dayTableAt(i);
            visit({j, calYear, calMonth, calDay, r.color, &r.dayText});
        }
    }
}

YearRange parseYearRange(std::string_view from, std::string_view to, int16_t forNation) {
    const int16_t first = firstEnteredYear(forNation);
    const auto year = [&](std::string_view text) {
        const int16_t y = parse16(text, "året");
        if (y < first || y > lastShownYear)
            throw InputError("året " + std::to_string(y) + " ligger utanför kalendern för nation " +
                             std::to_string(forNation) + " (" + std::to_string(first) + " till " +
                             std::to_string(lastShownYear) + ")");
        return y;
    };
    const YearRange r{year(from), to.empty() ? year(from) : year(to)};
    if (r.to < r.from) throw InputError("året " + std::to_string(r.to) + " ligger före " + std::to_string(r.from));
    return r;
}

FindResult writeFind(std::ostream& out, std::string_view search, YearRange years, const Options& opt) {
    const Database command = openForCommand();
    startRange(years, opt);
    FindResult result;
    try {
        result = findDays(search, years.from, years.to);
    } catch (const PhraseError& e) {
        throw InputError(e.what());
    }
    for (const auto& d : result.days)
        out << isoDate(d.year, d.month, d.day) << '\t' << d.weekday << '\t'
            << isoDate(d.otherYear, d.otherMonth, d.otherDay) << '\t' << d.text << '\n';
    return result;
}

void appendFolded(std::string& out, std::string_view line) {
    std::size_t used = 0;  // octets on the current line
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = utf8SequenceLength(line, i);
        if (n == 0) n = 1;
        if (used + n > 75) {
            out += "\r\n ";
            used = 1;
        }
        out.append(line.substr(i, n));
        used += n;
        i += n;
    }
    out += "\r\n";
}

std::string foldedLine(std::string_view line) {
    std::string out;
    appendFolded(out, line);
    return out;
}

void writeIcs(std::ostream& out, YearRange years, const Options& opt, bool names) {
    // Each event is gathered in one buffer and held whole (HeldOutput): the file
    // goes out only once END:VCALENDAR is reached.
    std::string buffer;
    HeldOutput held;
    const auto line = [&](std::string_view l) { appendFolded(buffer, l); };
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[20];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    bool headerWritten = false;
    const std::string suffix = "-n" + std::to_string(opt.nation) + (opt.latin ? "-latin" : "") + "@tovmir";
    // The header waits for the first day: the nation's settings, and with them the
    // calendar's name, are loaded by then.
    forEachDay(years, opt, [&](const ListedDay& d) {
        if (!headerWritten) {
            line("BEGIN:VCALENDAR");
            line("VERSION:2.0");
            line("PRODID:-//tovmir//tovmir-cli " TOVMIR_VERSION "//SV");
            line("CALSCALE:GREGORIAN");
            line("METHOD:PUBLISH");
            line("X-WR-CALNAME:" + icsText(mainCaption));
            hold(held, buffer);
            headerWritten = true;
        }
        if (d.text->empty() || (d.color == 0 && !names)) return;
        buffer.clear();
        const std::string start = icsDate(d.dayNumber), end = icsDate(d.dayNumber + 1);
        line("BEGIN:VEVENT");
        line("UID:" + start + suffix);
        line(std::string("DTSTAMP:") + stamp);
        line("DTSTART;VALUE=DATE:" + start);
        line("DTEND;VALUE=DATE:" + end);
        line("SUMMARY:" + icsText(bareText(*d.text)));
        // The day's own date, where it is not its Gregorian one.
        if (dateToDayNumber(d.year, d.month, d.day, firstGregorianCode) != d.dayNumber)
            line("DESCRIPTION:" + icsText("Datum i nationens kalender: " + isoDate(d.year, d.month, d.day)));
        line("TRANSP:TRANSPARENT");
        line("END:VEVENT");
        hold(held, buffer);
    });
    buffer.clear();
    line("END:VCALENDAR");
    hold(held, buffer);
    release(out, held);
}

}  // namespace tovmir::cli
