#pragma once
// The command line: "/export OUTPUT MAP.MED [options]" saves a map as a picture without a window,
// "/p MAP.MED" prints it on the default printer, "/?" asks for the usage, anything else names a map to
// open.
#include <string>
#include <vector>

#include "model/output/image_export.h"
#include "model/platform/file_path.h"

namespace tav {

struct CommandLine {
    enum class Kind { open, exportImage, print, usage, bad };
    Kind kind = Kind::open;
    FilePath file;   // the map to open, export or print
    FilePath output; // the picture to write
    ExportOptions options;
    std::string error; // CP932, for Kind::bad
};

// arguments: the command line's words after the program's own name.
CommandLine parseCommandLine(const std::vector<FilePath>& arguments);
// The format an output name asks for by its extension; false for none of bmp, png, jpg, jpeg.
bool imageFormatOf(const FilePath& output, ImageFormat& format);
// CP932 usage text.
std::string commandLineUsage();

} // namespace tav
