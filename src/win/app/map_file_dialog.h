#pragma once
// The platform's open and save dialogs for map files: extension "MED", one filter, no read-only box.
#include <windows.h>

#include "model/platform/file_path.h"

namespace tav::win {

// Each returns the chosen path, or an empty one when the user cancelled.
FilePath askMapFileToOpen(HWND owner, const FilePath& folder);
// Starts with initialFile when there is one, else in folder.
FilePath askMapFileToSave(HWND owner, const FilePath& initialFile, const FilePath& folder);

} // namespace tav::win
