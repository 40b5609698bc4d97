#pragma once
// Page 362 of the environment settings: the undo depth, with a note on the memory it may take.
#include "win/app/dialog_page.h"

namespace tav::win {

class UndoDepthPage : public DialogPage {
public:
    explicit UndoDepthPage(int depth);
    // The depth the edit holds, already corrected to 0..255.
    int depth() const { return depth_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    void entryChanged();

    int depth_;
    bool correcting_ = false;
};

} // namespace tav::win
