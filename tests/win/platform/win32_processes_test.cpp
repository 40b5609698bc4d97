#include "win/platform/win32_processes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/platform/handles.h"

namespace tav::win {
namespace {

TEST(Win32Processes, AProcessIsRunningUntilItEndsAndItsIdAloneIsNotEnough) {
    Win32Processes processes;
    const ProcessStamp me = processes.self();
    EXPECT_EQ(me.id, GetCurrentProcessId());
    EXPECT_NE(me.started, 0u);
    EXPECT_TRUE(processes.isRunning(me));
    EXPECT_FALSE(processes.isRunning({me.id, me.started + 1})) << "a process started at another time";

    // A child that has ended, while its handle still keeps its id from being reused.
    std::wstring commandLine = L"cmd.exe /c exit 3";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &info));
    FileHandle child(info.hProcess);
    CloseHandle(info.hThread);
    FILETIME created{}, exited{}, kernel{}, user{};
    ASSERT_TRUE(GetProcessTimes(child.get(), &created, &exited, &kernel, &user));
    const ProcessStamp stamp{info.dwProcessId,
                             std::uint64_t(created.dwHighDateTime) << 32 | created.dwLowDateTime};
    ASSERT_EQ(WaitForSingleObject(child.get(), 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(processes.isRunning(stamp));
}

} // namespace
} // namespace tav::win
