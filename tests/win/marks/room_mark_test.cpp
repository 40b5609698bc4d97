// Room pictures, opaque and through their transparency masks, at the places of the three scales.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/room_mark_images.h"

namespace tav::win {
namespace {

using test::cream;
using test::DibCanvas;

constexpr COLORREF magenta = RGB(255, 0, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF green = RGB(0, 160, 0);

struct Spot {
    RECT area; // picture coordinates, top row 0
    COLORREF colour;
};

// A picture of one ground colour with spots on it, stored bottom-up as the slot keeps it.
template <int Side>
RoomPicture<Side> pictureOf(COLORREF ground, std::vector<Spot> spots, std::uint32_t transparent) {
    RoomPicture<Side> p;
    p.transparent = transparent;
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            COLORREF c = ground;
            for (const Spot& s : spots)
                if (x >= s.area.left && x < s.area.right && y >= s.area.top && y < s.area.bottom)
                    c = s.colour;
            std::uint8_t* px = &p.pixels[(Side - 1 - y) * RoomPicture<Side>::stride + x * 3];
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
        }
    return p;
}

template <int Side> COLORREF pixelOf(const RoomPicture<Side>& p, int x, int y) {
    const std::uint8_t* px = &p.pixels[(Side - 1 - y) * RoomPicture<Side>::stride + x * 3];
    return RGB(px[2], px[1], px[0]);
}

// The 23x23 picture: a red square with a blue top-left corner on magenta; the 15x15 one: a yellow square
// with a blue top-right corner on magenta. Magenta is the transparent colour of both unless told otherwise.
RoomMarkSlot makeSlot(std::uint32_t normalTransparent = magenta, std::uint32_t wideTransparent = magenta) {
    RoomMarkSlot slot;
    slot.registered = true;
    slot.normalImage =
        pictureOf<23>(magenta, {{{9, 9, 14, 14}, red}, {{0, 0, 1, 1}, blue}}, normalTransparent);
    slot.wideImage =
        pictureOf<15>(magenta, {{{6, 6, 9, 9}, yellow}, {{14, 0, 15, 1}, blue}}, wideTransparent);
    return slot;
}

class RoomMark : public ::testing::Test {
protected:
    static constexpr int ox = 10, oy = 10;

    void SetUp() override {
        palette.rooms[0] = makeSlot();
        palette.rooms[1] = makeSlot(noColour, magenta);
        palette.rooms[19] = makeSlot();
        palette.rooms[5] = makeSlot();
        palette.rooms[5].registered = false;
        ASSERT_TRUE(images.rebuild(palette));
    }

    // Differences between the canvas at (left, top) and the picture, seen through its transparent colour
    // or not; every pixel around the picture must still be cream.
    template <int Side>
    std::string mismatches(const RoomPicture<Side>& p, int left, int top, bool throughTransparent) const {
        std::string out;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                COLORREF want = cream;
                if (x >= left && x < left + Side && y >= top && y < top + Side) {
                    want = pixelOf(p, x - left, y - top);
                    if (throughTransparent && want == p.transparent)
                        want = cream;
                }
                if (canvas.at(x, y) != want && out.size() < 200)
                    out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
            }
        return out;
    }
    void clear() { canvas.paint({0, 0, canvas.width(), canvas.height()}, cream); }

