#pragma once
// The platform's open and save dialogs: one filter and its default extension, no read-only box.
#include <windows.h>

#include <string_view>

#include "model/platform/file_path.h"

namespace tav::win {

// What the dialog lists: a filter name, its pattern and the extension added to a bare name (CP932).
struct FileKind {
    std::string_view filterName;
    std::string_view pattern;
    std::string_view extension;
};

// Each returns the chosen path, or an empty one when the user cancelled. An empty folder starts in the
// current directory.
FilePath askFileToOpen(HWND owner, const FileKind& kind, const FilePath& folder);
// Starts with initialFile when there is one, else in folder; asks before overwriting.
FilePath askFileToSave(HWND owner, const FileKind& kind, const FilePath& initialFile, const FilePath& folder);

// Map files: extension "MED", filter "ZodIrerarFile".

// Each returns the chosen path, or an empty one when the user cancelled.
FilePath askMapFileToOpen(HWND owner, const FilePath& folder);
// Starts with initialFile when there is one, else in folder.
FilePath askMapFileToSave(HWND owner, const FilePath& initialFile, const FilePath& folder);

} // namespace tav::win
