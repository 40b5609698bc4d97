#include "win/platform/win32_processes.h"

#include <windows.h>

#include "win/platform/handles.h"

namespace tav::win {

namespace {

// The creation time, or 0 when it cannot be had.
std::uint64_t startedOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return std::uint64_t(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

} // namespace

ProcessStamp Win32Processes::self() {
    return {GetCurrentProcessId(), startedOf(GetCurrentProcess())};
}

bool Win32Processes::isRunning(const ProcessStamp& process) {
    FileHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
    if (!handle) {
        // A process of another user that cannot be looked at is there all the same: its copy stays its own.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(handle.get(), &code) || code != STILL_ACTIVE)
        return false;
    // The id may have been given to a new process since the owner ended.
    return startedOf(handle.get()) == process.started;
}

} // namespace tav::win
