#include "model/document/undo_memory_note.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(UndoMemoryNote, ShowsDepthAndKilobytesInTheirFields) {
    EXPECT_EQ(undoMemoryNote(16),
              "※ 注釈\n99x99マスを選択し、その選択範囲に対して[ 16]回の編集を行った場合、\n"
              "約[ 1250]KBのメモリを使用します");
    EXPECT_NE(undoMemoryNote(0).find("[  0]回の編集を行った場合、\n約[    0]KB"), std::string::npos);
    EXPECT_NE(undoMemoryNote(255).find("約[19921]KB"), std::string::npos);
}

TEST(UndoMemoryNote, LargestDepthDoesNotOverflow) {
    EXPECT_NE(undoMemoryNote(65535).find("[65535]回"), std::string::npos);
    EXPECT_NE(undoMemoryNote(65535).find("約[5119921]KB"), std::string::npos);
}

} // namespace
} // namespace tav
