#include "win/canvas/bitmap_import_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "model/app/settings_entries.h"
#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/platform/handles.h"

namespace tav::win {

namespace {

namespace bi = bitmap_import;

constexpr int windowWidth = 340;
constexpr int windowHeight = 202;
constexpr int previewInset = 2; // the preview's border
constexpr ControlPlace places[] = {
    {IDC_TITLE, 0, 0, 340, 20},
    {IDC_CLOSE, 318, 3, 18, 14},
    {IDC_IMPORT_PREVIEW, 8, 28, 145, 145},
    {IDC_IMPORT_HSCROLL, 8, 174, 145, 16},
    {IDC_IMPORT_VSCROLL, 154, 28, 16, 145},
    {IDC_IMPORT_BASE, 180, 30, 150, 18},
    {IDC_IMPORT_X_LABEL, 196, 56, 40, 16},
    {IDC_IMPORT_X, 240, 53, 52, 22},
    {IDC_IMPORT_X_SPIN, 292, 53, 16, 22},
    {IDC_IMPORT_Y_LABEL, 196, 82, 40, 16},
    {IDC_IMPORT_Y, 240, 79, 52, 22},
    {IDC_IMPORT_Y_SPIN, 292, 79, 16, 22},
    {IDC_IMPORT_REDUCE, 180, 108, 150, 18},
    {IDC_IMPORT_MAGNIFY, 180, 134, 100, 18},
    {IDOK, 178, 168, 72, 24},
    {IDCANCEL, 256, 168, 72, 24},
};
constexpr int baseControls[] = {IDC_IMPORT_X,      IDC_IMPORT_Y,       IDC_IMPORT_X_SPIN,
                                IDC_IMPORT_Y_SPIN, IDC_IMPORT_HSCROLL, IDC_IMPORT_VSCROLL};

} // namespace

BitmapImportDialog::BitmapImportDialog(HBITMAP bitmap, int side, Prompter* prompter)
    : DialogFrame(IDD_BITMAP_IMPORT), bitmap_(bitmap), side_(side),
      prompter_(prompter ? *prompter : ownPrompter_) {
    BITMAP size{};
    if (bitmap && GetObjectW(bitmap, sizeof(size), &size)) {
        width_ = size.bmWidth;
        height_ = std::abs(size.bmHeight);
    }
}

bool BitmapImportDialog::onInitDialog() {
    ownPrompter_.setOwner(handle());
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    char text[64];
    std::snprintf(text, sizeof text, "%dx%dに縮小して読込", side_, side_);
    setItemText(handle(), IDC_IMPORT_REDUCE, text);
    CheckRadioButton(handle(), IDC_IMPORT_BASE, IDC_IMPORT_REDUCE, IDC_IMPORT_BASE);
    settingText_ = true;
    setUpSpin(handle(), IDC_IMPORT_X_SPIN, IDC_IMPORT_X, bi::lowestBase(side_), bi::highestBase(width_), 0);
    setUpSpin(handle(), IDC_IMPORT_Y_SPIN, IDC_IMPORT_Y, bi::lowestBase(side_), bi::highestBase(height_), 0);
    settingText_ = false;
    for (auto [bar, size] : {std::pair{IDC_IMPORT_HSCROLL, width_}, std::pair{IDC_IMPORT_VSCROLL, height_}}) {
        SCROLLINFO info{sizeof(info),
                        SIF_RANGE | SIF_PAGE | SIF_POS,
                        bi::lowestBase(side_),
                        bi::highestBase(size) + side_ - 1,
                        static_cast<UINT>(side_),
                        0,
                        0};
        SetScrollInfo(item(bar), SB_CTL, &info, TRUE);
    }
    return true;
}

void BitmapImportDialog::baseChanged(int edit) {
    if (settingText_)
        return;
    const bool horizontal = edit == IDC_IMPORT_X;
    const int low = bi::lowestBase(side_), high = bi::highestBase(horizontal ? width_ : height_);
    int& base = horizontal ? baseX_ : baseY_;
    // A minus sign alone is a number being typed, not a wrong one.
    const std::optional<int> number = entries::parseNumber(itemText(handle(), edit));
    if (!number)
        return;
    if (*number < low || *number > high) {
        char text[96];
        std::snprintf(text, sizeof text, "%d ～ %d の値を指定してください。", low, high);
        prompter_.showMessage(text, msg::ok | msg::iconWarning);
        settingText_ = true;
        setItemText(handle(), edit, std::to_string(base));
        settingText_ = false;
        focusAndSelect(handle(), edit);
        return;
    }
    base = *number;
    SetScrollPos(item(horizontal ? IDC_IMPORT_HSCROLL : IDC_IMPORT_VSCROLL), SB_CTL, base, TRUE);
    InvalidateRect(item(IDC_IMPORT_PREVIEW), nullptr, FALSE);
}

void BitmapImportDialog::scrolled(HWND bar, int code, int thumb) {
    const bool horizontal = bar == item(IDC_IMPORT_HSCROLL);
    if (!horizontal && bar != item(IDC_IMPORT_VSCROLL))
        return;
    const int low = bi::lowestBase(side_), high = bi::highestBase(horizontal ? width_ : height_);
    int position = horizontal ? baseX_ : baseY_;
    switch (code) {
    case SB_LINELEFT:
        position -= 1;
        break;
    case SB_LINERIGHT:
        position += 1;
        break;
    case SB_PAGELEFT:
        position -= side_;
        break;
    case SB_PAGERIGHT:
        position += side_;
        break;
    case SB_LEFT:
        position = low;
        break;
    case SB_RIGHT:
        position = high;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = thumb;
        break;
    default:
        return;
    }
    position = std::clamp(position, low, high);
    // Through the spin into the edit, whose change moves the bar and redraws the preview.
    SendDlgItemMessageW(handle(), horizontal ? IDC_IMPORT_X_SPIN : IDC_IMPORT_Y_SPIN, UDM_SETPOS32, 0,
                        position);
    baseChanged(horizontal ? IDC_IMPORT_X : IDC_IMPORT_Y);
}

void BitmapImportDialog::chooseMode(bool reduce) {
    reduce_ = reduce;
    for (int id : baseControls)
        EnableWindow(item(id), !reduce);
    InvalidateRect(item(IDC_IMPORT_PREVIEW), nullptr, FALSE);
}

void BitmapImportDialog::drawPreview(const DRAWITEMSTRUCT& drawn) const {
    HDC dc = drawn.hDC;
    const int x0 = drawn.rcItem.left + previewInset, y0 = drawn.rcItem.top + previewInset;
    const RECT area{x0, y0, x0 + bi::previewSide, y0 + bi::previewSide};
    Brush dark(CreateSolidBrush(0x404040));
    FillRect(dc, &drawn.rcItem, dark.get());
    const bi::PreviewMapping m =
        reduce_ ? bi::reductionPreview(side_, width_, height_, magnified_)
                : bi::basePointPreview(baseX_, baseY_, side_, width_, height_, magnified_);
    MemoryDc source(CreateCompatibleDC(dc));
    if (source && bitmap_ && m.source.width() > 0 && m.source.height() > 0) {
        SelectObjectScope keep(source.get(), bitmap_);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, x0 + m.destination.left, y0 + m.destination.top, nullptr);
        StretchBlt(dc, x0 + m.destination.left, y0 + m.destination.top, m.destination.width(),
                   m.destination.height(), source.get(), m.source.left, m.source.top, m.source.width(),
                   m.source.height(), SRCCOPY);
    }
    const int frame = bi::frameOffset(side_, magnified_);
    const int size = magnified_ ? 3 * side_ : side_;
    const int mode = SetROP2(dc, R2_NOT);
    SelectObjectScope pen(dc, GetStockObject(BLACK_PEN));
    for (int at : {frame, frame + size}) {
        MoveToEx(dc, x0 + at, area.top, nullptr);
        LineTo(dc, x0 + at, area.bottom);
        MoveToEx(dc, area.left, y0 + at, nullptr);
        LineTo(dc, area.right, y0 + at);
    }
    SetROP2(dc, mode);
}

