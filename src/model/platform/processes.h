#pragma once
// The process seam: which copy of the program this is, and whether another one is still running.
#include <cstdint>

namespace tav {

// A running process as the system knows it. The id alone is reused once a process ends; with the time it
// started the pair names one process for good.
struct ProcessStamp {
    std::uint32_t id = 0;
    std::uint64_t started = 0; // the platform's creation time

    friend bool operator==(const ProcessStamp&, const ProcessStamp&) = default;
};

class Processes {
public:
    virtual ~Processes() = default;
    virtual ProcessStamp self() = 0;
    // False once the process has ended, also when its id now belongs to another one.
    virtual bool isRunning(const ProcessStamp& process) = 0;
};

} // namespace tav
