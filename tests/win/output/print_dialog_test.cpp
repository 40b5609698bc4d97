// The print dialog and its options dialog driven as a user would, with a memory context standing in for
// the printer; the spooler itself is reached by the end-to-end print.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/document/map_document.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/memory_settings.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "win/output/print_dialog.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

std::wstring text(HWND dialog, int id) {
    return test::windowText(GetDlgItem(dialog, id));
}

// A landscape A4 printer called "Proof" whose pages are a memory context.
bool proofPrinter(PrinterSetup& printer) {
    HGLOBAL mode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    auto* m = static_cast<DEVMODEW*>(GlobalLock(mode));
    m->dmSize = sizeof(DEVMODEW);
    m->dmPaperSize = DMPAPER_A4;
    m->dmOrientation = DMORIENT_LANDSCAPE;
    GlobalUnlock(mode);
    const wchar_t device[] = L"Proof";
    HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + sizeof device);
    auto* n = static_cast<DEVNAMES*>(GlobalLock(names));
    n->wDriverOffset = n->wOutputOffset = n->wDeviceOffset = sizeof(DEVNAMES) / sizeof(wchar_t);
    std::memcpy(reinterpret_cast<wchar_t*>(n) + n->wDeviceOffset, device, sizeof device);
    GlobalUnlock(names);
    printer.adopt(mode, names, CreateCompatibleDC(nullptr));
    return true;
}

// Types into an edit as the keyboard would.
void type(HWND dialog, int id, const wchar_t* keys) {
    HWND edit = GetDlgItem(dialog, id);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* key = keys; *key; ++key)
        SendMessageW(edit, WM_CHAR, *key, 1);
}

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(document.resize(6, 4, true)); }
    // Runs the dialog on the proof printer, hands it to drive, and closes it with closeId.
    INT_PTR run(const std::function<void(PrintDialog&, HWND)>& drive, int closeId = IDCANCEL) {
        PrintDialog dialog(document, cache, settings, &prompter, proofPrinter);
        INT_PTR result = -1;
        EXPECT_TRUE(test::driveModal([&] { result = dialog.runModal(nullptr); },
                                     [&](HWND window) {
                                         drive(dialog, window);
                                         test::click(window, closeId);
                                     }));
        return result;
    }
    std::string stored(const char* key) { return settings.values[{"PRINT", key}]; }

    MapDocument document;
    DrawingResourceCache cache;
    test::MemorySettings settings;
    test::RecordingPrompter prompter;
};

TEST_F(PrintDialogTest, WithoutAPrinterItWarnsAndCloses) {
    PrintDialog dialog(document, cache, settings, &prompter, [](PrinterSetup&) { return false; });
    EXPECT_EQ(dialog.runModal(nullptr), IDCANCEL);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "\u901a\u5e38\u4f7f\u3046\u30d7\u30ea\u30f3\u30bf\u304c\u8a2d\u5b9a\u3055\u308c\u3066\u3044"
              "\u307e\u305b\u3093\u3002\n\u30d7\u30ea\u30f3\u30bf\u3092\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb"
              "\u3057\u3066\u304f\u3060\u3055\u3044\u3002");
    EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconWarning);
    EXPECT_TRUE(settings.values.empty()) << "nothing stored";
}

