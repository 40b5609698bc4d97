#include "win/canvas/bitmap_file_import.h"

#include <vector>

#include "model/app/file_error_text.h"
#include "model/platform/cp932.h"
#include "win/app/map_file_dialog.h"
#include "win/canvas/pixel_canvas.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr std::size_t fileHeaderSize = 14;
// The largest picture the canvas accepts (4096 x 4096 at 32 bits) with its headers.
constexpr std::uint64_t largestFile = 4096ull * 4096 * 4 + 2048;

} // namespace

bool importBitmapFile(const FilePath& path, PixelCanvas& canvas, FileSystem& files, Prompter& prompter) {
    FileCause cause = FileCause::none;
    auto file = files.open(path, OpenMode::read, cause);
    std::uint64_t length = 0;
    if (file)
        cause = file->length(length);
    if (!file || cause != FileCause::none) {
        prompter.showMessage(fileErrorText(cause, path), msg::ok | msg::iconWarning);
        return false;
    }
    if (length == 0)
        return false;
    std::vector<std::uint8_t> bytes;
    if (length >= 2 && length <= largestFile) {
        bytes.resize(static_cast<std::size_t>(length));
        if ((cause = file->readExact(bytes.data(), bytes.size())) != FileCause::none) {
            prompter.showMessage(fileErrorText(cause, path), msg::ok | msg::iconWarning);
            return false;
        }
    } else if (length >= 2) {
        bytes.resize(2); // too large to be a picture of ours: only the magic is read
        if ((cause = file->readExact(bytes.data(), 2)) != FileCause::none) {
            prompter.showMessage(fileErrorText(cause, path), msg::ok | msg::iconWarning);
            return false;
        }
    }
    file->close();
    SetCurrentDirectoryW(widen(path.folder()).c_str());
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        prompter.showMessage(cp932::formatWith("%s\n\nはBMPファイルではありません。", path.text()),
                             msg::ok | msg::iconWarning);
        return false;
    }
    const PixelCanvas::Paste pasted =
        bytes.size() <= fileHeaderSize
            ? PixelCanvas::Paste::failed
            : canvas.pastePackedDib(bytes.data() + fileHeaderSize, bytes.size() - fileHeaderSize);
    if (pasted == PixelCanvas::Paste::failed) {
        prompter.showMessage(
            cp932::formatWith(
                "%s\n\nの描画に失敗しました。\n指定ファイルが正式なBMPフォーマットかどうか調べてください。\n"
                "（本アプリケーションではBITMAPCOREHEADER形式のBMPは扱えません。）",
                path.text()),
            msg::ok | msg::iconWarning);
        return false;
    }
    return pasted == PixelCanvas::Paste::pasted;
}

bool importBitmapFile(HWND owner, PixelCanvas& canvas, FileSystem& files, Prompter& prompter) {
    const FilePath path = askFileToOpen(owner, {"BitmapFile", "*.BMP", "BMP"}, {});
    return !path.empty() && importBitmapFile(path, canvas, files, prompter);
}

} // namespace tav::win
