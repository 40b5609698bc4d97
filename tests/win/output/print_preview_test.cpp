// The print preview driven as a user would, with the job's pages checked against the print picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "model/document/map_document.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "win/output/print_preview_dialog.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;
constexpr COLORREF grey = RGB(0xA0, 0xA0, 0xA0);

std::wstring text(HWND dialog, int id) {
    return test::windowText(GetDlgItem(dialog, id));
}

int scrollMax(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(window, bar, &info);
    return info.nMax;
}

// Handles what the dialog has posted itself.
void pump() {
    MSG message;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

bool enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// The preview window's client area as it paints it.
std::unique_ptr<DibCanvas> capture(HWND dialog) {
    HWND preview = GetDlgItem(dialog, IDC_PREVIEW_WINDOW);
    RECT client{};
    GetClientRect(preview, &client);
    auto canvas = std::make_unique<DibCanvas>(client.right, client.bottom, RGB(1, 2, 3));
    SendMessageW(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    return canvas;
}

class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.resize(12, 7, true)); // picture 481 x 287
        document.setEditMask(0x0F, 0x0F);
        bool first = true;
        for (int c = 0; c < 12; c += 3)
            ASSERT_TRUE(document.setCell(c, c % 7, 3, 2, first));
        ASSERT_TRUE(picture.make(document, cache, false));
        reference = std::make_unique<DibCanvas>(picture.width(), picture.height());
        BitBlt(reference->dc(), 0, 0, picture.width(), picture.height(), picture.dc(), 0, 0, SRCCOPY);
        // A printer at the screen's resolution whose printable area is 300 x 120, 10 pixels in from the
        // sheet's edges: 2 pages across, 3 down.
        job.picture = picture.dc();
        job.pictureWidth = picture.width();
        job.pictureHeight = picture.height();
        job.printer.pixelsPerInchX = job.printer.pixelsPerInchY = 96;
        job.printer.printableWidth = 300;
        job.printer.printableHeight = 120;
        job.printer.offsetX = job.printer.offsetY = 10;
    }
    // Runs the preview and hands it to drive; closes it with "閉じる".
    void run(const std::function<void(HWND)>& drive) {
        PrintPreviewDialog dialog(job, prompter, [&](HWND owner) {
            ++prints;
            printOwner = owner;
        });
        INT_PTR result = 0;
        EXPECT_TRUE(test::driveModal([&] { result = dialog.runModal(nullptr); },
                                     [&](HWND w) {
                                         drive(w);
                                         test::click(w, IDCANCEL);
                                     }));
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(prompter.shown.empty());
    }
    // Whether the canvas shows the picture's rectangle from (sx, sy) at (dx, dy) pixel for pixel.
    ::testing::AssertionResult shows(const DibCanvas& c, int dx, int dy, int sx, int sy, int w, int h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (c.at(dx + x, dy + y) != reference->at(sx + x, sy + y))
                    return ::testing::AssertionFailure() << "differs at " << dx + x << "," << dy + y;
        return ::testing::AssertionSuccess();
    }

    MapDocument document;
    DrawingResourceCache cache;
    PrintPicture picture;
    std::unique_ptr<DibCanvas> reference;
    PreviewJob job;
    test::RecordingPrompter prompter;
    int prints = 0;
    HWND printOwner = nullptr;
};

TEST_F(PrintPreviewTest, StepsThroughThePagesDownEachColumnFirst) {
    std::wstring title, atStart, atFourth, atLast, afterFirst;
    bool startButtons[4] = {}, lastButtons[4] = {};
    std::unique_ptr<DibCanvas> fourth;
    HWND shown = nullptr;
    run([&](HWND w) {
        shown = w;
        title = text(w, IDC_TITLE);
        atStart = text(w, IDC_PREVIEW_PAGE);
        for (int i = 0; i < 4; ++i)
            startButtons[i] = enabled(w, IDC_PREVIEW_FIRST + i);
        for (int i = 0; i < 3; ++i)
            test::click(w, IDC_PREVIEW_NEXT);
        atFourth = text(w, IDC_PREVIEW_PAGE);
        fourth = capture(w);
        test::click(w, IDC_PREVIEW_LAST);
        atLast = text(w, IDC_PREVIEW_PAGE);
        for (int i = 0; i < 4; ++i)
            lastButtons[i] = enabled(w, IDC_PREVIEW_FIRST + i);
        test::click(w, IDC_PREVIEW_FIRST);
        afterFirst = text(w, IDC_PREVIEW_PAGE);
        test::click(w, IDOK);
    });
    EXPECT_EQ(title, widen(" \u5370\u5237\u30d7\u30ec\u30d3\u30e5\u30fc"));
    EXPECT_EQ(atStart, L"1 / 6");
    EXPECT_FALSE(startButtons[0] || startButtons[1]) << "first and previous";
    EXPECT_TRUE(startButtons[2] && startButtons[3]) << "next and last";
    EXPECT_EQ(atFourth, L"4 / 6");
    EXPECT_EQ(atLast, L"6 / 6");
    EXPECT_TRUE(lastButtons[0] && lastButtons[1]);
    EXPECT_FALSE(lastButtons[2] || lastButtons[3]);
    EXPECT_EQ(afterFirst, L"1 / 6");
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(printOwner, shown);

    // The window is larger than the 320 x 140 sheet: the whole-page view leaves it at its size, centred.
    ASSERT_TRUE(fourth);
    fourth->save(test::pictureFolder("print") + "preview-page4.png");
    const int width = fourth->width(), height = fourth->height();
    const RECT sheet = fourth->inkBox({0, 0, width, height}, {grey});
    EXPECT_EQ(sheet.right - sheet.left, 320);
    EXPECT_EQ(sheet.bottom - sheet.top, 140);
    EXPECT_EQ(sheet.left, (width - 320) / 2);
    EXPECT_EQ(sheet.top, (height - 140) / 2);
    EXPECT_EQ(fourth->count({sheet.left, sheet.top, sheet.right, sheet.top + 10}, test::white), 320 * 10);
    // The fourth page is the second column's top slice: picture columns 300 to 480, rows 0 to 119.
    EXPECT_TRUE(shows(*fourth, sheet.left + 10, sheet.top + 10, 300, 0, 181, 120));
    EXPECT_EQ(fourth->count({sheet.left + 10 + 181, sheet.top + 10, sheet.right, sheet.bottom}, test::white),
              (320 - 191) * 130)
        << "the rest of the sheet stays white";
}

