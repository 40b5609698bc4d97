#include "win/marks/palette_load_dialog.h"

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 248;
constexpr int windowHeight = 139;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 2, 2, 238, 18},        {IDC_CLOSE, 224, 3, 15, 15},          {IDC_LOAD_BASE, 28, 30, 119, 16},
    {IDC_LOAD_START, 28, 52, 131, 16}, {IDC_LOAD_MAP_FILE, 28, 74, 186, 16}, {IDOK, 42, 101, 70, 23},
    {IDCANCEL, 130, 101, 70, 23},
};
constexpr int firstSource = IDC_LOAD_BASE - palette_source::base;

} // namespace

PaletteLoadDialog::PaletteLoadDialog(bool mapFileOffered)
    : DialogFrame(IDD_PALETTE_LOAD), mapFileOffered_(mapFileOffered) {}

int PaletteLoadDialog::choose(HWND owner) {
    const INT_PTR result = runModal(owner);
    return result >= palette_source::base && result <= palette_source::mapFile ? static_cast<int>(result)
                                                                               : palette_source::none;
}

bool PaletteLoadDialog::onInitDialog() {
    placeControls(handle(), places);
    // Centred on the desktop rather than the palette window.
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    SetWindowPos(handle(), nullptr, area.left + (area.right - area.left - windowWidth) / 2,
                 area.top + (area.bottom - area.top - windowHeight) / 2, windowWidth, windowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    roundCorners();
    paintOkAndCancel();
    addTooltip(IDC_LOAD_BASE, narrow(resourceString(IDS_TIP_LOAD_BASE)));
    addTooltip(IDC_LOAD_START, narrow(resourceString(IDS_TIP_LOAD_START)));
    addTooltip(IDC_LOAD_MAP_FILE, narrow(resourceString(IDS_TIP_LOAD_MAP_FILE)));
    CheckRadioButton(handle(), IDC_LOAD_BASE, IDC_LOAD_MAP_FILE, IDC_LOAD_START);
    EnableWindow(item(IDC_LOAD_MAP_FILE), mapFileOffered_);
    return true;
}

bool PaletteLoadDialog::onCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        for (int radio : {IDC_LOAD_BASE, IDC_LOAD_START, IDC_LOAD_MAP_FILE}) {
            if (IsDlgButtonChecked(handle(), radio) == BST_CHECKED) {
                end(radio - firstSource);
                return true;
            }
        }
        end(palette_source::none);
        return true;
    }
    if (id == IDCANCEL || id == IDC_CLOSE) {
        end(palette_source::none);
        return true;
    }
    return DialogFrame::onCommand(id, code, control);
}

} // namespace tav::win
