#include "win/output/print_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/app/configuration.h"
#include "model/app/settings_entries.h"
#include "model/document/map_document.h"
#include "model/output/print_plan.h"
#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/comments/font_list.h"
#include "win/output/print_preview_dialog.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 464;
constexpr int windowHeight = 398;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 0, 0, 464, 20},
    {IDC_CLOSE, 442, 3, 18, 14},
    {IDC_PRINT_PRINTER_GROUP, 8, 26, 448, 74},
    {IDC_PRINT_DEVICE_LABEL, 18, 46, 44, 16},
    {IDC_PRINT_DEVICE, 66, 46, 290, 16},
    {IDC_PRINT_PAPER_LABEL, 18, 72, 44, 16},
    {IDC_PRINT_PAPER, 66, 72, 220, 16},
    {IDC_PRINT_ORIENTATION_LABEL, 290, 72, 34, 16},
    {IDC_PRINT_ORIENTATION, 326, 72, 30, 16},
    {IDC_PRINT_SETUP, 366, 42, 80, 24},
    {IDC_PRINT_VIEW_GROUP, 8, 106, 220, 70},
    {IDC_PRINT_NORMAL, 18, 124, 200, 18},
    {IDC_PRINT_WIDE, 18, 148, 200, 18},
    {IDC_PRINT_LAYOUT_GROUP, 236, 106, 220, 70},
    {IDC_PRINT_FIT, 246, 124, 204, 18},
    {IDC_PRINT_MARGIN_GROUP, 8, 182, 448, 52},
    {IDC_PRINT_LEFT_LABEL, 18, 205, 22, 16},
    {IDC_PRINT_MARGIN_LEFT, 42, 201, 40, 22},
    {IDC_PRINT_SPIN_LEFT, 82, 201, 16, 22},
    {IDC_PRINT_RIGHT_LABEL, 128, 205, 22, 16},
    {IDC_PRINT_MARGIN_RIGHT, 152, 201, 40, 22},
    {IDC_PRINT_SPIN_RIGHT, 192, 201, 16, 22},
    {IDC_PRINT_TOP_LABEL, 238, 205, 22, 16},
    {IDC_PRINT_MARGIN_TOP, 262, 201, 40, 22},
    {IDC_PRINT_SPIN_TOP, 302, 201, 16, 22},
    {IDC_PRINT_BOTTOM_LABEL, 348, 205, 22, 16},
    {IDC_PRINT_MARGIN_BOTTOM, 372, 201, 40, 22},
    {IDC_PRINT_SPIN_BOTTOM, 412, 201, 16, 22},
    {IDC_PRINT_TEXT_GROUP, 8, 240, 448, 104},
    {IDC_PRINT_HEADER_LABEL, 18, 262, 48, 16},
    {IDC_PRINT_HEADER_LEFT, 70, 258, 122, 22},
    {IDC_PRINT_HEADER_CENTRE, 198, 258, 122, 22},
    {IDC_PRINT_HEADER_RIGHT, 326, 258, 122, 22},
    {IDC_PRINT_FOOTER_LABEL, 18, 288, 48, 16},
    {IDC_PRINT_FOOTER_LEFT, 70, 284, 122, 22},
    {IDC_PRINT_FOOTER_CENTRE, 198, 284, 122, 22},
    {IDC_PRINT_FOOTER_RIGHT, 326, 284, 122, 22},
    {IDC_PRINT_FONT_LABEL, 18, 316, 48, 16},
    {IDC_PRINT_FONT_NAME, 70, 312, 150, 200},
    {IDC_PRINT_FONT_STYLE, 224, 312, 90, 200},
    {IDC_PRINT_FONT_SIZE, 318, 312, 50, 200},
    {IDC_PRINT_FONT, 372, 311, 76, 24},
    {IDOK, 24, 356, 90, 26},
    {IDC_PRINT_PREVIEW, 130, 356, 90, 26},
    {IDC_PRINT_OPTIONS, 236, 356, 90, 26},
    {IDCANCEL, 350, 356, 90, 26},
};
constexpr ControlPlace optionPlaces[] = {
    {IDC_TITLE, 0, 0, 210, 20},
    {IDC_CLOSE, 188, 3, 18, 14},
    {IDC_OPTIONS_CENTRE_GROUP, 8, 26, 194, 54},
    {IDC_OPTIONS_HORIZONTAL, 22, 48, 76, 18},
    {IDC_OPTIONS_VERTICAL, 112, 48, 76, 18},
    {IDOK, 16, 90, 80, 24},
    {IDCANCEL, 114, 90, 80, 24},
};

