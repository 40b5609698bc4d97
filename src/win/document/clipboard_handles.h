#pragma once
// Owners for the clipboard and the global memory blocks it trades in.
#include <windows.h>

#include <cstdint>
#include <span>

#include "win/platform/handles.h"

namespace tav::win {

// A global memory block we still own: freed unless it was handed to the clipboard (release()).
struct GlobalMemoryTraits {
    static HGLOBAL invalid() { return nullptr; }
    static bool valid(HGLOBAL h) { return h != nullptr; }
    static void close(HGLOBAL h) { GlobalFree(h); }
};
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

// Locks a global memory block for the scope. The size is what the block really holds, whatever its
// contents claim.
class GlobalMemoryLock {
public:
    explicit GlobalMemoryLock(HGLOBAL memory)
        : memory_(memory), data_(memory ? static_cast<std::uint8_t*>(GlobalLock(memory)) : nullptr),
          size_(data_ ? GlobalSize(memory) : 0) {}
    ~GlobalMemoryLock() {
        if (data_)
            GlobalUnlock(memory_);
    }
    GlobalMemoryLock(const GlobalMemoryLock&) = delete;
    GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;

    explicit operator bool() const { return data_ != nullptr; }
    std::uint8_t* data() const { return data_; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    HGLOBAL memory_;
    std::uint8_t* data_;
    std::size_t size_;
};

// The clipboard, open for the scope.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner);
    ~OpenClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

} // namespace tav::win
