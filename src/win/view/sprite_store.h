#pragma once
// Pictures drawn once and copied from then on. Each is kept twice: its colours, black where nothing was
// drawn, and a mask, black where something was drawn and white elsewhere. Two copies then put exactly the
// drawn pixels on a true-colour target, inside its clip, and leave every other pixel as it was.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tav::win {

// Says everything the picture depends on: equal keys of the same size must mean equal pictures.
using SpriteKey = std::array<std::uint32_t, 8>;

// Where a kept picture lies: its colours at (x, y) of sheet, its mask just right of them.
struct Sprite {
    HDC sheet = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    explicit operator bool() const { return sheet != nullptr; }
};

class SpriteStore {
public:
    // Pictures kept per size; when a size's sheet is full its oldest picture makes room.
    static constexpr int perSize = 64;
    // Sizes kept at once; one more drops the oldest size with all its pictures.
    static constexpr int sizeLimit = 8;
    static constexpr int maxSide = 256;

    // Draws the picture with its top-left pixel at (x, y) of dc; it may leave no trace outside its size.
    using Painter = std::function<void(HDC dc, int x, int y)>;

    SpriteStore();
    ~SpriteStore();
    SpriteStore(const SpriteStore&) = delete;
    SpriteStore& operator=(const SpriteStore&) = delete;

    // The kept picture of key, width x height pixels, painted first if it is not kept yet. Empty when no
    // room could be made for it or the size is out of range. Valid until the next call.
    template <typename Paint> Sprite find(const SpriteKey& key, int width, int height, Paint&& paint) {
        if (Sprite kept = lookup(key, width, height))
            return kept;
        return make(key, width, height, Painter(std::forward<Paint>(paint)));
    }
    // The picture at (x, y) of dc, over what is there.
    static void copy(HDC dc, int x, int y, const Sprite& sprite);

    void clear();
    std::size_t pictureCount() const;

private:
    class Sheet;

    Sprite lookup(const SpriteKey& key, int width, int height) const;
    Sprite make(const SpriteKey& key, int width, int height, const Painter& paint);

    std::vector<std::unique_ptr<Sheet>> sheets_; // oldest size first
};

} // namespace tav::win
