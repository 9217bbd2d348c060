// The historical notes of the shown month (picNotis_Click).
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "calendar/numbers.h"
#include "calendar/text.h"
#include "calendar/state.h"
#include "handlers.h"
#include "savednation.h"
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
        if (pos >= fileText.size()) throw std::runtime_error("saknar sin avslutande post (9999-12 9999-12)");
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

namespace {

// Why a notes file cannot be shown, in Swedish, or empty where its text can be
// read: a file of that name that is a folder, cannot be read, is empty, is far
// larger than any notes file (60-character records: the shipped ones are a few
// kilobytes) or holds bytes no text does. Reading stops at the limit, so a huge
// file costs no more than a small one.
std::string notesFault(const char* file, std::string& text) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return "är en mapp, inte en fil";
    std::ifstream in(file, std::ios::binary);
    if (!in) return "kan inte läsas (" + fileErrorText(errno) + ")";
    text.assign(maxNotesBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return "kan inte läsas (" + fileErrorText(errno) + ")";
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.empty()) return "är tom";
    if (text.size() > maxNotesBytes)
        return "är större än " + std::to_string(maxNotesBytes / 1024) + " kB och kan inte vara en anteckningsfil";
    // Windows-1252 text has no control characters but the line ends and tabs.
    for (unsigned char c : text)
        if (c < 0x20 && c != '\r' && c != '\n' && c != '\t') return "är ingen textfil (den innehåller binära data)";
    return {};
}

}  // namespace

std::string shownNotes(const std::string& notes, std::size_t maxLines) {
    std::size_t at = 0, lines = 0;
    while (at < notes.size() && lines < maxLines) {
        const std::size_t end = notes.find('\n', at);
        at = end == std::string::npos ? notes.size() : end + 1;
        ++lines;
    }
    std::size_t more = 0;
    for (std::size_t k = at; k < notes.size(); ++k) more += notes[k] == '\n';
    if (more == 0) return notes;
    return notes.substr(0, at) + "... och " + std::to_string(more) + (more == 1 ? " rad till" : " rader till") +
           " för månaden.\n";
}

void picNotis_Click() {
    const char* file = notesFile(nation);
    if (!file) return;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        messageBox("Filerna HIST??.TXT måste finnas i det bibliotek där programmet startats.", "Felrapport",
                   MessageIcon::critical);
        focusDateField();
        return;
    }
    std::string text, fault = notesFault(file, text), shown;
    if (fault.empty()) {
        try {
            shown = shownNotes(windows1252ToUtf8(notesFor(text, notesKey(curYear, curMonth))), maxShownNotes);
        } catch (const std::runtime_error& e) {
            fault = e.what();
        }
    }
    if (!fault.empty())
        messageBox("Anteckningsfilen " + std::string(file) + " " + fault + ".", "Felrapport", MessageIcon::critical);
    else
        messageBox(shown.find_first_not_of(" \n") == std::string::npos ? noNotesText(curYear, curMonth) : shown,
                   "Historiska Notiser", MessageIcon::information);
    focusDateField();
}

}  // namespace tovmir
