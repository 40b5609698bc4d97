#include "win/app/dialog_items.h"

#include <commctrl.h>

#include "win/platform/text.h"

namespace tav::win {

void placeControls(HWND dialog, std::span<const ControlPlace> places) {
    for (const ControlPlace& place : places) {
        if (HWND control = GetDlgItem(dialog, place.id))
            MoveWindow(control, place.x, place.y, place.width, place.height, FALSE);
    }
}

std::wstring resourceString(int id) {
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring{};
}

std::string itemText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return {};
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return narrow(text);
}

void setItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, widen(text).c_str());
}

void setUpSpin(HWND dialog, int spinId, int buddyId, int lowest, int highest, int position) {
    HWND spin = GetDlgItem(dialog, spinId);
    if (!spin)
        return;
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, buddyId)), 0);
    SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(lowest), static_cast<LPARAM>(highest));
    SendMessageW(spin, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

void focusAndSelect(HWND dialog, int editId) {
    HWND edit = GetDlgItem(dialog, editId);
    if (!edit)
        return;
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void showItem(HWND dialog, int id, bool shown) {
    if (HWND control = GetDlgItem(dialog, id))
        ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

} // namespace tav::win
