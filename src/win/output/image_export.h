#pragma once
// Saving the whole map as a picture: drawn once, scaled, given ruler numbers, then written as BMP or
// encoded as PNG or JPEG. Shared by the image export dialog and the command line.
#include <windows.h>

#include "model/output/image_export.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class DrawingResourceCache;

// Writes the picture to output through a file beside it, replacing output only when whole. Shows its own
// message through prompter on failure and returns false; with askLarge a picture over 16 MB is first
// asked about, and an answer other than yes returns false without a message.
bool exportImage(const MapDocument& document, DrawingResourceCache& cache, const ExportOptions& options,
                 const FilePath& output, FileSystem& files, Prompter& prompter, bool askLarge);

// The screen's ruler numbers for the whole map, in the bands options asks for, at the boxes of g.
void drawRulerNumbers(HDC dc, const MapDocument& document, const ExportOptions& options,
                      const ExportGeometry& g);

// Encodes a bottom-up 24-bit BGR picture (rows padded to four bytes) as PNG or JPEG through the Windows
// Imaging Component; false when it cannot.
bool encodeCompressed(ImageFormat format, const std::uint8_t* bottomUpBgr, int width, int height,
                      std::vector<std::uint8_t>& out);

} // namespace tav::win
