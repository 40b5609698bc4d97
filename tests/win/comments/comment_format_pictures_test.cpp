// Pictures of the comment format dialog's three pages for a person to look at, taken from the screen as
// the dialog shows them, with a Japanese sample in the previews.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/png_writer.h"
#include "win/comments/comment_format_dialog.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

constexpr COLORREF frameRed = RGB(200, 0, 0);
constexpr COLORREF paleYellow = RGB(255, 255, 192);
constexpr COLORREF textBlue = RGB(0, 0, 160);

// The part of the screen a window covers, after everything in it has painted.
std::unique_ptr<test::DibCanvas> shoot(HWND dialog, HWND part) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    RECT r{};
    GetWindowRect(part, &r);
    auto canvas = std::make_unique<test::DibCanvas>(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas->dc(), 0, 0, canvas->width(), canvas->height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas;
}

TEST(CommentFormatPictures, EachPageWithAJapaneseSample) {
    CommentArea area = CommentArea::create({0, 0, 680, 340}, 20, 10, false);
    area.setFrame({40, 30, 160, 110});
    area.setAnchor(20, 150);
    CommentFormat look = area.format();
    look.frameColour = frameRed;
    look.backgroundColour = paleYellow;
    look.textColour = textBlue;
    look.styleFlags = comment::style::bold;
    look.pointSize = 16;
    look.frameStyle = comment::frame::roundedRectangle;
    look.alignment = 0x11;
    area.setFormat(look);
    comment_format::Draft draft = comment_format::draftOf(area, 20, 10);
    DrawingResourceCache cache;
    CommentFormatDialog dialog(draft, cache);
    const std::string folder = test::pictureFolder("comments");
    ASSERT_FALSE(folder.empty());

    ASSERT_TRUE(test::driveModal(
        [&] { dialog.runModal(nullptr); },
        [&](HWND window) {
            HWND tabs = GetDlgItem(window, IDC_COMMENT_FORMAT_TABS);
            const char* names[] = {"comment_format_font.png", "comment_format_look.png",
                                   "comment_format_place.png"};
            for (int page = 0; page < 3; ++page) {
                TabCtrl_SetCurSel(tabs, page);
                NMHDR change{tabs, IDC_COMMENT_FORMAT_TABS, static_cast<UINT>(TCN_SELCHANGE)};
                SendMessageW(window, WM_NOTIFY, IDC_COMMENT_FORMAT_TABS, reinterpret_cast<LPARAM>(&change));
                const auto picture = shoot(window, window);
                EXPECT_TRUE(picture->save(folder + names[page], 2)) << names[page];
            }
            // What the previews show on the screen: blue sample text; the sample area in its colours.
            HWND fontPage = dialog.page(CommentFormatDialog::fontPage);
            TabCtrl_SetCurSel(tabs, 0);
            NMHDR change{tabs, IDC_COMMENT_FORMAT_TABS, static_cast<UINT>(TCN_SELCHANGE)};
            SendMessageW(window, WM_NOTIFY, IDC_COMMENT_FORMAT_TABS, reinterpret_cast<LPARAM>(&change));
            const auto fontPreview = shoot(window, GetDlgItem(fontPage, IDC_CFONT_PREVIEW));
            const RECT whole{0, 0, fontPreview->width(), fontPreview->height()};
            EXPECT_GT(fontPreview->count(whole, textBlue), 20);
            EXPECT_EQ(dialog.previewHeight(), 16);

            TabCtrl_SetCurSel(tabs, 1);
            change.code = static_cast<UINT>(TCN_SELCHANGE);
            SendMessageW(window, WM_NOTIFY, IDC_COMMENT_FORMAT_TABS, reinterpret_cast<LPARAM>(&change));
            const auto sample =
                shoot(window, GetDlgItem(dialog.page(CommentFormatDialog::lookPage), IDC_CLOOK_PREVIEW));
            const RECT all{0, 0, sample->width(), sample->height()};
            EXPECT_GT(sample->count(all, frameRed), 100) << "frame, pointer line, mark and selection border";
            EXPECT_GT(sample->count(all, paleYellow), 1000);
            EXPECT_GT(sample->count(all, textBlue), 10);
            sample->save(folder + "comment_format_look_sample.png", 3);
            test::click(window, IDCANCEL);
        }));
}

} // namespace
} // namespace tav::win
