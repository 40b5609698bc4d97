#pragma once
// The map size dialog (354): a new width and height for the map, each up to the configured maximum or the
// current side when that is larger.
#include "model/platform/prompter.h"
#include "win/app/dialog_frame.h"
#include "win/app/message_box.h"

namespace tav::win {

class MapSizeDialog : public DialogFrame {
public:
    // Without a prompter the dialog's own message box asks, owned by the dialog.
    MapSizeDialog(int width, int height, int mapSizeMax, Prompter* prompter = nullptr);

    int widthLimit() const { return widthLimit_; }
    int heightLimit() const { return heightLimit_; }
    // The size chosen, after IDOK.
    int width() const { return width_; }
    int height() const { return height_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    bool accept();

    int width_;
    int height_;
    int widthLimit_;
    int heightLimit_;
    MessageBoxPrompter ownPrompter_;
    Prompter& prompter_;
};

} // namespace tav::win
