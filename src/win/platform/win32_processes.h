#pragma once
#include "model/platform/processes.h"

namespace tav::win {

// The process seam on the running system: a process is its id and its creation time.
class Win32Processes : public Processes {
public:
    ProcessStamp self() override;
    bool isRunning(const ProcessStamp& process) override;
};

} // namespace tav::win
