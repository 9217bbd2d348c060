// The two things the nation settings change in the main window: its caption and
// the flag picture. The reference data calls these procedures; the window, when
// there is one, installs the operations that really show them. Without a window
// (the terminal front end, the tests) the values are only kept here, and the flag
// file is still checked, so a missing picture fails the same way everywhere.
#pragma once

#include <functional>
#include <string>

namespace tovmir {

struct MainWindowOps {
    // Loads the picture file and shows it in the flag; raises on a file it cannot load.
    std::function<void(const std::string& file)> showFlagPicture;
    std::function<void(const std::string& caption)> setCaption;
};

// Installs the window's operations; an empty MainWindowOps goes back to none.
void installMainWindowOps(MainWindowOps ops);

// The last caption and flag file that the settings gave, window or not.
extern std::string mainCaption;
extern std::string flagPictureFile;

void showFlagPicture(const std::string& file);
void setMainCaption(const std::string& caption);

}  // namespace tovmir
