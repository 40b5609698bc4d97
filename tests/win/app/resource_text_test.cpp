// The texts of the resource script must come out as the intended characters whatever the system code page.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"
#include "win/app/dialog.h"
#include "win/platform/text.h"

namespace tav::win {
namespace {

std::wstring loadString(UINT id) {
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring{};
}

INT_PTR CALLBACK plainProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

std::wstring dialogCaption(int id) {
    HWND dialog =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, plainProcedure, 0);
    std::wstring caption = test::windowText(dialog);
    DestroyWindow(dialog);
    return caption;
}

TEST(ResourceText, StringTableEntriesAreTheIntendedCharacters) {
    EXPECT_EQ(loadString(IDS_TIP_UNDO), L"元に戻す");
    // 表 and ソ have the trail byte 0x5C in CP932.
    EXPECT_EQ(loadString(IDS_TIP_VIEW_MODE), L"通常(35x35Pixel)/広範囲表示(23x23Pixe)\nモード切替");
    EXPECT_EQ(loadString(IDS_ABOUT_MENU), L"ﾊﾞｰｼﾞｮﾝ情報(&A)...");
    // The same text compiled into the program as CP932 converts to the same characters.
    EXPECT_EQ(widen("通常(35x35Pixel)/広範囲表示(23x23Pixe)\nモード切替"), loadString(IDS_TIP_VIEW_MODE));
}

// The text of one control of a dialog template.
std::wstring itemText(int dialogId, int itemId) {
    HWND dialog =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialogId), nullptr, plainProcedure, 0);
    std::wstring text = test::windowText(GetDlgItem(dialog, itemId));
    DestroyWindow(dialog);
    return text;
}

TEST(ResourceText, DialogCaptionsAreTheIntendedCharacters) {
    EXPECT_EQ(dialogCaption(IDD_ABOUT), L"ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(dialogCaption(IDD_MAIN), L"ZodIrerar");
    // The secondary dialogs carry their title in a static of their own.
    EXPECT_EQ(itemText(IDD_MAP_SIZE, IDC_TITLE), L" 編集エリアサイズ設定");
    EXPECT_EQ(itemText(IDD_RULER, IDC_TITLE), L" 目盛り表示方法設定");
    EXPECT_EQ(itemText(IDD_ENVIRONMENT, IDC_TITLE), L" 環境設定");
}

std::wstring dialogItemText(int dialogId, int controlId) {
    HWND dialog =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialogId), nullptr, plainProcedure, 0);
    std::wstring text = test::windowText(GetDlgItem(dialog, controlId));
    DestroyWindow(dialog);
    return text;
}

TEST(ResourceText, BackgroundCandidatesTextsAreTheIntendedCharacters) {
    EXPECT_EQ(loadString(IDS_TIP_CLOSE), L"閉じる");
    EXPECT_EQ(loadString(IDS_TIP_SWATCH), L"クリックすると色を変更できます");
    EXPECT_EQ(dialogItemText(IDD_BACKGROUND_CANDIDATES, IDC_TITLE), L" 部屋背景色候補編集");
    EXPECT_EQ(dialogItemText(IDD_BACKGROUND_CANDIDATES, IDC_CANDIDATE_LABEL_1 + 7), L"８：");
    EXPECT_EQ(dialogItemText(IDD_BACKGROUND_CANDIDATES, IDC_CANDIDATE_PATTERN_LABEL), L"塗り潰しパターン：");
    EXPECT_EQ(dialogItemText(IDD_BACKGROUND_CANDIDATES, IDCANCEL), L"ｷｬﾝｾﾙ");
}

// The room mark editor's texts, and its eight tool pictures: 20x20 with sixteen colours.
TEST(ResourceText, RoomMarkEditorTextsAndToolPicturesAreThere) {
    EXPECT_EQ(dialogItemText(IDD_ROOM_MARK_EDITOR, IDC_TITLE), L" 部屋マーク作成");
    EXPECT_EQ(dialogItemText(IDD_ROOM_MARK_EDITOR, IDC_ROOMMARK_PATTERN_GROUP), L"色パターン");
    EXPECT_EQ(dialogItemText(IDD_ROOM_MARK_EDITOR, IDC_ROOMMARK_LOAD_IMAGE), L"画像読込");
    EXPECT_EQ(loadString(IDS_TIP_TOOL_FILL), L"塗り潰し");
    EXPECT_EQ(loadString(IDS_TIP_TRANSPARENT_COLOUR),
              L"透過色に設定している色\n（設定しない場合はチェックを外してください）");
    EXPECT_EQ(loadString(IDS_TIP_STRETCH_TO_WIDE), L" >>>>>>>>>> \n伸縮してコピー");
    EXPECT_EQ(loadString(IDS_TIP_WIDE_PREVIEW), L"プレビューイメージ\n広範囲表示モード時(15x15)");
    for (int id = IDB_TOOL_PENCIL; id <= IDB_TOOL_SELECT; ++id) {
        HRSRC found = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), RT_BITMAP);
        ASSERT_TRUE(found) << id;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(
            LockResource(LoadResource(GetModuleHandleW(nullptr), found)));
        ASSERT_TRUE(header) << id;
        EXPECT_EQ(header->biWidth, 20);
        EXPECT_EQ(header->biHeight, 20);
        EXPECT_EQ(header->biBitCount, 4);
    }
}

TEST(ResourceText, MenuTextsAreTheIntendedCharacters) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINMENU));
    ASSERT_NE(menu, nullptr);
    wchar_t text[64] = {};
    GetMenuStringW(menu, ID_EDIT_COPY, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"ｺﾋﾟｰ(&C)\tCtrl+C");
    GetMenuStringW(menu, ID_EDIT_CLEAR_ALL, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"全クリア(A)");
    DestroyMenu(menu);
}

TEST(ResourceText, ConversionRoundTripsDoubleAndHalfWidthText) {
    const std::string text = "表示ソ能「×」ｷｬﾝｾﾙ～\\";
    EXPECT_EQ(narrow(widen(text)), text);
    EXPECT_EQ(widen(text), L"表示ソ能「×」ｷｬﾝｾﾙ～\\");
    EXPECT_EQ(narrow(L"\u00e9"), "?"); // not in CP932
}

} // namespace
} // namespace tav::win
