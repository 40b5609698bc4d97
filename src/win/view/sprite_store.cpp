#include "win/view/sprite_store.h"

#include <new>
#include <unordered_map>

#include "win/platform/dib_image.h"
#include "win/platform/handles.h"

namespace tav::win {

namespace {

struct KeyHash {
    std::size_t operator()(const SpriteKey& key) const noexcept {
        std::uint64_t h = 14695981039346656037ull;
        for (std::uint32_t word : key) {
            h ^= word;
            h *= 1099511628211ull;
        }
        return static_cast<std::size_t>(h ^ (h >> 32));
    }
};

} // namespace

// One size's pictures, a row each, in a 32-bit section that stays selected in its own context.
class SpriteStore::Sheet {
public:
    Sheet(int width, int height) : width_(width), height_(height) {}
    ~Sheet() {
        if (dc_ && old_)
            SelectObject(dc_.get(), old_);
    }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    bool fits(int width, int height) const { return width == width_ && height == height_; }

    bool open() {
        void* bits = nullptr;
        dc_.reset(CreateCompatibleDC(nullptr));
        if (!dc_)
            return false;
        section_ = createDibSection(dc_.get(), 2 * width_, -height_ * perSize, 32, bits);
        if (!section_)
            return false;
        old_ = SelectObject(dc_.get(), section_.get());
        return GetCurrentObject(dc_.get(), OBJ_BITMAP) == section_.get();
    }

    Sprite find(const SpriteKey& key) const {
        const auto found = rows_.find(key);
        return found == rows_.end() ? Sprite{} : at(found->second);
    }

    Sprite make(const SpriteKey& key, const Painter& paint) {
        // Full: the oldest row makes room.
        const int row = next_;
        next_ = (next_ + 1) % perSize;
        if (row < static_cast<int>(keys_.size()))
            rows_.erase(keys_[row]);
        else
            keys_.emplace_back();
        keys_[row] = key;
        const Sprite sprite = at(row);
        // On black the drawing shows its colours; on white as well, so a pixel is drawn exactly where the
        // two agree, and their difference is the mask.
        const RECT colours{0, sprite.y, width_, sprite.y + height_};
        const RECT mask{width_, sprite.y, 2 * width_, sprite.y + height_};
        FillRect(dc_.get(), &colours, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(dc_.get(), &mask, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        for (const RECT& cell : {colours, mask}) {
            // Whatever the painter leaves selected or set goes, and it cannot stray into other rows.
            const int saved = SaveDC(dc_.get());
            IntersectClipRect(dc_.get(), cell.left, cell.top, cell.right, cell.bottom);
            paint(dc_.get(), cell.left, cell.top);
            RestoreDC(dc_.get(), saved);
        }
        if (!BitBlt(dc_.get(), width_, sprite.y, width_, height_, dc_.get(), 0, sprite.y, SRCINVERT)) {
            keys_[row] = {};
            return {};
        }
        rows_[key] = row;
        return sprite;
    }

    std::size_t count() const { return rows_.size(); }

private:
    Sprite at(int row) const { return {dc_.get(), 0, row * height_, width_, height_}; }

    int width_;
    int height_;
    // The section must leave the context before either is deleted.
    Bitmap section_;
    MemoryDc dc_;
    HGDIOBJ old_ = nullptr;
    std::vector<SpriteKey> keys_;
    std::unordered_map<SpriteKey, int, KeyHash> rows_;
    int next_ = 0;
};

SpriteStore::SpriteStore() = default;
SpriteStore::~SpriteStore() = default;

Sprite SpriteStore::lookup(const SpriteKey& key, int width, int height) const {
    for (const auto& sheet : sheets_)
        if (sheet->fits(width, height))
            return sheet->find(key);
    return {};
}

Sprite SpriteStore::make(const SpriteKey& key, int width, int height, const Painter& paint) {
    if (width < 1 || height < 1 || width > maxSide || height > maxSide)
        return {};
    try {
        Sheet* sheet = nullptr;
        for (const auto& kept : sheets_)
            if (kept->fits(width, height))
                sheet = kept.get();
        if (!sheet) {
            auto made = std::make_unique<Sheet>(width, height);
            if (!made->open())
                return {};
            if (static_cast<int>(sheets_.size()) >= sizeLimit)
                sheets_.erase(sheets_.begin());
            sheets_.push_back(std::move(made));
            sheet = sheets_.back().get();
        }
        return sheet->make(key, paint);
    } catch (const std::bad_alloc&) {
        // The caller draws directly instead.
        return {};
    }
}

void SpriteStore::copy(HDC dc, int x, int y, const Sprite& sprite) {
    if (!sprite)
        return;
    BitBlt(dc, x, y, sprite.width, sprite.height, sprite.sheet, sprite.x + sprite.width, sprite.y, SRCAND);
    BitBlt(dc, x, y, sprite.width, sprite.height, sprite.sheet, sprite.x, sprite.y, SRCPAINT);
}

void SpriteStore::clear() {
    sheets_.clear();
}

std::size_t SpriteStore::pictureCount() const {
    std::size_t n = 0;
    for (const auto& sheet : sheets_)
        n += sheet->count();
    return n;
}

} // namespace tav::win
