#pragma once
// Loading a BMP file into a pixel canvas as a floating piece.
#include <windows.h>

#include "model/platform/file_system.h"
#include "model/platform/prompter.h"

namespace tav::win {

class PixelCanvas;

// Reads the file and pastes it (the import dialog decides how a larger one is taken); says what went wrong
// and answers false when nothing was pasted. The file's folder becomes the current directory.
bool importBitmapFile(const FilePath& path, PixelCanvas& canvas, FileSystem& files, Prompter& prompter);
// Asks for the file first; false also when the user cancelled.
bool importBitmapFile(HWND owner, PixelCanvas& canvas, FileSystem& files, Prompter& prompter);

} // namespace tav::win
