#pragma once
// The arithmetic of saving the whole map as a picture: its size, the file it makes, the BMP headers and
// colour table, and where the ruler numbers go. The Windows side only draws and encodes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/comments/pixel_rect.h"
#include "model/platform/file_system.h"
#include "model/platform/prompter.h"

namespace tav {

class MapDocument;

enum class ImageFormat { bmp, png, jpeg };
enum class ScaleMethod { normal, nearest, bilinear };

namespace image_export {
constexpr int minPercent = 25;
constexpr int maxPercent = 100;
constexpr int defaultBits = 24;
// Pictures above this many pixel bytes are only made after the user agrees.
constexpr std::uint64_t largePicture = 15999999;
constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
} // namespace image_export

// What the dialog and the command line choose; the defaults are the dialog's.
struct ExportOptions {
    bool wide = false;
    bool topBand = true, leftBand = true, rightBand = true, bottomBand = true;
    int bits = image_export::defaultBits;
    int percent = 100;
    ScaleMethod method = ScaleMethod::normal;
    ImageFormat format = ImageFormat::bmp;

    bool operator==(const ExportOptions&) const = default;
};

bool validExportBits(int bits);
// The edit's rule on leaving it: below 25 is 25, above 100 is 100.
int clampExportPercent(int percent);
// The percent is an area ratio: this is the factor each side is scaled by.
double linearScale(int percent);

// Where everything lands in the picture.
struct ExportGeometry {
    int pitch = 0;
    double scale = 1;                      // linear
    int mapWidth = 0, mapHeight = 0;       // the unscaled drawing, margins included
    int scaledWidth = 0, scaledHeight = 0; // the drawing as placed
    int mapLeft = 0, mapTop = 0;           // where it is placed
    int width = 0, height = 0;             // the whole picture
    bool wide = false;
    int rulerFontHeight = 0; // pixels, positive
    int labelWiden = 8;      // column number boxes reach this far past the cell on both sides

    // Ruler number boxes of column i (top or bottom band) and row j (left or right band).
    PixelRect columnLabelBox(int i, bool bottomBand) const;
    PixelRect rowLabelBox(int j, bool rightBand) const;
};

ExportGeometry exportGeometry(int columns, int rows, const ExportOptions& options);
// The picture a print job cuts its pages from: the full-size export with all four bands, the grid at the
// print margins, and column numbers kept to their cells.
ExportGeometry printPictureGeometry(int columns, int rows, bool wide);

// Bytes of one stored pixel row: padded to four bytes.
std::uint64_t bmpRowBytes(int bits, int width);
std::uint64_t bmpImageBytes(int bits, int width, int height);
// What the dialog shows before saving, counting a full colour table for 4 and 8 bits.
std::uint64_t estimatedBmpFileSize(int bits, int width, int height);

// Colours as 0x00BBGGRR. The table a 4- or 8-bit picture of the map is written with; empty for more bits.
std::vector<std::uint32_t> exportColourTable(const MapDocument& document, bool wide, int bits);
// The 16 colours used when a 4-bit picture needs more than 16.
const std::vector<std::uint32_t>& fixedSixteenColours();

// BITMAPINFOHEADER and colour table, as the section is made with and the file holds.
std::vector<std::uint8_t> bmpInfo(int bits, int width, int height, const std::vector<std::uint32_t>& table);
// The 14-byte file header for that info and its pixels.
std::vector<std::uint8_t> bmpFileHeader(std::uint64_t infoBytes, std::uint64_t imageBytes);

// Writes the bytes to a file beside target and puts it in target's place only when it is whole, so a
// failure leaves target as it was. Shows the file error and returns false on failure.
using FilePieces = std::span<const std::span<const std::uint8_t>>;
bool writeFileWhole(FileSystem& files, const FilePath& target, FilePieces pieces, Prompter& prompter);
// The name written first.
FilePath temporaryBeside(const FilePath& target);

} // namespace tav
