// The background candidates dialog driven through its own modal loop with the messages a user's input
// produces; the results the caller reads back and the pixels of the swatches.
#include "win/marks/background_candidates_dialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/png_writer.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using candidate::pack;
using test::DibCanvas;
using test::windowText;

// Red 240 and green 20 in candidate 1; a grid pattern in candidate 3.
const BackgroundCandidates start{0x000014F0, 0x00FFFFFF,        pack(5, 0x102030), 0x00808080,
                                 0x00000080, pack(2, 0x00FF00), 0x00400000,        0x00004000};

// What the dialog's own loop does with queued input: the dialog manager sees it first.
void pump(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
}

void scroll(HWND dialog, int bar, int code, int thumb = 0) {
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, thumb),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, bar)));
}

void clickSwatch(HWND dialog, int candidateNumber) {
    HWND swatch = GetDlgItem(dialog, IDC_CANDIDATE_1 + candidateNumber - 1);
    SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

int barPosition(HWND dialog, int bar) {
    return GetScrollPos(GetDlgItem(dialog, bar), SB_CTL);
}

// The swatch's picture as it paints itself.
COLORREF pixelOf(HWND dialog, int control, int x, int y) {
    HWND window = GetDlgItem(dialog, control);
    RECT client{};
    GetClientRect(window, &client);
    DibCanvas canvas(client.right, client.bottom);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return canvas.at(x < 0 ? client.right + x : x, y < 0 ? client.bottom + y : y);
}

struct Outcome {
    INT_PTR result = 0;
    BackgroundCandidates values{};
    int selected = -1;
};

Outcome runDialog(int selected, const std::function<void(HWND)>& drive) {
    DrawingResourceCache cache;
    BackgroundCandidatesDialog dialog(cache, start, selected);
    Outcome ran;
    EXPECT_TRUE(test::driveModal([&] { ran.result = dialog.runModal(nullptr); }, drive));
    ran.values = dialog.values();
    ran.selected = dialog.selectedCandidate();
    return ran;
}

TEST(BackgroundCandidates, PageStepsStopAtTheEndsAndTheChipShowsThePureComponent) {
    std::wstring red, green;
    COLORREF redChip = 0, greenChip = 0;
    Outcome ran = runDialog(1, [&](HWND dialog) {
        scroll(dialog, IDC_CANDIDATE_RED_BAR, SB_PAGERIGHT);
        scroll(dialog, IDC_CANDIDATE_GREEN_BAR, SB_PAGELEFT);
        scroll(dialog, IDC_CANDIDATE_GREEN_BAR, SB_ENDSCROLL);
        red = windowText(GetDlgItem(dialog, IDC_CANDIDATE_RED_VALUE));
        green = windowText(GetDlgItem(dialog, IDC_CANDIDATE_GREEN_VALUE));
        EXPECT_EQ(barPosition(dialog, IDC_CANDIDATE_RED_BAR), 255);
        EXPECT_EQ(barPosition(dialog, IDC_CANDIDATE_GREEN_BAR), 0);
        scroll(dialog, IDC_CANDIDATE_BLUE_BAR, SB_THUMBTRACK, 77);
        redChip = pixelOf(dialog, IDC_CANDIDATE_RED_CHIP, 4, 4);
        HWND list = GetDlgItem(dialog, IDC_CANDIDATE_PATTERN);
        wchar_t name[32] = {};
        EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 11);
        SendMessageW(list, CB_GETLBTEXT, 6, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(std::wstring(name), L"斜線 ＼");
        greenChip = pixelOf(dialog, IDC_CANDIDATE_GREEN_CHIP, 4, 4);
        EXPECT_EQ(pixelOf(dialog, IDC_CANDIDATE_BLUE_CHIP, 4, 4), RGB(0, 0, 77));
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(ran.result, IDOK);
    EXPECT_EQ(red, L"255");
    EXPECT_EQ(green, L"0");
    EXPECT_EQ(redChip, RGB(255, 0, 0));
    EXPECT_EQ(greenChip, RGB(0, 0, 0));
    EXPECT_EQ(ran.values[0], 0x004D00FFu);
    EXPECT_EQ(ran.selected, 1);
}

TEST(BackgroundCandidates, GreenBarKeepsPatternRedAndBlueAndEditsSurviveReselection) {
    int patternShown = -1;
    std::wstring greenShown;
    Outcome ran = runDialog(3, [&](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_CANDIDATE_PATTERN, CB_GETCURSEL, 0, 0), 5);
        EXPECT_EQ(barPosition(dialog, IDC_CANDIDATE_RED_BAR), 0x30);
        scroll(dialog, IDC_CANDIDATE_GREEN_BAR, SB_THUMBPOSITION, 0xAB);
        clickSwatch(dialog, 4);
        EXPECT_EQ(barPosition(dialog, IDC_CANDIDATE_GREEN_BAR), 0x80);
        // Back to candidate 3 with Enter on its focused swatch, through the dialog manager.
        HWND third = GetDlgItem(dialog, IDC_CANDIDATE_1 + 2);
        SetFocus(third);
        PostMessageW(third, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(third, WM_CHAR, '\r', 0);
        PostMessageW(third, WM_KEYUP, VK_RETURN, 0);
        pump(dialog);
        patternShown =
            static_cast<int>(SendDlgItemMessageW(dialog, IDC_CANDIDATE_PATTERN, CB_GETCURSEL, 0, 0));
        greenShown = windowText(GetDlgItem(dialog, IDC_CANDIDATE_GREEN_VALUE));
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(ran.result, IDOK);
    EXPECT_EQ(ran.selected, 3);
    EXPECT_EQ(patternShown, 5);
    EXPECT_EQ(greenShown, L"171");
    EXPECT_EQ(ran.values[2], pack(5, 0x10AB30));
    for (std::size_t i : {0u, 1u, 3u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(ran.values[i], start[i]) << i;
}

TEST(BackgroundCandidates, CancelAndCloseReturnNothingChanged) {
    for (int button : {IDCANCEL, IDC_CLOSE}) {
        Outcome ran = runDialog(2, [&](HWND dialog) {
            clickSwatch(dialog, 6);
            scroll(dialog, IDC_CANDIDATE_RED_BAR, SB_RIGHT);
            SendDlgItemMessageW(dialog, IDC_CANDIDATE_PATTERN, CB_SETCURSEL, 9, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CANDIDATE_PATTERN, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CANDIDATE_PATTERN)));
            test::click(dialog, button);
        });
        EXPECT_EQ(ran.result, IDCANCEL) << button;
        EXPECT_EQ(ran.values, start) << button;
        EXPECT_EQ(ran.selected, 0) << button;
    }
}

TEST(BackgroundCandidates, SelectingFiveAndOkReturnsFiveWithItsEditsAndMovesTheMarker) {
    COLORREF firstBefore = 0, firstAfter = 0, fifthAfter = 0;
    Outcome ran = runDialog(9, [&](HWND dialog) {
        // Any other number than 1..8 selects the first candidate.
        EXPECT_EQ(barPosition(dialog, IDC_CANDIDATE_RED_BAR), 240);
        firstBefore = pixelOf(dialog, IDC_CANDIDATE_1, -5, -5);
        clickSwatch(dialog, 5);
        EXPECT_EQ(barPosition(dialog, IDC_CANDIDATE_RED_BAR), 0x80);
        scroll(dialog, IDC_CANDIDATE_BLUE_BAR, SB_LINERIGHT);
        scroll(dialog, IDC_CANDIDATE_RED_BAR, SB_LINELEFT);
        SendDlgItemMessageW(dialog, IDC_CANDIDATE_PATTERN, CB_SETCURSEL, 7, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CANDIDATE_PATTERN, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CANDIDATE_PATTERN)));
        firstAfter = pixelOf(dialog, IDC_CANDIDATE_1, -5, -5);
        fifthAfter = pixelOf(dialog, IDC_CANDIDATE_1 + 4, -5, -5);
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(ran.result, IDOK);
    EXPECT_EQ(ran.selected, 5);
    EXPECT_EQ(ran.values[4], pack(7, 0x01007F));
    EXPECT_EQ(firstBefore, RGB(255, 255, 255)); // inside the marker triangle
    EXPECT_EQ(firstAfter, RGB(240, 20, 0));
    EXPECT_EQ(fifthAfter, RGB(255, 255, 255));
}

// The dialog as the screen shows it, saved for a person to look at.
TEST(BackgroundCandidates, PictureShowsTheRoundedFrameAndItsColours) {
    COLORREF corner = 0, title = 0, body = 0, okFace = 0;
    int okLightText = 0;
    bool saved = false;
    runDialog(6, [&](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump(dialog);
        RECT frame{};
        GetWindowRect(dialog, &frame);
        DibCanvas canvas(frame.right - frame.left, frame.bottom - frame.top, RGB(255, 0, 255));
        HDC screen = GetDC(nullptr);
        BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, frame.left, frame.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        auto inside = [&](int id, int dx, int dy) {
            RECT r{};
            GetWindowRect(GetDlgItem(dialog, id), &r);
            return canvas.at(r.left - frame.left + dx, r.top - frame.top + dy);
        };
        corner = canvas.at(0, 0);
        title = inside(IDC_TITLE, 60, 1);
        body = inside(IDC_CANDIDATE_RED_LABEL, -3, 0);
        okFace = inside(IDOK, 3, 3);
        RECT ok{};
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        OffsetRect(&ok, -frame.left, -frame.top);
        okLightText = canvas.count(ok, 0xF1FBFF);
        const std::string folder = test::pictureFolder("marks");
        saved = !folder.empty() && canvas.save(folder + "background_candidates.png", 2);
        test::click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(saved);
    EXPECT_NE(corner, body); // cut off by the round region
    EXPECT_EQ(title, 0xC5740Du);
    EXPECT_EQ(body, 0x404040u);
    EXPECT_EQ(okFace, 0x404040u);
    EXPECT_GT(okLightText, 20); // the label, light on the dark face
}

} // namespace
} // namespace tav::win
