#pragma once
// The environment settings dialog (361): two tab pages, the undo depth and the mark histories. OK writes
// both to the configuration file.
#include "model/platform/settings.h"
#include "win/app/dialog_frame.h"
#include "win/app/history_page.h"
#include "win/app/undo_depth_page.h"

namespace tav::win {

class EnvironmentDialog : public DialogFrame {
public:
    explicit EnvironmentDialog(Settings& settings);

    // The undo depth stored, after IDOK.
    int undoDepth() const { return undoPage_.depth(); }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void showPage(int index);
    void store();

    Settings& settings_;
    UndoDepthPage undoPage_;
    HistoryPage historyPage_;
};

} // namespace tav::win
