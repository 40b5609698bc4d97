#pragma once
// The bitmap import dialog (373): a bitmap larger than the canvas picture is either cut from a base point
// or reduced whole; a 141 x 141 preview frames the piece.
#include "model/canvas/bitmap_import.h"
#include "win/app/dialog_frame.h"
#include "win/app/message_box.h"

namespace tav::win {

class BitmapImportDialog : public DialogFrame {
public:
    // The bitmap is borrowed for the dialog's life; side is the picture's N. Without a prompter the dialog's
    // own message box asks, owned by the dialog.
    BitmapImportDialog(HBITMAP bitmap, int side, Prompter* prompter = nullptr);

    // After IDOK.
    bool reduce() const { return reduce_; }
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void baseChanged(int edit);
    void scrolled(HWND bar, int code, int thumb);
    void chooseMode(bool reduce);
    void drawPreview(const DRAWITEMSTRUCT& item) const;

    HBITMAP bitmap_;
    int side_;
    int width_ = 0, height_ = 0;
    bool reduce_ = false;
    bool magnified_ = false;
    int baseX_ = 0, baseY_ = 0;
    bool settingText_ = false;
    MessageBoxPrompter ownPrompter_;
    Prompter& prompter_;
};

} // namespace tav::win
