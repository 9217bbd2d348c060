#include "findwindow.h"

#include <exception>

#include "calendar/limits.h"
#include "calendar/numbers.h"
#include "calendar/state.h"
#include "handlers.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "windowhooks.h"

namespace tovmir {

std::string findPhrase, findFromText, findToText, findFromDefault;
std::vector<FoundDay> foundDays;
int16_t foundNation = 0;
std::string findMessage;

namespace {

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// A year typed into a field, by the numeric reading rule of every field, or false
// when it is none the nation's month view shows (a value past 16 bits included).
bool shownYear(const std::string& text, int16_t& year) {
    try {
        year = readInt16(text);
    } catch (const ArithmeticOverflow&) {
        return false;
    }
    return year >= firstEnteredYear(nation) && year <= lastShownYear;
}

std::string yearSpan() {
    return std::to_string(firstEnteredYear(nation)) + " till " + std::to_string(lastShownYear);
}

// The years to search: the phrase's own year while the fields are left as they
// were, else the fields ("Till år" empty: "Från år" alone). False, with the reason
// in findMessage, for a year outside the nation's month view or a range backwards.
bool searchYears(int16_t& from, int16_t& to) {
    const int16_t written = phraseYear(findPhrase);
    const bool fieldsAsGiven = blank(findToText) && (blank(findFromText) || findFromText == findFromDefault);
    if (written != 0 && fieldsAsGiven) {
        from = to = written;
        if (written >= firstEnteredYear(nation) && written <= lastShownYear) return true;
        findMessage = "Året " + std::to_string(written) + " i söktexten ligger utanför kalendern (" + yearSpan() + ").";
        return false;
    }
    if (blank(findFromText)) {
        findMessage = "Skriv ett år i Från år (" + yearSpan() + ").";
        return false;
    }
    if (!shownYear(findFromText, from)) {
        findMessage = "Från år måste vara ett år från " + yearSpan() + ".";
        return false;
    }
    to = from;
    if (!blank(findToText) && !shownYear(findToText, to)) {
        findMessage = "Till år måste vara ett år från " + yearSpan() + ".";
        return false;
    }
    if (to < from) {
        findMessage = "Till år ligger före Från år.";
        return false;
    }
    return true;
}

// The month on show drawn again after a search has loaded other years into the
// day table. showCalendar reads the year from the date field, which may hold an
// entry the user has not taken with Enter: for the redraw it holds the month on
// show, and the user's text again afterwards.
void redrawShownMonth(int16_t year, int16_t month) {
    if (month < 1 || month > 12) return;  // nothing shown yet
    curYear = year;
    curMonth = month;
    loadedYear = 0;
    struct TypedText {
        std::string text = readDateField();
        ~TypedText() { writeDateField(text); }
    } typed;
    writeDateField(dateFieldText(year, month));
    showCalendar();
}

// The reader's sentences are written to follow "fel: " in the terminal; on a line
// of their own they begin with a capital. Only the letters a sentence of the
// reader can begin with are raised: a to z, å, ä and ö.
std::string sentence(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    } else if (text.size() > 1 && text[0] == '\xC3' &&
               (text[1] == '\xA5' || text[1] == '\xA4' || text[1] == '\xB6')) {
        text[1] = static_cast<char>(text[1] - 0x20);
    }
    return text;
}

}  // namespace

void frmFind_Load() {
    if (blank(findFromText) || findFromText == findFromDefault) {
        findFromDefault = std::to_string(curYear);
        findFromText = findFromDefault;
    }
}

void cmdFind_Click() {
    foundDays.clear();
    findMessage.clear();
    int16_t from = 0, to = 0;
    if (!searchYears(from, to)) return;
    const int16_t year = curYear, month = curMonth;
    FindResult result;
    try {
        result = findDays(findPhrase, from, to);
    } catch (...) {
        redrawShownMonth(year, month);
        throw;
    }
    redrawShownMonth(year, month);
    foundNation = nation;
    const std::size_t count = result.days.size();
    if (count == 0) {
        findMessage = sentence(result.message.empty() ? "ingen dag hittades" : result.message);
        return;
    }
    foundDays = std::move(result.days);
    if (count > maxListedDays) {
        foundDays.erase(foundDays.begin() + maxListedDays, foundDays.end());
        findMessage = "De första " + std::to_string(maxListedDays) + " av " + std::to_string(count) +
                      " dagar visas: sök i färre år eller med fler ord.";
    } else {
        findMessage = count == 1 ? "1 dag hittades." : std::to_string(count) + " dagar hittades.";
    }
}

void lstDays_DblClick(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= foundDays.size()) return;
    if (foundNation != nation) {
        findMessage = "Landet har bytts sedan sökningen: sök igen.";
        return;
    }
    const FoundDay& day = foundDays[static_cast<std::size_t>(row)];
    writeDateField(dateFieldText(day.year, day.month));
    txtIndateBackground = fieldYellow;
    markedDay = day.dayNumber;
    showEnteredMonth(day.year, day.month);
}

std::array<std::string, 4> foundDayColumns(const FoundDay& day) {
    const auto date = [](int64_t y, int64_t m, int64_t d) { return dateFieldText(y, m) + "-" + format0x(d); };
    std::string weekday = day.weekday;
    while (!weekday.empty() && weekday.back() == ' ') weekday.pop_back();
    return {date(day.year, day.month, day.day), weekday, date(day.otherYear, day.otherMonth, day.otherDay), day.text};
}

bool runFindHandler(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const PhraseError& e) {
        findMessage = sentence(e.what());
    } catch (const std::exception& e) {
        findMessage = std::string("Sökningen kunde inte göras: ") + e.what();
    } catch (...) {
        findMessage = "Sökningen kunde inte göras: okänt fel.";
    }
    return false;
}

}  // namespace tovmir
