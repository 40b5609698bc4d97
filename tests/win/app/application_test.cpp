#include "win/app/application.h"

#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/temp_folder.h"
#include "win/platform/text.h"

namespace tav::win {
namespace {

using test::driveModal;
using test::windowText;

std::wstring shownText(HWND dialog) {
    return windowText(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
}

TEST(Application, PaletteDisplayIsRefusedWithTheMessage) {
    MapDocument document;
    DrawingResourceCache cache;
    Application app(document, cache);
    std::wstring text;
    HICON icon = nullptr;
    bool allowed = true;
    driveModal([&] { allowed = app.checkDisplayDepth(8); },
               [&](HWND dialog) {
                   text = shownText(dialog);
                   icon = reinterpret_cast<HICON>(
                       SendDlgItemMessageW(dialog, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
                   test::click(dialog, IDC_MESSAGE_YES);
               });
    EXPECT_FALSE(allowed);
    EXPECT_EQ(
        text,
        widen(
            "画面モードを [ High Color (16Bit) ] 以上にして実行してください\r\nすみません。手抜きました。"));
    EXPECT_EQ(icon, LoadIconW(nullptr, IDI_ASTERISK));
    EXPECT_TRUE(app.checkDisplayDepth(16));
}

TEST(Application, ConfigureSetsFoldersPalettePathsAndUndoDepth) {
    test::TempFolder folder(u"configure");
    test::writeBytes(folder.path() + u"Tavrosin.ini", "[PROPERTY]\r\nURDOMAX=3\r\n[CONFIG]\r\nGDIMAX=0\r\n");
    MapDocument document;
    DrawingResourceCache cache;
    {
        Application app(document, cache);
        ASSERT_TRUE(app.configure(folder.path() + u"Tavrosin.exe"));
        EXPECT_EQ(app.getModuleFolder(), folder.path());
        EXPECT_EQ(app.getLastFolder(), folder.path() + u"DATA\\");
        EXPECT_EQ(document.startPalettePath(), folder.path() + u"Start.mps");
        EXPECT_EQ(document.basePalettePath(), folder.path() + u"Base.mpb");
        EXPECT_EQ(document.undoDepth(), 3);
        EXPECT_EQ(cache.limit(), 1); // zero behaves as one
        app.setLastFolder(folder.path());
    }
    // The last folder set during the run is what the file keeps.
    EXPECT_NE(
        test::readBytes(folder.path() + u"Tavrosin.ini").find("PREPATH=" + folder.path().text() + "\r\n"),
        std::string::npos);
}

TEST(Application, EmptyModuleFolderStopsAndWritesNothing) {
    MapDocument document;
    DrawingResourceCache cache;
    Application app(document, cache);
    EXPECT_FALSE(app.configure(u"Tavrosin.exe"));
    EXPECT_FALSE(app.configure(FilePath()));
}

TEST(Application, MissingHelpFileIsReportedWithItsPath) {
    test::TempFolder folder(u"help");
    MapDocument document;
    DrawingResourceCache cache;
    Application app(document, cache);
    ASSERT_TRUE(app.configure(folder.path() + u"Tavrosin.exe"));
    std::wstring text;
    HICON icon = nullptr;
    driveModal([&] { app.showHelp(); },
               [&](HWND dialog) {
                   text = shownText(dialog);
                   icon = reinterpret_cast<HICON>(
                       SendDlgItemMessageW(dialog, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
                   test::click(dialog, IDC_MESSAGE_YES);
               });
    EXPECT_EQ(
        text,
        widen("ヘルプファイルが見つかりません。\r\n下記のファイルが存在しているか確認してください。\r\n\r\n" +
              (folder.path() + u"Tavrosin.chm").text()));
    EXPECT_EQ(icon, LoadIconW(nullptr, IDI_EXCLAMATION));
}

} // namespace
} // namespace tav::win
