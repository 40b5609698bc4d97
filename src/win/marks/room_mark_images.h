#pragma once
// Room marks as Windows draws them: each palette slot's two pictures as bitmaps, with the monochrome masks
// of their transparent colours. Built once when a picture is set or the palette changes, never while
// drawing.
#include <windows.h>

#include <array>
#include <cstdint>

#include "model/marks/mark_palette.h"
#include "win/platform/handles.h"

namespace tav::win {

// Makes mask a monochrome copy of picture: white where the picture has the transparent colour, black
// elsewhere. With transparent 0xFF000000 it does nothing and succeeds. False when a context or the bitmap
// cannot be made; the mask is then empty. reference may be null (the screen).
bool buildTransparencyMask(HDC reference, HBITMAP picture, COLORREF transparent, Bitmap& mask);

// A picture's drawing copies side by side in one 32-bit section that stays selected in its own memory
// context, so drawing makes no contexts: the picture, then with a mask the mask in black and white and the
// picture made black where the mask is white. image and mask stay unselected for other users.
class PictureSheet {
public:
    PictureSheet() = default;
    ~PictureSheet() { reset(); }
    PictureSheet(PictureSheet&& other) noexcept;
    PictureSheet& operator=(PictureSheet&& other) noexcept;

    // False when a context or the section cannot be made, or a copy fails; the sheet is then empty.
    bool make(HBITMAP image, HBITMAP mask, int side);
    void reset();

    HDC dc() const { return dc_.get(); }
    bool seeThrough() const { return seeThrough_; }

private:
    bool fill(HBITMAP image, HBITMAP mask, int side);

    // The section must leave the context before either is deleted.
    Bitmap section_;
    MemoryDc dc_;
    HGDIOBJ old_ = nullptr;
    bool seeThrough_ = false;
};

// One room mark's pictures, ready to draw.
class RoomMarkImage {
public:
    struct Picture {
        int side = 0;
        COLORREF transparent = noColour;
        Bitmap image; // 24-bit device-independent section
        Bitmap mask;  // only with a transparent colour
        PictureSheet sheet;
    };

    // Rebuilds everything from slot; an unregistered slot holds no bitmaps. False when a bitmap could not
    // be made (that picture then draws nothing, or opaque when only its mask is missing).
    bool set(const RoomMarkSlot& slot);
    void clear();

    bool registered() const { return registered_; }
    const Picture& normal() const { return normal_; }
    const Picture& wide() const { return wide_; }

private:
    bool registered_ = false;
    Picture normal_;
    Picture wide_;
};

// The room slots 1..20 of the current mark palette.
class RoomMarkImages {
public:
    // Whole palette (load, replacement); false when some bitmap could not be made.
    bool rebuild(const MarkPalette& palette);
    // One slot (registration from the editor); false for a slot outside 1..20 or a bitmap not made.
    bool set(int slot, const RoomMarkSlot& mark);
    // nullptr outside 1..20.
    const RoomMarkImage* find(int slot) const;

private:
    std::array<RoomMarkImage, roomSlotCount> slots_;
};

// Draws a room picture: the 23x23 one at (x+6, y+6) in normal view and at (x, y) in icon view, the 15x15
// one at (x+4, y+4) in wide view. With transparent set, pixels of the picture's transparent colour leave
// what is below; a picture without a transparent colour is always opaque.
void drawRoomMarkImage(HDC dc, int x, int y, const RoomMarkImage& image, int scale, bool transparent);

// The palette's room mark of slot 1..20; nothing for another slot number or an unregistered slot.
void drawRoomMark(HDC dc, int x, int y, const RoomMarkImages& images, int slot, int scale, bool transparent);

} // namespace tav::win
