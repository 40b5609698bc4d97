#include "win/marks/room_mark_images.h"

#include <cstring>
#include <utility>

#include "win/marks/mark_colour.h"
#include "win/marks/mark_drawing.h"

namespace tav::win {

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

// Whether a selection went in: SelectObjectScope does not say.
bool selected(HDC dc, HGDIOBJ object, int type) {
    return GetCurrentObject(dc, type) == object;
}

template <int Side> bool makePicture(const RoomPicture<Side>& source, RoomMarkImage::Picture& out) {
    out = {};
    out.side = Side;
    out.transparent = markColour(source.transparent);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Side;
    info.bmiHeader.biHeight = Side; // bottom-up, as the slot keeps its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    out.image.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!out.image || !bits) {
        out.image.reset();
        return false;
    }
    std::memcpy(bits, source.pixels.data(), source.pixels.size());
    return buildTransparencyMask(nullptr, out.image.get(), out.transparent, out.mask);
}

struct Placement {
    int x;
    int y;
    int size;
};

Placement placement(int x, int y, int scale) {
    switch (scale) {
    case mark_scale::normal:
        return {x + 6, y + 6, 23};
    case mark_scale::wide:
        return {x + 4, y + 4, 15};
    default:
        return {x, y, 23};
    }
}

void copyOpaque(HDC dc, const Placement& to, HDC source, int side) {
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    // HALFTONE stretching wants the brush origin at the destination.
    POINT oldOrigin{};
    SetBrushOrgEx(dc, to.x, to.y, &oldOrigin);
    StretchBlt(dc, to.x, to.y, to.size, to.size, source, 0, 0, side, side, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    if (oldMode)
        SetStretchBltMode(dc, oldMode);
}

// picture XOR, mask AND, picture XOR: white mask pixels give the destination back, black ones the picture.
void copyTransparent(HDC dc, const Placement& to, HDC source, HDC mask, int side) {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    // The mask turns into colours through the destination's colours: white for 1, and the text colour for
    // 0, which must be black for the AND to clear the picture's place.
    const COLORREF oldBackground = SetBkColor(dc, white);
    const COLORREF oldText = SetTextColor(dc, black);
    StretchBlt(dc, to.x, to.y, to.size, to.size, source, 0, 0, side, side, SRCINVERT);
    StretchBlt(dc, to.x, to.y, to.size, to.size, mask, 0, 0, side, side, SRCAND);
    StretchBlt(dc, to.x, to.y, to.size, to.size, source, 0, 0, side, side, SRCINVERT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBackground);
    if (oldMode)
        SetStretchBltMode(dc, oldMode);
}

} // namespace

bool buildTransparencyMask(HDC reference, HBITMAP picture, COLORREF transparent, Bitmap& mask) {
    if (transparent == noColour)
        return true;
    mask.reset();
    BITMAP shape{};
    if (!picture || !GetObjectW(picture, sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0)
        return false;
    Bitmap made(CreateBitmap(shape.bmWidth, shape.bmHeight, 1, 1, nullptr));
    MemoryDc pictureDc(CreateCompatibleDC(reference));
    MemoryDc maskDc(CreateCompatibleDC(reference));
    if (!made || !pictureDc || !maskDc)
        return false;
    {
        SelectObjectScope pictureIn(pictureDc.get(), picture);
        SelectObjectScope maskIn(maskDc.get(), made.get());
        if (!selected(pictureDc.get(), picture, OBJ_BITMAP) ||
            !selected(maskDc.get(), made.get(), OBJ_BITMAP))
            return false;
        // Colour to monochrome: the source's background colour becomes 1 (white), all else 0.
        SetBkColor(pictureDc.get(), transparent);
        if (!BitBlt(maskDc.get(), 0, 0, shape.bmWidth, shape.bmHeight, pictureDc.get(), 0, 0, SRCCOPY))
            return false;
    }
    mask = std::move(made);
    return true;
}

bool RoomMarkImage::set(const RoomMarkSlot& slot) {
    clear();
    if (!slot.registered)
        return true;
    registered_ = true;
    const bool normalMade = makePicture(slot.normalImage, normal_);
    const bool wideMade = makePicture(slot.wideImage, wide_);
    return normalMade && wideMade;
}

void RoomMarkImage::clear() {
    registered_ = false;
    normal_ = {};
    wide_ = {};
}

bool RoomMarkImages::rebuild(const MarkPalette& palette) {
    bool all = true;
    for (int i = 0; i < roomSlotCount; ++i)
        all = slots_[i].set(palette.rooms[i]) && all;
    return all;
}

bool RoomMarkImages::set(int slot, const RoomMarkSlot& mark) {
    if (slot < 1 || slot > roomSlotCount)
        return false;
    return slots_[slot - 1].set(mark);
}

const RoomMarkImage* RoomMarkImages::find(int slot) const {
    if (slot < 1 || slot > roomSlotCount)
        return nullptr;
    return &slots_[slot - 1];
}

void drawRoomMarkImage(HDC dc, int x, int y, const RoomMarkImage& image, int scale, bool transparent) {
    if (!dc || scale < mark_scale::normal || scale > mark_scale::icon || !image.registered())
        return;
    // The wide view has its own small picture; the 23x23 one is never shrunk.
    const RoomMarkImage::Picture& picture = scale == mark_scale::wide ? image.wide() : image.normal();
    if (!picture.image)
        return;
    const Placement to = placement(x, y, scale);
    MemoryDc source(CreateCompatibleDC(dc));
    if (!source)
        return;
    SelectObjectScope pictureIn(source.get(), picture.image.get());
    if (!selected(source.get(), picture.image.get(), OBJ_BITMAP))
        return;
    // Without its mask a transparent picture can only be shown whole.
    if (!transparent || picture.transparent == noColour || !picture.mask) {
        copyOpaque(dc, to, source.get(), picture.side);
        return;
    }
    MemoryDc mask(CreateCompatibleDC(dc));
    if (!mask)
        return;
    SelectObjectScope maskIn(mask.get(), picture.mask.get());
    if (!selected(mask.get(), picture.mask.get(), OBJ_BITMAP))
        return;
    copyTransparent(dc, to, source.get(), mask.get(), picture.side);
}

void drawRoomMark(HDC dc, int x, int y, const RoomMarkImages& images, int slot, int scale, bool transparent) {
    if (const RoomMarkImage* image = images.find(slot))
        drawRoomMarkImage(dc, x, y, *image, scale, transparent);
}

} // namespace tav::win
