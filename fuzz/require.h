#pragma once
#include <cstdlib>

namespace tav::fuzz {

// Stops the run: the fuzzer keeps the input that got here.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace tav::fuzz
