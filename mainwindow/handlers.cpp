#include "handlers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/limits.h"
#include "calendar/nations.h"
#include "calendar/state.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata/nationsettings.h"
#include "windowhooks.h"

namespace tovmir {

bool parseSavedNation(std::string_view line, int16_t& saved) {
    const std::size_t i = line.find_first_not_of(' ');
    if (i == std::string_view::npos) return false;
    const std::size_t end = line.find_first_of(", \r", i);
    const std::string_view value = line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    const std::size_t digitsFrom = (!value.empty() && (value[0] == '-' || value[0] == '+')) ? 1 : 0;
    // Five digits at most: no 16-bit value needs more, and a longer run could not
    // be read into a long on every platform.
    if (value.size() == digitsFrom || value.size() > digitsFrom + 5) return false;
    long v = 0;
    for (std::size_t k = digitsFrom; k < value.size(); ++k) {
        if (value[k] < '0' || value[k] > '9') return false;
        v = v * 10 + (value[k] - '0');
    }
    if (value[0] == '-') v = -v;
    if (v < min16 || v > max16) return false;
    saved = static_cast<int16_t>(v);
    return true;
}

namespace {

// The user's state folder, where ctry.txt is kept when the run folder cannot be
// written (an installation shared read-only): $XDG_STATE_HOME/tovmir, where only
// an absolute XDG_STATE_HOME counts (the XDG base-directory rule), else
// $HOME/.local/state/tovmir; empty when neither is set.
std::filesystem::path stateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/') return std::filesystem::path(state) / "tovmir";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::filesystem::path(home) / ".local" / "state" / "tovmir";
    return {};
}

// Written beside and renamed into place, so a crash never leaves half a file.
bool writeSavedNation(const std::filesystem::path& file, int16_t code) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << code << "\r\n";
    out.close();
    std::error_code renamed, removed;
    if (out) std::filesystem::rename(temporary, file, renamed);
    const bool written = out && !renamed;
    if (!written) std::filesystem::remove(temporary, removed);
    return written;
}

// ctry.txt in the run folder, else in the state folder; false when neither can
// be written. A file written in the run folder leaves none in the state folder,
// so an older choice kept there never comes back.
bool rememberNation(int16_t code) {
    std::error_code ec;
    const std::filesystem::path state = stateFolder();
    if (writeSavedNation(nationFile, code)) {
        if (!state.empty()) std::filesystem::remove(state / nationFile, ec);
        return true;
    }
    if (state.empty()) return false;
    std::filesystem::create_directories(state, ec);
    return writeSavedNation(state / nationFile, code);
}

// The saved nation read from one file, and the file deleted. A file that cannot
// be deleted (a read-only run folder) is not taken: it would bring the same
// nation back at every start, whatever the user chose since.
bool takeSavedNation(const std::filesystem::path& file, int16_t& saved) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::string line;
    std::getline(in, line);
    in.close();
    std::error_code ec;
    return parseSavedNation(line, saved) && std::filesystem::remove(file, ec);
}

void showTodaysMonth() {
    int y, m;
    today(y, m);
    curMonth = to16(m);
    curYear = to16(y);
    markedDay = 0;
    loadNationSettings();
    writeDateField(dateFieldText(curYear, curMonth));
    loadMonthNames();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    setLabelCaption("lblYear", signPlace(curYear));
    showCalendar();
}

// A number read from a piece of the field, or false when it does not fit 16 bits
// (an exponent form, say): such an entry is out of range, never a failure.
bool fieldNumber(const std::string& piece, int16_t& value) {
    try {
        value = readInt16(piece);
        return true;
    } catch (const ArithmeticOverflow&) {
        return false;
    }
}

// The flag and the holiday-table toggle both list the year in the field, typed or
// not. A year there that does not fit 16 bits cannot be shown; the field then goes
// back to the month on show, so the click still does its work.
void keepFieldYearReadable() {
    int16_t year;
    if (!fieldNumber(fixedText(readDateField(), 4), year)) writeDateField(dateFieldText(curYear, curMonth));
}

// A picture button's work, then the focus back to the date field, whether the
// work succeeded or not.
void thenFocusBack(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        focusDateField();
        throw;
    }
    focusDateField();
}

}  // namespace

