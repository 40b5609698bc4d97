#pragma once
// Starts Tavrosin.exe from a program folder of the test's own, as a user would.
#include <windows.h>

#include <string>

#include "model/platform/file_path.h"
#include "win/platform/handles.h"

namespace tav::test {

// Path of the freshly built program (beside the test executable's build folder).
FilePath builtProgramPath();
// Its folder, where the shipped data files are.
FilePath builtProgramFolder();

class ProgramRun {
public:
    // Copies the program (and, unless told otherwise, the shipped base palette if none is there yet) into
    // folder and starts it there with the given arguments.
    ProgramRun(const FilePath& folder, const std::wstring& arguments = L"", bool withBasePalette = true);
    ~ProgramRun();
    bool started() const { return static_cast<bool>(process_); }
    // The main window, once it is shown (null after the timeout).
    HWND mainWindow(int timeoutMs = 15000);
    // A message box of the program (dialog with the message text and first button), once shown.
    HWND messageBox(int timeoutMs = 15000);
    // Waits for the process to end; false on timeout.
    bool waitForExit(int timeoutMs = 15000);
    // The exit status once it has ended; STILL_ACTIVE before.
    DWORD exitCode() const;
    DWORD processId() const { return processId_; }

private:
    win::FileHandle process_;
    DWORD processId_ = 0;
};

} // namespace tav::test
