#include "surface.h"

#include <stdexcept>

#include "calendar/numbers.h"
#include "calendar/state.h"

namespace tovmir {

std::vector<SurfaceOp> displayList;
std::vector<SurfaceOp> surfaceLog;
std::map<std::string, std::string> labelCaptions;
std::string txtIndateText;
std::map<std::string, int16_t> lineY;

namespace {

int16_t printX = 0, printY = 0, foreColor = 0;

void record(SurfaceOp op, bool painted) {
    if (painted) displayList.push_back(op);
    surfaceLog.push_back(std::move(op));
}

}  // namespace

void resetSurfaceLog() { surfaceLog.clear(); }

void setLabelCaption(const std::string& label, const std::string& text) {
    labelCaptions[label] = text;
    record({SurfaceOp::caption, label, 0, 0, 0, text}, false);
}

const std::string& readDateField() { return txtIndateText; }
void writeDateField(const std::string& text) { txtIndateText = text; }
std::string dateFieldText(int64_t year, int64_t month) { return format000x(year) + "-" + format0x(month); }

void clearSurface() {
    displayList.clear();
    printX = printY = 0;
    record({SurfaceOp::clear, "", 0, 0, 0, ""}, false);
}

void setPrintX(int64_t x) { printX = to16(x); }
void setPrintY(int64_t y) { printY = to16(y); }

void setForeColor(int64_t color) {
    if (color < 0 || color >= paletteSize)
        throw std::invalid_argument("färgindex " + std::to_string(color) + " finns inte i paletten (0 till 15)");
    foreColor = static_cast<int16_t>(color);
}

void printText(const std::string& text) {
    record({SurfaceOp::print, "", printX, printY, foreColor, text}, true);
    printX = 0;
    printY = to16(int64_t{printY} + textLineHeight);
}

void moveLine(const std::string& line, int64_t y) {
    lineY[line] = to16(y);
    record({SurfaceOp::line, line, 0, to16(y), 0, ""}, true);
}

void hideLine(const std::string& line) {
    lineY.erase(line);
    record({SurfaceOp::hide, line, 0, 0, 0, ""}, true);
}

void markLine(int64_t y) { record({SurfaceOp::line, markLineName, 0, to16(y), 0, ""}, true); }

uint32_t paletteRgb(int16_t color) {
    static constexpr uint32_t palette[paletteSize] = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    if (color < 0 || color >= paletteSize)
        throw std::invalid_argument("färgindex " + std::to_string(color) + " finns inte i paletten (0 till 15)");
    return palette[color];
}

}  // namespace tovmir
