#include "model/app/file_error_text.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(FileErrorText, DiskFullPutsPathFirstThenEmptyLine) {
    EXPECT_EQ(fileErrorText(FileCause::diskFull, "C:\\maps\\a.MED"),
              "C:\\maps\\a.MED\n\nの読込みに失敗しました。\nディスク容量に空きがありません。"
              "不要なファイルを削除して空き領域を確保してください。");
}

TEST(FileErrorText, GenericCausesShareOneText) {
    const std::string generic = fileErrorText(1, "x");
    EXPECT_EQ(generic, "x\n\nの読込みに失敗しました。\nファイル例外エラー発生");
    for (int cause : {6, 9, 10, 11, 12, 15, -1, 1000})
        EXPECT_EQ(fileErrorText(cause, "x"), generic) << cause;
}

TEST(FileErrorText, EachSpecificCauseHasItsOwnText) {
    EXPECT_EQ(fileErrorText(0, "p"), "p\n\nの読込みに成功しました。");
    EXPECT_EQ(fileErrorText(2, "p"), "p\n\nの読込みに失敗しました。\n指定されたファイルは存在しません。");
    EXPECT_EQ(fileErrorText(3, "p"), "p\n\nの読込みに失敗しました。\n指定されたパスは不正です。");
    EXPECT_EQ(fileErrorText(4, "p"), "p\n\nの読込みに失敗しました。\n開かれているファイル数が多すぎます。\n必"
                                     "要でないファイルを閉じてください。");
    EXPECT_EQ(fileErrorText(5, "p"),
              "p\n\nの読込みに失敗しました。\nファイルへのアクセスが禁止されています。");
    EXPECT_EQ(fileErrorText(7, "p"),
              "p\n\nの読込みに失敗しました。\n作業中のカレント ディレクトリは削除不可です。");
    EXPECT_EQ(fileErrorText(8, "p"), "p\n\nの読込みに失敗しました。\nディレクトリ内のファイル数が多すぎます。"
                                     "不要なファイルを削除してください。");
    EXPECT_EQ(fileErrorText(14, "p"),
              "p\n\nの読込みに失敗しました。\nファイルが壊れている可能性があります。");
}

TEST(FileErrorText, PathIsInsertedVerbatimEvenWithPercentSigns) {
    EXPECT_EQ(fileErrorText(2, "C:\\100%s\\表.MED").substr(0, 16), "C:\\100%s\\表.MED\n");
}

} // namespace
} // namespace tav