constexpr int marginEdits[] = {IDC_PRINT_MARGIN_LEFT, IDC_PRINT_MARGIN_RIGHT, IDC_PRINT_MARGIN_TOP,
                               IDC_PRINT_MARGIN_BOTTOM};
constexpr int marginSpins[] = {IDC_PRINT_SPIN_LEFT, IDC_PRINT_SPIN_RIGHT, IDC_PRINT_SPIN_TOP,
                               IDC_PRINT_SPIN_BOTTOM};
constexpr int headerEdits[] = {IDC_PRINT_HEADER_LEFT, IDC_PRINT_HEADER_CENTRE, IDC_PRINT_HEADER_RIGHT};
constexpr int footerEdits[] = {IDC_PRINT_FOOTER_LEFT, IDC_PRINT_FOOTER_CENTRE, IDC_PRINT_FOOTER_RIGHT};
const char* const styleTexts[] = {"標準", "斜体", "太字", "太字 斜体"};
constexpr int sizeChoices[] = {6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                               18, 20, 22, 24, 26, 28, 30, 32, 48, 64, 80};
constexpr DWORD printDialogFlags = PD_PRINTSETUP | PD_RETURNDC | PD_HIDEPRINTTOFILE;

const char* const noPrinterText =
    "通常使うプリンタが設定されていません。\nプリンタをインストールしてください。";
const char* const printFailedText = "印刷に失敗しました。";

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int marginIn(HWND dialog, int id) {
    return entries::readMarginEntry(itemText(dialog, id)).depth;
}

void addItem(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

// Selects the entry whose text is text exactly; false when there is none.
bool selectExact(HWND dialog, int id, const std::string& text) {
    const LRESULT found = SendDlgItemMessageW(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(widen(text).c_str()));
    if (found == CB_ERR)
        return false;
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    return true;
}

} // namespace

PrinterSetup::~PrinterSetup() {
    release();
}

PrinterSetup::PrinterSetup(PrinterSetup&& other) noexcept
    : devMode_(std::exchange(other.devMode_, nullptr)), devNames_(std::exchange(other.devNames_, nullptr)),
      dc_(std::exchange(other.dc_, nullptr)) {}

PrinterSetup& PrinterSetup::operator=(PrinterSetup&& other) noexcept {
    if (this != &other) {
        release();
        devMode_ = std::exchange(other.devMode_, nullptr);
        devNames_ = std::exchange(other.devNames_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

void PrinterSetup::release() {
    if (dc_)
        DeleteDC(dc_);
    if (devMode_)
        GlobalFree(devMode_);
    if (devNames_)
        GlobalFree(devNames_);
    dc_ = nullptr;
    devMode_ = devNames_ = nullptr;
}

void PrinterSetup::adopt(HGLOBAL devMode, HGLOBAL devNames, HDC dc) {
    release();
    devMode_ = devMode;
    devNames_ = devNames;
    dc_ = dc;
}

bool PrinterSetup::run(PRINTDLGW& dialog) {
    dialog.lStructSize = sizeof dialog;
    const BOOL ok = PrintDlgW(&dialog);
    PrinterSetup returned;
    returned.adopt(dialog.hDevMode, dialog.hDevNames, dialog.hDC);
    // A printer whose context cannot be made is no printer to print on.
    if (!ok || !returned.dc_)
        return false;
    *this = std::move(returned);
    return true;
}

bool PrinterSetup::askDefault() {
    PRINTDLGW dialog{};
    dialog.Flags = printDialogFlags | PD_RETURNDEFAULT;
    return run(dialog);
}

bool PrinterSetup::choose(HWND owner) {
    PRINTDLGW dialog{};
    dialog.hwndOwner = owner;
    dialog.Flags = printDialogFlags;
    return run(dialog);
}

std::string PrinterSetup::deviceName() const {
    if (!devNames_)
        return {};
    std::string name;
    if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames_))) {
        const std::size_t size = GlobalSize(devNames_) / sizeof(wchar_t);
        const auto* text = reinterpret_cast<const wchar_t*>(names);
        if (names->wDeviceOffset < size)
            name =
                narrow(std::wstring_view(text + names->wDeviceOffset,
                                         wcsnlen(text + names->wDeviceOffset, size - names->wDeviceOffset)));
        GlobalUnlock(devNames_);
    }
    return name;
}

