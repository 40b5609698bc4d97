#pragma once
// The selection tool's floating piece: lifted out of the canvas picture with a rubber band or pasted, then
// moved, resized by its corner handles, centred or rotated until it is committed into the picture or
// dropped. Positions are picture pixels, right and bottom exclusive; the display is twelve times larger.
#include <windows.h>

#include <functional>

#include "win/platform/handles.h"

namespace tav::win {

class FloatingSelection {
public:
    enum State : int { none = 0, rubberBand = 1, floating = 0x10, moving = 0x11, resizing = 0x12 };
    enum Cursor : int { cross = 0, sizeAll = 1, diagonalDown = 2, diagonalUp = 3 };
    static constexpr int zoom = 12;

    // The picture is borrowed. change(true) comes before the picture changes (the undo snapshot) and
    // change(false) after it.
    FloatingSelection(HDC picture, int side, std::function<void(bool before)> change);
    ~FloatingSelection();
    FloatingSelection(const FloatingSelection&) = delete;
    FloatingSelection& operator=(const FloatingSelection&) = delete;

    int state() const { return state_; }
    bool hasPiece() const { return (state_ & floating) != 0; }
    const RECT& rectangle() const { return rect_; }
    RECT displayRectangle() const;
    RECT bandRectangle() const; // the rubber band in picture pixels
    POINT anchor() const { return anchor_; }
    POINT current() const { return current_; }
    Cursor cursorAt(POINT window) const;
    // Rebuilds the mask; false (and the piece dropped) when it cannot be made.
    bool setTransparency(bool enabled, COLORREF colour);

    // Mouse input of the selection tool; window is the canvas, for confining the cursor.
    void press(HWND window, POINT at);
    // True when something moved.
    bool move(POINT at);
    void release();

    void commit();
    void drop();
    // Without a piece the whole picture goes to the transparent colour, as one change.
    void erase();
    // The piece (opaque), or without one the whole picture, as a new bitmap.
    Bitmap copy() const;
    // A piece of a bitmap, scaled to width x height (at most the picture's side), becomes the floating piece
    // at the picture's top-left; false when it cannot be made.
    bool paste(HBITMAP bitmap, const RECT& piece, int width, int height);
    void centre();
    void rotate();
    // Moves the piece by whole pixels, without bound.
    void shift(int dx, int dy);
    // The piece where a commit would put it (the canvas's composition).
    void drawInto(HDC dc) const;
    // The frame and handles on the window (window pixels).
    void drawFrame(HDC dc) const;

private:
    bool makeFloating(HDC from, int x, int y, int width, int height);
    bool rebuildMask();
    void stretchPiece();
    int handleAt(POINT window) const;
    void confine(HWND window) const;
    void release(bool capture);

    HDC picture_;
    int side_;
    std::function<void(bool)> change_;
    int state_ = none;
    int handle_ = 0;
    bool transparent_ = false;
    COLORREF transparentColour_ = 0xFF000000;
    POINT anchor_{}, current_{}, last_{};
    RECT rect_{};
    int sourceWidth_ = 0, sourceHeight_ = 0;

    // A bitmap kept selected in a context of its own.
    struct Layer {
        Bitmap bitmap;
        MemoryDc dc;
        HGDIOBJ previous = nullptr;
        bool make(HDC reference, int width, int height, bool monochrome);
        void reset();
        ~Layer() { reset(); }
    };
    Layer source_; // the piece at the size it was lifted or pasted
    Layer image_;  // the piece at its present size, at the top-left
    Layer mask_;   // white where the image has the transparent colour
};

} // namespace tav::win
