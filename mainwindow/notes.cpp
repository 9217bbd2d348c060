// The historical notes of the shown month (picNotis_Click).
#include <filesystem>
#include <fstream>
#include <sstream>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/state.h"
#include "handlers.h"
#include "notes.h"
#include "windowhooks.h"

namespace tovmir {

const char* notesFile(int16_t forNation) {
    switch (forNation) {
        case 0: return "HistSe.txt";
        case 1: return "HistFi.txt";
        case 2: return "HistDk.txt";
        case 3: return "HistNo.txt";
        default: return nullptr;
    }
}

namespace {

// A field of a notes line by byte position (one byte is one character of the
// code page), blank-filled to its width.
std::string field(const std::string& line, std::size_t from, std::size_t width) {
    std::string f = from < line.size() ? line.substr(from, width) : std::string();
    f.resize(width, ' ');
    return f;
}

}  // namespace

std::string notesFor(const std::string& fileText, const std::string& key) {
    std::string result;
    std::size_t pos = 0;
    for (;;) {
        // Running out of lines before a record beyond the key: the file lacks its
        // closing record.
        if (pos >= fileText.size()) throw std::runtime_error("anteckningsfilen saknar sin avslutande post");
        std::size_t end = fileText.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = fileText.size();
        const std::string line = fileText.substr(pos, end - pos);
        // A line ends with CR LF, a lone CR, or (in a file edited elsewhere) a lone LF.
        pos = end + (end < fileText.size() && fileText[end] == '\r' && end + 1 < fileText.size() && fileText[end + 1] == '\n' ? 2 : 1);
        const std::string start = field(line, 0, 7), last = field(line, 8, 7);
        if (start > key) return result;
        if (last >= key && start <= key) result += field(line, 16, 60) + "\n";
    }
}

std::string notesKey(int16_t year, int16_t month) {
    std::string key = std::to_string(year) + "-" + format0x(month);
    key.resize(7, ' ');
    return key;
}

std::string noNotesText(int16_t year, int16_t month) {
    std::string name = month >= 1 && month <= 12 ? monthNames[static_cast<std::size_t>(month)] : std::string();
    name.erase(name.find_last_not_of(' ') + 1);
    // The month's name as running text writes it, in lower case ("februari");
    // the names are ASCII in every nation's table. Without names loaded, the key.
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z') name[0] = static_cast<char>(name[0] - 'A' + 'a');
    const std::string when = name.empty() ? std::to_string(year) + "-" + format0x(month) : name + " " + std::to_string(year);
    return "Inga anteckningar för " + when + ".";
}

void picNotis_Click() {
    const char* file = notesFile(nation);
    if (!file) return;
    std::string shown;
    bool failed = false;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!std::filesystem::exists(file)) {
            messageBox("Filerna HIST??.TXT måste finnas i det bibliotek där programmet startats.", "Felrapport",
                       MessageIcon::critical);
            failed = true;
        } else {
            if (!in) throw std::runtime_error("kan inte läsas");
            std::ostringstream text;
            text << in.rdbuf();
            shown = windows1252ToUtf8(notesFor(text.str(), notesKey(curYear, curMonth)));
        }
    } catch (const std::exception&) {
        messageBox("Tyvärr okänt fel", "Felrapport", MessageIcon::critical);
        failed = true;
    }
    if (!failed) messageBox(shown.find_first_not_of(" \n") == std::string::npos ? noNotesText(curYear, curMonth) : shown,
                            "Historiska Notiser", MessageIcon::information);
    focusDateField();
}

}  // namespace tovmir
