// The pixel canvas in a host window of the test, driven with mouse messages.
#include "win/canvas/pixel_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"
#include "win/canvas/bitmap_file_import.h"
#include "win/canvas/bitmap_import_dialog.h"
#include "win/canvas/image_preview.h"
#include "support/dialog_driver.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace tav::win {
namespace {

struct HostLog {
    std::vector<std::string> statuses;
    std::vector<std::pair<WPARAM, LPARAM>> picks;
    std::vector<WPARAM> tools;
    int changes = 0;
};
HostLog* hostLog = nullptr;

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hostLog) {
        if (message == canvas_message::status)
            hostLog->statuses.emplace_back(reinterpret_cast<const char*>(wParam));
        else if (message == canvas_message::picked)
            hostLog->picks.emplace_back(wParam, lParam);
        else if (message == canvas_message::changed)
            ++hostLog->changes;
        else if (message == canvas_message::switchTool)
            hostLog->tools.push_back(wParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr COLORREF transparentGreen = 0x008000;

struct Box {
    LONG left, top, right, bottom;
    bool operator==(const Box&) const = default;
};
Box box(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

class PixelCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW type{};
        type.lpfnWndProc = hostProcedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"CanvasHost";
        RegisterClassW(&type);
        host = CreateWindowExW(0, L"CanvasHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        HWND control = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, host,
                                       reinterpret_cast<HMENU>(12801), GetModuleHandleW(nullptr), nullptr);
        hostLog = &log;
        ASSERT_TRUE(canvas.create(control, true));
        canvas.setLeftColour(0x0000FF);
        canvas.setRightColour(0xFF0000);
    }
    void TearDown() override {
        hostLog = nullptr;
        DestroyWindow(host);
    }
    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    // Window pixels at the middle of a picture pixel, or as given.
    static LPARAM at(int x, int y) {
        return MAKELPARAM(x * PixelCanvas::zoom + 6, y * PixelCanvas::zoom + 6);
    }
    void drag(UINT down, UINT up, std::initializer_list<LPARAM> points) {
        auto point = points.begin();
        SendMessageW(canvas.handle(), down, 0, *point);
        for (++point; point != points.end(); ++point)
            SendMessageW(canvas.handle(), WM_MOUSEMOVE, 0, *point);
        SendMessageW(canvas.handle(), up, 0, *(points.end() - 1));
        pump();
    }
    COLORREF pixel(int x, int y) { return GetPixel(canvas.pictureContext(), x, y); }

    HWND host = nullptr;
    HostLog log;
    PixelCanvas canvas{20};
};

TEST_F(PixelCanvasTest, APencilStrokeIsOneUndoStepAndTheEraserUsesTheTransparentColour) {
    EXPECT_EQ(pixel(0, 0), transparentGreen) << "a new picture holds the transparent colour";
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(1, 1), at(5, 1), at(5, 5)});
    for (POINT p : {POINT{1, 1}, POINT{3, 1}, POINT{5, 1}, POINT{5, 3}, POINT{5, 5}})
        EXPECT_EQ(pixel(p.x, p.y), 0x0000FFu) << p.x << "," << p.y;
    EXPECT_EQ(log.changes, 3);
    EXPECT_EQ(log.statuses.back(), "現在点:[ 5, 5]");

    canvas.setTool(canvas_tool::eraser);
    drag(WM_RBUTTONDOWN, WM_RBUTTONUP, {at(3, 1)});
    EXPECT_EQ(pixel(3, 1), transparentGreen);

    canvas.onCommand(ID_EDIT_UNDO);
    EXPECT_EQ(pixel(3, 1), 0x0000FFu) << "the erasing undone";
    canvas.onCommand(ID_EDIT_UNDO);
    for (POINT p : {POINT{1, 1}, POINT{5, 1}, POINT{5, 5}})
        EXPECT_EQ(pixel(p.x, p.y), transparentGreen) << "the whole stroke undone";
    EXPECT_FALSE(canvas.canUndo());
    canvas.onCommand(ID_EDIT_REDO);
    EXPECT_EQ(pixel(5, 5), 0x0000FFu);
}

