// The colour swatch on a static of a plain parent window: its picture rendered into a DIB, and what the
// parent is told for keys and mouse buttons.
#include "win/view/colour_swatch.h"

#include <gtest/gtest.h>

#include <vector>

#include "resource.h"
#include "support/dib_canvas.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::cream;
using test::DibCanvas;

std::vector<WPARAM>* clicks = nullptr; // STN_* codes the parent received

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && clicks)
        clicks->push_back(HIWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// One parent for every test: destroying a shown top-level window makes Wine wait for the X server.
HWND sharedParent() {
    static HWND parent = nullptr;
    if (parent && IsWindow(parent))
        return parent;
    WNDCLASSW wc{};
    wc.lpfnWndProc = parentProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SwatchTestParent";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, L"SwatchTestParent", L"swatch test", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return parent;
}

class SwatchWindow : public ::testing::Test {
protected:
    void SetUp() override {
        parent = sharedParent();
        ASSERT_NE(parent, nullptr);
        control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 15, 16,
                                  parent, reinterpret_cast<HMENU>(500), GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(swatch.attach(control));
        clicks = &received;
        drain();
    }
    void TearDown() override {
        clicks = nullptr;
        DestroyWindow(control);
    }
    // The picture the swatch paints, as a paint message would give it.
    void render(DibCanvas& canvas) {
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    }
    // The next private message of the parent, if any was posted.
    bool takeNotice(UINT message, MSG& notice) {
        return PeekMessageW(&notice, parent, message, message, PM_REMOVE) != 0;
    }
    void drain() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }

    DrawingResourceCache cache;
    ColourSwatch swatch{cache};
    HWND parent = nullptr;
    HWND control = nullptr;
    std::vector<WPARAM> received;
};

constexpr COLORREF red = RGB(255, 0, 0);

TEST_F(SwatchWindow, SelectedMarkerIsATriangleWithFivePixelLegsInTheCorner) {
    swatch.setColour(0xAB000000 | red, false); // only the low 24 bits count
    swatch.setMarker(ColourSwatch::selected);
    SetFocus(parent);
    DibCanvas canvas(15, 16, RGB(0, 0, 255));
    render(canvas);
    EXPECT_EQ(swatch.colour(), red);
    // Corners (13,14), (8,14), (13,9) in a white frame; s = min(15, 16) / 3 = 5.
    EXPECT_EQ(canvas.picture({6, 7, 15, 16}, {{red, 'r'}, {RGB(0, 0, 0), '#'}, {RGB(255, 255, 255), '.'}}),
              "rrrrrrrr.\n"
              "rrrrrrrr.\n"
              "rrrrrrr#.\n"
              "rrrrrr##.\n"
              "rrrrr#.#.\n"
              "rrrr#..#.\n"
              "rrr#...#.\n"
              "rr######.\n"
              ".........\n");
    EXPECT_EQ(canvas.count({1, 1, 14, 15}, red), 13 * 14 - 21);
}

TEST_F(SwatchWindow, PatternsAlignToTheControlOnlyWithAMarkerAndUnknownTypesAreSolid) {
    const COLORREF blue = RGB(0, 0, 255);
    swatch.setColour(blue, false);
    swatch.setPattern(11);
    DibCanvas solid(15, 16, red);
    render(solid);
    EXPECT_EQ(solid.count({1, 1, 14, 15}, blue), 13 * 14);

    // Grid (type 5) rows .##..##. / ######## / ######## / .##..##.
    swatch.setPattern(5);
    DibCanvas loose(15, 16, red);
    render(loose);
    EXPECT_EQ(loose.at(1, 1), blue); // row 1, column 1: the origin is the window's
    EXPECT_EQ(loose.at(3, 3), cream);
    swatch.setMarker(ColourSwatch::unselected);
    DibCanvas aligned(15, 16, red);
    render(aligned);
    EXPECT_EQ(aligned.at(1, 1), cream); // row 0, column 0 from the origin (1, 1)
    EXPECT_EQ(aligned.at(2, 1), blue);
    EXPECT_EQ(aligned.at(4, 4), cream);
}

TEST_F(SwatchWindow, FocusFrameIsSunkenAndAFocusChangeRepaints) {
    SetFocus(control);
    ASSERT_EQ(GetFocus(), control);
    DibCanvas focused(15, 16, red);
    render(focused);
    const COLORREF grey = RGB(128, 128, 128), light = RGB(223, 223, 223), black = RGB(0, 0, 0);
    EXPECT_EQ(focused.at(0, 14), grey);
    EXPECT_EQ(focused.at(0, 0), grey);
    EXPECT_EQ(focused.at(13, 0), grey);
    EXPECT_EQ(focused.at(14, 0), black);
    EXPECT_EQ(focused.at(0, 15), black);
    EXPECT_EQ(focused.at(14, 15), black);
    EXPECT_EQ(focused.at(1, 14), light);
    EXPECT_EQ(focused.at(13, 14), light);
    EXPECT_EQ(focused.at(13, 1), light);
    EXPECT_EQ(focused.at(5, 5), black); // the colour

    ValidateRect(control, nullptr);
    SetFocus(parent);
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(control, &dirty, FALSE));
    DibCanvas plain(15, 16, red);
    render(plain);
    EXPECT_EQ(plain.count({0, 0, 15, 16}, RGB(255, 255, 255)), 15 * 16 - 13 * 14);
}

TEST_F(SwatchWindow, ButtonsAndKeysReachTheParentOnlyWhenTheirFlagIsSet) {
    MSG notice{};
    SetFocus(parent);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(GetFocus(), control); // a press takes the focus first
    EXPECT_EQ(received, std::vector<WPARAM>{STN_CLICKED});

    SendMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(control, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(takeNotice(swatch_message::mouse, notice));
    EXPECT_FALSE(takeNotice(swatch_message::key, notice));
    EXPECT_EQ(received, (std::vector<WPARAM>{STN_CLICKED, STN_DBLCLK})); // default double-click handling
    MSG enter{control, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(SendMessageW(control, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                 DLGC_WANTMESSAGE);

    swatch.setInputFlags(swatch_input::rightDown | swatch_input::space);
    SendMessageW(control, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
    EXPECT_FALSE(takeNotice(swatch_message::mouse, notice));
    SendMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ASSERT_TRUE(takeNotice(swatch_message::mouse, notice));
    EXPECT_EQ(notice.wParam, static_cast<WPARAM>(WM_RBUTTONDOWN));
    EXPECT_EQ(notice.lParam, reinterpret_cast<LPARAM>(control));

    SendMessageW(control, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(takeNotice(swatch_message::key, notice));
    MSG space{control, WM_KEYDOWN, VK_SPACE, 0, 0, {}};
    EXPECT_TRUE(SendMessageW(control, WM_GETDLGCODE, VK_SPACE, reinterpret_cast<LPARAM>(&space)) &
                DLGC_WANTMESSAGE);
    SendMessageW(control, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(takeNotice(swatch_message::key, notice));
    EXPECT_EQ(notice.wParam, static_cast<WPARAM>(' '));
    EXPECT_EQ(notice.lParam, reinterpret_cast<LPARAM>(control));
}

TEST_F(SwatchWindow, HandCursorIsTheProgramsCursor) {
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    ASSERT_NE(hand, nullptr);
    SetCursor(nullptr);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);
    swatch.setHandCursor(true);
    EXPECT_TRUE(SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), hand);
}

} // namespace
} // namespace tav::win
