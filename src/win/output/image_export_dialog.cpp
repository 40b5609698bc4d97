#include "win/output/image_export_dialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "model/app/settings_entries.h"
#include "model/document/map_document.h"
#include "model/output/export_command.h"
#include "resource.h"
#include "win/app/map_file_dialog.h"
#include "win/app/dialog_items.h"
#include "win/output/image_export.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 346;
constexpr int windowHeight = 325;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 0, 0, 346, 20},
    {IDC_CLOSE, 324, 3, 18, 14},
    {IDC_EXPORT_VIEW_GROUP, 8, 26, 160, 66},
    {IDC_EXPORT_NORMAL, 18, 44, 144, 18},
    {IDC_EXPORT_WIDE, 18, 66, 144, 18},
    {IDC_EXPORT_RULER_GROUP, 178, 26, 160, 66},
    {IDC_EXPORT_TOP, 190, 52, 36, 18},
    {IDC_EXPORT_LEFT, 226, 52, 36, 18},
    {IDC_EXPORT_RIGHT, 262, 52, 36, 18},
    {IDC_EXPORT_BOTTOM, 298, 52, 36, 18},
    {IDC_EXPORT_FILE_GROUP, 8, 98, 330, 54},
    {IDC_EXPORT_FILE, 18, 118, 244, 22},
    {IDC_EXPORT_BROWSE, 268, 117, 62, 24},
    {IDC_EXPORT_PICTURE_GROUP, 8, 158, 330, 122},
    {IDC_EXPORT_SIZE_LABEL, 18, 178, 80, 16},
    {IDC_EXPORT_WIDTH, 100, 178, 50, 16},
    {IDC_EXPORT_TIMES_LABEL, 150, 178, 16, 16},
    {IDC_EXPORT_HEIGHT, 166, 178, 50, 16},
    {IDC_EXPORT_PIXEL_LABEL, 220, 178, 50, 16},
    {IDC_EXPORT_BITS_LABEL, 18, 204, 60, 16},
    {IDC_EXPORT_BITS, 80, 200, 78, 200},
    {IDC_EXPORT_FORMAT_LABEL, 176, 204, 50, 16},
    {IDC_EXPORT_FORMAT, 230, 200, 98, 200},
    {IDC_EXPORT_SCALE_LABEL, 18, 230, 60, 16},
    {IDC_EXPORT_SCALE, 80, 226, 40, 22},
    {IDC_EXPORT_SCALE_SPIN, 120, 226, 16, 22},
    {IDC_EXPORT_PERCENT_LABEL, 140, 230, 20, 16},
    {IDC_EXPORT_METHOD_LABEL, 176, 230, 54, 16},
    {IDC_EXPORT_METHOD, 230, 226, 98, 200},
    {IDC_EXPORT_FILE_SIZE_LABEL, 18, 256, 100, 16},
    {IDC_EXPORT_FILE_SIZE, 120, 256, 150, 16},
    {IDOK, 80, 290, 86, 24},
    {IDCANCEL, 180, 290, 86, 24},
};
constexpr int bitsChoices[] = {4, 8, 16, 24, 32};
constexpr int defaultBitsItem = 3;
const char* const bitsTexts[] = {" 4 Bit", " 8 Bit", "16 Bit", "24 Bit", "32 Bit"};
const char* const formatTexts[] = {"bmp", "png", "jpeg"};
const char* const methodTexts[] = {"通常", "ﾆｱﾚｽﾄﾈｲﾊﾞｰ法", "ﾊﾞｲﾘﾆｱ法"};
constexpr int bandChecks[] = {IDC_EXPORT_TOP, IDC_EXPORT_LEFT, IDC_EXPORT_RIGHT, IDC_EXPORT_BOTTOM};

void fillList(HWND dialog, int id, std::initializer_list<const char*> texts, int selected) {
    for (const char* text : texts)
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, selected, 0);
}

int selectedItem(HWND dialog, int id) {
    const LRESULT item = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? 0 : static_cast<int>(item);
}

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

FilePath pathIn(HWND dialog, int id) {
    HWND edit = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return pathOf(text);
}

