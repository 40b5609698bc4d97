#include "model/document/undo_memory_note.h"

#include <cstdint>
#include <cstdio>

namespace tav {

std::string undoMemoryNote(int depth) {
    // 64-bit: the largest depth times 80000 does not fit in 32 bits.
    long long kilobytes = static_cast<long long>(depth) * 80000 / 1024;
    char text[256];
    std::snprintf(text, sizeof text,
                  "※ "
                  "注釈\n99x99マスを選択し、その選択範囲に対して[%3d]回の編集を行った場合、\n約[%5lld]"
                  "KBのメモリを使用します",
                  depth, kilobytes);
    return text;
}

} // namespace tav