    DibCanvas canvas{60, 60, cream};
    MarkPalette palette;
    RoomMarkImages images;
};

TEST_F(RoomMark, EachScaleDrawsItsOwnPictureAtItsPlace) {
    ASSERT_TRUE(canvas.ready());
    auto check = [&](int slot, int scale, bool transparent, const auto& picture, int left, int top,
                     bool seeThrough) {
        clear();
        drawRoomMark(canvas.dc(), ox, oy, images, slot, scale, transparent);
        EXPECT_EQ(mismatches(picture, left, top, seeThrough), "")
            << "slot " << slot << " scale " << scale << " transparent " << transparent;
    };
    const RoomMarkSlot& one = palette.rooms[0];
    check(1, mark_scale::normal, false, one.normalImage, ox + 6, oy + 6, false);
    check(1, mark_scale::normal, true, one.normalImage, ox + 6, oy + 6, true);
    check(1, mark_scale::wide, false, one.wideImage, ox + 4, oy + 4, false);
    check(1, mark_scale::wide, true, one.wideImage, ox + 4, oy + 4, true);
    check(20, mark_scale::icon, false, one.normalImage, ox, oy, false);
    check(20, mark_scale::icon, true, one.normalImage, ox, oy, true);
    // Slot 2: the 23x23 picture has no transparent colour, the 15x15 one has.
    const RoomMarkSlot& two = palette.rooms[1];
    check(2, mark_scale::normal, true, two.normalImage, ox + 6, oy + 6, false);
    check(2, mark_scale::wide, true, two.wideImage, ox + 4, oy + 4, true);
}

TEST_F(RoomMark, TransparencyHoldsWhateverTextColourTheContextHas) {
    SetTextColor(canvas.dc(), green);
    SetBkColor(canvas.dc(), yellow);
    SetStretchBltMode(canvas.dc(), BLACKONWHITE);
    drawRoomMark(canvas.dc(), ox, oy, images, 1, mark_scale::normal, true);
    EXPECT_EQ(mismatches(palette.rooms[0].normalImage, ox + 6, oy + 6, true), "");
    EXPECT_EQ(GetTextColor(canvas.dc()), green);
    EXPECT_EQ(GetBkColor(canvas.dc()), yellow);
    EXPECT_EQ(GetStretchBltMode(canvas.dc()), BLACKONWHITE);
    drawRoomMark(canvas.dc(), ox, oy, images, 1, mark_scale::wide, false);
    EXPECT_EQ(GetStretchBltMode(canvas.dc()), BLACKONWHITE);
}

TEST_F(RoomMark, BadSlotsAndScalesDrawNothing) {
    for (int slot : {0, 21, -3, 6, 7})
        for (int scale : {mark_scale::normal, mark_scale::wide, mark_scale::icon})
            drawRoomMark(canvas.dc(), ox, oy, images, slot, scale, true);
    for (int scale : {-1, 3})
        drawRoomMark(canvas.dc(), ox, oy, images, 1, scale, false);
    drawRoomMark(nullptr, ox, oy, images, 1, mark_scale::normal, false);
    EXPECT_EQ(canvas.snapshot(), DibCanvas(60, 60, cream).snapshot());
    EXPECT_EQ(images.find(0), nullptr);
    EXPECT_EQ(images.find(21), nullptr);
    EXPECT_FALSE(images.set(21, makeSlot()));
}

TEST_F(RoomMark, ImagesFollowTheSlotTheyAreGiven) {
    // Until told, the images keep what they were built from.
    palette.rooms[0].normalImage = pictureOf<23>(green, {}, noColour);
    drawRoomMark(canvas.dc(), ox, oy, images, 1, mark_scale::icon, true);
    EXPECT_EQ(canvas.at(ox + 11, oy + 11), red);
    ASSERT_TRUE(images.set(1, palette.rooms[0]));
    drawRoomMark(canvas.dc(), ox, oy, images, 1, mark_scale::icon, true);
    EXPECT_EQ(mismatches(palette.rooms[0].normalImage, ox, oy, false), "");

    ASSERT_TRUE(images.set(1, RoomMarkSlot{}));
    clear();
    drawRoomMark(canvas.dc(), ox, oy, images, 1, mark_scale::icon, false);
    EXPECT_EQ(canvas.snapshot(), DibCanvas(60, 60, cream).snapshot()) << "unregistered now";
}

// Every bit pattern of picture and ground must come through: a see-through pixel keeps the ground exactly,
// any other pixel is the picture's, whatever the ground (black, white, the transparent colour itself).
TEST(RoomMarkGround, SeeThroughPixelsKeepAnyGroundBitForBit) {
    constexpr COLORREF key = RGB(0x5A, 0xA5, 0x3C);
    RoomMarkSlot slot;
    slot.registered = true;
    slot.normalImage = pictureOf<23>(RGB(255, 255, 255), {}, key);
    slot.wideImage = pictureOf<15>(RGB(0, 0, 0), {}, key);
    // Varied bits in every channel, with the transparent colour on a diagonal.
    auto paint = [&](auto& picture, int side) {
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                std::uint8_t* px = &picture.pixels[(side - 1 - y) * picture.stride + x * 3];
                const COLORREF c = x == y ? key : RGB(x * 37 + y, y * 53 ^ x * 7, (x * y * 29) & 0xFF);
                px[0] = GetBValue(c);
                px[1] = GetGValue(c);
                px[2] = GetRValue(c);
            }
    };
    paint(slot.normalImage, 23);
    paint(slot.wideImage, 15);
    RoomMarkImage image;
    ASSERT_TRUE(image.set(slot));

