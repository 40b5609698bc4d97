#include "support/temp_folder.h"

#include <windows.h>

#include <shellapi.h>

#include "win/platform/handles.h"
#include "win/platform/text.h"

namespace tav::test {

using win::widen;

TempFolder::TempFolder(std::u16string_view name) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = std::wstring(base) + widen(FilePath(std::u16string(name))) + L"-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = win::pathOf(candidate) + u"\\";
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (path_.empty())
        return;
    std::wstring from = widen(path_);
    from.pop_back();       // the trailing backslash
    from.push_back(L'\0'); // the shell wants a double-terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

bool writeBytes(const FilePath& path, const std::string& bytes) {
    win::FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string readBytes(const FilePath& path) {
    win::FileHandle file(
        CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

} // namespace tav::test