int PrinterSetup::paperCode() const {
    int code = 0;
    if (devMode_ && GlobalSize(devMode_) >= sizeof(DEVMODEW))
        if (const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode_))) {
            code = mode->dmPaperSize;
            GlobalUnlock(devMode_);
        }
    return code;
}

bool PrinterSetup::portrait() const {
    bool result = true;
    if (devMode_ && GlobalSize(devMode_) >= sizeof(DEVMODEW))
        if (const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode_))) {
            result = mode->dmOrientation == DMORIENT_PORTRAIT;
            GlobalUnlock(devMode_);
        }
    return result;
}

PrintOptionsDialog::PrintOptionsDialog(bool horizontal, bool vertical)
    : DialogFrame(IDD_PRINT_OPTIONS), horizontal_(horizontal), vertical_(vertical) {}

bool PrintOptionsDialog::onInitDialog() {
    placeControls(handle(), optionPlaces);
    shapeWindow(210, 124);
    paintOkAndCancel();
    CheckDlgButton(handle(), IDC_OPTIONS_HORIZONTAL, horizontal_ ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle(), IDC_OPTIONS_VERTICAL, vertical_ ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

bool PrintOptionsDialog::onCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        horizontal_ = checked(handle(), IDC_OPTIONS_HORIZONTAL);
        vertical_ = checked(handle(), IDC_OPTIONS_VERTICAL);
    }
    return DialogFrame::onCommand(id, code, control);
}

PrintDialog::PrintDialog(const MapDocument& document, DrawingResourceCache& cache, Settings& settings,
                         Prompter* prompter, PrinterSource defaultPrinter)
    : DialogFrame(IDD_PRINT), document_(document), cache_(cache), settings_(settings),
      prompter_(prompter ? *prompter : ownPrompter_), defaultPrinter_(std::move(defaultPrinter)) {
    if (!defaultPrinter_)
        defaultPrinter_ = [](PrinterSetup& printer) { return printer.askDefault(); };
}

bool PrintDialog::onInitDialog() {
    ownPrompter_.setOwner(handle());
    if (!defaultPrinter_(printer_)) {
        prompter_.showMessage(noPrinterText, msg::ok | msg::iconWarning);
        end(IDCANCEL);
        return true;
    }
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    addTooltip(IDC_PRINT_NORMAL, narrow(resourceString(IDS_TIP_EXPORT_NORMAL)));
    addTooltip(IDC_PRINT_WIDE, narrow(resourceString(IDS_TIP_EXPORT_WIDE)));
    addTooltip(IDOK, narrow(resourceString(IDS_TIP_PRINT_START)));
    addTooltip(IDC_PRINT_PREVIEW, narrow(resourceString(IDS_TIP_PRINT_PREVIEW)));
    addTooltip(IDC_PRINT_OPTIONS, narrow(resourceString(IDS_TIP_PRINT_OPTIONS)));
    for (std::size_t i = 0; i < std::size(marginEdits); ++i) {
        SendDlgItemMessageW(handle(), marginEdits[i], EM_LIMITTEXT, 4, 0);
        setUpSpin(handle(), marginSpins[i], marginEdits[i], 0, config::largestUndoDepthSetting, 0);
        setItemText(handle(), marginEdits[i], "0");
    }
    for (const char* style : styleTexts)
        addItem(handle(), IDC_PRINT_FONT_STYLE, style);
    for (int size : sizeChoices)
        addItem(handle(), IDC_PRINT_FONT_SIZE, std::to_string(size));
    fillFaces();
    showFont();
    showPrinter();
    const config::PageTexts texts = config::readPageTexts(settings_);
    for (int i = 0; i < 3; ++i) {
        setItemText(handle(), headerEdits[i], texts.header[i]);
        setItemText(handle(), footerEdits[i], texts.footer[i]);
    }
    CheckRadioButton(handle(), IDC_PRINT_NORMAL, IDC_PRINT_WIDE, IDC_PRINT_NORMAL);
    return true;
}