TEST_F(PrintDialogTest, ShowsThePrinterTheDefaultsAndTheStoredFields) {
    settings.values[{"PRINT", "HEADER02"}] = "_%f";
    settings.values[{"PRINT", "FOOTER03"}] = "_%p/a";
    std::wstring title, device, paper, orientation, style, size, header, footer, margin;
    bool normal = false;
    RECT frame{};
    run([&](PrintDialog&, HWND w) {
        GetWindowRect(w, &frame);
        test::saveScreenPicture(w, test::pictureFolder("print") + "dialog.png");
        title = text(w, IDC_TITLE);
        device = text(w, IDC_PRINT_DEVICE);
        paper = text(w, IDC_PRINT_PAPER);
        orientation = text(w, IDC_PRINT_ORIENTATION);
        style = text(w, IDC_PRINT_FONT_STYLE);
        size = text(w, IDC_PRINT_FONT_SIZE);
        header = text(w, IDC_PRINT_HEADER_CENTRE);
        footer = text(w, IDC_PRINT_FOOTER_RIGHT);
        margin = text(w, IDC_PRINT_MARGIN_BOTTOM);
        normal = IsDlgButtonChecked(w, IDC_PRINT_NORMAL) == BST_CHECKED;
    });
    EXPECT_EQ(title, widen(" \u5370\u5237"));
    EXPECT_EQ(device, L"Proof");
    EXPECT_EQ(paper, widen("A4 \uff7c\uff70\uff84\u3001210 \u00d7 297 mm"));
    EXPECT_EQ(orientation, widen("\u6a2a"));
    EXPECT_EQ(style, widen("\u6a19\u6e96"));
    EXPECT_EQ(size, L"10");
    EXPECT_EQ(header, L"_%f");
    EXPECT_EQ(footer, L"_%p/a");
    EXPECT_EQ(margin, L"0");
    EXPECT_TRUE(normal);
    EXPECT_EQ(frame.right - frame.left, 464);
    EXPECT_EQ(frame.bottom - frame.top, 398);
}

TEST_F(PrintDialogTest, MarginsKeepToTheirRangeAndTheFieldsAreStoredOnClosing) {
    std::wstring low, high, empty;
    PrintSettings chosen;
    run(
        [&](PrintDialog& dialog, HWND w) {
            type(w, IDC_PRINT_MARGIN_LEFT, L"-5");
            type(w, IDC_PRINT_MARGIN_RIGHT, L"300");
            type(w, IDC_PRINT_MARGIN_TOP, L"12");
            SetDlgItemTextW(w, IDC_PRINT_MARGIN_BOTTOM, L"");
            low = text(w, IDC_PRINT_MARGIN_LEFT);
            high = text(w, IDC_PRINT_MARGIN_RIGHT);
            empty = text(w, IDC_PRINT_MARGIN_BOTTOM);
            test::click(w, IDC_PRINT_WIDE);
            test::click(w, IDC_PRINT_FIT);
            SetDlgItemTextW(w, IDC_PRINT_HEADER_LEFT, widen("\u5730\u4e0b\u4e00\u968e").c_str());
            SetDlgItemTextW(w, IDC_PRINT_FOOTER_CENTRE, L"_%p");
            chosen = dialog.printSettings();
        },
        IDC_CLOSE);
    EXPECT_EQ(low, L"0");
    EXPECT_EQ(high, L"255");
    EXPECT_EQ(empty, L"0");
    EXPECT_EQ(chosen.marginLeft, 0);
    EXPECT_EQ(chosen.marginRight, 255);
    EXPECT_EQ(chosen.marginTop, 12);
    EXPECT_TRUE(chosen.wide);
    EXPECT_TRUE(chosen.fitToPage);
    EXPECT_EQ(stored("HEADER01"), "\u5730\u4e0b\u4e00\u968e");
    EXPECT_EQ(stored("FOOTER02"), "_%p");
    EXPECT_EQ(stored("HEADER03"), "");
    EXPECT_EQ(settings.values.count({"PRINT", "FOOTER03"}), 1u);
}