bool BitmapImportDialog::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_IMPORT_X:
    case IDC_IMPORT_Y:
        if (code == EN_CHANGE)
            baseChanged(id);
        else if (code == EN_SETFOCUS)
            SendMessageW(control, EM_SETSEL, 0, -1);
        return true;
    case IDC_IMPORT_BASE:
    case IDC_IMPORT_REDUCE:
        if (code == BN_CLICKED)
            chooseMode(id == IDC_IMPORT_REDUCE);
        return true;
    case IDC_IMPORT_MAGNIFY:
        magnified_ = IsDlgButtonChecked(handle(), IDC_IMPORT_MAGNIFY) == BST_CHECKED;
        InvalidateRect(item(IDC_IMPORT_PREVIEW), nullptr, FALSE);
        return true;
    case IDOK:
        if (!reduce_) {
            baseX_ = static_cast<int>(SendDlgItemMessageW(handle(), IDC_IMPORT_X_SPIN, UDM_GETPOS32, 0, 0));
            baseY_ = static_cast<int>(SendDlgItemMessageW(handle(), IDC_IMPORT_Y_SPIN, UDM_GETPOS32, 0, 0));
        }
        end(IDOK);
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

INT_PTR BitmapImportDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrolled(reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_DRAWITEM: {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (drawn.CtlID == IDC_IMPORT_PREVIEW) {
            drawPreview(drawn);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
