// The three settings dialogs driven with the messages a user's typing and clicking produce.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/memory_settings.h"
#include "support/recording_prompter.h"
#include "win/app/environment_dialog.h"
#include "win/app/map_size_dialog.h"
#include "win/app/ruler_dialog.h"
#include "win/platform/text.h"

namespace tav::win {
namespace {

using test::MemorySettings;
using test::RecordingPrompter;

void setText(HWND dialog, int id, const wchar_t* text) {
    SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void type(HWND dialog, int id, const wchar_t* keys) {
    HWND edit = GetDlgItem(dialog, id);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* key = keys; *key; ++key)
        SendMessageW(edit, WM_CHAR, *key, 1);
}

std::wstring text(HWND dialog, int id) {
    return test::windowText(GetDlgItem(dialog, id));
}

std::pair<int, int> spinRange(HWND dialog, int id) {
    int low = 0, high = 0;
    SendDlgItemMessageW(dialog, id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                        reinterpret_cast<LPARAM>(&high));
    return {low, high};
}

// The visible page of the environment dialog.
HWND visiblePage(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

void selectTab(HWND dialog, int index) {
    HWND tabs = GetDlgItem(dialog, IDC_SETTINGS_TABS);
    SendMessageW(tabs, TCM_SETCURSEL, index, 0);
    NMHDR header{tabs, IDC_SETTINGS_TABS, TCN_SELCHANGE};
    SendMessageW(dialog, WM_NOTIFY, IDC_SETTINGS_TABS, reinterpret_cast<LPARAM>(&header));
}

TEST(EnvironmentDialog, UndoDepthCorrectsItselfAndBothPagesAreStoredOnOk) {
    MemorySettings settings;
    settings.values[{"PROPERTY", "HISTORYADD"}] = "1";
    EnvironmentDialog dialog(settings);
    std::wstring shown, corrected, note, negative, walls;
    bool fifo = true, noDuplicates = false;
    INT_PTR result = 0;
    ASSERT_TRUE(test::driveModal([&] { result = dialog.runModal(nullptr); },
                                 [&](HWND window) {
                                     HWND page = visiblePage(window);
                                     shown = text(page, IDC_UNDO_DEPTH);
                                     type(page, IDC_UNDO_DEPTH, L"300");
                                     corrected = text(page, IDC_UNDO_DEPTH);
                                     note = text(page, IDC_UNDO_NOTE);
                                     setText(page, IDC_UNDO_DEPTH, L"-3");
                                     negative = text(page, IDC_UNDO_DEPTH);
                                     setText(page, IDC_UNDO_DEPTH, L"40");

                                     selectTab(window, 1);
                                     page = visiblePage(window);
                                     walls = text(page, IDC_HISTORY_WALLS);
                                     fifo = IsDlgButtonChecked(page, IDC_HISTORY_FIFO) == BST_CHECKED;
                                     noDuplicates =
                                         IsDlgButtonChecked(page, IDC_HISTORY_NO_DUPLICATES) == BST_CHECKED;
                                     setText(page, IDC_HISTORY_WALLS, L"12345"); // pasted past the limit
                                     setText(page, IDC_HISTORY_ROOMS, L"junk");
                                     SendDlgItemMessageW(page, IDC_HISTORY_FIFO, BM_CLICK, 0, 0);
                                     SendDlgItemMessageW(page, IDC_HISTORY_NO_DUPLICATES, BM_CLICK, 0, 0);
                                     test::click(window, IDOK);
                                 }));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, L"16");
    EXPECT_EQ(corrected, L"255");
    EXPECT_NE(note.find(L"[255]"), std::wstring::npos) << narrow(note);
    EXPECT_NE(note.find(L"19921"), std::wstring::npos) << narrow(note);
    EXPECT_EQ(negative, L"0");
    EXPECT_EQ(walls, L"256");
    EXPECT_FALSE(fifo);
    EXPECT_TRUE(noDuplicates);

    EXPECT_EQ(dialog.undoDepth(), 40);
    EXPECT_EQ((settings.values[{"PROPERTY", "URDOMAX"}]), "40");
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYDMAX"}]), "9999");
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYBMAX"}]), "64") << "no number keeps the value shown";
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYADD"}]), "0");
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYOVERLAP"}]), "1");
}

TEST(EnvironmentDialog, CancelAndCloseWriteNothing) {
    for (int button : {IDCANCEL, IDC_CLOSE}) {
        MemorySettings settings;
        EnvironmentDialog dialog(settings);
        INT_PTR result = 0;
        ASSERT_TRUE(test::driveModal([&] { result = dialog.runModal(nullptr); },
                                     [&](HWND window) {
                                         setText(visiblePage(window), IDC_UNDO_DEPTH, L"99");
                                         test::click(window, button);
                                     }));
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(settings.values.empty());
    }
}

TEST(MapSizeDialog, LimitsFollowTheLargerOfMaximumAndMapAndBadEntriesAreRefused) {
    RecordingPrompter prompter;
    MapSizeDialog dialog(80, 20, 61, &prompter);
    std::pair<int, int> widthRange, heightRange;
    std::wstring shownWidth;
    HWND focusAfterRefusal = nullptr, widthEdit = nullptr;
    DWORD selection = 0;
    bool openAfterRefusal = false;
    INT_PTR result = 0;
    ASSERT_TRUE(test::driveModal([&] { result = dialog.runModal(nullptr); },
                                 [&](HWND window) {
                                     widthRange = spinRange(window, IDC_SIZE_WIDTH_SPIN);
                                     heightRange = spinRange(window, IDC_SIZE_HEIGHT_SPIN);
                                     shownWidth = text(window, IDC_SIZE_WIDTH);
                                     widthEdit = GetDlgItem(window, IDC_SIZE_WIDTH);
                                     setText(window, IDC_SIZE_WIDTH, L"0");
                                     test::click(window, IDOK);
                                     openAfterRefusal = IsWindowVisible(window);
                                     focusAfterRefusal = GetFocus();
                                     selection = static_cast<DWORD>(SendMessageW(widthEdit, EM_GETSEL, 0, 0));
                                     setText(window, IDC_SIZE_WIDTH, L"40");
                                     setText(window, IDC_SIZE_HEIGHT, L"62"); // above the height limit
                                     test::click(window, IDOK);
                                     setText(window, IDC_SIZE_HEIGHT, L"61");
                                     test::click(window, IDOK);
                                 }));
    EXPECT_EQ(widthRange, std::make_pair(1, 80));
    EXPECT_EQ(heightRange, std::make_pair(1, 61));
    EXPECT_EQ(shownWidth, L"80");
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(focusAfterRefusal, widthEdit);
    EXPECT_EQ(selection, static_cast<DWORD>(MAKELONG(0, 1))) << "the whole text is selected";
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "1～80の数値を設定してください。");
    EXPECT_EQ(prompter.shown[0].type, msg::iconWarning);
    EXPECT_EQ(prompter.shown[1].text, "1～61の数値を設定してください。");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.width(), 40);
    EXPECT_EQ(dialog.height(), 61);
}

