#include "win/app/dialog_frame.h"

#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"

namespace tav::win {
namespace {

constexpr int frameTestDialog = 9001;

class FrameUnderTest : public DialogFrame {
public:
    FrameUnderTest() : DialogFrame(frameTestDialog) {}
    using DialogFrame::handleMessage;
};

COLORREF brushColour(INT_PTR brush) {
    LOGBRUSH logical{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(logical), &logical);
    return logical.lbColor;
}

struct Painted {
    COLORREF brush;
    COLORREF text;
    COLORREF background;
};

Painted colourOf(HWND dialog, int control) {
    HDC dc = CreateCompatibleDC(nullptr);
    INT_PTR brush = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
    Painted painted{brushColour(brush), GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return painted;
}

TEST(DialogFrame, TitleIsBlueAndOtherStaticsSitOnTheDarkBody) {
    int result = 0;
    FrameUnderTest frame;
    Painted title{}, body{};
    COLORREF dialogBrush = 0;
    test::driveModal([&] { result = static_cast<int>(frame.runModal(nullptr)); },
                     [&](HWND dialog) {
                         title = colourOf(dialog, IDC_TITLE);
                         body = colourOf(dialog, 12850);
                         HDC dc = CreateCompatibleDC(nullptr);
                         dialogBrush = brushColour(
                             SendMessageW(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0));
                         DeleteDC(dc);
                         test::click(dialog, IDC_CLOSE);
                     });
    EXPECT_EQ(result, IDCANCEL); // the close button ends with Cancel
    EXPECT_EQ(title.brush, 0xC5740Du);
    EXPECT_EQ(title.background, 0xC5740Du);
    EXPECT_EQ(title.text, 0xF1FBFFu);
    EXPECT_EQ(body.brush, 0x404040u);
    EXPECT_EQ(body.text, 0xF1FBFFu);
    EXPECT_EQ(dialogBrush, 0x404040u);
}

TEST(DialogFrame, PressOnTheSurfaceBecomesACaptionPress) {
    FrameUnderTest frame;
    MSG posted{};
    bool found = false;
    POINT expected{};
    test::driveModal([&] { frame.runModal(nullptr); },
                     [&](HWND dialog) {
                         expected = {40, 50};
                         ClientToScreen(dialog, &expected);
                         SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 50));
                         // Take the posted press before the system would start a move loop with it.
                         found = PeekMessageW(&posted, dialog, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE);
                         test::click(dialog, IDC_CLOSE);
                     });
    ASSERT_TRUE(found);
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(static_cast<short>(LOWORD(posted.lParam)), expected.x);
    EXPECT_EQ(static_cast<short>(HIWORD(posted.lParam)), expected.y);
}

} // namespace
} // namespace tav::win
