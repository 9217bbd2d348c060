#include "savednation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "calendar/overflow.h"

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

std::string fileErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
        case ENOTDIR: return "mappen finns inte";
        case EACCES:
        case EPERM: return "behörighet saknas";
        case ENOSPC:
        case EDQUOT: return "disken är full";
        case EROFS: return "disken är skrivskyddad";
        case EISDIR: return "en mapp har filens namn";
        case EFBIG: return "filen får inte bli större";
        case EIO: return "disken kunde inte läsas eller skrivas";
        default: return std::strerror(errorNumber);
    }
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

// Every byte of text to the descriptor; a short write (a disk filling up) goes on
// until the system refuses with a reason.
int writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Replaces file with text whole, or leaves it as it was: the text goes to a
// temporary name of this process's own in the same folder (mkstemp), reaches the
// disk (fsync), and is renamed over the file, which is atomic within one file
// system. Two windows closing together each rename a whole file of their own, so
// the last rename wins and nothing is torn. 0, or the failing step's errno.
int replaceWhole(const std::filesystem::path& file, const std::string& text) {
    std::string temporary = file.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return errno;
    // mkstemp makes the file private; the saved nation is readable as any file the
    // user makes is.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    int error = writeAll(fd, text);
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
    if (error) ::unlink(temporary.c_str());
    return error;
}

// The nation in one file, and when that file was written; nothing where the file
// is missing, unreadable or holds no nation.
struct SavedValue {
    int16_t code;
    std::filesystem::file_time_type written;
};
std::optional<SavedValue> savedIn(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    const auto written = std::filesystem::last_write_time(file, ec);
    if (ec) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    int16_t code = 0;
    if (!in || !std::getline(in, line) || !parseSavedNation(line, code)) return std::nullopt;
    return SavedValue{code, written};
}

}  // namespace

bool readSavedNation(int16_t& saved) {
    const std::filesystem::path state = stateFolder();
    const auto run = savedIn(nationFile);
    const auto kept = state.empty() ? std::nullopt : savedIn(state / nationFile);
    // A read-only run folder may hold a file from its installer or an older run;
    // the user's choice since then went to the state folder, later.
    const auto& chosen = !run ? kept : !kept ? run : kept->written > run->written ? kept : run;
    if (!chosen) return false;
    saved = chosen->code;
    return true;
}

std::string rememberNation(int16_t code) {
    const std::string text = std::to_string(code) + "\r\n";
    const std::filesystem::path state = stateFolder();
    const int runError = replaceWhole(nationFile, text);
    std::error_code ec;
    if (!runError) {
        if (!state.empty()) std::filesystem::remove(state / nationFile, ec);
        return {};
    }
    std::error_code folderError;
    const std::filesystem::path runFolder = std::filesystem::current_path(folderError);
    std::string why = "Landet som visas kan inte sparas till nästa start: filen " + std::string(nationFile) +
                      " kan varken skrivas i " + (folderError ? std::string("programmets mapp") : runFolder.string()) +
                      " (" + fileErrorText(runError) + ") eller i ";
    if (state.empty()) return why + "användarens tillståndsmapp (varken XDG_STATE_HOME eller HOME är satt).";
    std::filesystem::create_directories(state, ec);
    const int stateError = replaceWhole(state / nationFile, text);
    if (!stateError) return {};
    return why + state.string() + " (" + fileErrorText(stateError) + ").";
}

}  // namespace tovmir
