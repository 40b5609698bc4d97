// Times writing the recovery copy of the largest map (99x99 cells, every cell in use, a full palette,
// 30000 comment areas): the map file made in memory, and the whole write to a folder on the disk through
// a temporary file and a replace, as the program's timer does it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/recovery_store.h"
#include "populated_map.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"
#include "win/platform/win32_processes.h"

int main() {
    using namespace tav;
    using namespace tav::bench;
    MapDocument document;
    if (!document.resize(99, 99, true)) {
        std::puts("cannot make the map");
        return 1;
    }
    fullPalette(document.palette());
    fillEveryCell(document);
    addComments(document, MapDocument::commentLimit);
    document.setCurrentFileName(u"C:\\maps\\largest.MED");

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const FilePath folder = win::pathOf(temp) + u"tavrosin-recovery-bench\\";
    win::Win32FileSystem files;
    win::Win32Processes processes;
    RecoveryStore store(files, folder, processes.self());
    const LocalTime now{2026, 12, 9, 12, 0, 0};

    std::size_t size = 0;
    std::vector<std::uint8_t> buffer;
    const double encode = timePerCall([&] {
        encodeMapFile(document, buffer);
        size = buffer.size();
    });
    // What any file of this size costs on this disk: written whole under its name, no replace, no record.
    CreateDirectoryW(win::widen(folder).c_str(), nullptr);
    const std::wstring plain = win::widen(folder + u"plain.bin");
    const double plainWrite = timePerCall([&] {
        win::FileHandle file(
            CreateFileW(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &written, nullptr);
    });
    DeleteFileW(plain.c_str());
    bool written = true;
    const double write = timePerCall([&] { written = store.write(document, now) && written; });
    store.discard();
    RemoveDirectoryW(win::widen(folder).c_str());
    if (!written) {
        std::puts("the recovery copy could not be written");
        return 1;
    }
    std::printf("recovery copy of 99x99 cells and %d comment areas: %zu bytes\n", document.commentCount(),
                size);
    printTable({{"recovery copy: map file made in memory (buffer kept)", encode},
                {"plain write of a file of that size", plainWrite},
                {"recovery copy: made and written (temporary file, replace, record)", write}});
    return 0;
}