TEST_F(PrintDialogTest, OptionsSetCentringOnlyWhenConfirmed) {
    PrintSettings afterOk, afterCancel;
    const auto options = [](HWND w, bool check, int closeId) {
        EXPECT_TRUE(test::driveModal([&] { test::click(w, IDC_PRINT_OPTIONS); },
                                     [&](HWND o) {
                                         EXPECT_EQ(test::windowText(GetDlgItem(o, IDC_TITLE)),
                                                   widen(" \u30aa\u30d7\u30b7\u30e7\u30f3\u8a2d\u5b9a"));
                                         if (check)
                                             test::click(o, IDC_OPTIONS_VERTICAL);
                                         test::click(o, closeId);
                                     }));
    };
    run([&](PrintDialog& dialog, HWND w) {
        options(w, true, IDOK);
        afterOk = dialog.printSettings();
        options(w, true, IDCANCEL); // would uncheck it
        afterCancel = dialog.printSettings();
    });
    EXPECT_FALSE(afterOk.centreHorizontally);
    EXPECT_TRUE(afterOk.centreVertically);
    EXPECT_TRUE(afterCancel.centreVertically);
}

TEST_F(PrintDialogTest, TheFontDialogChoosesTheFontAndTheCombosOnlyShowIt) {
    std::wstring firstFace, faceAfterTyping, size, style;
    bool fontDialogShown = false;
    PrintSettings chosen;
    run([&](PrintDialog& dialog, HWND w) {
        wchar_t first[LF_FACESIZE] = {};
        SendDlgItemMessageW(w, IDC_PRINT_FONT_NAME, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        firstFace = first;
        HWND face = GetDlgItem(w, IDC_PRINT_FONT_NAME);
        SetFocus(face);
        SetWindowTextW(face, L"No such face");
        SetFocus(GetDlgItem(w, IDC_PRINT_HEADER_LEFT));
        faceAfterTyping = text(w, IDC_PRINT_FONT_NAME);

        fontDialogShown =
            test::driveModal([&] { test::click(w, IDC_PRINT_FONT); },
                             [&](HWND fonts) {
                                 constexpr int sizeBox = 0x472;
                                 const LRESULT item = SendDlgItemMessageW(fonts, sizeBox, CB_FINDSTRINGEXACT,
                                                                          static_cast<WPARAM>(-1),
                                                                          reinterpret_cast<LPARAM>(L"14"));
                                 SendDlgItemMessageW(fonts, sizeBox, CB_SETCURSEL, item, 0);
                                 SendMessageW(fonts, WM_COMMAND, MAKEWPARAM(sizeBox, CBN_SELCHANGE),
                                              reinterpret_cast<LPARAM>(GetDlgItem(fonts, sizeBox)));
                                 test::click(fonts, IDOK);
                             });
        size = text(w, IDC_PRINT_FONT_SIZE);
        style = text(w, IDC_PRINT_FONT_STYLE);
        chosen = dialog.printSettings();
    });
    EXPECT_FALSE(firstFace.empty());
    EXPECT_EQ(faceAfterTyping, firstFace);
    ASSERT_TRUE(fontDialogShown);
    EXPECT_EQ(size, L"14");
    EXPECT_EQ(style, widen("\u6a19\u6e96"));
    EXPECT_LT(chosen.font.lfHeight, -13) << "larger than the 10 points it started with";
}

TEST_F(PrintDialogTest, PreviewShowsTheDialogsSettingsAndPrintsFromThere) {
    std::wstring pages;
    bool opened = false;
    run([&](PrintDialog&, HWND w) {
        // The proof printer's page is the screen's size: 255 mm at the top leaves 60 rows for 185.
        type(w, IDC_PRINT_MARGIN_TOP, L"255");
        opened = test::driveModal([&] { test::click(w, IDC_PRINT_PREVIEW); },
                                  [&](HWND preview) {
                                      pages = text(preview, IDC_PREVIEW_PAGE);
                                      test::click(preview, IDOK);
                                      test::click(preview, IDCANCEL);
                                  });
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(pages, L"1 / 4");
    // A memory context takes no document: the job got as far as the printer and reported that.
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "\u5370\u5237\u306b\u5931\u6557\u3057\u307e\u3057\u305f\u3002");
    EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconError);
}

} // namespace
} // namespace tav::win
