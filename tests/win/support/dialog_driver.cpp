#include "support/dialog_driver.h"

#include <vector>

namespace tav::test {

namespace {

struct DriveState {
    std::vector<HWND> before;
    std::function<void(HWND)> drive;
    bool driven = false;
};
DriveState* current = nullptr; // one modal drive at a time, on the test thread

std::vector<HWND> threadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770")
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    if (!current || current->driven)
        return;
    for (HWND dialog : threadDialogs()) {
        bool isNew = true;
        for (HWND old : current->before)
            isNew = isNew && old != dialog;
        if (isNew && IsWindowVisible(dialog)) {
            KillTimer(nullptr, id);
            current->driven = true;
            current->drive(dialog);
            return;
        }
    }
}

} // namespace

bool driveModal(const std::function<void()>& open, const std::function<void(HWND)>& drive) {
    DriveState state{threadDialogs(), drive, false};
    current = &state;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, &onTimer);
    open();
    if (!state.driven)
        KillTimer(nullptr, timer);
    current = nullptr;
    return state.driven;
}

std::wstring windowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void click(HWND dialog, int buttonId) {
    SendMessageW(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

HWND waitForProcessWindow(DWORD processId, int timeoutMs, const std::function<bool(HWND)>& matches) {
    struct Search {
        DWORD process;
        const std::function<bool(HWND)>* matches;
        HWND found;
    };
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        Search search{processId, &matches, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == s->process && IsWindowVisible(window) && (*s->matches)(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

HWND waitForWindow(const wchar_t* caption, DWORD processId, int timeoutMs) {
    return waitForProcessWindow(processId, timeoutMs,
                                [caption](HWND window) { return windowText(window) == caption; });
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        if (done())
            return true;
        Sleep(50);
    }
    return false;
}

} // namespace tav::test
