#include "win/app/ruler_dialog.h"

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 248;
constexpr int windowHeight = 230;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 0, 0, 248, 20},
    {IDC_CLOSE, 226, 3, 18, 14},
    {IDC_RULER_BASE_GROUP, 8, 26, 112, 92},
    {IDC_RULER_CENTRE, 18, 46, 96, 18},
    {IDC_RULER_TOP_LEFT, 18, 70, 96, 18},
    {IDC_RULER_BOTTOM_LEFT, 18, 94, 96, 18},
    {IDC_RULER_START_GROUP, 128, 26, 112, 92},
    {IDC_RULER_X_LABEL, 142, 50, 12, 16},
    {IDC_RULER_X, 158, 47, 52, 22},
    {IDC_RULER_X_SPIN, 210, 47, 16, 22},
    {IDC_RULER_Y_LABEL, 142, 80, 12, 16},
    {IDC_RULER_Y, 158, 77, 52, 22},
    {IDC_RULER_Y_SPIN, 210, 77, 16, 22},
    {IDC_RULER_STEP_GROUP, 8, 124, 232, 66},
    {IDC_RULER_COLUMN_LABEL, 18, 143, 110, 16},
    {IDC_RULER_COLUMN_STEP, 132, 139, 100, 200},
    {IDC_RULER_ROW_LABEL, 18, 167, 110, 16},
    {IDC_RULER_ROW_STEP, 132, 163, 100, 200},
    {IDOK, 40, 198, 78, 24},
    {IDCANCEL, 130, 198, 78, 24},
};
constexpr int baseRadios[] = {IDC_RULER_CENTRE, IDC_RULER_TOP_LEFT, IDC_RULER_BOTTOM_LEFT};
constexpr int startControls[] = {IDC_RULER_X_LABEL, IDC_RULER_X, IDC_RULER_X_SPIN,
                                 IDC_RULER_Y_LABEL, IDC_RULER_Y, IDC_RULER_Y_SPIN};
constexpr int increaseItem = 0;
constexpr int decreaseItem = 1;

void fillStepList(HWND dialog, int id, bool increases) {
    for (const char* text : {"１ 増加", "１ 減少"})
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, increases ? increaseItem : decreaseItem, 0);
}

bool increases(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0) != decreaseItem;
}

} // namespace

RulerDialog::RulerDialog(const RulerSettings& ruler)
    : DialogFrame(IDD_RULER), ruler_(ruler), shown_(entries::rulerChoiceOf(ruler)) {}

bool RulerDialog::onInitDialog() {
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    CheckRadioButton(handle(), IDC_RULER_CENTRE, IDC_RULER_BOTTOM_LEFT, baseRadios[shown_.basePosition]);
    for (int edit : {IDC_RULER_X, IDC_RULER_Y})
        SendDlgItemMessageW(handle(), edit, EM_LIMITTEXT, 4, 0);
    const int limit = entries::rulerStartLimit;
    setUpSpin(handle(), IDC_RULER_X_SPIN, IDC_RULER_X, -limit, limit, shown_.columnStart);
    setUpSpin(handle(), IDC_RULER_Y_SPIN, IDC_RULER_Y, -limit, limit, shown_.rowStart);
    fillStepList(handle(), IDC_RULER_COLUMN_STEP, shown_.columnsIncrease);
    fillStepList(handle(), IDC_RULER_ROW_STEP, shown_.rowsIncrease);
    showStartControls();
    return true;
}

int RulerDialog::checkedBase() const {
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(handle(), baseRadios[i]) == BST_CHECKED)
            return i;
    }
    return 0;
}

void RulerDialog::showStartControls() {
    const bool shown = checkedBase() != 0;
    for (int id : startControls)
        showItem(handle(), id, shown);
}

entries::RulerChoice RulerDialog::choice() const {
    const int limit = entries::rulerStartLimit;
    entries::RulerChoice choice;
    choice.basePosition = checkedBase();
    // An edit holding no number keeps the start it showed.
    choice.columnStart =
        entries::numberIn(itemText(handle(), IDC_RULER_X), -limit, limit, shown_.columnStart);
    choice.rowStart = entries::numberIn(itemText(handle(), IDC_RULER_Y), -limit, limit, shown_.rowStart);
    choice.columnsIncrease = increases(handle(), IDC_RULER_COLUMN_STEP);
    choice.rowsIncrease = increases(handle(), IDC_RULER_ROW_STEP);
    return choice;
}

bool RulerDialog::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_RULER_CENTRE:
    case IDC_RULER_TOP_LEFT:
    case IDC_RULER_BOTTOM_LEFT:
        if (code == BN_CLICKED)
            showStartControls();
        return true;
    case IDOK:
        ruler_ = entries::rulerSettingsOf(choice(), ruler_);
        end(IDOK);
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

} // namespace tav::win