TEST(RulerDialog, StartValuesShowOnlyOffCentreAndTheCentreStoresZero) {
    const RulerSettings stored{7, -3, 1, 1, -1, 0};
    RulerDialog dialog(stored);
    bool startsShown = false, hiddenAtCentre = true, shownAgain = false;
    std::wstring x, rowStep;
    INT_PTR result = 0;
    ASSERT_TRUE(test::driveModal([&] { result = dialog.runModal(nullptr); },
                                 [&](HWND window) {
                                     startsShown = IsWindowVisible(GetDlgItem(window, IDC_RULER_X));
                                     x = text(window, IDC_RULER_X);
                                     rowStep = text(window, IDC_RULER_ROW_STEP);
                                     SendDlgItemMessageW(window, IDC_RULER_CENTRE, BM_CLICK, 0, 0);
                                     hiddenAtCentre = !IsWindowVisible(GetDlgItem(window, IDC_RULER_X)) &&
                                                      !IsWindowVisible(GetDlgItem(window, IDC_RULER_Y_SPIN));
                                     SendDlgItemMessageW(window, IDC_RULER_BOTTOM_LEFT, BM_CLICK, 0, 0);
                                     shownAgain = IsWindowVisible(GetDlgItem(window, IDC_RULER_Y));
                                     SendDlgItemMessageW(window, IDC_RULER_CENTRE, BM_CLICK, 0, 0);
                                     setText(window, IDC_RULER_X, L"120");
                                     SendDlgItemMessageW(window, IDC_RULER_COLUMN_STEP, CB_SETCURSEL, 1, 0);
                                     test::click(window, IDOK);
                                 }));
    EXPECT_TRUE(startsShown);
    EXPECT_EQ(x, L"7");
    EXPECT_EQ(rowStep, widen("１ 減少"));
    EXPECT_TRUE(hiddenAtCentre);
    EXPECT_TRUE(shownAgain);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.ruler(), (RulerSettings{0, 0, 0, -1, -1, 0}));
}

TEST(RulerDialog, OffCentreStartsAreLimitedAndJunkKeepsTheShownValue) {
    RulerDialog dialog(RulerSettings{900, 5, 2, 1, 1, 0});
    std::wstring x;
    ASSERT_TRUE(test::driveModal([&] { dialog.runModal(nullptr); },
                                 [&](HWND window) {
                                     x = text(window, IDC_RULER_X);
                                     setText(window, IDC_RULER_X, L"-9999");
                                     setText(window, IDC_RULER_Y, L"abc");
                                     test::click(window, IDOK);
                                 }));
    EXPECT_EQ(x, L"0") << "a start beyond 500 shows as 0";
    EXPECT_EQ(dialog.ruler(), (RulerSettings{-500, 5, 2, 1, 1, 0}));
}

} // namespace
} // namespace tav::win
