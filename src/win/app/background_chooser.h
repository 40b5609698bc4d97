#pragma once
// The background chooser of the main window: an owner-drawn drop-down list of "none" and the eight
// background candidates, each shown as a 32x12 swatch from a 24-bit image list.
#include <windows.h>

#include <commctrl.h>

#include "model/marks/mark_palette.h"
#include "win/platform/handles.h"

namespace tav::win {

class DrawingResourceCache;

struct ImageListTraits {
    static HIMAGELIST invalid() { return nullptr; }
    static bool valid(HIMAGELIST h) { return h != nullptr; }
    static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};
using ImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;

class BackgroundChooser {
public:
    static constexpr int imageWidth = 32;
    static constexpr int imageHeight = 12;
    static constexpr int itemHeight = 15;

    explicit BackgroundChooser(DrawingResourceCache& cache) : cache_(cache) {}

    // The combo box must be an owner-drawn drop-down list with strings.
    void attach(HWND combo);
    // Builds the images of the candidates and fills the list; false when the image list could not be
    // made (the items are still there, drawn as plain numbers).
    bool rebuild(const BackgroundCandidates& candidates);
    // 0 none, 1..8 the candidates.
    void select(int item);
    int selected() const;

    // WM_MEASUREITEM and WM_DRAWITEM of the parent; true when the item was this combo box.
    bool measure(MEASUREITEMSTRUCT& item) const;
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    bool addImage(HDC reference, std::uint32_t candidate);

    DrawingResourceCache& cache_;
    HWND combo_ = nullptr;
    int controlId_ = 0;
    ImageList images_;
};

} // namespace tav::win
