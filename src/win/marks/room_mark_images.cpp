#include "win/marks/room_mark_images.h"

#include <cstring>
#include <utility>

#include "win/marks/mark_colour.h"
#include "win/marks/mark_drawing.h"
#include "win/platform/dib_image.h"

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
    void* bits = nullptr;
    out.image = createDibSection(nullptr, Side, Side, 24, bits); // bottom-up, as the slot keeps its rows
    if (!out.image)
        return false;
    std::memcpy(bits, source.pixels.data(), source.pixels.size());
    const bool masked = buildTransparencyMask(nullptr, out.image.get(), out.transparent, out.mask);
    return out.sheet.make(out.image.get(), out.mask.get(), Side) && masked;
}

struct Placement {
    int x;
    int y;
};

// Each scale's picture has the side it is drawn at (23, 15, 23), so every copy is one to one.
Placement placement(int x, int y, int scale) {
    switch (scale) {
    case mark_scale::normal:
        return {x + 6, y + 6};
    case mark_scale::wide:
        return {x + 4, y + 4};
    default:
        return {x, y};
    }
}

// D and not S: the picture's copy turns black where the mask is white.
constexpr DWORD destinationAndNotSource = 0x00220326;

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

PictureSheet::PictureSheet(PictureSheet&& other) noexcept
    : section_(std::move(other.section_)), dc_(std::move(other.dc_)),
      old_(std::exchange(other.old_, nullptr)), seeThrough_(std::exchange(other.seeThrough_, false)) {}

PictureSheet& PictureSheet::operator=(PictureSheet&& other) noexcept {
    if (this != &other) {
        reset();
        section_ = std::move(other.section_);
        dc_ = std::move(other.dc_);
        old_ = std::exchange(other.old_, nullptr);
        seeThrough_ = std::exchange(other.seeThrough_, false);
    }
    return *this;
}

void PictureSheet::reset() {
    if (dc_ && old_)
        SelectObject(dc_.get(), old_);
    old_ = nullptr;
    seeThrough_ = false;
    dc_.reset();
    section_.reset();
}

bool PictureSheet::make(HBITMAP image, HBITMAP mask, int side) {
    reset();
    if (fill(image, mask, side))
        return true;
    reset();
    return false;
}

bool PictureSheet::fill(HBITMAP image, HBITMAP mask, int side) {
    const int columns = mask ? 3 : 1;
    void* bits = nullptr;
    dc_.reset(CreateCompatibleDC(nullptr));
    MemoryDc source(CreateCompatibleDC(nullptr));
    if (!image || !dc_ || !source)
        return false;
    section_ = createDibSection(dc_.get(), side * columns, -side, 32, bits);
    if (!section_)
        return false;
    old_ = SelectObject(dc_.get(), section_.get());
    if (!selected(dc_.get(), section_.get(), OBJ_BITMAP))
        return false;
    bool copied = false;
    {
        SelectObjectScope imageIn(source.get(), image);
        copied = selected(source.get(), image, OBJ_BITMAP) &&
                 BitBlt(dc_.get(), 0, 0, side, side, source.get(), 0, 0, SRCCOPY);
    }
    if (copied && mask) {
        SelectObjectScope maskIn(source.get(), mask);
        // Monochrome to colour: 1 becomes the background colour, 0 the text colour.
        SetBkColor(dc_.get(), white);
        SetTextColor(dc_.get(), black);
        copied = selected(source.get(), mask, OBJ_BITMAP) &&
                 BitBlt(dc_.get(), side, 0, side, side, source.get(), 0, 0, SRCCOPY) &&
                 BitBlt(dc_.get(), 2 * side, 0, side, side, dc_.get(), 0, 0, SRCCOPY) &&
                 BitBlt(dc_.get(), 2 * side, 0, side, side, dc_.get(), side, 0, destinationAndNotSource);
    }
    seeThrough_ = copied && mask;
    return copied;
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
    const HDC sheet = picture.sheet.dc();
    if (!sheet)
        return;
    const Placement to = placement(x, y, scale);
    const int side = picture.side;
    // Without its mask a transparent picture can only be shown whole. A same-size stretch is a plain copy.
    if (!transparent || picture.transparent == noColour || !picture.sheet.seeThrough()) {
        BitBlt(dc, to.x, to.y, side, side, sheet, 0, 0, SRCCOPY);
        return;
    }
    // The mask clears the picture's place and keeps the rest; the picture, black elsewhere, fills it in.
    // Gives the same pixels as picture XOR, mask AND, picture XOR.
    BitBlt(dc, to.x, to.y, side, side, sheet, side, 0, SRCAND);
    BitBlt(dc, to.x, to.y, side, side, sheet, 2 * side, 0, SRCPAINT);
}

void drawRoomMark(HDC dc, int x, int y, const RoomMarkImages& images, int slot, int scale, bool transparent) {
    if (const RoomMarkImage* image = images.find(slot))
        drawRoomMarkImage(dc, x, y, *image, scale, transparent);
}

} // namespace tav::win