bool Form_Load() {
    bool fallback = false;
    int16_t saved = 0;
    // The run folder's file first; the state folder's where that is missing or
    // cannot be taken.
    const std::filesystem::path state = stateFolder();
    const bool taken =
        takeSavedNation(nationFile, saved) || (!state.empty() && takeSavedNation(state / nationFile, saved));
    if (taken) {
        nation = saved;
    } else {
        nation = 0;
        fallback = true;
    }
    loadedYear = 0;
    for (;;) {
        try {
            showTodaysMonth();
            return true;
        } catch (const std::exception& e) {
            if (!fallback) {
                // The saved nation's data cannot be shown: once more, silently, as Sweden.
                nation = 0;
                loadedYear = 0;
                fallback = true;
                continue;
            }
            // The program ends without a close that would write ctry.txt: the
            // nation taken from it goes back, so the next start still has it.
            if (taken) rememberNation(saved);
            messageBox(std::string("Tovmir kan inte starta:\n") + e.what(), "Tovmir", MessageIcon::critical);
            return false;
        }
    }
}

void Form_QueryUnload(bool closedByUser) {
    if (!closedByUser) return;
    // The window closes all the same; the user only learns that the nation
    // shown will not come back at the next start.
    if (!rememberNation(nation)) {
        std::error_code ec;
        const std::filesystem::path runFolder = std::filesystem::current_path(ec);
        const std::filesystem::path state = stateFolder();
        messageBox("Landet som visas kan inte sparas till nästa start: filen " + std::string(nationFile) +
                       " kan varken skrivas i " + runFolder.string() + " eller i " +
                       (state.empty() ? std::string("användarens tillståndsmapp (varken XDG_STATE_HOME eller HOME är satt)")
                                      : state.string()) +
                       ".",
                   "Felrapport", MessageIcon::exclamation);
    }
    if (calculatorOpen()) closeCalculator();
}

void txtIndate_KeyPress(int character) {
    const bool enter = character == 13;
    bool warning = !(character >= '0' && character <= '9') && !enter;
    const std::string text = readDateField();
    const std::size_t length = textLength(text);
    if (enter && length > 7) warning = true;
    txtIndateBackground = warning ? fieldRed : fieldYellow;

    int16_t year, month;
    if (!enter || length != 7) return;
    if (!fieldNumber(fixedText(text, 4), year) || !fieldNumber(lastCharacters(text, 2), month)) return;
    if (month < 1 || month > 12 || year < firstEnteredYear(nation) || year > lastShownYear) return;
    markedDay = 0;
    showEnteredMonth(year, month);
}

void showEnteredMonth(int16_t year, int16_t month) {
    curYear = year;
    setLabelCaption("lblYear", format000x(curYear));
    curMonth = month;
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    showCalendar();
}

void txtIndate_KeyUp(int keyCode) {
    int64_t year = curYear, month = curMonth;
    switch (keyCode) {
        case keyUp: year += 1; break;
        case keyDown: year -= 1; break;
        case keyRight: if (++month > 12) month = 1, ++year; break;
        case keyLeft: if (--month < 1) month = 12, --year; break;
        case keyPageUp: year += 10; break;
        case keyPageDown: year -= 10; break;
        case keyHome: year += 100; break;
        case keyEnd: year -= 100; break;
        default: return;
    }
    markedDay = 0;
    if (year > lastShownYear) year = lastShownYear;
    // The nation's lower limit: 1200 for the almanacs, year 1 for codes 5 and 6,
    // the 16-bit edge for the rest.
    year = std::max<int64_t>(year, nationCalendar(nation).firstKeyedYear);
    curYear = static_cast<int16_t>(year);
    curMonth = static_cast<int16_t>(month);
    txtIndateBackground = fieldYellow;
    writeDateField(dateFieldText(curYear, curMonth));
    setLabelCaption("lblYear", format000x(curYear));
    loadMonthNames();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    showCalendar();
}

void picFlg_Click() {
    thenFocusBack([] {
        keepFieldYearReadable();
        curYear = readInt16(fixedText(readDateField(), 4));
        // The remainder takes the dividend's sign: a code below 0 climbs towards 0.
        nation = static_cast<int16_t>((int64_t{nation} + 1) % 4);
        if (curYear < firstAlmanacYear) {
            curYear = firstAlmanacYear;
            writeDateField(dateFieldText(curYear, curMonth));
        }
        loadedYear = 0;
        markedDay = 0;
        if (calculatorOpen()) closeCalculator();
        loadNationSettings();
        showCalendar();
        setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
    });
}

void picLatin_Click() {
    thenFocusBack([] {
        loadedYear = 0;
        latinNames = !latinNames;
        markedDay = 0;
        keepFieldYearReadable();
        showCalendar();
    });
}

void picHelp_Click() {
    thenFocusBack([] {
        if (!startProgram("winhelp", {"Vessund.HLP"}))
            messageBox("Hjälpen kunde inte startas: programmet winhelp finns varken bredvid Tovmir eller i sökvägen.",
                       "Hjälp", MessageIcon::exclamation);
    });
}

void picAge_Click() {
    if (!calculatorOpen()) openCalculator();
}

}  // namespace tovmir
