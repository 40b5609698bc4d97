// Carries out a shell verb on a file as Explorer does for a double click ("open") or the context menu's
// "print", waits for the program it starts and returns that program's exit status. Used by
// scripts/release-check.sh to try the installer's file association.
//
//   shell_verb VERB FILE [SECONDS]     (SECONDS: how long to wait, default 60; on timeout: status 124)
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: shell_verb VERB FILE [SECONDS]\n");
        return 2;
    }
    const DWORD wait = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) * 1000 : 60000;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = argv[1];
    info.lpFile = argv[2];
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info) || !info.hProcess) {
        std::fwprintf(stderr, L"shell_verb: %ls failed (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    DWORD status = 124;
    if (WaitForSingleObject(info.hProcess, wait) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &status);
    CloseHandle(info.hProcess);
    return static_cast<int>(status);
}
