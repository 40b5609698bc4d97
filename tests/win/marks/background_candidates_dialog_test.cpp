// The background candidates dialog driven inside its own modal loop with the messages a user's input
// produces: what the caller reads back, what the controls show and the pixels of the swatches.
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

struct Outcome {
    INT_PTR result = 0;
    BackgroundCandidates values{};
    int selected = -1;
};

Outcome runDialog(int selected, const std::function<void(HWND)>& drive) {
    DrawingResourceCache cache;
    BackgroundCandidatesDialog dialog(cache, start, selected);
    Outcome outcome;
    EXPECT_TRUE(test::driveModal([&] { outcome.result = dialog.runModal(nullptr); }, drive));
    outcome.values = dialog.values();
    outcome.selected = dialog.selectedCandidate();
    return outcome;
}

// What the dialog's own loop does with queued input: the dialog manager sees it first.
void pump(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageW(dialog, &message))
            DispatchMessageW(&message);
}

void scroll(HWND dialog, int bar, int code, int thumb = 0) {
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, thumb),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, bar)));
}

void choosePattern(HWND dialog, int type) {
    HWND list = GetDlgItem(dialog, IDC_CANDIDATE_PATTERN);
    SendMessageW(list, CB_SETCURSEL, type, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CANDIDATE_PATTERN, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void clickSwatch(HWND dialog, int number) {
    SendDlgItemMessageW(dialog, IDC_CANDIDATE_1 + number - 1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
}

int bar(HWND dialog, int id) {
    return GetScrollPos(GetDlgItem(dialog, id), SB_CTL);
}

// A pixel of a control's own picture; negative coordinates count from the right or bottom.
COLORREF pixelOf(HWND dialog, int control, int x, int y) {
    HWND window = GetDlgItem(dialog, control);
    RECT r{};
    GetClientRect(window, &r);
    DibCanvas canvas(r.right, r.bottom);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return canvas.at(x < 0 ? r.right + x : x, y < 0 ? r.bottom + y : y);
}

TEST(BackgroundCandidates, PageStepsStopAtTheEndsAndChipsShowThePureComponent) {
    Outcome outcome = runDialog(1, [](HWND dialog) {
        scroll(dialog, IDC_CANDIDATE_RED_BAR, SB_PAGERIGHT);
        scroll(dialog, IDC_CANDIDATE_GREEN_BAR, SB_PAGELEFT);
        scroll(dialog, IDC_CANDIDATE_GREEN_BAR, SB_ENDSCROLL);
        scroll(dialog, IDC_CANDIDATE_BLUE_BAR, SB_THUMBTRACK, 77);
        EXPECT_EQ(bar(dialog, IDC_CANDIDATE_RED_BAR), 255);
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CANDIDATE_RED_VALUE)), L"255");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CANDIDATE_GREEN_VALUE)), L"0");
        EXPECT_EQ(pixelOf(dialog, IDC_CANDIDATE_RED_CHIP, 4, 4), RGB(255, 0, 0));
        EXPECT_EQ(pixelOf(dialog, IDC_CANDIDATE_BLUE_CHIP, 4, 4), RGB(0, 0, 77));
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.values[0], 0x004D00FFu);
    EXPECT_EQ(outcome.selected, 1);
}

TEST(BackgroundCandidates, GreenBarKeepsPatternRedAndBlueAndEditsSurviveReselection) {
    Outcome outcome = runDialog(3, [](HWND dialog) {
        scroll(dialog, IDC_CANDIDATE_GREEN_BAR, SB_THUMBPOSITION, 0xAB);
        clickSwatch(dialog, 4);
        EXPECT_EQ(bar(dialog, IDC_CANDIDATE_GREEN_BAR), 0x80);
        // Back to candidate 3 with Enter on its focused swatch, past the dialog manager as typed.
        HWND third = GetDlgItem(dialog, IDC_CANDIDATE_1 + 2);
        SetFocus(third);
        PostMessageW(third, WM_KEYDOWN, VK_RETURN, 0);
        pump(dialog);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_CANDIDATE_PATTERN, CB_GETCURSEL, 0, 0), 5);
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CANDIDATE_GREEN_VALUE)), L"171");
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.selected, 3);
    BackgroundCandidates expected = start;
    expected[2] = pack(5, 0x10AB30);
    EXPECT_EQ(outcome.values, expected);
}

