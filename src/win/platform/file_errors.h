#pragma once
#include <windows.h>

#include "model/platform/file_system.h"

namespace tav::win {

// Turns a system error code into the file error cause the texts are numbered by.
FileCause fileCauseOf(DWORD error);

} // namespace tav::win
