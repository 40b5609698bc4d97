#pragma once
// Pictures for people to look at: PNG files of what the tests drew, saved under the build folder.
#include <cstdint>
#include <string>

namespace tav::test {

// An RGB PNG of width x height pixels given top row first as 0x00RRGGBB words (a 32-bit DIB's layout).
// Uncompressed: the image data sits in stored deflate blocks.
std::string encodePng(int width, int height, const std::uint32_t* pixels);
bool writePng(const std::string& path, int width, int height, const std::uint32_t* pixels);

// "pictures\<name>\" beside the running test program, made if missing; CP932, ends with a backslash.
// Empty when it cannot be made.
std::string pictureFolder(const std::string& name);

} // namespace tav::test
