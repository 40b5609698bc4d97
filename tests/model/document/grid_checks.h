#pragma once
// Shared by the document tests: a map whose every byte is distinct from the values the tests write, and a
// comparison that names the cells that went wrong.
#include <cstdint>
#include <map>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "model/document/map_document.h"

namespace tav::test {

// (column, row, layer) -> expected byte
using CellChanges = std::map<std::tuple<int, int, int>, std::uint8_t>;

// 1..251, so the 252..255 the tests write never occur by chance; zero never occurs either.
inline std::uint8_t patternByte(int column, int row, int layer) {
    return static_cast<std::uint8_t>(1 + (column * 4 + row * 37 + layer) % 251);
}

inline void fillPattern(MapDocument& doc) {
    bool first = false; // no undo steps for the set-up
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            for (int layer = 1; layer <= 4; ++layer)
                doc.setCell(c, r, layer, patternByte(c, r, layer), first);
    doc.setModified(false);
}

// Every byte equals the one in before, except those named in changes.
inline ::testing::AssertionResult gridIs(const MapDocument& doc, const CellGrid& before,
                                         const CellChanges& changes = {}) {
    if (doc.width() != before.width() || doc.height() != before.height())
        return ::testing::AssertionFailure() << "size " << doc.width() << "x" << doc.height();
    std::ostringstream wrong;
    int count = 0;
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            for (int layer = 1; layer <= 4; ++layer) {
                auto it = changes.find({c, r, layer});
                int expected = it != changes.end() ? it->second : before.at(c, r).layer(layer);
                int actual = doc.cell(c, r).layer(layer);
                if (actual != expected && ++count <= 8)
                    wrong << " (" << c << "," << r << ") layer " << layer << ": " << actual << " not "
                          << expected << ";";
            }
    if (count == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count << " wrong bytes:" << wrong.str();
}

inline void setLayer(CellChanges& changes, int layer, std::uint8_t value, int left, int top, int right,
                     int bottom) {
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            changes[{c, r, layer}] = value;
}

} // namespace tav::test
