#pragma once
// Reading and writing the palette block in open files, and the base and start palette files.
#include <string>

#include "model/document/palette_block.h"
#include "model/platform/file_system.h"
#include "model/platform/prompter.h"

namespace tav {

class MapDocument;

// Every operation shows its own warning on failure and returns false. Each has a busy flag: a call made
// while the same operation runs (from a nested message loop) does nothing and reports success.
class PaletteStorage {
public:
    // converter may be null: room pictures with a non-standard header then read as empty slots.
    PaletteStorage(FileSystem& files, Prompter& prompter, PictureConverter* converter = nullptr)
        : files_(files), prompter_(prompter), converter_(converter) {}

    // Reads a block at the file's position (palette_select bits). The palette is replaced only when the
    // whole block was read; cause tells the file error, or none. Shows nothing: callers word the failure.
    bool readPaletteBlock(File& file, unsigned selection, MarkPalette& palette, FileCause& cause);
    // Writes the block at the file's position.
    bool writePaletteBlock(File& file, const MarkPalette& palette, FileCause& cause);

    bool loadBasePalette(MapDocument& document, unsigned selection);
    // A missing or malformed start palette is made again from the base palette.
    bool loadStartPalette(MapDocument& document, unsigned selection);
    // Copies the base palette over the start palette; with load set, reads it into the document.
    bool createStartPalette(MapDocument& document, bool load);
    // Writes the document's palette as the start palette, keeping the old file until the new one is whole.
    bool saveStartPalette(const MapDocument& document);

private:
    enum class Check { good, malformed, failed };
    Check checkPaletteFile(File& file, PaletteKind kind, FileCause& cause);
    bool makeStartPaletteFile(const FilePath& start, std::vector<std::uint8_t>& bytes);
    bool writeStartPaletteFile(File& file, const MarkPalette& palette, FileCause& cause);
    bool readBlockAt(File& file, unsigned selection, MarkPalette& palette, FileCause& cause);
    void warn(const std::string& text);

    FileSystem& files_;
    Prompter& prompter_;
    PictureConverter* converter_;
    bool readingBlock_ = false;
    bool writingBlock_ = false;
    bool loadingBase_ = false;
    bool loadingStart_ = false;
    bool creatingStart_ = false;
    bool savingStart_ = false;
};

} // namespace tav