// Extension for the save dialog and the filter, by format.
FileKind fileKindOf(ImageFormat format) {
    switch (format) {
    case ImageFormat::png:
        return {"PngFile", "*.PNG", "PNG"};
    case ImageFormat::jpeg:
        return {"JpegFile", "*.JPG;*.JPEG", "JPG"};
    default:
        return {"BitmapFile", "*.BMP", "BMP"};
    }
}

Font sizeTextFont() {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_LIGHT;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    const std::wstring face = widen("ＭＳ ゴシック");
    face.copy(lf.lfFaceName, std::size(lf.lfFaceName) - 1);
    return Font(CreateFontIndirectW(&lf));
}

} // namespace

ImageExportDialog::ImageExportDialog(const MapDocument& document, DrawingResourceCache& cache,
                                     Prompter* prompter)
    : DialogFrame(IDD_IMAGE_EXPORT), document_(document), cache_(cache),
      prompter_(prompter ? *prompter : ownPrompter_) {}

bool ImageExportDialog::onInitDialog() {
    ownPrompter_.setOwner(handle());
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    CheckRadioButton(handle(), IDC_EXPORT_NORMAL, IDC_EXPORT_WIDE, IDC_EXPORT_NORMAL);
    for (int id : bandChecks)
        CheckDlgButton(handle(), id, BST_CHECKED);
    fillList(handle(), IDC_EXPORT_BITS,
             {bitsTexts[0], bitsTexts[1], bitsTexts[2], bitsTexts[3], bitsTexts[4]}, defaultBitsItem);
    fillList(handle(), IDC_EXPORT_FORMAT, {formatTexts[0], formatTexts[1], formatTexts[2]}, 0);
    fillList(handle(), IDC_EXPORT_METHOD, {methodTexts[0], methodTexts[1], methodTexts[2]}, 0);
    SendDlgItemMessageW(handle(), IDC_EXPORT_SCALE, EM_LIMITTEXT, 3, 0);
    setUpSpin(handle(), IDC_EXPORT_SCALE_SPIN, IDC_EXPORT_SCALE, image_export::minPercent,
              image_export::maxPercent, image_export::maxPercent);
    sizeFont_ = sizeTextFont();
    if (sizeFont_)
        SendDlgItemMessageW(handle(), IDC_EXPORT_FILE_SIZE, WM_SETFONT,
                            reinterpret_cast<WPARAM>(sizeFont_.get()), FALSE);

    addTooltip(IDC_EXPORT_NORMAL, narrow(resourceString(IDS_TIP_EXPORT_NORMAL)));
    addTooltip(IDC_EXPORT_WIDE, narrow(resourceString(IDS_TIP_EXPORT_WIDE)));
    for (int id : bandChecks)
        addTooltip(id, narrow(resourceString(IDS_TIP_EXPORT_RULERS)));
    addTooltip(IDC_EXPORT_FORMAT, narrow(resourceString(IDS_TIP_EXPORT_FORMAT)));
    addTooltip(IDC_EXPORT_SCALE, narrow(resourceString(IDS_TIP_EXPORT_SCALE)));
    addTooltip(IDC_EXPORT_METHOD, narrow(resourceString(IDS_TIP_EXPORT_METHOD)));
    addTooltip(IDOK, narrow(resourceString(IDS_TIP_EXPORT_SAVE)));
    showSizes();
    return true;
}

int ImageExportDialog::scaleEntered() const {
    return entries::parseNumber(itemText(handle(), IDC_EXPORT_SCALE)).value_or(0);
}

ExportOptions ImageExportDialog::options() const {
    ExportOptions o;
    o.wide = checked(handle(), IDC_EXPORT_WIDE);
    o.topBand = checked(handle(), IDC_EXPORT_TOP);
    o.leftBand = checked(handle(), IDC_EXPORT_LEFT);
    o.rightBand = checked(handle(), IDC_EXPORT_RIGHT);
    o.bottomBand = checked(handle(), IDC_EXPORT_BOTTOM);
    o.bits = bitsChoices[std::min(selectedItem(handle(), IDC_EXPORT_BITS), 4)];
    o.format = static_cast<ImageFormat>(std::min(selectedItem(handle(), IDC_EXPORT_FORMAT), 2));
    o.method = static_cast<ScaleMethod>(std::min(selectedItem(handle(), IDC_EXPORT_METHOD), 2));
    o.percent = clampExportPercent(scaleEntered());
    return o;
}

