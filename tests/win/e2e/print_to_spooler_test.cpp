// One print through the real spooler. Disabled in ordinary runs: print_to_pdf.sh runs it with the PDF
// queue as the default printer and then checks the PDF that comes out.
#include <windows.h>

#include <gtest/gtest.h>

#include "model/document/map_document.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/memory_settings.h"
#include "support/recording_prompter.h"
#include "win/output/print_dialog.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

TEST(PrintToSpooler, DISABLED_TwoPagesWithJapaneseHeaderAndPageCount) {
    MapDocument document;
    ASSERT_TRUE(document.resize(25, 10, true)); // 923 x 389 picture pixels: two A4 pages across at 300 dpi
    document.setEditMask(0x0F, 0x0F);
    bool first = true;
    for (int c = 0; c < 25; c += 4)
        ASSERT_TRUE(document.setCell(c, c % 10, layer::background, 3, first));
    RulerSettings ruler;
    ruler.basePosition = 1;
    ruler.rowStep = 1;
    document.setRuler(ruler);
    DrawingResourceCache cache;
    test::MemorySettings settings;
    settings.values[{"PRINT", "HEADER01"}] = "\u5730\u4e0b\u4e00\u968e";
    settings.values[{"PRINT", "HEADER03"}] = "_%p/a";
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

} // namespace
} // namespace tav::win
