// Map editing in the real program: Tavrosin.exe is started in a folder of its own and its map view is
// driven with posted mouse and key messages; what the view shows is read back from its window.
#include <windows.h>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"
#include "support/input_driver.h"
#include "support/png_writer.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "win/platform/dib_image.h"

namespace tav::test {
namespace {

constexpr COLORREF cream = RGB(255, 251, 241);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr int pitch = 34;

int mid(int index) {
    return 25 + index * pitch + pitch / 2;
}
int line(int index) {
    return 25 + index * pitch;
}
LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

// The view's pixels, read from its window on the screen.
class ViewPixels {
public:
    explicit ViewPixels(HWND view) : view_(view) {}
    bool grab() {
        pixels_.assign(404 * 404, 0);
        // Another process's window cannot be read through its own context under Wine: read the screen.
        RECT place{};
        GetWindowRect(view_, &place);
        HDC screen = GetDC(nullptr);
        if (!screen)
            return false;
        win::DibImage image(404, 404);
        if (image)
            BitBlt(image.dc(), 0, 0, 404, 404, screen, place.left, place.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        if (!image)
            return false;
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(image.bits());
        pixels_.assign(p, p + 404 * 404);
        return true;
    }
    COLORREF at(int x, int y) const {
        const std::uint32_t p = pixels_[std::size_t(y) * 404 + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Some pixel of the cell's inside other than cream: a room mark or a background.
    bool cellMarked(int column, int row) const {
        for (int y = line(row) + 6; y < line(row) + 29; ++y)
            for (int x = line(column) + 6; x < line(column) + 29; ++x)
                if (at(x, y) != cream)
                    return true;
        return false;
    }
    void save(const std::string& path) const { writePng(path, 404, 404, pixels_.data()); }
    bool topWall(int column, int row) const { return at(mid(column), line(row)) == black; }
    bool leftWall(int column, int row) const { return at(line(column), mid(row)) == black; }

private:
    HWND view_;
    std::vector<std::uint32_t> pixels_;
};

class MapEditing : public ::testing::Test {
protected:
    InputLock lock;
    TempFolder folder{u"e2e_map"};
    std::unique_ptr<ProgramRun> run;
    HWND main = nullptr;
    HWND view = nullptr;

    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        run = std::make_unique<ProgramRun>(folder.path());
        ASSERT_TRUE(run->started());
        main = run->mainWindow();
        ASSERT_NE(main, nullptr);
        view = GetDlgItem(main, IDC_MAP_VIEW);
        ASSERT_NE(view, nullptr);
        SetForegroundWindow(main);
        // No position marker, so that cells show their own pixels; keyboard editing on, as its button does:
        // the view takes the focus.
        PostMessageW(main, WM_COMMAND, IDC_MARKER_HIDE, 0);
        PostMessageW(main, WM_COMMAND, IDC_KEYBOARD_EDIT, 0);
        press(mid(10), mid(10), MK_CONTROL);
        settle();
    }
    void TearDown() override {
        if (main && IsWindow(main))
            PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        run.reset(); // ends the program if it is still there (a modified map asks before exiting)
    }

    void press(int x, int y, WPARAM keys = 0) {
        PostMessageW(view, WM_MOUSEMOVE, keys, at(x, y));
        PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, at(x, y));
        PostMessageW(view, WM_LBUTTONUP, keys, at(x, y));
    }
    void keyDown(WPARAM key, bool repeat = false) {
        PostMessageW(view, WM_KEYDOWN, key, 1 | (repeat ? (1 << 30) : 0));
    }
    void keyUp(WPARAM key) { PostMessageW(view, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31)); }
    void key(WPARAM k) {
        keyDown(k);
        keyUp(k);
    }
    // Keys with Ctrl come as real input, so that the program's thread sees Ctrl held; the program is in the
    // foreground with the focus in its view. Everything posted before is handled first.
    void input(WORD key, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &in, sizeof in);
    }
    void ctrlKey(WORD k) {
        settle();
        SetForegroundWindow(main);
        input(VK_CONTROL, false);
        input(k, false);
        input(k, true);
        input(VK_CONTROL, true);
        // Posted messages overtake input: let the keys arrive before anything is posted after them.
        Sleep(400);
    }
    // Waits until the view shows what is asked for.
    // The mouse leaves first, so that no hover element is inverted.
    bool shows(const std::function<bool(const ViewPixels&)>& wanted, int timeoutMs = 5000) {
        PostMessageW(view, WM_MOUSELEAVE, 0, 0);
        ViewPixels pixels(view);
        for (int waited = 0;; waited += 50) {
            if (pixels.grab() && wanted(pixels))
                return true;
            if (waited >= timeoutMs) {
                const std::string pictures = pictureFolder("e2e");
                if (!pictures.empty())
                    pixels.save(pictures + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                ".png");
                return false;
            }
            Sleep(50);
        }
    }
    // Lets the program handle everything posted so far: a sent message comes after the posted ones once the
    // view has painted.
    void settle() {
        Sleep(150);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(view, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    }
};

TEST_F(MapEditing, WallsOnEdgesRoomsInCellsUndoAndRedo) {
    press(mid(2), line(3) + 2); // top edge of visible cell (2, 3)
    press(line(5) + 2, mid(4)); // left edge of (5, 4)
    press(mid(6), mid(6));      // the cell (6, 6)
    ASSERT_TRUE(
        shows([](const ViewPixels& p) { return p.topWall(2, 3) && p.leftWall(5, 4) && p.cellMarked(6, 6); }));
    ctrlKey('Z');
    EXPECT_TRUE(shows([](const ViewPixels& p) { return !p.cellMarked(6, 6) && p.leftWall(5, 4); }));
    ctrlKey('Z');
    EXPECT_TRUE(shows([](const ViewPixels& p) { return !p.leftWall(5, 4) && p.topWall(2, 3); }));
    ctrlKey('Y');
    EXPECT_TRUE(shows([](const ViewPixels& p) { return p.leftWall(5, 4) && !p.cellMarked(6, 6); }));
}

TEST_F(MapEditing, ShiftAndDragSelectionsAreFilledByKeys) {
    press(mid(1), mid(1), MK_CONTROL);
    press(mid(3), mid(2), MK_CONTROL | MK_SHIFT);
    key('X');
    key('Z');
    key(VK_ESCAPE); // the selection is no longer inverted
    ASSERT_TRUE(shows([](const ViewPixels& p) {
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 3; ++c)
                if (!p.cellMarked(c, r) || !p.topWall(c, r + 1))
                    return false;
        return !p.cellMarked(4, 1) && !p.cellMarked(1, 3) && !p.topWall(1, 1) && !p.topWall(4, 3);
    }));
    // A drag from (5, 5) to (7, 6), then W: the top edges of those six cells.
    PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at(mid(5), mid(5)));
    PostMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, at(mid(6), mid(6)));
    PostMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, at(mid(7), mid(6)));
    PostMessageW(view, WM_LBUTTONUP, 0, at(mid(7), mid(6)));
    key('W');
    key(VK_ESCAPE);
    EXPECT_TRUE(shows([](const ViewPixels& p) {
        for (int c = 5; c <= 7; ++c)
            if (!p.topWall(c, 5) || !p.topWall(c, 6) || p.topWall(c, 7))
                return false;
        return !p.topWall(4, 5) && !p.topWall(8, 5);
    }));
}

