#include "win/app/map_size_dialog.h"

#include <cstdio>
#include <optional>

#include "model/app/settings_entries.h"
#include "resource.h"
#include "win/app/dialog_items.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 200;
constexpr int windowHeight = 140;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 0, 0, 200, 20},
    {IDC_CLOSE, 178, 3, 18, 14},
    {IDC_SIZE_WIDTH_LABEL, 36, 38, 50, 16},
    {IDC_SIZE_WIDTH, 90, 35, 44, 22},
    {IDC_SIZE_WIDTH_SPIN, 134, 35, 16, 22},
    {IDC_SIZE_HEIGHT_LABEL, 36, 68, 50, 16},
    {IDC_SIZE_HEIGHT, 90, 65, 44, 22},
    {IDC_SIZE_HEIGHT_SPIN, 134, 65, 16, 22},
    {IDOK, 16, 104, 78, 24},
    {IDCANCEL, 106, 104, 78, 24},
};

} // namespace

MapSizeDialog::MapSizeDialog(int width, int height, int mapSizeMax, Prompter* prompter)
    : DialogFrame(IDD_MAP_SIZE), width_(width), height_(height),
      widthLimit_(entries::mapSideLimit(mapSizeMax, width)),
      heightLimit_(entries::mapSideLimit(mapSizeMax, height)),
      prompter_(prompter ? *prompter : ownPrompter_) {}

bool MapSizeDialog::onInitDialog() {
    ownPrompter_.setOwner(handle());
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    SendDlgItemMessageW(handle(), IDC_SIZE_WIDTH, EM_LIMITTEXT, entries::mapSideDigits(widthLimit_), 0);
    SendDlgItemMessageW(handle(), IDC_SIZE_HEIGHT, EM_LIMITTEXT, entries::mapSideDigits(heightLimit_), 0);
    setUpSpin(handle(), IDC_SIZE_WIDTH_SPIN, IDC_SIZE_WIDTH, 1, widthLimit_, width_);
    setUpSpin(handle(), IDC_SIZE_HEIGHT_SPIN, IDC_SIZE_HEIGHT, 1, heightLimit_, height_);
    focusAndSelect(handle(), IDC_SIZE_WIDTH);
    return false; // the focus is set
}

bool MapSizeDialog::accept() {
    struct Axis {
        int edit;
        int limit;
    };
    int sides[2] = {};
    const Axis axes[] = {{IDC_SIZE_WIDTH, widthLimit_}, {IDC_SIZE_HEIGHT, heightLimit_}};
    for (int i = 0; i < 2; ++i) {
        const std::optional<int> side =
            entries::mapSideEntry(itemText(handle(), axes[i].edit), axes[i].limit);
        if (!side) {
            char text[64];
            std::snprintf(text, sizeof text, "1～%dの数値を設定してください。", axes[i].limit);
            prompter_.showMessage(text, msg::ok | msg::iconWarning);
            focusAndSelect(handle(), axes[i].edit);
            return false;
        }
        sides[i] = *side;
    }
    width_ = sides[0];
    height_ = sides[1];
    return true;
}

bool MapSizeDialog::onCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        if (accept())
            end(IDOK);
        return true;
    }
    return DialogFrame::onCommand(id, code, control);
}

} // namespace tav::win
