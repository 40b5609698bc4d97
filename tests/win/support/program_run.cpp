#include "support/program_run.h"

#include "support/dialog_driver.h"
#include "win/platform/text.h"

namespace tav::test {

FilePath builtProgramPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::u16string testsFolder = win::pathOf(self).folder().units();
    const FilePath buildFolder = FilePath(testsFolder.substr(0, testsFolder.size() - 1)).folder();
    return buildFolder + u"program\\Tavrosin.exe";
}

FilePath builtProgramFolder() {
    return builtProgramPath().folder();
}

ProgramRun::ProgramRun(const FilePath& folder, const std::wstring& arguments, bool withBasePalette) {
    std::wstring exe = win::widen(folder + u"Tavrosin.exe");
    if (!CopyFileW(win::widen(builtProgramPath()).c_str(), exe.c_str(), FALSE))
        return;
    if (withBasePalette)
        CopyFileW(win::widen(builtProgramFolder() + u"Base.mpb").c_str(),
                  win::widen(folder + u"Base.mpb").c_str(), TRUE);
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        win::widen(folder).c_str(), &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
}

ProgramRun::~ProgramRun() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

HWND ProgramRun::messageBox(int timeoutMs) {
    if (!process_)
        return nullptr;
    return waitForProcessWindow(processId_, timeoutMs, [](HWND window) {
        return GetDlgItem(window, 12801) && GetDlgItem(window, 6);
    });
}

HWND ProgramRun::mainWindow(int timeoutMs) {
    return process_ ? waitForWindow(L"ZodIrerar", processId_, timeoutMs) : nullptr;
}

bool ProgramRun::waitForExit(int timeoutMs) {
    return process_ && WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ProgramRun::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (!process_ || !GetExitCodeProcess(process_.get(), &code))
        return STILL_ACTIVE;
    return code;
}

} // namespace tav::test
