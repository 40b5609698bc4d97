#pragma once
// Wall marks shown in dialogs: the preview control that draws one record on a white field, and the
// images of the thirteen shapes for the shape lists.
#include <windows.h>

#include "model/marks/wall_mark.h"
#include "win/app/background_chooser.h"

namespace tav::win {

class DrawingResourceCache;

// The record as a horizontal wall at normal view, centred in r on white.
void paintWallPreview(HDC dc, const RECT& r, const WallMarkRecord& record, DrawingResourceCache& cache);
// Where paintWallPreview puts the (x, y) of the wall routines in a preview of this size.
POINT wallPreviewOrigin(int width, int height);

// A subclassed static that paints a wall mark record.
class WallPreview {
public:
    explicit WallPreview(DrawingResourceCache& cache) : cache_(cache) {}
    ~WallPreview();
    WallPreview(const WallPreview&) = delete;
    WallPreview& operator=(const WallPreview&) = delete;

    bool attach(HWND control);
    void detach();
    HWND handle() const { return control_; }
    // Stores the record and repaints when it changed.
    void setRecord(const WallMarkRecord& record);
    const WallMarkRecord& record() const { return record_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);

    DrawingResourceCache& cache_;
    HWND control_ = nullptr;
    WallMarkRecord record_{noColour, noColour, noColour, noColour, noColour, 0, 0, 0, 0};
};

// The shape images: 27 x 15 each, in code order, the shape in black on a grey wall line; the rest is
// transparent. Empty when the list could not be made.
inline constexpr int wallShapeImageWidth = 27;
inline constexpr int wallShapeImageHeight = 15;
ImageList makeWallShapeImages(DrawingResourceCache& cache);

} // namespace tav::win
