#include "win/output/print_preview_dialog.h"

#include <algorithm>
#include <utility>

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/platform/text.h"
#include "win/view/coloured_button.h"

namespace tav::win {

namespace {

constexpr int windowSize = 410;
constexpr int smallestWidth = 144, smallestHeight = 28;
constexpr int previewTop = 57;
constexpr int pageButtons[] = {IDC_PREVIEW_FIRST, IDC_PREVIEW_PREVIOUS, IDC_PREVIEW_NEXT, IDC_PREVIEW_LAST};
constexpr ControlPlace fixedPlaces[] = {
    {IDC_PREVIEW_FIRST, 4, 27, 30, 24},
    {IDC_PREVIEW_PREVIOUS, 36, 27, 30, 24},
    {IDC_PREVIEW_PAGE, 68, 31, 72, 16},
    {IDC_PREVIEW_NEXT, 142, 27, 30, 24},
    {IDC_PREVIEW_LAST, 174, 27, 30, 24},
    {IDC_PREVIEW_VIEW, 212, 27, 72, 24},
    {IDOK, 290, 27, 54, 24},
    {IDCANCEL, 348, 27, 54, 24},
};

const char* const initFailedText = "印刷プレビューの初期化に失敗しました。";

print::DraggedEdges draggedEdges(WPARAM edge) {
    print::DraggedEdges e;
    e.left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    e.right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    e.top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    e.bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    return e;
}

} // namespace

PrintPreviewDialog::PrintPreviewDialog(const PreviewJob& job, Prompter& prompter, PrintAction print)
    : DialogFrame(IDD_PRINT_PREVIEW), preview_(job), prompter_(prompter), print_(std::move(print)) {}

bool PrintPreviewDialog::onInitDialog() {
    const RECT place{4, previewTop, 4 + 396, previewTop + 343};
    if (!preview_.create(handle(), IDC_PREVIEW_WINDOW, place)) {
        prompter_.showMessage(initFailedText, msg::ok | msg::iconError);
        end(IDCANCEL);
        return true;
    }
    placeControls(handle(), fixedPlaces);
    shapeWindow(windowSize, windowSize);
    RECT client{};
    GetClientRect(handle(), &client);
    layOut(client.right, client.bottom);
    paintOkAndCancel();
    makeOwnerDrawn(item(IDC_MAXIMIZE));
    addTooltip(IDC_MAXIMIZE, narrow(resourceString(IDS_TIP_MAXIMIZE)));
    addTooltip(IDC_PREVIEW_VIEW, narrow(resourceString(IDS_TIP_PREVIEW_VIEW)));
    showView();
    pageShown(true);
    return true;
}

void PrintPreviewDialog::layOut(int width, int height) {
    const ControlPlace places[] = {
        {IDC_TITLE, 0, 0, width - 4, 20},
        {IDC_MAXIMIZE, width - 34, 3, 15, 15},
        {IDC_CLOSE, width - 18, 3, 15, 15},
        {IDC_PREVIEW_SEPARATOR, 0, 54, width - 4, 2},
        {IDC_PREVIEW_WINDOW, 4, previewTop, std::max(width - 8, 0), std::max(height - 4 - previewTop, 0)},
    };
    placeControls(handle(), places);
}

void PrintPreviewDialog::pageShown(bool changed) {
    if (!changed)
        return;
    const print::PageCursor& pages = preview_.pages();
    setItemText(handle(), IDC_PREVIEW_PAGE, pages.label());
    HWND focus = GetFocus();
    for (int id : pageButtons) {
        const bool back = id == IDC_PREVIEW_FIRST || id == IDC_PREVIEW_PREVIOUS;
        const bool enabled = back ? pages.canGoBack() : pages.canGoForward();
        // The focus leaves a button before it goes grey, or the keyboard would have nowhere to go.
        if (!enabled && focus == item(id))
            SendMessageW(handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDCANCEL)), TRUE);
        EnableWindow(item(id), enabled);
    }
}

void PrintPreviewDialog::showView() {
    setItemText(handle(), IDC_PREVIEW_VIEW, preview_.wholePage() ? "通常表示" : "全体表示");
}

void PrintPreviewDialog::toggleMaximized() {
    POINT cursor{};
    GetCursorPos(&cursor);
    PostMessageW(handle(), WM_SYSCOMMAND, IsZoomed(handle()) ? SC_RESTORE : SC_MAXIMIZE,
                 MAKELPARAM(cursor.x, cursor.y));
}

// One box to maximize, two overlapping boxes to restore.
void PrintPreviewDialog::drawMaximizeButton(const DRAWITEMSTRUCT& drawn) const {
    HDC dc = drawn.hDC;
    const RECT& r = drawn.rcItem;
    const bool pressed = drawn.itemState & ODS_SELECTED;
    drawButtonFace(dc, r, 0x404040, 0xFFFFFF, 0x707070, pressed);
    Pen pen(CreatePen(PS_SOLID, 1, 0xF1FBFF));
    SelectObjectScope penScope(dc, pen.get());
    SelectObjectScope brushScope(dc, GetStockObject(NULL_BRUSH));
    const int shift = pressed ? 1 : 0;
    const int left = r.left + 3 + shift, top = r.top + 3 + shift;
    const int right = r.right - 3 + shift, bottom = r.bottom - 3 + shift;
    if (IsZoomed(handle())) {
        Rectangle(dc, left + 3, top, right, bottom - 3);
        Rectangle(dc, left, top + 3, right - 3, bottom);
    } else {
        Rectangle(dc, left, top, right, bottom);
        MoveToEx(dc, left, top + 1, nullptr);
        LineTo(dc, right, top + 1);
    }
}

bool PrintPreviewDialog::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_PREVIEW_FIRST:
        pageShown(preview_.first());
        return true;
    case IDC_PREVIEW_PREVIOUS:
        pageShown(preview_.previous());
        return true;
    case IDC_PREVIEW_NEXT:
        pageShown(preview_.next());
        return true;
    case IDC_PREVIEW_LAST:
        pageShown(preview_.last());
        return true;
    case IDC_PREVIEW_VIEW:
        preview_.setWholePage(!preview_.wholePage());
        showView();
        return true;
    case IDC_MAXIMIZE:
        toggleMaximized();
        return true;
    case IDOK:
        if (print_)
            print_(handle());
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

INT_PTR PrintPreviewDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (preview_.handle()) {
            layOut(LOWORD(lParam), HIWORD(lParam));
            roundCorners();
            InvalidateRect(item(IDC_MAXIMIZE), nullptr, FALSE);
        }
        return TRUE;
    case WM_SIZING: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        const PixelRect kept = print::keepAtLeast({r->left, r->top, r->right, r->bottom},
                                                  draggedEdges(wParam), smallestWidth, smallestHeight);
        *r = {kept.left, kept.top, kept.right, kept.bottom};
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (static_cast<int>(drawn.CtlID) == IDC_MAXIMIZE) {
            drawMaximizeButton(drawn);
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
