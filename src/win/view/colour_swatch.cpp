#include "win/view/colour_swatch.h"

#include <commctrl.h>

#include <algorithm>

#include "resource.h"
#include "win/app/dialog.h"
#include "win/platform/handles.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {
constexpr UINT_PTR subclassId = 0x5357; // "SW"
constexpr COLORREF focusShadow = RGB(128, 128, 128);
constexpr COLORREF focusLight = RGB(223, 223, 223);
} // namespace

ColourSwatch::~ColourSwatch() {
    detach();
}

bool ColourSwatch::attach(HWND control) {
    detach();
    if (!control ||
        !SetWindowSubclass(control, &ColourSwatch::procedure, subclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    control_ = control;
    repaint();
    return true;
}

void ColourSwatch::detach() {
    if (control_ && IsWindow(control_))
        RemoveWindowSubclass(control_, &ColourSwatch::procedure, subclassId);
    control_ = nullptr;
}

void ColourSwatch::setColour(std::uint32_t colour, bool repaintNow) {
    colour_ = colour & 0xFFFFFF;
    if (repaintNow)
        repaint();
}

void ColourSwatch::setPattern(unsigned type) {
    pattern_ = type;
    repaint();
}

void ColourSwatch::setMarker(Marker marker) {
    marker_ = marker;
    repaint();
}

void ColourSwatch::enable(bool enabled) {
    if (control_)
        EnableWindow(control_, enabled ? TRUE : FALSE);
    repaint();
}

void ColourSwatch::repaint() const {
    if (control_)
        InvalidateRect(control_, nullptr, FALSE);
}

void ColourSwatch::paint(HDC dc, const RECT& client, bool focused) const {
    SetBkColor(dc, RGB(255, 255, 255));
    const bool patterned = pattern_ >= 1 && pattern_ <= lastPatternType;
    HBRUSH fill = patterned ? cache_.patternBrush(pattern_, colour_) : cache_.solidBrush(colour_);
    if (fill) {
        if (patterned && marker_ != noMarker)
            alignBrushOrigin(dc, fill, 1, 1);
        FillRect(dc, &client, fill);
    }

    if (marker_ == selected) {
        const int s = std::min(client.right - client.left, client.bottom - client.top) / 3;
        const POINT corners[] = {{client.right - 2, client.bottom - 2},
                                 {client.right - 2 - s, client.bottom - 2},
                                 {client.right - 2, client.bottom - 2 - s}};
        SelectObjectScope brush(dc, GetStockObject(WHITE_BRUSH));
        SelectObjectScope pen(dc, GetStockObject(BLACK_PEN));
        Polygon(dc, corners, 3);
    }

    if (!focused) {
        FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        SelectObjectScope pen(dc, cache_.pen(PS_SOLID, 1, focusShadow));
        MoveToEx(dc, client.left, client.bottom - 2, nullptr);
        LineTo(dc, client.left, client.top);
        LineTo(dc, client.right - 1, client.top);
    }
    SelectObjectScope pen(dc, cache_.pen(PS_SOLID, 1, focusLight));
    MoveToEx(dc, client.left + 1, client.bottom - 2, nullptr);
    LineTo(dc, client.right - 2, client.bottom - 2);
    LineTo(dc, client.right - 2, client.top);
}

std::uint8_t ColourSwatch::keyFlag(WPARAM key) const {
    const std::uint8_t flag = key == VK_RETURN  ? swatch_input::enter
                              : key == VK_SPACE ? swatch_input::space
                                                : 0;
    return forwards(flag) ? flag : 0;
}

LRESULT CALLBACK ColourSwatch::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<ColourSwatch*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &ColourSwatch::procedure, subclassId);
        self->control_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT ColourSwatch::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = control_;
    HWND parent = GetParent(window);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(window, &ps);
        if (dc) {
            RECT client{};
            GetClientRect(window, &client);
            paint(dc, client, GetFocus() == window);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(window, &client);
        paint(reinterpret_cast<HDC>(wParam), client, GetFocus() == window);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_ENABLE:
        // The static would paint its own face at once; the swatch repaints instead.
        repaint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        repaint();
        break;
    case WM_SETCURSOR:
        if (handCursor_ && LOWORD(lParam) == HTCLIENT) {
            // A cursor from the resources is shared: it is never destroyed.
            static HCURSOR hand = LoadCursorW(moduleInstance(), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
            if (hand) {
                SetCursor(hand);
                return TRUE;
            }
        }
        break;
    case WM_GETDLGCODE: {
        // Without this the dialog manager takes Enter for the default button.
        LRESULT code = DefSubclassProc(window, message, wParam, lParam);
        const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
        if (keyMessage && (keyMessage->message == WM_KEYDOWN || keyMessage->message == WM_CHAR) &&
            keyFlag(keyMessage->wParam))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (keyFlag(wParam)) {
            PostMessageW(parent, swatch_message::key, wParam == VK_RETURN ? '\r' : ' ',
                         reinterpret_cast<LPARAM>(window));
            return 0;
        }
        break;
    case WM_CHAR:
        if (keyFlag(wParam)) // the key went to the parent already
            return 0;
        break;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (message == WM_LBUTTONDBLCLK)
            SetFocus(window);
        const std::uint8_t flag = message == WM_LBUTTONDBLCLK ? swatch_input::leftDoubleClick
                                  : message == WM_RBUTTONDOWN ? swatch_input::rightDown
                                                              : swatch_input::middleDown;
        if (forwards(flag)) {
            PostMessageW(parent, swatch_message::mouse, message, reinterpret_cast<LPARAM>(window));
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace tav::win
