#include "windowops.h"

#include <fstream>

#include "engine.h"

namespace tovmir {

std::string mainCaption;
std::string flagPictureFile;

namespace {
MainWindowOps windowOps;
}

void installMainWindowOps(MainWindowOps ops) { windowOps = std::move(ops); }

void showFlagPicture(const std::string& file) {
    if (windowOps.showFlagPicture) {
        windowOps.showFlagPicture(file);
    } else if (!std::ifstream(file, std::ios::binary)) {
        throw DataError("flaggbilden " + file + " kan inte läsas");
    }
    flagPictureFile = file;
}

void setMainCaption(const std::string& caption) {
    if (windowOps.setCaption) windowOps.setCaption(caption);
    mainCaption = caption;
}

}  // namespace tovmir
