// What the main window's handlers need of the window besides the surface of the
// month view: the date field's colour and focus, message boxes, starting another
// program, the date calculator's window, today's date. The Qt window installs the
// real operations; without it (the tests) the defaults below only record what was
// asked, so every handler runs the same with or without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tovmir {

enum class MessageIcon { information, exclamation, critical };

struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
};

struct MainWindowHooks {
    std::function<void()> focusDateField;
    std::function<void(const ShownMessage&)> messageBox;  // modal: returns when closed
    // Starts program with args detached, without a shell; false when it cannot start.
    std::function<bool(const std::string& program, const std::vector<std::string>& args)> startProgram;
    std::function<void()> openCalculator;
    std::function<void()> closeCalculator;
    std::function<bool()> calculatorOpen;
    std::function<void(int& year, int& month)> today;  // the system clock's local date
};

void installMainWindowHooks(MainWindowHooks hooks);

// The date field's background as red, green, blue.
constexpr uint32_t fieldYellow = 0xFFFF00;
constexpr uint32_t fieldRed = 0xFF0000;
extern uint32_t txtIndateBackground;

// Without a window: the messages shown, whether the focus went to the date field,
// and the calculator's state, for whoever wants to look.
extern std::vector<ShownMessage> shownMessages;
extern int dateFieldFocusCount;

void focusDateField();
void messageBox(const std::string& text, const std::string& title, MessageIcon icon);
bool startProgram(const std::string& program, const std::vector<std::string>& args);
void openCalculator();
void closeCalculator();
bool calculatorOpen();
void today(int& year, int& month);

// The edge of every event: runs a handler to its end, and reports any error of
// the system (bad data, a failed load, an overflow) in one message box instead of
// letting it end the program. Returns false when the handler failed.
bool runHandler(const std::function<void()>& handler);

}  // namespace tovmir