    const COLORREF grounds[] = {RGB(0, 0, 0), RGB(255, 255, 255), key, RGB(0x12, 0x34, 0x56),
                                RGB(0xA5, 0x5A, 0xC3)};
    DibCanvas canvas(30, 30);
    for (const int scale : {mark_scale::normal, mark_scale::wide, mark_scale::icon})
        for (const COLORREF ground : grounds) {
            canvas.paint({0, 0, 30, 30}, ground);
            drawRoomMarkImage(canvas.dc(), 0, 0, image, scale, true);
            const int offset = scale == mark_scale::normal ? 6 : scale == mark_scale::wide ? 4 : 0;
            const int side = scale == mark_scale::wide ? 15 : 23;
            std::string wrong;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 30; ++x) {
                    COLORREF want = ground;
                    if (x >= offset && x < offset + side && y >= offset && y < offset + side) {
                        const COLORREF p = scale == mark_scale::wide
                                               ? pixelOf(slot.wideImage, x - offset, y - offset)
                                               : pixelOf(slot.normalImage, x - offset, y - offset);
                        want = p == key ? ground : p;
                    }
                    if (canvas.at(x, y) != want && wrong.size() < 200)
                        wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
                }
            EXPECT_EQ(wrong, "") << "scale " << scale << " ground " << std::hex << ground;
        }
}

TEST(RoomMarkMask, WhiteWhereThePictureHasTheTransparentColour) {
    RoomMarkImage image;
    ASSERT_TRUE(image.set(makeSlot(red, noColour)));
    EXPECT_FALSE(image.wide().mask) << "no mask without a transparent colour";
    const Bitmap& mask = image.normal().mask;
    ASSERT_TRUE(mask);
    BITMAP shape{};
    ASSERT_TRUE(GetObjectW(mask.get(), sizeof shape, &shape));
    EXPECT_EQ(shape.bmBitsPixel, 1);
    EXPECT_EQ(shape.bmWidth, 23);
    EXPECT_EQ(shape.bmHeight, 23);

    DibCanvas read(23, 23);
    MemoryDc maskDc(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(maskDc.get(), mask.get());
    SetTextColor(read.dc(), RGB(0, 0, 0));
    SetBkColor(read.dc(), RGB(255, 255, 255));
    BitBlt(read.dc(), 0, 0, 23, 23, maskDc.get(), 0, 0, SRCCOPY);
    SelectObject(maskDc.get(), old);
    std::string wrong;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 23; ++x) {
            const bool inSquare = x >= 9 && x < 14 && y >= 9 && y < 14; // the red square
            if (read.at(x, y) != (inSquare ? RGB(255, 255, 255) : RGB(0, 0, 0)))
                wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
        }
    EXPECT_EQ(wrong, "");

    Bitmap untouched;
    EXPECT_TRUE(buildTransparencyMask(nullptr, image.normal().image.get(), noColour, untouched));
    EXPECT_FALSE(untouched);
    EXPECT_FALSE(buildTransparencyMask(nullptr, nullptr, red, untouched));
}

} // namespace
} // namespace tav::win