TEST_F(MapEditing, CutAndPasteMoveABlock) {
    press(mid(1), mid(1));
    press(mid(2), mid(1));
    press(mid(1), mid(1), MK_CONTROL);
    press(mid(2), mid(1), MK_CONTROL | MK_SHIFT);
    ctrlKey('X');
    key(VK_ESCAPE);
    ASSERT_TRUE(shows([](const ViewPixels& p) { return !p.cellMarked(1, 1) && !p.cellMarked(2, 1); }));
    press(mid(6), mid(7), MK_CONTROL);
    ctrlKey('V');
    key(VK_ESCAPE);
    EXPECT_TRUE(shows([](const ViewPixels& p) {
        return p.cellMarked(6, 7) && p.cellMarked(7, 7) && !p.cellMarked(8, 7) && !p.cellMarked(1, 1);
    }));
}

TEST_F(MapEditing, HoldingCtrlZUndoesOneStep) {
    press(mid(1), mid(1));
    press(mid(2), mid(2));
    press(mid(3), mid(3));
    ASSERT_TRUE(shows([](const ViewPixels& p) { return p.cellMarked(3, 3); }));
    // Held down: the key repeats without being released.
    settle();
    SetForegroundWindow(main);
    input(VK_CONTROL, false);
    for (int i = 0; i < 4; ++i)
        input('Z', false);
    input('Z', true);
    input(VK_CONTROL, true);
    Sleep(400);
    ASSERT_TRUE(shows([](const ViewPixels& p) { return !p.cellMarked(3, 3); }));
    settle();
    EXPECT_TRUE(shows([](const ViewPixels& p) { return p.cellMarked(1, 1) && p.cellMarked(2, 2); }, 500));
}

TEST_F(MapEditing, SOnTheLastColumnSetsTheWrappedWallOfColumnZero) {
    // The start map is 31 x 31, centred: visible column 10 is map column 20. Ten steps right reach the last
    // column; the view scrolls along.
    press(mid(10), mid(4), MK_CONTROL);
    for (int i = 0; i < 10; ++i)
        key(VK_RIGHT);
    key('S');
    // Scrolled to the right end, the closing right edge shows column 0's vertical wall.
    EXPECT_TRUE(shows([](const ViewPixels& p) { return p.leftWall(11, 4) && !p.leftWall(10, 4); }));
}

TEST_F(MapEditing, DeleteWithoutSelectionClearsTheWholeMapAndUndoRestoresIt) {
    press(mid(1), mid(1));
    press(mid(9), mid(2));
    press(mid(4), line(8) + 2);
    ASSERT_TRUE(shows(
        [](const ViewPixels& p) { return p.cellMarked(1, 1) && p.cellMarked(9, 2) && p.topWall(4, 8); }));
    key(VK_ESCAPE);
    key(VK_DELETE);
    ASSERT_TRUE(shows(
        [](const ViewPixels& p) { return !p.cellMarked(1, 1) && !p.cellMarked(9, 2) && !p.topWall(4, 8); }));
    ctrlKey('Z');
    EXPECT_TRUE(shows(
        [](const ViewPixels& p) { return p.cellMarked(1, 1) && p.cellMarked(9, 2) && p.topWall(4, 8); }));
}

} // namespace
} // namespace tav::test
