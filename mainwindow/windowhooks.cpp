#include "windowhooks.h"

#include <ctime>
#include <exception>

namespace tovmir {

uint32_t txtIndateBackground = fieldYellow;
std::vector<ShownMessage> shownMessages;
int dateFieldFocusCount = 0;

namespace {
MainWindowHooks hooks;
bool calculatorIsOpen = false;
}  // namespace

void installMainWindowHooks(MainWindowHooks h) { hooks = std::move(h); }

void focusDateField() {
    ++dateFieldFocusCount;
    if (hooks.focusDateField) hooks.focusDateField();
}

void messageBox(const std::string& text, const std::string& title, MessageIcon icon) {
    shownMessages.push_back({text, title, icon});
    if (hooks.messageBox) hooks.messageBox(shownMessages.back());
}

bool startProgram(const std::string& program, const std::vector<std::string>& args) {
    return hooks.startProgram && hooks.startProgram(program, args);
}

void openCalculator() {
    if (hooks.openCalculator) hooks.openCalculator();
    calculatorIsOpen = true;
}

void closeCalculator() {
    if (hooks.closeCalculator) hooks.closeCalculator();
    calculatorIsOpen = false;
}

bool calculatorOpen() { return hooks.calculatorOpen ? hooks.calculatorOpen() : calculatorIsOpen; }

void today(int& year, int& month) {
    if (hooks.today) return hooks.today(year, month);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
}

bool runHandler(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        messageBox(std::string("Kalendern kunde inte visas som önskat:\n") + e.what(), "Tovmir", MessageIcon::exclamation);
    } catch (...) {
        messageBox("Kalendern kunde inte visas som önskat: okänt fel.", "Tovmir", MessageIcon::exclamation);
    }
    return false;
}

}  // namespace tovmir
