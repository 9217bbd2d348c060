// mknotes IN OUT: makes a historical-notes file of data/ (UTF-8) into the
// Windows-1252, CRLF file the program reads. A malformed record stops it with the
// file, line and reason, which fails the build.
#include <fstream>
#include <iostream>
#include <sstream>

#include "dbbuilder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "användning: mknotes INFIL UTFIL\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw std::runtime_error(std::string(argv[1]) + " kan inte läsas");
        std::ostringstream text;
        text << in.rdbuf();
        const std::string converted = tovmir::builder::convertNotes(text.str(), argv[1]);
        // Written beside the target and renamed, so a failed build leaves no half file.
        const std::string tmp = std::string(argv[2]) + ".tmp";
        std::ofstream(tmp, std::ios::binary) << converted;
        if (std::rename(tmp.c_str(), argv[2]) != 0) throw std::runtime_error(std::string(argv[2]) + " kan inte skrivas");
    } catch (const std::exception& e) {
        std::cerr << "mknotes: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
