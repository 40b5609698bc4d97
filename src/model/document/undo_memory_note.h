#pragma once
#include <string>

namespace tav {

// The settings page's note on what an undo depth costs: a 99x99 selection edited depth times keeps
// about depth x 80000 bytes (the before and after snapshots of 100 x 100 cells).
std::string undoMemoryNote(int depth);

} // namespace tav
