#pragma once
#include <windows.h>

#include <cstdint>

#include "win/view/drawing_resource_cache.h"

namespace tav::win {

// A stored mark colour as GDI should see it. Files may carry stray high bytes, which GDI would read as
// palette indices; only "none" keeps its own.
inline COLORREF markColour(std::uint32_t value) {
    return value == noColour ? noColour : static_cast<COLORREF>(value & 0x00FFFFFF);
}

} // namespace tav::win
