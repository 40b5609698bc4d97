// The colour swatch on a static of a plain parent window: its picture rendered into a DIB, and what the
// parent is told for mouse buttons and keys.
#include "win/view/colour_swatch.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "resource.h"
#include "support/dib_canvas.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;

constexpr COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), black = RGB(0, 0, 0);
std::vector<WPARAM> clicks; // STN_* codes the parent received

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        clicks.push_back(HIWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// One parent for every test: destroying a shown top-level window makes Wine wait for the X server.
HWND sharedParent() {
    static HWND parent = nullptr;
    if (!parent) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = parentProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SwatchTestParent";
        RegisterClassW(&wc);
        parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    }
    return parent;
}

class SwatchWindow : public ::testing::Test {
protected:
    void SetUp() override {
        control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 15, 16,
                                  parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(swatch.attach(control));
        SetFocus(parent);
        clicks.clear();
    }
    void TearDown() override { DestroyWindow(control); }
    // The 15 x 16 picture the swatch paints, on a red background.
    void render(DibCanvas& canvas) {
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    }
    bool noticed(UINT message, MSG& notice) {
        return PeekMessageW(&notice, parent, message, message, PM_REMOVE) != 0;
    }

    DrawingResourceCache cache;
    ColourSwatch swatch{cache};
    HWND parent = sharedParent();
    HWND control = nullptr;
};

TEST_F(SwatchWindow, SelectedMarkerIsATriangleWithFivePixelLegsInTheCorner) {
    swatch.setColour(0xAB000000 | red, false); // only the low 24 bits count
    swatch.setMarker(ColourSwatch::selected);
    DibCanvas canvas(15, 16, blue);
    render(canvas);
    EXPECT_EQ(swatch.colour(), red);
    // Corners (13,14), (8,14), (13,9) inside a white frame: s = min(15, 16) / 3 = 5.
    EXPECT_EQ(canvas.picture({6, 8, 15, 16}, {{red, 'r'}, {black, '#'}, {RGB(255, 255, 255), '.'}}),
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
    swatch.setColour(blue, false);
    swatch.setPattern(11);
    DibCanvas solid(15, 16, red);
    render(solid);
    EXPECT_EQ(solid.count({1, 1, 14, 15}, blue), 13 * 14);

    swatch.setPattern(5); // grid: rows .##..##. / ######## / ######## / .##..##.
    DibCanvas loose(15, 16, red);
    render(loose);
    EXPECT_EQ(loose.at(1, 1), blue); // row 1, column 1 of the pattern: the origin is the window's
    swatch.setMarker(ColourSwatch::unselected);
    DibCanvas aligned(15, 16, red);
    render(aligned);
    EXPECT_EQ(aligned.at(1, 1), test::cream); // row 0, column 0 from the origin (1, 1)
    EXPECT_EQ(aligned.at(2, 1), blue);
}

TEST_F(SwatchWindow, FocusFrameIsSunkenAndLosingTheFocusRepaints) {
    swatch.setColour(blue, false);
    SetFocus(control);
    DibCanvas focused(15, 16, red);
    render(focused);
    const std::map<COLORREF, char> legend{
        {RGB(128, 128, 128), 'g'}, {RGB(223, 223, 223), 'l'}, {black, '#'}, {blue, 'b'}};
    EXPECT_EQ(focused.picture({0, 0, 15, 2}, legend), "gggggggggggggg#\n"
                                                      "gbbbbbbbbbbbbl#\n");
    EXPECT_EQ(focused.picture({0, 13, 15, 16}, legend), "gbbbbbbbbbbbbl#\n"
                                                        "glllllllllllll#\n"
                                                        "###############\n");
    ValidateRect(control, nullptr);
    SetFocus(parent);
    EXPECT_TRUE(GetUpdateRect(control, nullptr, FALSE));
    DibCanvas plain(15, 16, red);
    render(plain);
    EXPECT_EQ(plain.count({0, 0, 15, 16}, RGB(255, 255, 255)), 15 * 16 - 13 * 14);
}

TEST_F(SwatchWindow, ButtonsAndKeysReachTheParentOnlyWhenTheirFlagIsSet) {
    MSG notice{};
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(GetFocus(), control); // a press takes the focus first
    SendMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(control, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(noticed(swatch_message::mouse, notice));
    EXPECT_FALSE(noticed(swatch_message::key, notice));
    EXPECT_EQ(clicks, (std::vector<WPARAM>{STN_CLICKED, STN_DBLCLK})); // the static's own handling

    swatch.setInputFlags(swatch_input::rightDown | swatch_input::space);
    SendMessageW(control, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
    EXPECT_FALSE(noticed(swatch_message::mouse, notice));
    SendMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ASSERT_TRUE(noticed(swatch_message::mouse, notice));
    EXPECT_EQ(notice.wParam, WPARAM{WM_RBUTTONDOWN});
    EXPECT_EQ(notice.lParam, reinterpret_cast<LPARAM>(control));
    SendMessageW(control, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(noticed(swatch_message::key, notice));
    EXPECT_EQ(notice.wParam, WPARAM{' '});
}

TEST_F(SwatchWindow, HandCursorIsTheProgramsCursor) {
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    ASSERT_NE(hand, nullptr);
    const LPARAM over = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), over);
    EXPECT_NE(GetCursor(), hand);
    swatch.setHandCursor(true);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), over);
    EXPECT_EQ(GetCursor(), hand);
}

} // namespace
} // namespace tav::win
