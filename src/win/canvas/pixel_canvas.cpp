#include "win/canvas/pixel_canvas.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/canvas/bitmap_import.h"
#include "model/canvas/packed_bitmap.h"
#include "resource.h"
#include "win/app/dialog.h"
#include "win/app/message_box.h"
#include "win/canvas/bitmap_import_dialog.h"

namespace tav::win {

namespace {

constexpr UINT_PTR subclassId = 0x5043; // "PC"

constexpr int toolIndex(std::uint8_t tool) {
    return tool >> 4;
}

struct SolidPen {
    explicit SolidPen(COLORREF colour) : pen(CreatePen(PS_SOLID, 1, colour)) {}
    Pen pen;
};

} // namespace

// ---- surfaces ----

bool PixelCanvas::Surface::make(HDC reference, int side) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.reset(CreateCompatibleDC(reference));
    if (!bitmap_ || !dc_ || !bits)
        return false;
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    bits_ = static_cast<std::uint32_t*>(bits);
    side_ = side;
    return true;
}

PixelCanvas::Surface::~Surface() {
    // The section leaves the context before either goes.
    if (dc_ && previous_)
        SelectObject(dc_.get(), previous_);
}

PicturePixels PixelCanvas::Surface::pixels() const {
    GdiFlush();
    return bits_ ? PicturePixels(bits_, bits_ + pixelCount()) : PicturePixels{};
}

void PixelCanvas::Surface::setPixels(const PicturePixels& pixels) {
    GdiFlush();
    if (bits_ && pixels.size() == pixelCount())
        std::memcpy(bits_, pixels.data(), pixels.size() * sizeof(std::uint32_t));
}

// ---- set-up ----

PixelCanvas::PixelCanvas(int undoLimit) {
    history_.setLimit(undoLimit);
}

PixelCanvas::~PixelCanvas() {
    if (window_ && IsWindow(window_))
        RemoveWindowSubclass(window_, &PixelCanvas::procedure, subclassId);
}

