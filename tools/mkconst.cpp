// mkconst DATA_DIR OUTPUT: compiles the reference data text tables into the
// encrypted Const.mdb. A malformed line stops it with the file, line and reason.
#include <iostream>

#include "dbbuilder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "användning: mkconst DATAMAPP UTFIL\n";
        return 2;
    }
    try {
        tovmir::builder::buildDatabase(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "mkconst: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