void ImageExportDialog::showSizes() {
    const ExportOptions o = options();
    const ExportGeometry g = exportGeometry(document_.width(), document_.height(), o);
    setItemText(handle(), IDC_EXPORT_WIDTH, std::to_string(g.width));
    setItemText(handle(), IDC_EXPORT_HEIGHT, std::to_string(g.height));
    setItemText(handle(), IDC_EXPORT_FILE_SIZE,
                o.format == ImageFormat::bmp ? std::to_string(estimatedBmpFileSize(o.bits, g.width, g.height))
                                             : std::string("圧縮画像"));
}

// The depth only matters for BMP; a known picture extension in the file name follows the format, so the
// name never promises one format while holding another.
void ImageExportDialog::formatChanged() {
    const ImageFormat format = options().format;
    EnableWindow(item(IDC_EXPORT_BITS), format == ImageFormat::bmp);
    const FilePath path = pathIn(handle(), IDC_EXPORT_FILE);
    ImageFormat named;
    if (!path.empty() && imageFormatOf(path, named) && named != format) {
        const std::u16string& units = path.units();
        const std::u16string stem = units.substr(0, units.size() - path.extension().size());
        const std::string extension = formatTexts[static_cast<int>(format)];
        SetDlgItemTextW(handle(), IDC_EXPORT_FILE,
                        widen(FilePath(stem + std::u16string(extension.begin(), extension.end()))).c_str());
    }
    showSizes();
}

void ImageExportDialog::browse() {
    // Starting in the current directory.
    const FilePath path = askFileToSave(handle(), fileKindOf(options().format), {}, {});
    if (!path.empty())
        SetDlgItemTextW(handle(), IDC_EXPORT_FILE, widen(path).c_str());
}

void ImageExportDialog::save() {
    const FilePath path = pathIn(handle(), IDC_EXPORT_FILE);
    if (path.empty()) {
        prompter_.showMessage("保存先ファイルを指定してください。", msg::ok | msg::iconWarning);
        return;
    }
    if (exportImage(document_, cache_, options(), path, files_, prompter_, true))
        prompter_.showMessage("画像ファイルを保存しました。", msg::ok | msg::iconInformation);
}

bool ImageExportDialog::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_EXPORT_NORMAL:
    case IDC_EXPORT_WIDE:
    case IDC_EXPORT_TOP:
    case IDC_EXPORT_LEFT:
    case IDC_EXPORT_RIGHT:
    case IDC_EXPORT_BOTTOM:
        if (code == BN_CLICKED)
            showSizes();
        return true;
    case IDC_EXPORT_BITS:
        if (code == CBN_SELCHANGE)
            showSizes();
        return true;
    case IDC_EXPORT_FORMAT:
        if (code == CBN_SELCHANGE)
            formatChanged();
        return true;
    case IDC_EXPORT_SCALE:
        if (code == EN_CHANGE) {
            const int percent = scaleEntered();
            if (percent >= image_export::minPercent && percent <= image_export::maxPercent)
                showSizes();
        } else if (code == EN_KILLFOCUS) {
            const int percent = scaleEntered();
            if (percent != clampExportPercent(percent))
                setItemText(handle(), IDC_EXPORT_SCALE, std::to_string(clampExportPercent(percent)));
        }
        return true;
    case IDC_EXPORT_BROWSE:
        if (code == BN_CLICKED)
            browse();
        return true;
    case IDOK:
        save();
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

void runImageExportDialog(HWND owner, const MapDocument& document, DrawingResourceCache& cache) {
    ImageExportDialog dialog(document, cache);
    dialog.runModal(owner);
}

} // namespace tav::win
