#include "win/marks/history_picker.h"

#include <algorithm>

#include "resource.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 422;
constexpr ControlPlace framePlaces[] = {
    {IDC_TITLE, 0, 0, windowWidth, 20},
    {IDC_CLOSE, windowWidth - 22, 3, 18, 14},
    {IDC_PICKER_LIST, 10, 28, 402, 180},
};
// The buttons' distance from the bottom edge.
constexpr int buttonRise = 34;

constexpr int smallestColumn = 95;
constexpr int smallestRow = 51;
constexpr COLORREF body = RGB(0x40, 0x40, 0x40);
constexpr COLORREF framePen = 0x80FFFF;
constexpr COLORREF frameFill = 0xF1FBFF;
constexpr COLORREF markerPen = 0x8000FF;
constexpr COLORREF markerFill = 0x40A0FF;

} // namespace

HistoryPicker::HistoryPicker(int templateId, int windowHeight, HistoryKind kind, MarkHistory& history,
                             DrawingResourceCache& cache)
    : DialogFrame(templateId), windowHeight_(windowHeight), kind_(kind), history_(history), cache_(cache) {}

bool HistoryPicker::onInitDialog() {
    deleted_.clear();
    deleteAll_ = false;
    placeControls(handle(), framePlaces);
    const int buttons = windowHeight_ - buttonRise;
    const ControlPlace buttonPlaces[] = {
        {IDC_PICKER_DELETE, 10, buttons, 76, 24},
        {IDC_PICKER_DELETE_ALL, 92, buttons, 76, 24},
        {IDOK, 254, buttons, 76, 24},
        {IDCANCEL, 336, buttons, 76, 24},
    };
    placeControls(handle(), buttonPlaces);
    placeControls(handle(), detailPlaces());
    shapeWindow(windowWidth, windowHeight_);
    paintOkAndCancel();
    constexpr COLORREF light = 0xFFFFFF, shadow = 0x707070, text = 0xF1FBFF;
    deleteButtons_[0].attach(item(IDC_PICKER_DELETE), body, light, shadow, text);
    deleteButtons_[1].attach(item(IDC_PICKER_DELETE_ALL), body, light, shadow, text);
    initDetails();
    layOutList();
    fillList();
    SetFocus(item(IDC_PICKER_LIST));
    return false; // the focus is set
}

// As many 95 x 51 cells as fit, stretched to fill the list exactly.
void HistoryPicker::layOutList() {
    HWND list = item(IDC_PICKER_LIST);
    RECT client{};
    GetClientRect(list, &client);
    const int columns = std::max(1, static_cast<int>(client.right) / smallestColumn);
    const int rows = std::max(1, static_cast<int>(client.bottom) / smallestRow);
    SendMessageW(list, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(client.right / columns), 0);
    SendMessageW(list, LB_SETITEMHEIGHT, 0,
                 MAKELPARAM(std::max(1, static_cast<int>(client.bottom) / rows), 0));
    cells_.clear();
    for (int i = 0; i < columns * rows; ++i)
        cells_.push_back(std::make_unique<Cell>());
}

void HistoryPicker::fillList() {
    HWND list = item(IDC_PICKER_LIST);
    const std::size_t count = history_.count(kind_);
    SendMessageW(list, LB_INITSTORAGE, count, 0);
    for (std::size_t record = 0; record < count; ++record)
        if (SendMessageW(list, LB_ADDSTRING, 0, static_cast<LPARAM>(record)) < 0)
            break; // out of memory: the entries listed so far are still usable
    const bool any = SendMessageW(list, LB_GETCOUNT, 0, 0) > 0;
    enableButtons(any);
    select(any ? 0 : -1);
}

void HistoryPicker::select(int position) {
    HWND list = item(IDC_PICKER_LIST);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
    const LRESULT record = position < 0 ? LB_ERR : SendMessageW(list, LB_GETITEMDATA, position, 0);
    showEntry(record == LB_ERR ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(record)));
}

void HistoryPicker::enableButtons(bool enabled) {
    for (int id : {IDC_PICKER_DELETE, IDC_PICKER_DELETE_ALL, IDOK})
        EnableWindow(item(id), enabled ? TRUE : FALSE);
}

void HistoryPicker::deleteSelected() {
    HWND list = item(IDC_PICKER_LIST);
    const auto position = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (position < 0)
        return;
    const auto record = static_cast<std::size_t>(SendMessageW(list, LB_GETITEMDATA, position, 0));
    deleted_.insert(std::upper_bound(deleted_.begin(), deleted_.end(), record), record);
    const auto left = static_cast<int>(SendMessageW(list, LB_DELETESTRING, position, 0));
    if (left > 0) {
        select(std::min(position, left - 1));
        return;
    }
    enableButtons(false);
    SetFocus(item(IDCANCEL)); // the focus would be left on a disabled button
    select(-1);
}

