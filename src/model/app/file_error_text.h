#pragma once
#include <string>

#include "model/platform/file_system.h"

namespace tav {

// The message for a failed (or, for cause 0, successful) file operation on path.
std::string fileErrorText(FileCause cause, const std::string& path);
std::string fileErrorText(int cause, const std::string& path);
// The cause's message when there is a cause; otherwise the pattern's own message about path.
std::string fileErrorTextOr(FileCause cause, const char* pattern, const std::string& path);

} // namespace tav
