#pragma once
// The one place where CP932 program text meets the wide Windows calls.
#include <string>
#include <string_view>

#include "model/platform/file_path.h"

namespace tav::win {

std::wstring widen(std::string_view cp932);
// Characters that CP932 cannot hold become '?'.
std::string narrow(std::wstring_view wide);

// Paths go to and from the W calls unchanged: UTF-16 on both sides.
std::wstring widen(const FilePath& path);
FilePath pathOf(std::wstring_view wide);

} // namespace tav::win
