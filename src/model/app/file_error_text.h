#pragma once
#include <string>

#include "model/platform/file_system.h"

namespace tav {

// The message for a failed (or, for cause 0, successful) file operation on path.
std::string fileErrorText(FileCause cause, const FilePath& path);
std::string fileErrorText(int cause, const FilePath& path);
// The cause's message when there is a cause; otherwise the pattern's own message about path.
std::string fileErrorTextOr(FileCause cause, const char* pattern, const FilePath& path);

} // namespace tav
