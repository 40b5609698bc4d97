#include "win/app/map_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "model/app/map_file_name.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

// Long enough for any path the file calls take.
constexpr std::size_t pathCapacity = 32768;

std::wstring filter(const FileKind& kind) {
    // Name and pattern, each ending in a zero, and one more zero after the last pair.
    std::wstring text = widen(kind.filterName);
    text += L'\0';
    text += widen(kind.pattern);
    text += L'\0';
    return text;
}

constexpr FileKind mapFiles{"ZodIrerarFile", "*.MED", map_file_name::extension};
static_assert(map_file_name::extension == "MED");

FilePath ask(HWND owner, const FileKind& kind, const FilePath& initialFile, const FilePath& folder,
             bool save) {
    std::vector<wchar_t> file(pathCapacity, L'\0');
    const std::wstring initial = widen(initialFile);
    if (initial.size() < pathCapacity)
        initial.copy(file.data(), initial.size());
    const std::wstring filters = filter(kind);
    const std::wstring folderText = widen(folder);
    const std::wstring extension = widen(kind.extension);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folderText.empty() ? nullptr : folderText.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (save)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? pathOf(file.data()) : FilePath{};
}

} // namespace

FilePath askFileToOpen(HWND owner, const FileKind& kind, const FilePath& folder) {
    return ask(owner, kind, {}, folder, false);
}

FilePath askFileToSave(HWND owner, const FileKind& kind, const FilePath& initialFile,
                       const FilePath& folder) {
    return ask(owner, kind, initialFile, folder, true);
}

FilePath askMapFileToOpen(HWND owner, const FilePath& folder) {
    return ask(owner, mapFiles, {}, folder, false);
}

FilePath askMapFileToSave(HWND owner, const FilePath& initialFile, const FilePath& folder) {
    return ask(owner, mapFiles, initialFile, folder, true);
}

} // namespace tav::win