TEST_F(PixelCanvasTest, FiguresKeepTheirEndAndCornerPixels) {
    canvas.setTool(canvas_tool::line);
    // Released left of the canvas: window x -5 is still pixel 0.
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(4, 2), MAKELPARAM(-5, 2 * PixelCanvas::zoom + 6)});
    EXPECT_EQ(pixel(0, 2), 0x0000FFu);
    EXPECT_EQ(pixel(4, 2), 0x0000FFu);

    canvas.setTool(canvas_tool::rectangle);
    drag(WM_RBUTTONDOWN, WM_RBUTTONUP, {at(1, 5), at(3, 7), at(6, 9)});
    EXPECT_EQ(log.statuses[log.statuses.size() - 2], "基点:[ 1, 5]   現在点:[ 6, 9]   ｻｲｽﾞ:[ 6, 5]");
    EXPECT_EQ(pixel(1, 5), 0xFF0000u);
    EXPECT_EQ(pixel(6, 9), 0xFF0000u);
    EXPECT_EQ(pixel(3, 7), transparentGreen) << "an outline only";

    canvas.setTool(canvas_tool::rectangle | canvas_tool::filled);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(10, 10), at(12, 12)});
    EXPECT_EQ(pixel(11, 11), 0x0000FFu);
    EXPECT_EQ(pixel(12, 12), 0x0000FFu);

    canvas.setTool(canvas_tool::fill);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(3, 7)});
    EXPECT_EQ(pixel(3, 7), 0x0000FFu) << "the rectangle's inside";
    EXPECT_EQ(pixel(0, 0), transparentGreen) << "the outline stops the fill";
}

TEST_F(PixelCanvasTest, ControlOrShiftPicksTheColourOnScreenWhateverTheTool) {
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(2, 2)});
    UpdateWindow(canvas.handle());
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(canvas.handle(), WM_RBUTTONDOWN, 0, at(2, 2));
    keys[VK_CONTROL] = 0;
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(canvas.handle(), WM_LBUTTONDOWN, 0, at(7, 7));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    SendMessageW(canvas.handle(), WM_LBUTTONUP, 0, at(7, 7));
    pump();
    ASSERT_EQ(log.picks.size(), 2u);
    EXPECT_EQ(log.picks[0], std::make_pair(colour_target::right, LPARAM{0x0000FF}));
    EXPECT_EQ(log.picks[1], std::make_pair(colour_target::transparent, LPARAM{transparentGreen}));
    EXPECT_EQ(pixel(7, 7), transparentGreen) << "picking draws nothing";
}

// The preview shows the picture at its own size, centred, with the transparent colour letting the
// background through when asked.
TEST_F(PixelCanvasTest, ThePreviewShowsThePictureAndItsSeeThroughPixels) {
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(0, 0)});
    HWND control = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 300, 10, 31, 31, host, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ImagePreview preview;
    ASSERT_TRUE(preview.attach(control));
    ASSERT_TRUE(preview.bindCanvas(canvas.pictureContext(), 0x404040));
    auto shown = [&](int x, int y) {
        UpdateWindow(control);
        HDC dc = GetDC(control);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(control, dc);
        return colour;
    };
    // (31 - 23) / 2 = 4: the picture starts 4 pixels in.
    EXPECT_EQ(shown(4, 4), 0x0000FFu);
    EXPECT_EQ(shown(6, 6), transparentGreen);
    EXPECT_EQ(shown(1, 1), 0x404040u);
    preview.setPreviewTransparent(true);
    EXPECT_EQ(shown(6, 6), 0x404040u) << "the transparent colour shows the background";
    EXPECT_EQ(shown(4, 4), 0x0000FFu);
}

// ---- the selection tool ----

TEST_F(PixelCanvasTest, ALiftedPieceLeavesTheTransparentColourAndCommitsThroughIt) {
    // A blue 3 x 1 bar with a transparent middle, lifted and moved down two rows.
    canvas.setTool(canvas_tool::line);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(1, 1), at(3, 1)});
    SetPixel(canvas.pictureContext(), 2, 1, transparentGreen);
    SetPixel(canvas.pictureContext(), 2, 3, 0xFF0000);
    canvas.setTool(canvas_tool::selection);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(1, 1), at(3, 1)});
    ASSERT_TRUE(canvas.selection()->hasPiece());
    EXPECT_EQ(pixel(1, 1), transparentGreen) << "the hole, transparency off as it is";
    EXPECT_EQ(pixel(3, 1), transparentGreen);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(2, 1), at(2, 3)});
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{1, 3, 4, 4}));
    canvas.setTransparencyEnabled(true);
    canvas.onCommand(ID_VIEW_ESCAPE);
    EXPECT_FALSE(canvas.selection()->hasPiece());
    EXPECT_EQ(pixel(1, 3), 0x0000FFu);
    EXPECT_EQ(pixel(2, 3), 0xFF0000u) << "the picture shows through the transparent pixel";

    // Undo while a piece floats drops it and brings the picture back.
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(1, 3), at(3, 3)});
    ASSERT_TRUE(canvas.selection()->hasPiece());
    canvas.onCommand(ID_EDIT_UNDO);
    EXPECT_FALSE(canvas.selection()->hasPiece());
    EXPECT_EQ(pixel(1, 3), 0x0000FFu);
}

