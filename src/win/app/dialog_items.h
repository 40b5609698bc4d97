#pragma once
// Small conveniences for the controls of a dialog.
#include <windows.h>

#include <string>

namespace tav::win {

// The control's text as CP932.
std::string itemText(HWND dialog, int id);
void setItemText(HWND dialog, int id, const std::string& text);
// An up-down control with its range and position (its buddy shows the position).
void setUpSpin(HWND dialog, int spinId, int lowest, int highest, int position);
// Puts the focus in an edit and selects its whole text.
void focusAndSelect(HWND dialog, int editId);
void showItem(HWND dialog, int id, bool shown);

} // namespace tav::win
