#pragma once
// The print dialog (357) and its options dialog (359): the printer, view mode, fitting, margins, header
// and footer with their font, and the job they start.
#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "model/comments/comment_format_rules.h"
#include "model/platform/settings.h"
#include "win/app/dialog_frame.h"
#include "win/app/message_box.h"
#include "win/output/print_job.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class DrawingResourceCache;

// The printer's DEVMODE, DEVNAMES and device context as the platform's print dialog hands them over.
class PrinterSetup {
public:
    PrinterSetup() = default;
    ~PrinterSetup();
    PrinterSetup(PrinterSetup&& other) noexcept;
    PrinterSetup& operator=(PrinterSetup&& other) noexcept;
    PrinterSetup(const PrinterSetup&) = delete;
    PrinterSetup& operator=(const PrinterSetup&) = delete;

    // The default printer without showing anything; false when there is none.
    bool askDefault();
    // The platform's print-setup dialog; false when cancelled, keeping nothing.
    bool choose(HWND owner);
    // Takes over the handles; either may be null.
    void adopt(HGLOBAL devMode, HGLOBAL devNames, HDC dc);

    HDC dc() const { return dc_; }
    std::string deviceName() const;
    int paperCode() const;
    bool portrait() const;

private:
    bool run(PRINTDLGW& dialog);
    void release();

    HGLOBAL devMode_ = nullptr;
    HGLOBAL devNames_ = nullptr;
    HDC dc_ = nullptr;
};

class PrintOptionsDialog : public DialogFrame {
public:
    PrintOptionsDialog(bool horizontal, bool vertical);
    bool horizontal() const { return horizontal_; }
    bool vertical() const { return vertical_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    bool horizontal_, vertical_;
};

class PrintDialog : public DialogFrame {
public:
    // Fills a setup with the printer to start with; false when there is none.
    using PrinterSource = std::function<bool(PrinterSetup&)>;

    // Without a prompter the dialog's own message box speaks; without a source it asks the platform for
    // the default printer.
    PrintDialog(const MapDocument& document, DrawingResourceCache& cache, Settings& settings,
                Prompter* prompter = nullptr, PrinterSource defaultPrinter = {});

    // What the controls and the chosen font give now.
    PrintSettings printSettings() const;
    void setCentring(bool horizontal, bool vertical);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    void showPrinter();
    void fillFaces();
    void showFont();
    void chooseFont();
    void setUpPrinter();
    void options();
    void marginChanged(int id);
    void faceLeft();
    void print(HWND owner);
    void preview();
    void storeTexts();

    const MapDocument& document_;
    DrawingResourceCache& cache_;
    Settings& settings_;
    MessageBoxPrompter ownPrompter_;
    Prompter& prompter_;
    PrinterSource defaultPrinter_;
    PrinterSetup printer_;
    LOGFONTW font_ = defaultHeaderFont();
    COLORREF colour_ = 0;
    int pointSize_ = 10;
    bool centreHorizontally_ = false, centreVertically_ = false;
    bool correcting_ = false;
    std::vector<comment_format::FontFace> faces_;
};

// What the main window's print button and menu item run.
void runPrintDialog(HWND owner, const MapDocument& document, DrawingResourceCache& cache, Settings& settings);

} // namespace tav::win
