#pragma once
// The platform's open and save dialogs for map files: extension "MED", one filter, no read-only box.
#include <windows.h>

#include <string>

namespace tav::win {

// Each returns the chosen path (CP932), or an empty string when the user cancelled.
std::string askMapFileToOpen(HWND owner, const std::string& folder);
// Starts with initialFile when there is one, else in folder.
std::string askMapFileToSave(HWND owner, const std::string& initialFile, const std::string& folder);

} // namespace tav::win