TEST(BackgroundCandidates, CancelAndCloseReturnNothingChanged) {
    for (int button : {IDCANCEL, IDC_CLOSE}) {
        Outcome outcome = runDialog(2, [button](HWND dialog) {
            clickSwatch(dialog, 6);
            scroll(dialog, IDC_CANDIDATE_RED_BAR, SB_RIGHT);
            choosePattern(dialog, 9);
            test::click(dialog, button);
        });
        EXPECT_EQ(outcome.result, IDCANCEL) << button;
        EXPECT_EQ(outcome.values, start) << button;
        EXPECT_EQ(outcome.selected, 0) << button;
    }
}

TEST(BackgroundCandidates, SelectingFiveAndOkReturnsFiveWithItsEditsAndMovesTheMarker) {
    COLORREF firstBefore = 0, firstAfter = 0, fifthAfter = 0;
    Outcome outcome = runDialog(9, [&](HWND dialog) {
        EXPECT_EQ(bar(dialog, IDC_CANDIDATE_RED_BAR), 240); // 9 is no candidate: the first is selected
        firstBefore = pixelOf(dialog, IDC_CANDIDATE_1, -5, -5);
        clickSwatch(dialog, 5);
        scroll(dialog, IDC_CANDIDATE_BLUE_BAR, SB_LINERIGHT);
        scroll(dialog, IDC_CANDIDATE_RED_BAR, SB_LINELEFT);
        choosePattern(dialog, 7);
        firstAfter = pixelOf(dialog, IDC_CANDIDATE_1, -5, -5);
        fifthAfter = pixelOf(dialog, IDC_CANDIDATE_1 + 4, -5, -5);
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.selected, 5);
    EXPECT_EQ(outcome.values[4], pack(7, 0x01007F));
    EXPECT_EQ(firstBefore, RGB(255, 255, 255)); // inside the marker triangle
    EXPECT_EQ(firstAfter, RGB(240, 20, 0));
    EXPECT_EQ(fifthAfter, RGB(255, 255, 255));
}

// The dialog as the screen shows it, saved for a person to look at.
TEST(BackgroundCandidates, PictureShowsTheRoundedFrameAndItsColours) {
    runDialog(6, [](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump(dialog);
        RECT frame{};
        GetWindowRect(dialog, &frame);
        DibCanvas canvas(frame.right - frame.left, frame.bottom - frame.top);
        HDC screen = GetDC(nullptr);
        BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, frame.left, frame.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        auto inside = [&](int id) {
            RECT r{};
            GetWindowRect(GetDlgItem(dialog, id), &r);
            OffsetRect(&r, -frame.left, -frame.top);
            return r;
        };
        const std::string folder = test::pictureFolder("marks");
        EXPECT_TRUE(!folder.empty() && canvas.save(folder + "background_candidates.png", 2));
        const RECT title = inside(IDC_TITLE), label = inside(IDC_CANDIDATE_RED_LABEL), ok = inside(IDOK);
        EXPECT_NE(canvas.at(0, 0), 0x404040u); // cut off by the round region
        EXPECT_EQ(canvas.at(title.left + 60, title.top + 1), 0xC5740Du);
        EXPECT_EQ(canvas.at(label.left - 3, label.top), 0x404040u);
        EXPECT_EQ(canvas.at(ok.left + 3, ok.top + 3), 0x404040u);
        EXPECT_GT(canvas.count(ok, 0xF1FBFF), 20); // the label, light on the dark face
        test::click(dialog, IDCANCEL);
    });
}

} // namespace
} // namespace tav::win
