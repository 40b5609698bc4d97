#pragma once
// Small conveniences for the controls of a dialog.
#include <windows.h>

#include <span>
#include <string>

namespace tav::win {

// A control's pixel rectangle in its dialog's client area.
struct ControlPlace {
    int id;
    int x, y, width, height;
};
// Pixels, not dialog units: the layout is the same whatever font the system substitutes.
void placeControls(HWND dialog, std::span<const ControlPlace> places);

// A string table entry; empty when there is none.
std::wstring resourceString(int id);

// The control's text as CP932.
std::string itemText(HWND dialog, int id);
void setItemText(HWND dialog, int id, const std::string& text);
// An up-down control with its buddy edit, range and position (the buddy shows the position).
void setUpSpin(HWND dialog, int spinId, int buddyId, int lowest, int highest, int position);
// Puts the focus in an edit and selects its whole text.
void focusAndSelect(HWND dialog, int editId);
void showItem(HWND dialog, int id, bool shown);

} // namespace tav::win
