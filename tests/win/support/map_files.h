#pragma once
// Map files on the real disk for the end-to-end tests to open.
#include <functional>

#include "model/document/map_document.h"
#include "model/platform/file_path.h"

namespace tav::test {

// A 7x5 map with room mark 3 in cell (2, 1), and whatever else adjust gives it, saved through the map file
// code.
void writeMapFile(const FilePath& path, const std::function<void(MapDocument&)>& adjust = {});

} // namespace tav::test