TEST_F(PrintPreviewTest, AOnePageJobOffersNoPageButtons) {
    job.settings.fitToPage = true;
    std::wstring page;
    bool any = true;
    run([&](HWND w) {
        page = text(w, IDC_PREVIEW_PAGE);
        any = false;
        for (int i = 0; i < 4; ++i)
            any = any || enabled(w, IDC_PREVIEW_FIRST + i);
    });
    EXPECT_EQ(page, L"1 / 1");
    EXPECT_FALSE(any);
}

// A4 at the screen's resolution with a header and a footer: larger than the window.
TEST_F(PrintPreviewTest, WholePageShrinksTheSheetAndOneToOneScrollsIt) {
    job.printer.printableWidth = 754;
    job.printer.printableHeight = 1083;
    job.printer.offsetX = job.printer.offsetY = 20;
    job.settings.marginLeft = job.settings.marginTop = 10;
    job.settings.texts.header = {"\u5730\u4e0b\u4e00\u968e", "", "_%p/a"};
    job.settings.texts.footer = {"", "_%p", ""};
    std::wstring before, after, back;
    bool maximized = false, restored = false;
    double zoom = 0;
    RECT sheet{}, client{}, inner{}, place{};
    int across = 0, down = 0;
    std::unique_ptr<DibCanvas> whole;
    run([&](HWND w) {
        HWND preview = GetDlgItem(w, IDC_PREVIEW_WINDOW);
        before = text(w, IDC_PREVIEW_VIEW);
        whole = capture(w);
        GetClientRect(preview, &client);
        test::saveScreenPicture(w, test::pictureFolder("print") + "preview-whole.png");
        test::click(w, IDC_PREVIEW_VIEW);
        after = text(w, IDC_PREVIEW_VIEW);
        across = scrollMax(preview, SB_HORZ);
        down = scrollMax(preview, SB_VERT);
        GetClientRect(preview, &inner);
        test::saveScreenPicture(w, test::pictureFolder("print") + "preview-1to1.png");
        test::click(w, IDC_PREVIEW_VIEW);
        back = text(w, IDC_PREVIEW_VIEW);
        test::click(w, IDC_MAXIMIZE);
        pump();
        maximized = IsZoomed(w) != FALSE;
        test::saveScreenPicture(w, test::pictureFolder("print") + "preview-maximized.png");
        test::click(w, IDC_MAXIMIZE);
        pump();
        restored = IsZoomed(w) == FALSE;
        // The dialog's own layout follows its size.
        SetWindowPos(w, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
        RECT dialogClient{};
        GetClientRect(w, &dialogClient);
        GetWindowRect(preview, &place);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&place), 2);
        place.right -= dialogClient.right;
        place.bottom -= dialogClient.bottom;
    });
    zoom = std::min(client.right / 794.0, client.bottom / 1123.0);
    ASSERT_LT(zoom, 1);
    EXPECT_EQ(before, widen("\u901a\u5e38\u8868\u793a"));
    EXPECT_EQ(after, widen("\u5168\u4f53\u8868\u793a"));
    EXPECT_EQ(back, before);
    ASSERT_TRUE(whole);
    sheet = whole->inkBox({0, 0, whole->width(), whole->height()}, {grey});
    EXPECT_NEAR(sheet.right - sheet.left, 794 * zoom, 1);
    EXPECT_NEAR(sheet.bottom - sheet.top, 1123 * zoom, 1);
    EXPECT_NEAR(sheet.left + sheet.right, client.right, 1) << "centred";
    EXPECT_GT(whole->count({sheet.left, sheet.top, sheet.right, sheet.bottom}, RGB(0, 0, 0)), 0)
        << "header and ruler numbers in black";
    EXPECT_EQ(across, 794 - inner.right);
    EXPECT_EQ(down, 1123 - inner.bottom);
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(restored);
    EXPECT_EQ(place.left, 4);
    EXPECT_EQ(place.top, 57);
    EXPECT_EQ(place.right, -4);
    EXPECT_EQ(place.bottom, -4);
}

} // namespace
} // namespace tav::win
