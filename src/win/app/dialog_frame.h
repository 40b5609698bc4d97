#pragma once
// The common frame of the secondary dialogs: a dark body, a blue title static (1001), a close button
// (1003), dragging by any free point of the surface and one tooltip control.
#include <array>
#include <string>

#include "win/app/dialog.h"
#include "win/platform/handles.h"
#include "win/view/coloured_button.h"

namespace tav::win {

struct FrameColours {
    COLORREF body = RGB(0x40, 0x40, 0x40);
    COLORREF staticText = 0xF1FBFF;
    COLORREF titleBackground = 0xC5740D;
    COLORREF titleText = 0xF1FBFF;
    bool transparentText = false;
};

class DialogFrame : public Dialog {
protected:
    explicit DialogFrame(int templateId, FrameColours colours = {}) : Dialog(templateId), colours_(colours) {}

    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCommand(int id, int code, HWND control) override;
    void onDestroy() override;
    // Adds a tooltip for a control; text is CP932.
    void addTooltip(int controlId, const std::string& text);
    HWND tooltip() const { return tooltip_; }
    HBRUSH bodyBrush() const { return bodyBrush_.get(); }
    // Gives the window this outer size in pixels with rounded corners (16 x 16) and centres it on its
    // owner, or on the work area when it has none.
    void shapeWindow(int width, int height);
    // Rounds the corners (16 x 16) of the window at its present size.
    void roundCorners();
    // Paints OK and Cancel in the frame's button colours: a dark face with a light label.
    void paintOkAndCancel();

private:
    void createFrameObjects();

    FrameColours colours_;
    Brush bodyBrush_;
    Brush titleBrush_;
    HWND tooltip_ = nullptr; // a child of the dialog: destroyed with it
    std::array<ColouredButton, 2> okAndCancel_;
};

} // namespace tav::win
