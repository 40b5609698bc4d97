#include "model/marks/palette_text.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/document/palette_block.h"

namespace tav {
namespace {

// COLORREF of the pixel at column x, row y counted from the top.
template <int Side> std::uint32_t pixelAt(const RoomPicture<Side>& picture, int x, int y) {
    const std::uint8_t* p = &picture.pixels[(Side - 1 - y) * RoomPicture<Side>::stride + x * 3];
    return p[2] | p[1] << 8 | p[0] << 16;
}

std::string rows(int side, char fill, int count = -1) {
    std::string text;
    for (int y = 0; y < (count < 0 ? side : count); ++y)
        text += std::string(side, fill) + "\n";
    return text;
}

const std::string legend = "[colours]\n. = #FFFFFF\nK = #000000\nr = #FF8000\n";

std::string room(int slot, const std::string& body) {
    return "[room " + std::to_string(slot) + "] test\n" + body;
}

std::string fullRoom(int slot) {
    return room(slot, "normal:\n" + rows(23, '.') + "wide:\n" + rows(15, 'K'));
}

TEST(PaletteText, SampleFillsWallRecordsAndPictures) {
    std::string normal = rows(23, '.');
    normal[0] = 'K';            // top-left
    normal[22 * 24 + 22] = 'r'; // bottom-right
    normal[1 * 24 + 2] = 'r';   // column 2 of row 1
    const std::string text = "# comment\n\r\n" + legend +
                             "[wall 3] door\n"
                             "line = #102030\n"
                             "lineVisible = no\n"
                             "back = rectangle\n"
                             "backFrame = #000000\n"
                             "backFill = none\n"
                             "front = 12\n"
                             "frontFrame = #FF0000\n"
                             "frontFill = #00ff00\n"
                             "[wall 20]\n" +
                             room(7, "  normalTransparent = .\r\nwideTransparent = none\nnormal:\n" + normal +
                                         "wide:\n" + rows(15, 'r'));
    MarkPalette palette;
    ASSERT_EQ(parsePaletteText(text, palette), std::nullopt);

    const WallMarkRecord& door = palette.walls[2];
    EXPECT_EQ(door.registered, 1);
    EXPECT_EQ(door.lineColor, 0x302010u) << "text is #RRGGBB, the record holds 0x00BBGGRR";
    EXPECT_EQ(door.lineVisible, 0);
    EXPECT_EQ(door.backShape, 1);
    EXPECT_EQ(door.backFrameColor, 0u);
    EXPECT_EQ(door.backFillColor, noColour);
    EXPECT_EQ(door.frontShape, 12);
    EXPECT_EQ(door.frontFrameColor, 0x0000FFu);
    EXPECT_EQ(door.frontFillColor, 0x00FF00u);

    const WallMarkRecord bare{0, noColour, noColour, noColour, noColour, 1, 1, 0, 0};
    EXPECT_EQ(palette.walls[19], bare) << "an empty section is a visible black line";

    const RoomMarkSlot& slot = palette.rooms[6];
    EXPECT_TRUE(slot.registered);
    EXPECT_EQ(slot.normalImage.transparent, 0xFFFFFFu);
    EXPECT_EQ(slot.wideImage.transparent, noColour);
    EXPECT_EQ(pixelAt(slot.normalImage, 0, 0), 0u);
    EXPECT_EQ(pixelAt(slot.normalImage, 22, 22), 0x0080FFu);
    EXPECT_EQ(pixelAt(slot.normalImage, 2, 1), 0x0080FFu);
    EXPECT_EQ(pixelAt(slot.normalImage, 1, 2), 0xFFFFFFu);
    // Bottom-up, blue first: the top-left pixel is in the last stored row.
    EXPECT_EQ(slot.normalImage.pixels[0], 0xFF);
    EXPECT_EQ(slot.normalImage.pixels[66], 0x00);
    EXPECT_EQ(slot.normalImage.pixels[67], 0x80);
    for (int row = 0; row < 23; ++row)
        for (int pad = 69; pad < 72; ++pad)
            EXPECT_EQ(slot.normalImage.pixels[row * 72 + pad], 0) << "padding stays zero";
    EXPECT_EQ(pixelAt(slot.wideImage, 14, 14), 0x0080FFu);

    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(palette.walls[i].registered != 0, i == 2 || i == 19) << "wall " << i + 1;
        EXPECT_EQ(palette.rooms[i].registered, i == 6) << "room " << i + 1;
    }
    EXPECT_EQ(palette.backgrounds, defaultBackgroundCandidates());
}

TEST(PaletteText, ShapesByNameAndCode) {
    for (int code = 0; code < 13; ++code) {
        for (const std::string& value : {std::string(wallShapeNames[code]), std::to_string(code)}) {
            MarkPalette palette;
            ASSERT_EQ(parsePaletteText("[wall 1]\nfront = " + value + "\n", palette), std::nullopt) << value;
            EXPECT_EQ(palette.walls[0].frontShape, code) << value;
        }
    }
}

struct BadText {
    const char* what;
    std::string text;
    int line;
    std::string message; // a part of the message
};

TEST(PaletteText, FaultsNameTheirLine) {
    const std::string header = legend + "[room 2]\nnormal:\n"; // picture rows start on line 7
    std::string shortRow = rows(23, '.');
    shortRow.erase(3 * 24, 1);
    std::string strangeColour = rows(23, '.');
    strangeColour[4 * 24 + 5] = 'Q';
    std::string highByte = rows(23, '.');
    highByte[0] = '\xE9';
    const std::vector<BadText> cases = {
        {"row too short", header + shortRow + "wide:\n" + rows(15, '.'), 10,
         "row 4 of the 23x23 picture of room 2 has 22"},
        {"row too long", legend + room(2, "normal:\n" + rows(23, '.') + "wide:\n" + rows(16, '.', 1)), 31,
         "row 1 of the 15x15 picture of room 2 has 16"},
        {"unknown colour", header + strangeColour + "wide:\n" + rows(15, '.'), 11,
         "row 5 of the 23x23 picture of room 2, column 6: unknown colour character 'Q'"},
        {"byte outside ASCII", header + highByte, 7, "unknown colour character byte 0xE9"},
        {"missing wide picture", legend + room(2, "normal:\n" + rows(23, '.')) + fullRoom(3), 5,
         "room 2 has no 15x15 picture"},
        {"missing normal picture", legend + "\n" + room(9, "wide:\n" + rows(15, '.')), 6,
         "room 9 has no 23x23 picture"},
        {"picture cut by a section", header + rows(23, '.', 20) + "[wall 1]\n", 27,
         "the 23x23 picture of room 2 has only 20 rows, 23 needed"},
        {"picture cut by a blank line", header + rows(23, '.', 5) + "\n" + rows(23, '.', 18), 12,
         "only 5 rows"},
        {"picture cut by the end", header + rows(23, '.', 22), 28, "only 22 rows"},
        {"two normal pictures", legend + room(4, "normal:\n" + rows(23, '.') + "normal:\n"), 30,
         "room 4 has two normal pictures"},
        {"unknown picture", legend + room(4, "big:\n"), 6, "unknown picture \"big\""},
        {"picture outside a room", "[wall 1]\nnormal:\n", 2, "picture belongs in a [room N]"},
        {"slot given twice", legend + fullRoom(5) + fullRoom(5), 46, "room 5 is given twice"},
        {"wall given twice", "[wall 20]\n[wall 20]\n", 2, "wall 20 is given twice"},
        {"slot 0", "[wall 0]\n", 1, "slot number must be 1..20"},
        {"slot not a number", "\n[wall x1]\n", 2, "slot number must be 1..20"},
        {"unknown section", "[walls 1]\n", 1, "unknown section"},
        {"unclosed header", "[wall 1\n", 1, "without ']'"},
        {"key outside a section", "line = #000000\n", 1, "outside a section"},
        {"unknown wall key", "[wall 1]\ncolour = #000000\n", 2, "unknown wall key \"colour\""},
        {"key twice", "[wall 1]\nback = none\nback = cross\n", 3, "\"back\" is given twice"},
        {"shape 13", "[wall 1]\nfront = 13\n", 2, "unknown shape \"13\""},
        {"colour without #", "[wall 1]\nline = 102030\n", 2, "must be #RRGGBB"},
        {"colour with a bad digit", "[wall 1]\nbackFill = #10203G\n", 2, "must be #RRGGBB or none"},
        {"lineVisible", "[wall 1]\nlineVisible = 1\n", 2, "yes or no"},
        {"legend name too long", "[colours]\nab = #000000\n", 2, "one printable character"},
        {"colour defined twice", "[colours]\na = #000000\na = #000001\n", 3, "is given twice"},
        {"colour named twice", "[colours]\na = #0000FF\nb = #0000ff\n", 3, "#0000FF is already named by 'a'"},
        {"transparent not in legend", legend + room(1, "normalTransparent = x\n"), 6,
         "colour character of the legend"},
        {"unknown room key", legend + room(1, "transparent = .\n"), 6, "unknown room key"},
        {"stray text", "[wall 1]\nhello\n", 2, "expected a [section]"},
    };
    for (const BadText& bad : cases) {
        MarkPalette palette;
        palette.walls[0].lineColor = 0x123456;
        const MarkPalette before = palette;
        const auto error = parsePaletteText(bad.text, palette);
        ASSERT_TRUE(error) << bad.what;
        EXPECT_EQ(error->line, bad.line) << bad.what << ": " << error->describe();
        EXPECT_NE(error->message.find(bad.message), std::string::npos)
            << bad.what << ": " << error->describe();
        EXPECT_EQ(palette, before) << bad.what << ": a failed parse leaves the palette alone";
    }
}

std::string readBasePalette() {
    std::ifstream in(TAVROSIN_SOURCE_DIR "/data/base_palette.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(PaletteText, EveryPrefixOfTheBasePaletteParsesOrFails) {
    const std::string text = readBasePalette();
    ASSERT_FALSE(text.empty());
    // Cut anywhere inside lines too: the parser must answer, never crash or read past the end.
    for (std::size_t size = 1; size < text.size(); size += 29) {
        const std::string_view prefix = std::string_view(text).substr(0, size);
        const auto lines =
            static_cast<int>(std::count(prefix.begin(), prefix.end(), '\n') + (prefix.back() != '\n'));
        MarkPalette palette;
        if (const auto error = parsePaletteText(prefix, palette)) {
            EXPECT_GE(error->line, 1) << size;
            EXPECT_LE(error->line, lines) << size;
        }
    }
}

class BasePalette : public testing::Test {
protected:
    void SetUp() override {
        const auto error = parsePaletteText(readBasePalette(), palette);
        ASSERT_EQ(error, std::nullopt) << error->describe();
    }
    MarkPalette palette;
};

TEST_F(BasePalette, FillsEverySlotWithADistinctMark) {
    std::set<std::vector<std::uint8_t>> walls;
    std::set<std::vector<std::uint8_t>> rooms;
    for (int i = 0; i < 20; ++i) {
        const WallMarkRecord& wall = palette.walls[i];
        EXPECT_NE(wall.registered, 0) << "wall " << i + 1;
        EXPECT_LE(wall.backShape, 12) << "wall " << i + 1;
        EXPECT_LE(wall.frontShape, 12) << "wall " << i + 1;
        EXPECT_TRUE(wall.lineVisible || wall.backShape || wall.frontShape)
            << "wall " << i + 1 << " draws nothing";
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&wall);
        EXPECT_TRUE(walls.emplace(bytes, bytes + sizeof wall).second)
            << "wall " << i + 1 << " repeats another";

        const RoomMarkSlot& room = palette.rooms[i];
        EXPECT_TRUE(room.registered) << "room " << i + 1;
        EXPECT_TRUE(rooms.emplace(room.normalImage.pixels.begin(), room.normalImage.pixels.end()).second)
            << "room " << i + 1 << " repeats another";
        EXPECT_TRUE(rooms.emplace(room.wideImage.pixels.begin(), room.wideImage.pixels.end()).second)
            << "room " << i + 1 << " repeats another";
    }
    EXPECT_EQ(palette.backgrounds, defaultBackgroundCandidates());
}

TEST_F(BasePalette, WhiteShowsTheCellThroughAndOnlyWhite) {
    for (const RoomMarkSlot& room : palette.rooms) {
        EXPECT_EQ(room.normalImage.transparent, 0xFFFFFFu);
        EXPECT_EQ(room.wideImage.transparent, 0xFFFFFFu);
    }
    const RoomMarkSlot& stairsUp = palette.rooms[0];
    EXPECT_EQ(pixelAt(stairsUp.normalImage, 0, 22), 0xFFFFFFu) << "the corner shows the map";
    EXPECT_NE(pixelAt(stairsUp.normalImage, 19, 15), 0xFFFFFFu) << "the staircase itself is solid";
    const RoomMarkSlot& darkness = palette.rooms[8];
    EXPECT_EQ(pixelAt(darkness.normalImage, 0, 0), 0xFFFFFFu) << "rounded corner";
    EXPECT_EQ(pixelAt(darkness.normalImage, 1, 1), 0x302424u);
    EXPECT_EQ(pixelAt(darkness.wideImage, 13, 13), 0x302424u);
    const RoomMarkSlot& message = palette.rooms[14];
    EXPECT_EQ(pixelAt(message.normalImage, 3, 8), 0xFCFCFCu) << "the bubble is opaque white, not the map";
    EXPECT_EQ(pixelAt(message.wideImage, 3, 5), 0xFCFCFCu);
    const RoomMarkSlot& pit = palette.rooms[4];
    EXPECT_EQ(pixelAt(pit.normalImage, 11, 12), 0u);
    EXPECT_EQ(pixelAt(pit.wideImage, 7, 8), 0u);
}

TEST_F(BasePalette, SurvivesThePaletteFile) {
    MarkPalette read;
    ASSERT_TRUE(decodePaletteFile(encodePaletteFile(palette, PaletteKind::base), PaletteKind::base, read));
    EXPECT_EQ(read, palette);
}

} // namespace
} // namespace tav