void HistoryPicker::deleteAll() {
    SendDlgItemMessageW(handle(), IDC_PICKER_LIST, LB_RESETCONTENT, 0, 0);
    deleted_.clear();
    deleteAll_ = true;
    enableButtons(false);
    SetFocus(item(IDCANCEL));
    select(-1);
}

bool HistoryPicker::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_PICKER_LIST:
        if (code == LBN_SELCHANGE)
            select(static_cast<int>(SendMessageW(item(IDC_PICKER_LIST), LB_GETCURSEL, 0, 0)));
        return true;
    case IDC_PICKER_DELETE:
        deleteSelected();
        return true;
    case IDC_PICKER_DELETE_ALL:
        deleteAll();
        return true;
    case IDOK:
        // An entry that cannot be read is no choice; the picker stays open for another.
        if (SendMessageW(item(IDC_PICKER_LIST), LB_GETCURSEL, 0, 0) >= 0 && takeShownEntry())
            end(IDOK);
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

void HistoryPicker::applyDeletions() {
    const bool all = deleteAll_;
    const std::vector<std::size_t> deleted = std::move(deleted_);
    deleted_.clear();
    deleteAll_ = false;
    if (all)
        history_.deleteAll(kind_);
    else if (!deleted.empty())
        history_.deleteEntries(kind_, deleted);
}

void HistoryPicker::onDestroy() {
    cells_.clear();
    applyDeletions();
    DialogFrame::onDestroy();
}

void HistoryPicker::drawEntryFrames(HDC dc) {
    SelectObjectScope pen(dc, cache_.pen(PS_SOLID, 1, framePen));
    SelectObjectScope brush(dc, cache_.solidBrush(frameFill));
    RoundRect(dc, 12, 10, 43, 41, 8, 8);
    RoundRect(dc, 52, 10, 83, 41, 8, 8);
}

void HistoryPicker::stretchInto(const DRAWITEMSTRUCT& item, HDC source, int width, int height) {
    const RECT& r = item.rcItem;
    if (!source) {
        FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    const int previous = SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, width, height,
               SRCCOPY);
    SetStretchBltMode(item.hDC, previous);
}

void HistoryPicker::drawListItem(const DRAWITEMSTRUCT& drawn) {
    HDC dc = drawn.hDC;
    const RECT& r = drawn.rcItem;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (drawn.itemID == static_cast<UINT>(-1) || width <= 0 || height <= 0 || cells_.empty()) {
        if (drawn.itemAction == ODA_FOCUS)
            DrawFocusRect(dc, &r);
        return;
    }
    // The cell's picture is drawn again only when another entry comes to show in it.
    const auto record = static_cast<std::size_t>(drawn.itemData);
    Cell& cell = *cells_[drawn.itemID % cells_.size()];
    DibImage* picture = &cell.picture;
    if (cell.record != record || !cell.picture) {
        cell.record.reset();
        if (cell.picture.make(width, height)) {
            RECT all{0, 0, width, height};
            FillRect(cell.picture.dc(), &all, cache_.solidBrush(body));
            drawEntry(cell.picture.dc(), record, width, height);
            GdiFlush();
            cell.record = record;
        } else {
            picture = nullptr;
        }
    }
    if (picture)
        BitBlt(dc, r.left, r.top, width, height, picture->dc(), 0, 0, SRCCOPY);
    else
        FillRect(dc, &r, cache_.solidBrush(body));

    if (drawn.itemState & ODS_SELECTED) {
        SelectObjectScope pen(dc, cache_.pen(PS_SOLID, 1, markerPen));
        {
            SelectObjectScope brush(dc, cache_.solidBrush(markerFill));
            const int x = r.left, y = r.top, right = r.right - 1, bottom = r.bottom - 1;
            const POINT topLeft[] = {{x + 2, y + 2}, {x + 2, y + 18}, {x + 18, y + 2}};
            const POINT bottomRight[] = {
                {right - 2, bottom - 2}, {right - 2, bottom - 18}, {right - 18, bottom - 2}};
            Polygon(dc, topLeft, 3);
            Polygon(dc, bottomRight, 3);
        }
        SelectObjectScope hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
    }
    if (drawn.itemState & ODS_FOCUS) {
        RECT inner = r;
        DrawFocusRect(dc, &inner);
        InflateRect(&inner, -1, -1);
        DrawFocusRect(dc, &inner);
    }
}

INT_PTR HistoryPicker::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The list's space beyond its last entry in the colour of the cells.
    if (message == WM_CTLCOLORLISTBOX)
        return reinterpret_cast<INT_PTR>(bodyBrush());
    if (message == WM_DRAWITEM) {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (drawn.CtlID == IDC_PICKER_LIST) {
            drawListItem(drawn);
            return TRUE;
        }
        if (drawDetail(drawn) || deleteButtons_[0].draw(drawn) || deleteButtons_[1].draw(drawn))
            return TRUE;
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