TEST_F(PixelCanvasTest, PieceHandlesCrossOverAndRotationTurnsLeftAroundTheCentre) {
    canvas.setTool(canvas_tool::selection);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(4, 4), at(8, 5)}); // 5 x 2 at (4, 4)
    ASSERT_EQ(box(canvas.selection()->rectangle()), (Box{4, 4, 9, 6}));
    // The left handle dragged past the right edge becomes the right handle.
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP,
         {MAKELPARAM(4 * PixelCanvas::zoom + 2, 4 * PixelCanvas::zoom + 2), at(11, 4), at(12, 4)});
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{8, 4, 13, 6}));
    EXPECT_EQ(log.statuses.back(), "現在点:[12, 4]");

    canvas.onCommand(ID_VIEW_ESCAPE);
    Bitmap piece(CreateCompatibleBitmap(canvas.pictureContext(), 5, 2));
    {
        HDC dc = CreateCompatibleDC(canvas.pictureContext());
        HGDIOBJ old = SelectObject(dc, piece.get());
        for (int x = 0; x < 5; ++x) {
            SetPixel(dc, x, 0, RGB(10 * x, 0, 0));
            SetPixel(dc, x, 1, RGB(0, 10 * x, 0));
        }
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ASSERT_EQ(canvas.pasteBitmap(piece.get()), PixelCanvas::Paste::pasted);
    EXPECT_EQ(log.tools, (std::vector<WPARAM>{7}));
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{0, 0, 5, 2}));
    canvas.rotateSelection();
    // 2 x 5, centred: left 0 + (5 - 2) >> 1 = 1, top 0 + (2 - 5) >> 1 = -2.
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{1, -2, 3, 3}));
    canvas.centreSelection();
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{10, 9, 12, 14}));
    canvas.onCommand(ID_VIEW_ESCAPE);
    // The first row became the first column, read from the bottom up.
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(pixel(10, 13 - x), RGB(10 * x, 0, 0)) << x;
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(pixel(11, 13 - x), RGB(0, 10 * x, 0)) << "the second row, the second column " << x;
}

TEST_F(PixelCanvasTest, DeleteWithoutAPieceClearsThePictureAsOneStep) {
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, {at(2, 2), at(6, 2)});
    canvas.setTool(canvas_tool::selection);
    canvas.onCommand(ID_EDIT_DELETE);
    EXPECT_EQ(pixel(4, 2), transparentGreen);
    Bitmap whole = canvas.selection()->copy();
    BITMAP size{};
    GetObjectW(whole.get(), sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, 23) << "without a piece the whole picture is copied";
    canvas.onCommand(ID_EDIT_UNDO);
    EXPECT_EQ(pixel(4, 2), 0x0000FFu);
}

// ---- bitmap import ----

TEST_F(PixelCanvasTest, BmpFilesAreCheckedBeforeTheyArePasted) {
    test::MemoryFileSystem files;
    test::RecordingPrompter prompter;
    // A 2 x 1 24-bit BMP: blue, red.
    std::vector<std::uint8_t> bmp = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    const std::uint8_t header[40] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24};
    bmp.insert(bmp.end(), header, header + 40);
    for (std::uint8_t byte : {0xFF, 0, 0, 0, 0, 0xFF, 0, 0})
        bmp.push_back(byte);
    files.putFile(u"C:\\pictures\\two.bmp", bmp);
    ASSERT_TRUE(importBitmapFile(u"C:\\pictures\\two.bmp", canvas, files, prompter));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{0, 0, 2, 1}));

    files.putFile(u"C:\\pictures\\notes.bmp", "hello");
    EXPECT_FALSE(importBitmapFile(u"C:\\pictures\\notes.bmp", canvas, files, prompter));
    auto core = bmp;
    core[14] = 12; // a core header
    files.putFile(u"C:\\pictures\\core.bmp", core);
    EXPECT_FALSE(importBitmapFile(u"C:\\pictures\\core.bmp", canvas, files, prompter));
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "C:\\pictures\\notes.bmp\n\nはBMPファイルではありません。");
    EXPECT_NE(prompter.shown[1].text.find("BITMAPCOREHEADER"), std::string::npos);
}

