#pragma once
// The tooltip control of a dialog: one tool per control, with its text from the string table.
#include <windows.h>

namespace tav::win {

class ToolTips {
public:
    ToolTips() = default;
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // False when the tooltip window cannot be made.
    bool create(HWND owner);
    // Adds the control of the owner with this id; its text is string resource textId (line breaks kept).
    bool add(int controlId, int textId);
    // Hands a mouse message of one of the owner's windows to the control.
    void relay(const MSG& message) const;
    HWND handle() const { return window_; }

private:
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
};

} // namespace tav::win
