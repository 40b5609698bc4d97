#include "model/app/file_error_text.h"

#include "model/platform/cp932.h"

namespace tav {

std::string fileErrorText(int cause, const FilePath& path) {
    const char* pattern = nullptr;
    switch (cause) {
    case 0:
        pattern = "%s\n\nの読込みに成功しました。";
        break;
    case 2:
        pattern = "%s\n\nの読込みに失敗しました。\n指定されたファイルは存在しません。";
        break;
    case 3:
        pattern = "%s\n\nの読込みに失敗しました。\n指定されたパスは不正です。";
        break;
    case 4:
        pattern = "%s\n\nの読込みに失敗しました。\n開かれているファイル数が多すぎます。\n必要でないファイルを"
                  "閉じてください。";
        break;
    case 5:
        pattern = "%s\n\nの読込みに失敗しました。\nファイルへのアクセスが禁止されています。";
        break;
    case 7:
        pattern = "%s\n\nの読込みに失敗しました。\n作業中のカレント ディレクトリは削除不可です。";
        break;
    case 8:
        pattern = "%s\n\nの読込みに失敗しました。\nディレクトリ内のファイル数が多すぎます。不要なファイルを削"
                  "除してください。";
        break;
    case 13:
        pattern = "%s\n\nの読込みに失敗しました。\nディスク容量に空きがありません。不要なファイルを削除して空"
                  "き領域を確保してください。";
        break;
    case 14:
        pattern = "%s\n\nの読込みに失敗しました。\nファイルが壊れている可能性があります。";
        break;
    default:
        pattern = "%s\n\nの読込みに失敗しました。\nファイル例外エラー発生";
        break;
    }
    return cp932::formatWith(pattern, path.text());
}

std::string fileErrorText(FileCause cause, const FilePath& path) {
    return fileErrorText(static_cast<int>(cause), path);
}

std::string fileErrorTextOr(FileCause cause, const char* pattern, const FilePath& path) {
    return cause != FileCause::none ? fileErrorText(cause, path) : cp932::formatWith(pattern, path.text());
}

} // namespace tav