TEST_F(PixelCanvasTest, TheImportDialogKeepsBasePointsInRange) {
    Bitmap large(CreateCompatibleBitmap(canvas.pictureContext(), 40, 30));
    test::RecordingPrompter prompter;
    BitmapImportDialog dialog(large.get(), 23, &prompter);
    std::wstring reduceText, restored;
    ASSERT_TRUE(test::driveModal(
        [&] { dialog.runModal(host); },
        [&](HWND window) {
            reduceText = test::windowText(GetDlgItem(window, IDC_IMPORT_REDUCE));
            SendDlgItemMessageW(window, IDC_IMPORT_X, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"30"));
            SendDlgItemMessageW(window, IDC_IMPORT_X, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"50"));
            restored = test::windowText(GetDlgItem(window, IDC_IMPORT_X));
            SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_IMPORT_VSCROLL)));
            test::click(window, IDOK);
        }));
    EXPECT_EQ(reduceText, L"23x23\u306b\u7e2e\u5c0f\u3057\u3066\u8aad\u8fbc");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "-22 ～ 39 の値を指定してください。");
    EXPECT_EQ(restored, L"30");
    EXPECT_FALSE(dialog.reduce());
    EXPECT_EQ(dialog.baseX(), 30);
    EXPECT_EQ(dialog.baseY(), -22) << "a page up from 0 stops at the lowest base";
}

// Bitmaps written by an independent writer (tests/win/canvas/bitmaps/make.sh) give the pictures they hold.
FilePath testBitmap(const char16_t* name) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    return pathOf(module).folder() + u"bitmaps\\" + name;
}