bool PixelCanvas::create(HWND control, bool big) {
    if (!control)
        return false;
    side_ = big ? 23 : 15;
    HDC screen = GetDC(control);
    const bool made = picture_.make(screen, side_) && composition_.make(screen, side_);
    ReleaseDC(control, screen);
    if (!made)
        return false;
    const RECT all{0, 0, side_, side_};
    Brush fill(CreateSolidBrush(transparent_));
    FillRect(picture_.dc(), &all, fill.get());
    selection_ = std::make_unique<FloatingSelection>(picture_.dc(), side_, [this](bool before) {
        SendMessageW(window_, before ? canvas_message::changing : canvas_message::changed, 0, 0);
    });
    selection_->setTransparency(transparencyEnabled_, transparent_);
    accelerators_ = LoadAcceleratorsW(moduleInstance(), MAKEINTRESOURCEW(IDR_CANVASACCEL));
    if (!SetWindowSubclass(control, &PixelCanvas::procedure, subclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = control;
    SetWindowPos(control, nullptr, 0, 0, side_ * zoom + 2, side_ * zoom + 2, SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(control, nullptr, FALSE);
    return true;
}

// ---- operations of the host ----

void PixelCanvas::setTool(std::uint8_t tool) {
    endDrag();
    if (selecting() && tool != canvas_tool::selection && selection_)
        selection_->commit();
    tool_ = tool;
}

void PixelCanvas::setTransparentColour(COLORREF colour) {
    transparent_ = colour;
    if (selection_)
        selection_->setTransparency(transparencyEnabled_, transparent_);
    if (selecting())
        InvalidateRect(window_, nullptr, FALSE);
}

void PixelCanvas::setTransparencyEnabled(bool enabled) {
    transparencyEnabled_ = enabled;
    if (selection_)
        selection_->setTransparency(transparencyEnabled_, transparent_);
    if (selecting())
        InvalidateRect(window_, nullptr, FALSE);
}

PixelCanvas::Paste PixelCanvas::pasteBitmap(HBITMAP bitmap) {
    BITMAP size{};
    if (!selection_ || !bitmap || !GetObjectW(bitmap, sizeof(size), &size))
        return Paste::failed;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int width = size.bmWidth, height = std::abs(size.bmHeight);
    RECT piece{0, 0, width, height};
    int pieceWidth = width, pieceHeight = height;
    if (width > side_ || height > side_) {
        char text[128];
        std::snprintf(text, sizeof text,
                      "読込んだ画像は横%dx縦%dに収まりません。\n読込方法を指定してください。", side_, side_);
        showMessage(text, GetAncestor(window_, GA_ROOT), msg::iconInformation);
        BitmapImportDialog choice(bitmap, side_);
        if (choice.runModal(GetAncestor(window_, GA_ROOT)) != IDOK) {
            SetCursor(previous);
            return Paste::cancelled;
        }
        if (choice.reduce()) {
            pieceWidth = pieceHeight = side_;
        } else {
            const bitmap_import::Box box =
                bitmap_import::pieceAt(choice.baseX(), choice.baseY(), side_, width, height);
            piece = {box.left, box.top, box.right, box.bottom};
            pieceWidth = std::min(side_, box.width());
            pieceHeight = std::min(side_, box.height());
        }
    }
    const bool pasted = selection_->paste(bitmap, piece, pieceWidth, pieceHeight);
    SetCursor(previous);
    if (!pasted)
        return Paste::failed;
    SendMessageW(GetParent(window_), canvas_message::switchTool, toolIndex(canvas_tool::selection) - 1, 0);
    InvalidateRect(window_, nullptr, FALSE);
    return Paste::pasted;
}

PixelCanvas::Paste PixelCanvas::pastePackedDib(const std::uint8_t* data, std::size_t size) {
    const std::optional<PackedBitmap> checked = describePackedBitmap(data, size);
    if (!checked)
        return Paste::failed;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (selection_)
        selection_->commit();
    // The header was checked against the bytes there: the colours and every row or run lie inside the block.
    const auto* info = reinterpret_cast<const BITMAPINFO*>(data);
    HDC screen = GetDC(window_);
    Bitmap bitmap(
        CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, data + checked->bitsOffset, info, DIB_RGB_COLORS));
    ReleaseDC(window_, screen);
    SetCursor(previous);
    return bitmap ? pasteBitmap(bitmap.get()) : Paste::failed;
}

void PixelCanvas::centreSelection() {
    if (selecting() && selection_) {
        selection_->centre();
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void PixelCanvas::rotateSelection() {
    if (selecting() && selection_) {
        selection_->rotate();
        InvalidateRect(window_, nullptr, FALSE);
    }
}

bool PixelCanvas::loadPicture(HBITMAP bitmap) {
    if (!bitmap)
        return false;
    if (selection_)
        selection_->commit();
    MemoryDc source(CreateCompatibleDC(picture_.dc()));
    if (!source)
        return false;
    SelectObjectScope keep(source.get(), bitmap);
    BitBlt(picture_.dc(), 0, 0, side_, side_, source.get(), 0, 0, SRCCOPY);
    InvalidateRect(window_, nullptr, FALSE);
    return true;
}

bool PixelCanvas::copyPicture(Bitmap& copy) {
    if (selection_)
        selection_->commit();
    copy.reset(CreateCompatibleBitmap(picture_.dc(), side_, side_));
    MemoryDc target(CreateCompatibleDC(picture_.dc()));
    if (!copy || !target)
        return false;
    SelectObjectScope keep(target.get(), copy.get());
    return BitBlt(target.get(), 0, 0, side_, side_, picture_.dc(), 0, 0, SRCCOPY) != FALSE;
}

void PixelCanvas::stretchCopyFrom(HDC other) {
    endDrag();
    if (selection_)
        selection_->drop();
    HBITMAP source = other ? static_cast<HBITMAP>(GetCurrentObject(other, OBJ_BITMAP)) : nullptr;
    BITMAP size{};
    if (!source || !GetObjectW(source, sizeof(size), &size))
        return;
    SetStretchBltMode(picture_.dc(), HALFTONE);
    SetBrushOrgEx(picture_.dc(), 0, 0, nullptr);
    StretchBlt(picture_.dc(), 0, 0, side_, side_, other, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    InvalidateRect(window_, nullptr, FALSE);
}

void PixelCanvas::cancelOperation(bool commit) {
    endDrag();
    if (selecting() && selection_) {
        if (commit)
            selection_->commit();
        else
            selection_->drop();
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void PixelCanvas::copyToClipboard() {
    Bitmap copy = selection_->copy();
    if (!copy || !OpenClipboard(window_))
        return;
    EmptyClipboard();
    // The clipboard owns the bitmap once it took it.
    if (SetClipboardData(CF_BITMAP, copy.get()))
        copy.release();
    CloseClipboard();
}

void PixelCanvas::pasteFromClipboard() {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (IsClipboardFormatAvailable(CF_BITMAP) && OpenClipboard(window_)) {
        selection_->commit();
        // The bitmap stays the clipboard's: the piece is a copy of it.
        pasteBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
        CloseClipboard();
    }
    SetCursor(previous);
}

bool PixelCanvas::onCommand(int id) {
    if (selection_) {
        switch (id) {
        case ID_EDIT_COPY:
            copyToClipboard();
            InvalidateRect(window_, nullptr, FALSE);
            return true;
        case ID_EDIT_CUT:
            copyToClipboard();
            selection_->erase();
            InvalidateRect(window_, nullptr, FALSE);
            return true;
        case ID_EDIT_DELETE:
            selection_->erase();
            InvalidateRect(window_, nullptr, FALSE);
            return true;
        case ID_EDIT_PASTE:
            pasteFromClipboard();
            return true;
        case ID_VIEW_ESCAPE:
            if (selecting()) {
                selection_->commit();
                InvalidateRect(window_, nullptr, FALSE);
            }
            return true;
        case ID_VIEW_UP:
        case ID_VIEW_DOWN:
        case ID_VIEW_LEFT:
        case ID_VIEW_RIGHT:
            if (selecting() && selection_->hasPiece()) {
                selection_->shift(id == ID_VIEW_LEFT    ? -1
                                  : id == ID_VIEW_RIGHT ? 1
                                                        : 0,
                                  id == ID_VIEW_UP     ? -1
                                  : id == ID_VIEW_DOWN ? 1
                                                       : 0);
                InvalidateRect(window_, nullptr, FALSE);
            }
            return true;
        default:
            break;
        }
    }
    if (id != ID_EDIT_UNDO && id != ID_EDIT_REDO)
        return false;
    const PicturePixels current = picture_.pixels();
    const auto shown = id == ID_EDIT_UNDO ? history_.undo(current) : history_.redo(current);
    if (shown) {
        picture_.setPixels(*shown);
        SendMessageW(window_, canvas_message::changed, 0, 0);
        endDrag();
        if (selecting() && selection_)
            selection_->drop();
        InvalidateRect(window_, nullptr, FALSE);
    }
    return true;
}

// ---- input ----

POINT PixelCanvas::pixelOf(POINT window) const {
    // Truncated toward zero: -11 .. -1 are pixel 0.
    return {window.x / zoom, window.y / zoom};
}

bool PixelCanvas::inside(POINT window) const {
    const int display = side_ * zoom;
    return window.x >= 0 && window.x < display && window.y >= 0 && window.y < display;
}

bool PixelCanvas::pick(POINT at, WPARAM target) {
    HDC dc = GetDC(window_);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    ReleaseDC(window_, dc);
    if (colour == CLR_INVALID)
        return false;
    PostMessageW(GetParent(window_), canvas_message::picked, target, static_cast<LPARAM>(colour));
    return true;
}

void PixelCanvas::beginChange() {
    SendMessageW(window_, canvas_message::changing, 0, 0);
}

void PixelCanvas::endChange() {
    SendMessageW(window_, canvas_message::changed, 0, 0);
}

void PixelCanvas::sendStatus(const char* text) {
    SendMessageW(GetParent(window_), canvas_message::status, reinterpret_cast<WPARAM>(text), 0);
}

void PixelCanvas::pointStatus(POINT pixel) {
    char text[64];
    std::snprintf(text, sizeof text, "現在点:[%2d,%2d]", static_cast<int>(pixel.x),
                  static_cast<int>(pixel.y));
    sendStatus(text);
}

void PixelCanvas::dragStatus() {
    char text[128];
    const int sx = start_.x, sy = start_.y, cx = current_.x, cy = current_.y;
    if (toolIndex(tool_) == toolIndex(canvas_tool::line))
        std::snprintf(text, sizeof text, "基点:[%2d,%2d]   現在点:[%2d,%2d]", sx, sy, cx, cy);
    else
        std::snprintf(text, sizeof text, "基点:[%2d,%2d]   現在点:[%2d,%2d]   ｻｲｽﾞ:[%2d,%2d]", sx, sy, cx, cy,
                      std::abs(sx - cx) + 1, std::abs(sy - cy) + 1);
    sendStatus(text);
}

void PixelCanvas::selectionStatus() {
    char text[128];
    const RECT& r = selection_->rectangle();
    if (selection_->hasPiece()) {
        std::snprintf(text, sizeof text, "左上:[%2d,%2d]   右下:[%2d,%2d]   ｻｲｽﾞ:[%2d,%2d]",
                      static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - 1),
                      static_cast<int>(r.bottom - 1), static_cast<int>(r.right - r.left),
                      static_cast<int>(r.bottom - r.top));
    } else {
        const POINT a = selection_->anchor(), c = selection_->current();
        std::snprintf(text, sizeof text, "基点:[%2d,%2d]   現在点:[%2d,%2d]   ｻｲｽﾞ:[%2d,%2d]",
                      static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(c.x),
                      static_cast<int>(c.y), static_cast<int>(std::abs(a.x - c.x) + 1),
                      static_cast<int>(std::abs(a.y - c.y) + 1));
    }
    sendStatus(text);
}

void PixelCanvas::showMenu(POINT at) {
    Menu menu(LoadMenuW(moduleInstance(), MAKEINTRESOURCEW(IDR_CANVASMENU)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup)
        return;
    auto enable = [popup](int id, bool on) {
        EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(ID_EDIT_PASTE, IsClipboardFormatAvailable(CF_BITMAP) != FALSE);
    enable(ID_EDIT_UNDO, history_.canUndo());
    enable(ID_EDIT_REDO, history_.canRedo());
    ClientToScreen(window_, &at);
    const int chosen =
        static_cast<int>(TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                        at.x, at.y, 0, window_, nullptr));
    if (chosen)
        onCommand(chosen);
}

void PixelCanvas::endDrag() {
    if (!dragging_ && !stroking_)
        return;
    dragging_ = stroking_ = false;
    if (GetCapture() == window_)
        ReleaseCapture();
    InvalidateRect(window_, nullptr, FALSE);
}

void PixelCanvas::press(POINT at, bool leftButton) {
    SetFocus(window_);
    if (GetKeyState(VK_CONTROL) < 0) {
        pick(at, leftButton ? colour_target::left : colour_target::right);
        return;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        pick(at, colour_target::transparent);
        return;
    }
    if (!inside(at))
        return;
    const POINT pixel = pixelOf(at);
    if (selecting()) {
        // The right button never selects; its release opens the menu.
        if (leftButton && selection_) {
            selection_->press(window_, at);
            if (selection_->state() == FloatingSelection::none)
                pointStatus(pixel);
            else
                selectionStatus();
            InvalidateRect(window_, nullptr, FALSE);
        }
        return;
    }
    const COLORREF colour = leftButton ? left_ : right_;
    switch (toolIndex(tool_)) {
    case toolIndex(canvas_tool::pencil):
    case toolIndex(canvas_tool::eraser): {
        colour_ = toolIndex(tool_) == toolIndex(canvas_tool::eraser) ? transparent_ : colour;
        beginChange();
        SetPixel(picture_.dc(), pixel.x, pixel.y, colour_);
        endChange();
        current_ = pixel;
        stroking_ = true;
        SetCapture(window_);
        InvalidateRect(window_, nullptr, FALSE);
        break;
    }
    case toolIndex(canvas_tool::line):
    case toolIndex(canvas_tool::rectangle):
    case toolIndex(canvas_tool::ellipse):
        colour_ = colour;
        filled_ = (tool_ & canvas_tool::filled) != 0;
        start_ = current_ = pixel;
        dragging_ = true;
        dragStatus();
        SetCapture(window_);
        InvalidateRect(window_, nullptr, FALSE);
        break;
    case toolIndex(canvas_tool::fill): {
        beginChange();
        Brush brush(CreateSolidBrush(colour));
        {
            SelectObjectScope keep(picture_.dc(), brush.get());
            ExtFloodFill(picture_.dc(), pixel.x, pixel.y, GetPixel(picture_.dc(), pixel.x, pixel.y),
                         FLOODFILLSURFACE);
        }
        endChange();
        InvalidateRect(window_, nullptr, FALSE);
        break;
    }
    case toolIndex(canvas_tool::picker):
        pick(at, leftButton ? colour_target::left : colour_target::right);
        break;
    default:
        break;
    }
}

void PixelCanvas::move(POINT at) {
    if (GetCapture() != window_ && !inside(at))
        return;
    const POINT pixel = pixelOf(at);
    if (selecting() && selection_) {
        const int state = selection_->state();
        if (state == FloatingSelection::none || state == FloatingSelection::floating)
            pointStatus(pixel);
        else if (selection_->move(at)) {
            selectionStatus();
            InvalidateRect(window_, nullptr, FALSE);
        }
        return;
    }
    if (stroking_) {
        if (pixel.x == current_.x && pixel.y == current_.y)
            return;
        pointStatus(pixel);
        SolidPen pen(colour_);
        SelectObjectScope keep(picture_.dc(), pen.pen.get());
        MoveToEx(picture_.dc(), current_.x, current_.y, nullptr);
        LineTo(picture_.dc(), pixel.x, pixel.y);
        SetPixel(picture_.dc(), pixel.x, pixel.y, colour_);
        endChange(); // the stroke is one undo step: no new snapshot
        current_ = pixel;
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    if (dragging_) {
        if (pixel.x != current_.x || pixel.y != current_.y) {
            current_ = pixel;
            dragStatus();
            InvalidateRect(window_, nullptr, FALSE);
        }
        return;
    }
    if (toolIndex(tool_) != toolIndex(canvas_tool::picker))
        pointStatus(pixel);
}

void PixelCanvas::release(POINT at) {
    const POINT pixel = pixelOf(at);
    if (selecting() && selection_) {
        pointStatus(pixel);
        selection_->release();
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    if (stroking_) {
        endDrag();
        return;
    }
    if (!dragging_)
        return;
    pointStatus(pixel);
    SolidPen pen(colour_);
    HDC dc = picture_.dc();
    beginChange();
    {
        SelectObjectScope keepPen(dc, pen.pen.get());
        if (toolIndex(tool_) == toolIndex(canvas_tool::line)) {
            MoveToEx(dc, start_.x, start_.y, nullptr);
            LineTo(dc, pixel.x, pixel.y);
            SetPixel(dc, pixel.x, pixel.y, colour_);
        } else {
            Brush solid(filled_ ? CreateSolidBrush(colour_) : nullptr);
            SelectObjectScope keepBrush(dc, filled_ ? solid.get() : GetStockObject(NULL_BRUSH));
            const int left = std::min<int>(start_.x, pixel.x), right = std::max<int>(start_.x, pixel.x) + 1;
            const int top = std::min<int>(start_.y, pixel.y), bottom = std::max<int>(start_.y, pixel.y) + 1;
            if (toolIndex(tool_) == toolIndex(canvas_tool::rectangle))
                Rectangle(dc, left, top, right, bottom);
            else
                Ellipse(dc, left, top, right, bottom);
        }
    }
    endChange();
    endDrag();
}

// ---- painting ----

void PixelCanvas::drawOverlay(HDC dc) {
    if (!dragging_)
        return;
    const int oldMode = SetROP2(dc, R2_NOT);
    SelectObjectScope pen(dc, GetStockObject(BLACK_PEN));
    if (toolIndex(tool_) == toolIndex(canvas_tool::line)) {
        MoveToEx(dc, start_.x, start_.y, nullptr);
        LineTo(dc, current_.x, current_.y);
        SetPixel(dc, current_.x, current_.y, colour_);
    } else {
        const bool filledBox = filled_ && toolIndex(tool_) == toolIndex(canvas_tool::rectangle);
        SelectObjectScope brush(dc, GetStockObject(filledBox ? BLACK_BRUSH : NULL_BRUSH));
        const int left = std::min<int>(start_.x, current_.x), right = std::max<int>(start_.x, current_.x) + 1;
        const int top = std::min<int>(start_.y, current_.y), bottom = std::max<int>(start_.y, current_.y) + 1;
        if (toolIndex(tool_) == toolIndex(canvas_tool::rectangle))
            Rectangle(dc, left, top, right, bottom);
        else
            Ellipse(dc, left, top, right, bottom); // a filled ellipse previews as its outline
    }
    SetROP2(dc, oldMode);
}

void PixelCanvas::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (picture_.dc() && composition_.dc()) {
        BitBlt(composition_.dc(), 0, 0, side_, side_, picture_.dc(), 0, 0, SRCCOPY);
        drawOverlay(composition_.dc());
        if (selecting() && selection_)
            selection_->drawInto(composition_.dc());
        const int display = side_ * zoom;
        SetStretchBltMode(dc, COLORONCOLOR);
        IntersectClipRect(dc, 0, 0, display, display);
        StretchBlt(dc, 0, 0, display, display, composition_.dc(), 0, 0, side_, side_, SRCCOPY);
        SelectClipRgn(dc, nullptr);
        if (selecting() && selection_)
            selection_->drawFrame(dc);
    }
    EndPaint(window_, &ps);
}

// ---- messages ----

LRESULT CALLBACK PixelCanvas::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
    auto* canvas = reinterpret_cast<PixelCanvas*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &PixelCanvas::procedure, subclassId);
        canvas->window_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return canvas->handle(message, wParam, lParam);
}

LRESULT PixelCanvas::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_NCHITTEST:
        return HTCLIENT; // a static would let the clicks through
    case WM_SETFOCUS:
        SendMessageW(GetParent(window_), canvas_message::focus, 0, reinterpret_cast<LPARAM>(this));
        break;
    case WM_KEYDOWN:
        if (accelerators_) {
            MSG key{window_, message, wParam, lParam, 0, {}};
            if (TranslateAcceleratorW(window_, accelerators_, &key))
                return 0;
        }
        break;
    case WM_COMMAND:
        if (onCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        press(at, message == WM_LBUTTONDOWN);
        return 0;
    case WM_MBUTTONDBLCLK:
        pick(at, colour_target::transparent);
        return 0;
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        move(at);
        return 0;
    case WM_LBUTTONUP:
        release(at);
        return 0;
    case WM_RBUTTONUP:
        if (selecting() && !(wParam & (MK_SHIFT | MK_CONTROL | MK_MBUTTON))) {
            showMenu(at);
            return 0;
        }
        release(at);
        return 0;
    case WM_MOUSELEAVE:
        sendStatus("");
        tracking_ = false;
        return 0;
    case WM_SETCURSOR: {
        int cursor = 0;
        switch (toolIndex(tool_)) {
        case toolIndex(canvas_tool::pencil):
            cursor = IDC_CURSOR_PENCIL;
            break;
        case toolIndex(canvas_tool::eraser):
            cursor = IDC_CURSOR_ERASER;
            break;
        case toolIndex(canvas_tool::fill):
            cursor = IDC_CURSOR_FILL;
            break;
        case toolIndex(canvas_tool::picker):
            cursor = IDC_CURSOR_PICKER;
            break;
        default:
            break;
        }
        HCURSOR shape = cursor ? LoadCursorW(moduleInstance(), MAKEINTRESOURCEW(cursor)) : nullptr;
        if (selecting() && selection_) {
            POINT mouse{};
            GetCursorPos(&mouse);
            ScreenToClient(window_, &mouse);
            static const wchar_t* const shapes[] = {IDC_CROSS, IDC_SIZEALL, IDC_SIZENWSE, IDC_SIZENESW};
            shape = LoadCursorW(nullptr, shapes[selection_->cursorAt(mouse)]);
        }
        SetCursor(shape ? shape : LoadCursorW(nullptr, IDC_CROSS));
        return TRUE;
    }
    case canvas_message::changing:
        history_.push(picture_.pixels());
        return 0;
    case canvas_message::changed:
        PostMessageW(GetParent(window_), canvas_message::changed, 0, GetDlgCtrlID(window_));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window_) {
            stroking_ = false;
            dragging_ = false;
            InvalidateRect(window_, nullptr, FALSE);
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(window_, message, wParam, lParam);
}

} // namespace tav::win
