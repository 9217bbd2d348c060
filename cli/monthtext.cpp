#include "monthtext.h"

#include <algorithm>
#include <map>
#include <vector>

#include "calendar/text.h"
#include "calendar/state.h"
#include "monthview/layout.h"
#include "monthview/surface.h"
#include "monthview/viewdriver.h"
#include "refdata/windowops.h"

namespace tovmir::cli {

namespace {

using namespace layout;

// The palette as ANSI colours; black is the terminal's own colour, so the text
// stays readable on a dark background.
const char* ansi(int16_t color) {
    static constexpr const char* codes[paletteSize] = {"39", "34", "32", "36", "31", "35", "33", "37",
                                                      "90", "94", "92", "96", "91", "95", "93", "97"};
    return codes[color];
}

std::string painted(const std::string& text, int16_t color, bool useColor) {
    if (!useColor || color == 0) return text;
    return std::string("\x1b[") + ansi(color) + "m" + text + "\x1b[0m";
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

struct Row {
    const SurfaceOp* week = nullptr;
    const SurfaceOp* text = nullptr;
    const SurfaceOp* label = nullptr;
    const SurfaceOp* alternative = nullptr;
};

}  // namespace

void showMonth(int16_t year, int16_t month) {
    curMonth = month;
    writeDateField(dateFieldText(year, month));
    showCalendar();
    setLabelCaption("lblMonth", monthNames[static_cast<std::size_t>(curMonth)]);
}

std::string monthText(bool color) {
    const SurfaceOp* header = nullptr;
    std::map<int, Row> rows;
    for (const auto& op : displayList) {
        if (op.kind != SurfaceOp::print) continue;
        if (op.y < firstLineY) {
            header = &op;
            continue;
        }
        // A line's row by its y, rounded: the October 1582 label sits 15 twips
        // below its line's top.
        Row& row = rows[(op.y - firstLineY + lineStep / 2) / lineStep];
        if (op.x == weekX) row.week = &op;  // printed twice on a first line: the same number
        else if (op.x == textX) row.text = &op;
        else if (op.x == calendarLabelX) row.label = &op;
        else if (op.x == alternativeX) row.alternative = &op;
    }
    std::vector<int> weekStarts;
    for (const char* name : {"Line2", "Line3", "Line4", "Line5", "Line6"}) {
        const auto it = lineY.find(name);
        if (it != lineY.end()) weekStarts.push_back((it->second - topRuleY) / lineStep);
    }

    // The other calendar's column stands where the header names it.
    const std::size_t found = header ? header->text.find("Alternativa") : std::string::npos;
    const std::size_t altColumn = found == std::string::npos ? 60 : found;

    std::string out = mainCaption + " – " + trimmed(labelCaptions["lblMonth"]) + labelCaptions["lblYear"] + "\n";
    if (header) out += painted(header->text, header->color, color) + "\n";
    const std::string rule(altColumn + 12, '-');
    for (const auto& [index, row] : rows) {
        if (index > 0 && row.text && std::find(weekStarts.begin(), weekStarts.end(), index) != weekStarts.end())
            out += rule + "\n";
        if (row.label) out += std::string(altColumn, ' ') + painted(row.label->text, row.label->color, color) + "\n";
        if (!row.text && !row.alternative) continue;
        // Week number in two places, three blanks, the day's line as printed.
        const std::string week = row.week ? row.week->text : "  ";
        const std::string text = row.text ? row.text->text : "";
        std::string line = (row.week ? painted(week, row.week->color, color) : week) + "   " +
                           (row.text ? painted(text, row.text->color, color) : text);
        if (row.alternative) {
            const std::size_t used = textLength(week) + 3 + textLength(text);
            line += std::string(used < altColumn ? altColumn - used : 1, ' ') +
                    painted(row.alternative->text, row.alternative->color, color);
        }
        out += line + "\n";
    }
    return out;
}

std::string monthOps() {
    std::string out;
    for (const auto& op : surfaceLog) {
        switch (op.kind) {
            case SurfaceOp::caption: out += "caption\t" + op.name + "\t" + op.text + "\n"; break;
            case SurfaceOp::clear: out += "clear\n"; break;
            case SurfaceOp::print:
                out += "print\t" + std::to_string(op.x) + "\t" + std::to_string(op.y) + "\t" + std::to_string(op.color) +
                       "\t" + op.text + "\n";
                break;
            case SurfaceOp::line: out += "line\t" + op.name + "\t" + std::to_string(op.y) + "\n"; break;
            case SurfaceOp::hide: out += "hide\t" + op.name + "\n"; break;
        }
    }
    return out;
}

}  // namespace tovmir::cli