TEST_F(PixelCanvasTest, BitmapsOfEveryDepthGiveTheirPixels) {
    // pic.ppm: red green blue white / black red green blue / white black yellow green.
    const COLORREF picture[3][4] = {{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF},
                                    {0x000000, 0x0000FF, 0x00FF00, 0xFF0000},
                                    {0xFFFFFF, 0x000000, 0x00FFFF, 0x00FF00}};
    Win32FileSystem files;
    test::RecordingPrompter prompter;
    canvas.setTool(canvas_tool::selection);
    for (const char16_t* name : {u"pic4.bmp", u"pic16.bmp", u"pic24.bmp", u"pic32.bmp", u"picrle8.bmp"}) {
        SCOPED_TRACE(FilePath(name).text());
        canvas.onCommand(ID_EDIT_DELETE);
        ASSERT_TRUE(importBitmapFile(testBitmap(name), canvas, files, prompter));
        canvas.onCommand(ID_VIEW_ESCAPE);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(pixel(x, y), picture[y][x]) << x << "," << y;
    }
    // bw.pbm: 1 is black.
    ASSERT_TRUE(importBitmapFile(testBitmap(u"pic1.bmp"), canvas, files, prompter));
    canvas.onCommand(ID_VIEW_ESCAPE);
    EXPECT_EQ(pixel(0, 0), 0x000000u);
    EXPECT_EQ(pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(pixel(4, 2), 0xFFFFFFu);
    // many.ppm: colour i at (i % 5, i / 5) is (53 i, 97 i, 31 i) mod 256.
    ASSERT_TRUE(importBitmapFile(testBitmap(u"pic8.bmp"), canvas, files, prompter));
    canvas.onCommand(ID_VIEW_ESCAPE);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(pixel(i % 5, i / 5), RGB((i * 53) % 256, (i * 97) % 256, (i * 31) % 256)) << i;
    EXPECT_TRUE(prompter.shown.empty());

    // The core header of OS/2 bitmaps is refused with its message, and so are bit fields without their masks.
    EXPECT_FALSE(importBitmapFile(testBitmap(u"picos2.bmp"), canvas, files, prompter));
    EXPECT_FALSE(importBitmapFile(testBitmap(u"pic16-nomasks.bmp"), canvas, files, prompter));
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_NE(prompter.shown[0].text.find("BITMAPCOREHEADER"), std::string::npos);
}

// Packed bitmaps no common writer makes: top-down rows and four-bit run lengths.
TEST_F(PixelCanvasTest, TopDownAndFourBitRunLengthBitmapsKeepTheirRowsInPlace) {
    auto header = [](int width, int height, int bits, std::uint32_t compression) {
        std::vector<std::uint8_t> b(40);
        const std::uint32_t fields[] = {40, static_cast<std::uint32_t>(width),
                                        static_cast<std::uint32_t>(height)};
        std::memcpy(b.data(), fields, sizeof fields);
        b[12] = 1;
        b[14] = static_cast<std::uint8_t>(bits);
        b[16] = static_cast<std::uint8_t>(compression);
        return b;
    };
    canvas.setTool(canvas_tool::selection);
    // 1 x 2 at 24 bits, top row first: red, then blue.
    auto topDown = header(1, -2, 24, 0);
    for (std::uint8_t byte : {0, 0, 0xFF, 0, 0xFF, 0, 0, 0})
        topDown.push_back(byte);
    ASSERT_EQ(canvas.pastePackedDib(topDown.data(), topDown.size()), PixelCanvas::Paste::pasted);
    canvas.onCommand(ID_VIEW_ESCAPE);
    EXPECT_EQ(pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(pixel(0, 1), 0xFF0000u);

    // 2 x 2 RLE4, bottom row first: a run of colour 1 then one of colour 2 on the next row up.
    auto runs = header(2, 2, 4, 2);
    for (int i = 0; i < 16; ++i)
        for (std::uint8_t byte : {std::uint8_t(i == 1 ? 0xFF : 0), std::uint8_t(i == 2 ? 0xFF : 0),
                                  std::uint8_t(0), std::uint8_t(0)})
            runs.push_back(byte);
    for (std::uint8_t byte : {2, 0x11, 0, 0, 2, 0x22, 0, 1})
        runs.push_back(byte);
    runs[20] = 8; // the size of the run-length data
    ASSERT_EQ(canvas.pastePackedDib(runs.data(), runs.size()), PixelCanvas::Paste::pasted);
    canvas.onCommand(ID_VIEW_ESCAPE);
    EXPECT_EQ(pixel(1, 1), 0xFF0000u) << "colour 1 (blue) on the bottom row";
    EXPECT_EQ(pixel(1, 0), 0x00FF00u) << "colour 2 (green) on the top row";
}

// A bitmap larger than the picture brings the notice, then the import dialog; its reduction gives an N x N
// piece.
TEST_F(PixelCanvasTest, AnOversizedPasteAsksHowToTakeIt) {
    Bitmap large(CreateCompatibleBitmap(canvas.pictureContext(), 40, 30));
    static std::vector<std::wstring> seen;
    seen.clear();
    // Each tick answers the dialog on top: the notice with OK, the import dialog with reduction and OK.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                if (!IsWindowVisible(window))
                    return TRUE;
                if (HWND text = GetDlgItem(window, IDC_MESSAGE_TEXT);
                    text && GetDlgItem(window, IDC_MESSAGE_NO)) {
                    seen.push_back(test::windowText(text));
                    PostMessageW(window, WM_COMMAND, IDC_MESSAGE_YES, 0);
                    return FALSE;
                }
                if (GetDlgItem(window, IDC_IMPORT_REDUCE)) {
                    seen.push_back(L"import");
                    SendDlgItemMessageW(window, IDC_IMPORT_REDUCE, BM_CLICK, 0, 0);
                    PostMessageW(window, WM_COMMAND, IDOK, 0);
                    return FALSE;
                }
                return TRUE;
            },
            0);
    });
    canvas.setTool(canvas_tool::selection);
    const PixelCanvas::Paste pasted = canvas.pasteBitmap(large.get());
    KillTimer(nullptr, timer);
    EXPECT_EQ(pasted, PixelCanvas::Paste::pasted);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_NE(seen[0].find(widen("横23x縦23に収まりません。")), std::wstring::npos);
    EXPECT_EQ(seen.back(), L"import");
    EXPECT_EQ(box(canvas.selection()->rectangle()), (Box{0, 0, 23, 23}));
    EXPECT_EQ(log.tools, (std::vector<WPARAM>{7}));
}

} // namespace
} // namespace tav::win
