#include "win/app/environment_dialog.h"

#include "model/app/configuration.h"
#include "resource.h"
#include "win/app/dialog_items.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 325;
constexpr int windowHeight = 290;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 0, 0, 325, 20}, {IDC_CLOSE, 303, 3, 18, 14},  {IDC_SETTINGS_TABS, 8, 26, 309, 220},
    {IDOK, 150, 256, 78, 24},   {IDCANCEL, 236, 256, 78, 24},
};

} // namespace

EnvironmentDialog::EnvironmentDialog(Settings& settings)
    : DialogFrame(IDD_ENVIRONMENT), settings_(settings),
      // A depth written by hand beyond what the page offers shows as the largest.
      undoPage_(std::min(config::readUndoDepth(settings), config::largestUndoDepthSetting)),
      historyPage_(config::readHistorySettings(settings)) {}

bool EnvironmentDialog::onInitDialog() {
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    // The pages cover the tab control's display area.
    const RECT place = addTabs(handle(), IDC_SETTINGS_TABS, {"マップ編集", "マーク作成"});
    if (!undoPage_.create(handle(), place) || !historyPage_.create(handle(), place)) {
        end(-1);
        return true;
    }
    showPage(0);
    return true;
}

void EnvironmentDialog::showPage(int index) {
    undoPage_.show(index == 0);
    historyPage_.show(index == 1);
}

void EnvironmentDialog::store() {
    config::writeUndoDepth(settings_, undoPage_.depth());
    config::writeHistorySettings(settings_, historyPage_.history());
}

bool EnvironmentDialog::onCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        store();
        end(IDOK);
        return true;
    }
    return DialogFrame::onCommand(id, code, control);
}

INT_PTR EnvironmentDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        if (const int tab = chosenTab(*reinterpret_cast<const NMHDR*>(lParam), IDC_SETTINGS_TABS); tab >= 0) {
            showPage(tab);
            return TRUE;
        }
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
