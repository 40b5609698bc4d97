#include "win/app/message_box.h"

#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"
#include "win/platform/text.h"

namespace tav::win {
namespace {

using test::click;
using test::driveModal;
using test::windowText;

struct Seen {
    std::wstring first;
    std::wstring second;
    bool secondVisible = false;
    bool iconVisible = false;
    HICON icon = nullptr;
    std::wstring text;
    RECT textRect{};
    RECT firstRect{};
    RECT secondRect{};
    RECT client{};
};

Seen look(HWND dialog) {
    Seen seen;
    HWND first = GetDlgItem(dialog, IDC_MESSAGE_YES);
    HWND second = GetDlgItem(dialog, IDC_MESSAGE_NO);
    HWND icon = GetDlgItem(dialog, IDC_MESSAGE_ICON);
    HWND text = GetDlgItem(dialog, IDC_MESSAGE_TEXT);
    seen.first = windowText(first);
    seen.second = windowText(second);
    seen.secondVisible = IsWindowVisible(second);
    seen.iconVisible = IsWindowVisible(icon);
    seen.icon = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
    seen.text = windowText(text);
    auto rectOf = [dialog](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    seen.textRect = rectOf(text);
    seen.firstRect = rectOf(first);
    seen.secondRect = rectOf(second);
    GetClientRect(dialog, &seen.client);
    return seen;
}

// Shows a message, looks at the dialog, presses a button, and gives back what was seen and returned.
int showAndPress(const std::string& text, unsigned type, int button, Seen& seen) {
    int result = -100;
    bool driven = driveModal([&] { result = showMessage(text, nullptr, type); },
                             [&](HWND dialog) {
                                 seen = look(dialog);
                                 click(dialog, button);
                             });
    EXPECT_TRUE(driven);
    return result;
}

TEST(MessageDialog, InformationTypeShowsOneCentredOkButtonWithIcon) {
    Seen seen;
    EXPECT_EQ(showAndPress("保存しました。", 0x40, IDC_MESSAGE_YES, seen), 1);
    EXPECT_EQ(seen.first, L"OK");
    EXPECT_FALSE(seen.secondVisible);
    EXPECT_TRUE(seen.iconVisible);
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_ASTERISK));
    int centre = (seen.firstRect.left + seen.firstRect.right) / 2;
    EXPECT_NEAR(centre, seen.client.right / 2, 1);
    EXPECT_EQ(seen.firstRect.right - seen.firstRect.left, 70);
    EXPECT_EQ(seen.firstRect.bottom - seen.firstRect.top, 23);
    EXPECT_GE(seen.client.bottom, 56);
    EXPECT_EQ(seen.text, L"保存しました。");
}

TEST(MessageDialog, QuestionYesNoReturnsSixAndSeven) {
    Seen seen;
    EXPECT_EQ(showAndPress("宜しいですか？", 0x24, IDC_MESSAGE_YES, seen), 6);
    EXPECT_EQ(seen.first, L"はい");
    EXPECT_EQ(seen.second, L"いいえ");
    EXPECT_TRUE(seen.secondVisible);
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_QUESTION));
    EXPECT_EQ(showAndPress("宜しいですか？", 0x24, IDC_MESSAGE_NO, seen), 7);
}

TEST(MessageDialog, OkCancelReturnsOneAndTwo) {
    Seen seen;
    EXPECT_EQ(showAndPress("続けますか", 0x31, IDC_MESSAGE_YES, seen), 1);
    EXPECT_EQ(seen.first, L"OK");
    EXPECT_EQ(seen.second, L"ｷｬﾝｾﾙ");
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(showAndPress("続けますか", 0x31, IDC_MESSAGE_NO, seen), 2);
}

TEST(MessageDialog, OtherButtonTypesAskYesNo) {
    Seen seen;
    for (unsigned type : {2u, 3u, 5u, 6u}) {
        EXPECT_EQ(showAndPress("?", type, IDC_MESSAGE_NO, seen), 7) << type;
        EXPECT_EQ(seen.first, L"はい");
    }
}

TEST(MessageDialog, IconFollowsTypeAndIsHiddenOtherwise) {
    Seen seen;
    showAndPress("x", 0x10, IDC_MESSAGE_YES, seen);
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_HAND));
    EXPECT_TRUE(seen.iconVisible);
    for (unsigned type : {0x00u, 0x50u, 0x70u}) {
        showAndPress("x", type, IDC_MESSAGE_YES, seen);
        EXPECT_FALSE(seen.iconVisible) << type;
    }
}

TEST(MessageDialog, EscapeAnswersWithTheSecondButtonOrTheOnlyOne) {
    auto pressEscape = [](HWND dialog) {
        HWND focus = GetDlgItem(dialog, IDC_MESSAGE_YES);
        PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0);
    };
    int result = 0;
    driveModal([&] { result = showMessage("x", nullptr, 0x24); }, pressEscape);
    EXPECT_EQ(result, 7);
    driveModal([&] { result = showMessage("x", nullptr, 0x31); }, pressEscape);
    EXPECT_EQ(result, 2);
    driveModal([&] { result = showMessage("x", nullptr, 0x40); }, pressEscape);
    EXPECT_EQ(result, 1);
}

TEST(MessageDialog, LongDoubleByteLineWrapsWithoutSplittingCharacters) {
    std::string line;
    for (int i = 0; i < 200; ++i)
        line += "表";
    Seen seen;
    showAndPress(line, 0x40, IDC_MESSAGE_YES, seen);
    // Every line holds whole characters: removing the breaks gives the text back.
    std::wstring joined;
    int lines = 1;
    for (std::size_t i = 0; i < seen.text.size(); ++i) {
        if (seen.text[i] == L'\r' && i + 1 < seen.text.size() && seen.text[i + 1] == L'\n') {
            ++lines;
            ++i;
        } else {
            joined += seen.text[i];
        }
    }
    EXPECT_EQ(joined, widen(line));
    EXPECT_GE(lines, 3);
    EXPECT_LE(seen.textRect.right, 624);
    EXPECT_GE(seen.textRect.left, 32 + 12); // right of the icon
    // The buttons sit under the whole text block.
    EXPECT_GE(seen.firstRect.top, seen.textRect.bottom);
}

TEST(MessageDialog, FileErrorTextKeepsItsEmptyLine) {
    Seen seen;
    showAndPress("C:\\a.MED\n\nの読込みに失敗しました。", 0x30, IDC_MESSAGE_YES, seen);
    EXPECT_EQ(seen.text, L"C:\\a.MED\r\n\r\nの読込みに失敗しました。");
    // Three lines of text, the empty one keeping a line's height.
    int height = seen.textRect.bottom - seen.textRect.top;
    Seen single;
    showAndPress("C:\\a.MED", 0x30, IDC_MESSAGE_YES, single);
    EXPECT_EQ(height, 3 * (single.textRect.bottom - single.textRect.top));
}

TEST(MessageDialog, PrompterAnswersThroughTheRealDialog) {
    MessageBoxPrompter prompter;
    int result = 0;
    driveModal([&] { result = prompter.showMessage("はい？", 0x04); },
               [](HWND d) { click(d, IDC_MESSAGE_YES); });
    EXPECT_EQ(result, 6);
}

} // namespace
} // namespace tav::win
