#include "support/map_files.h"

#include <gtest/gtest.h>

#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "support/recording_prompter.h"
#include "win/platform/win32_file_system.h"

namespace tav::test {

void writeMapFile(const FilePath& path, const std::function<void(MapDocument&)>& adjust) {
    win::Win32FileSystem files;
    RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage storage(files, prompter, palettes);
    MapDocument document;
    ASSERT_TRUE(document.resize(7, 5, true));
    bool first = false;
    document.setCell(2, 1, 3, 3, first);
    if (adjust)
        adjust(document);
    ASSERT_TRUE(storage.save(document, path));
}

} // namespace tav::test