void PrintDialog::showPrinter() {
    setItemText(handle(), IDC_PRINT_DEVICE, printer_.deviceName());
    setItemText(handle(), IDC_PRINT_PAPER, std::string(print::paperName(printer_.paperCode())));
    setItemText(handle(), IDC_PRINT_ORIENTATION, printer_.portrait() ? "縦" : "横");
}

void PrintDialog::fillFaces() {
    SendDlgItemMessageW(handle(), IDC_PRINT_FONT_NAME, CB_RESETCONTENT, 0, 0);
    buildFontList(faces_, printer_.dc());
    for (const auto& face : faces_) {
        const LRESULT index = SendDlgItemMessageW(handle(), IDC_PRINT_FONT_NAME, CB_ADDSTRING, 0,
                                                  reinterpret_cast<LPARAM>(widen(face.name).c_str()));
        if (index >= 0)
            SendDlgItemMessageW(handle(), IDC_PRINT_FONT_NAME, CB_SETITEMDATA, static_cast<WPARAM>(index),
                                face.charset);
    }
}

void PrintDialog::showFont() {
    if (!selectExact(handle(), IDC_PRINT_FONT_NAME, narrow(font_.lfFaceName)))
        setItemText(handle(), IDC_PRINT_FONT_NAME, narrow(font_.lfFaceName));
    const int style = (font_.lfWeight == FW_BOLD ? 2 : 0) + (font_.lfItalic ? 1 : 0);
    SendDlgItemMessageW(handle(), IDC_PRINT_FONT_STYLE, CB_SETCURSEL, static_cast<WPARAM>(style), 0);
    const std::string size = std::to_string(pointSize_);
    if (!selectExact(handle(), IDC_PRINT_FONT_SIZE, size)) {
        SendDlgItemMessageW(handle(), IDC_PRINT_FONT_SIZE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        setItemText(handle(), IDC_PRINT_FONT_SIZE, size);
    }
}

// The combo only shows the font: what was typed falls back to a listed face.
void PrintDialog::faceLeft() {
    if (!selectExact(handle(), IDC_PRINT_FONT_NAME, itemText(handle(), IDC_PRINT_FONT_NAME)))
        SendDlgItemMessageW(handle(), IDC_PRINT_FONT_NAME, CB_SETCURSEL, 0, 0);
}

void PrintDialog::chooseFont() {
    LOGFONTW chosen = font_;
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = handle();
    dialog.hDC = printer_.dc();
    dialog.lpLogFont = &chosen;
    dialog.rgbColors = colour_;
    dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_NOVERTFONTS;
    if (!ChooseFontW(&dialog))
        return;
    font_ = chosen;
    colour_ = dialog.rgbColors;
    pointSize_ = dialog.iPointSize / 10;
    showFont();
}

void PrintDialog::setUpPrinter() {
    PrinterSetup chosen;
    if (!chosen.choose(handle()))
        return;
    printer_ = std::move(chosen);
    showPrinter();
    fillFaces();
    showFont();
}

void PrintDialog::setCentring(bool horizontal, bool vertical) {
    centreHorizontally_ = horizontal;
    centreVertically_ = vertical;
}

void PrintDialog::options() {
    PrintOptionsDialog dialog(centreHorizontally_, centreVertically_);
    if (dialog.runModal(handle()) == IDOK)
        setCentring(dialog.horizontal(), dialog.vertical());
}

void PrintDialog::marginChanged(int id) {
    if (correcting_)
        return;
    const std::string typed = itemText(handle(), id);
    // A minus sign alone is a number still being typed: "-5" then becomes 0, not "05".
    if (typed == "-")
        return;
    const entries::UndoDepthEntry entry = entries::readMarginEntry(typed);
    if (!entry.replacement)
        return;
    correcting_ = true;
    setItemText(handle(), id, *entry.replacement);
    SendDlgItemMessageW(handle(), id, EM_SETSEL, entry.replacement->size(),
                        static_cast<LPARAM>(entry.replacement->size()));
    correcting_ = false;
}

PrintSettings PrintDialog::printSettings() const {
    PrintSettings s;
    s.wide = checked(handle(), IDC_PRINT_WIDE);
    s.fitToPage = checked(handle(), IDC_PRINT_FIT);
    s.centreHorizontally = centreHorizontally_;
    s.centreVertically = centreVertically_;
    s.marginLeft = marginIn(handle(), IDC_PRINT_MARGIN_LEFT);
    s.marginRight = marginIn(handle(), IDC_PRINT_MARGIN_RIGHT);
    s.marginTop = marginIn(handle(), IDC_PRINT_MARGIN_TOP);
    s.marginBottom = marginIn(handle(), IDC_PRINT_MARGIN_BOTTOM);
    for (int i = 0; i < 3; ++i) {
        s.texts.header[i] = itemText(handle(), headerEdits[i]);
        s.texts.footer[i] = itemText(handle(), footerEdits[i]);
    }
    s.font = font_;
    s.colour = colour_;
    return s;
}

void PrintDialog::storeTexts() {
    config::writePageTexts(settings_, printSettings().texts);
}

void PrintDialog::print(HWND owner) {
    // Messages belong to the window the print was started from, so that it waits for them.
    ownPrompter_.setOwner(owner);
    SpoolerTarget target(printer_.dc());
    ProgressWindow progress(owner);
    if (!runPrintJob(target, document_, cache_, printSettings(), jobTexts(document_), prompter_, &progress))
        prompter_.showMessage(printFailedText, msg::ok | msg::iconError);
    ownPrompter_.setOwner(handle());
}

void PrintDialog::preview() {
    const PrintSettings settings = printSettings();
    PrintPicture picture;
    if (!makePrintPicture(picture, document_, cache_, settings.wide, prompter_))
        return;
    SpoolerTarget printer(printer_.dc());
    PreviewJob job;
    job.picture = picture.dc();
    job.pictureWidth = picture.width();
    job.pictureHeight = picture.height();
    job.settings = settings;
    job.printer = printer.metrics();
    job.texts = jobTexts(document_);
    PrintPreviewDialog dialog(job, prompter_, [this](HWND owner) { print(owner); });
    dialog.runModal(handle());
}

bool PrintDialog::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_PRINT_MARGIN_LEFT:
    case IDC_PRINT_MARGIN_RIGHT:
    case IDC_PRINT_MARGIN_TOP:
    case IDC_PRINT_MARGIN_BOTTOM:
        if (code == EN_CHANGE)
            marginChanged(id);
        return true;
    case IDC_PRINT_FONT_NAME:
        if (code == CBN_KILLFOCUS)
            faceLeft();
        return true;
    case IDC_PRINT_SETUP:
        if (code == BN_CLICKED)
            setUpPrinter();
        return true;
    case IDC_PRINT_FONT:
        if (code == BN_CLICKED)
            chooseFont();
        return true;
    case IDC_PRINT_OPTIONS:
        if (code == BN_CLICKED)
            options();
        return true;
    case IDC_PRINT_PREVIEW:
        if (code == BN_CLICKED)
            preview();
        return true;
    case IDOK:
        print(handle());
        return true;
    case IDCANCEL:
    case IDC_CLOSE:
        storeTexts();
        return DialogFrame::onCommand(id, code, control);
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

void runPrintDialog(HWND owner, const MapDocument& document, DrawingResourceCache& cache,
                    Settings& settings) {
    PrintDialog dialog(document, cache, settings);
    dialog.runModal(owner);
}

} // namespace tav::win
