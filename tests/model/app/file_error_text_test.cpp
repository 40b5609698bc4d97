#include "model/app/file_error_text.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(FileErrorText, DiskFullPutsPathFirstThenEmptyLine) {
    EXPECT_EQ(fileErrorText(FileCause::diskFull, u"C:\\maps\\a.MED"),
              "C:\\maps\\a.MED\n\nの読込みに失敗しました。\nディスク容量に空きがありません。"
              "不要なファイルを削除して空き領域を確保してください。");
}

TEST(FileErrorText, GenericCausesShareOneText) {
    const std::string generic = fileErrorText(1, u"x");
    EXPECT_EQ(generic, "x\n\nの読込みに失敗しました。\nファイル例外エラー発生");
    for (int cause : {6, 9, 10, 11, 12, 15, -1, 1000})
        EXPECT_EQ(fileErrorText(cause, u"x"), generic) << cause;
}

TEST(FileErrorText, EachSpecificCauseHasItsOwnText) {
    EXPECT_EQ(fileErrorText(0, u"p"), "p\n\nの読込みに成功しました。");
    EXPECT_EQ(fileErrorText(2, u"p"), "p\n\nの読込みに失敗しました。\n指定されたファイルは存在しません。");
    EXPECT_EQ(fileErrorText(3, u"p"), "p\n\nの読込みに失敗しました。\n指定されたパスは不正です。");
    EXPECT_EQ(fileErrorText(4, u"p"), "p\n\nの読込みに失敗しました。\n開かれているファイル数が多すぎます。\n必"
                                     "要でないファイルを閉じてください。");
    EXPECT_EQ(fileErrorText(5, u"p"),
              "p\n\nの読込みに失敗しました。\nファイルへのアクセスが禁止されています。");
    EXPECT_EQ(fileErrorText(7, u"p"),
              "p\n\nの読込みに失敗しました。\n作業中のカレント ディレクトリは削除不可です。");
    EXPECT_EQ(fileErrorText(8, u"p"), "p\n\nの読込みに失敗しました。\nディレクトリ内のファイル数が多すぎます。"
                                     "不要なファイルを削除してください。");
    EXPECT_EQ(fileErrorText(14, u"p"),
              "p\n\nの読込みに失敗しました。\nファイルが壊れている可能性があります。");
}

TEST(FileErrorText, PathIsShownInCp932WithUnknownCharactersAsQuestionMarks) {
    EXPECT_EQ(fileErrorText(2, u"C:\\M\u00FCller\\\U0001F5FA.MED").substr(0, 16), "C:\\M?ller\\?.MED\n");
}

TEST(FileErrorText, PathIsInsertedVerbatimEvenWithPercentSigns) {
    EXPECT_EQ(fileErrorText(2, u"C:\\100%s\\表.MED").substr(0, 16), "C:\\100%s\\表.MED\n");
}

} // namespace
} // namespace tav
