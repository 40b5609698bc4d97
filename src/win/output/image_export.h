#pragma once
// Saving the whole map as a picture: drawn once, scaled, given ruler numbers, then written as BMP.
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

} // namespace tav::win
