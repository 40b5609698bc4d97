// Prints through the real spooler. Disabled in ordinary runs: print_to_pdf.sh runs them with the PDF
// queue as the default printer, in this order, and then checks and compares the PDFs that come out.
#include <windows.h>

#include <gtest/gtest.h>

#include "model/app/configuration.h"
#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/platform/ini_file_settings.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/memory_settings.h"
#include "support/program_run.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/output/print_dialog.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

// 25 x 10 cells: 923 x 389 picture pixels, two A4 pages across at 300 dpi.
void sampleMap(MapDocument& document) {
    ASSERT_TRUE(document.resize(25, 10, true));
    document.setEditMask(0x0F, 0x0F);
    bool first = true;
    for (int c = 0; c < 25; c += 4)
        ASSERT_TRUE(document.setCell(c, c % 10, layer::background, 3, first));
    RulerSettings ruler;
    ruler.basePosition = 1;
    ruler.rowStep = 1;
    document.setRuler(ruler);
}

config::PageTexts sampleTexts() {
    config::PageTexts texts;
    texts.header[0] = "\u5730\u4e0b\u4e00\u968e";
    texts.header[2] = "_%p/a";
    return texts;
}

TEST(PrintToSpooler, DISABLED_FromTheDialog) {
    MapDocument document;
    sampleMap(document);
    DrawingResourceCache cache;
    test::MemorySettings settings;
    config::writePageTexts(settings, sampleTexts());
    test::RecordingPrompter prompter;
    PrintDialog dialog(document, cache, settings, &prompter);
    const bool driven = test::driveModal([&] { dialog.runModal(nullptr); },
                                         [&](HWND w) {
                                             test::click(w, IDOK);
                                             test::click(w, IDCANCEL);
                                         });
    for (const auto& shown : prompter.shown)
        ADD_FAILURE() << "message: " << shown.text;
    EXPECT_TRUE(driven) << "the dialog did not open";
}

TEST(PrintToSpooler, DISABLED_FromThePreview) {
    MapDocument document;
    sampleMap(document);
    DrawingResourceCache cache;
    test::MemorySettings settings;
    config::writePageTexts(settings, sampleTexts());
    test::RecordingPrompter prompter;
    PrintDialog dialog(document, cache, settings, &prompter);
    // The preview on the real printer's sheet, for a person to look at, then its print button.
    const auto printFromPreview = [](HWND preview) {
        test::saveScreenPicture(preview, test::pictureFolder("print-pdf") + "a4-preview.png");
        test::click(preview, IDOK);
        test::click(preview, IDCANCEL);
    };
    bool previewed = false;
    const bool driven = test::driveModal(
        [&] { dialog.runModal(nullptr); },
        [&](HWND w) {
            previewed = test::driveModal([&] { test::click(w, IDC_PRINT_PREVIEW); }, printFromPreview);
            test::click(w, IDCANCEL);
        });
    for (const auto& shown : prompter.shown)
        ADD_FAILURE() << "message: " << shown.text;
    EXPECT_TRUE(driven) << "the dialog did not open";
    EXPECT_TRUE(previewed) << "the preview did not open";
}

TEST(PrintToSpooler, DISABLED_FromTheCommandLine) {
    test::TempFolder folder;
    Win32FileSystem files;
    test::RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage maps(files, prompter, palettes);
    MapDocument document;
    sampleMap(document);
    const FilePath map = folder.path() + u"sample.med";
    ASSERT_TRUE(maps.save(document, map));
    IniFileSettings profile(files, folder.path() + config::profileName);
    config::writePageTexts(profile, sampleTexts());

    test::ProgramRun run(folder.path(), L"/p \"" + widen(map) + L"\"");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.waitForExit(60000));
    EXPECT_EQ(run.exitCode(), 0u);
}

// Run with the spooler out of reach: the dialog warns and closes, /p says why and fails.
TEST(PrintToSpooler, DISABLED_WithoutAPrinter) {
    MapDocument document;
    sampleMap(document);
    DrawingResourceCache cache;
    test::MemorySettings settings;
    test::RecordingPrompter prompter;
    PrintDialog dialog(document, cache, settings, &prompter);
    INT_PTR result = 0;
    const bool opened = test::driveModal([&] { result = dialog.runModal(nullptr); },
                                         [&](HWND w) { test::click(w, IDCANCEL); });
    EXPECT_FALSE(opened) << "the dialog opened on a printer";
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconWarning);

    test::TempFolder folder;
    Win32FileSystem files;
    PaletteStorage palettes(files, prompter);
    MapFileStorage maps(files, prompter, palettes);
    const FilePath map = folder.path() + u"sample.med";
    ASSERT_TRUE(maps.save(document, map));
    test::ProgramRun run(folder.path(), L"/p \"" + widen(map) + L"\"");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.waitForExit(60000));
    EXPECT_EQ(run.exitCode(), 1u);
}

} // namespace
} // namespace tav::win
