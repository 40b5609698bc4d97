#include "model/marks/palette_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

namespace tav {
namespace {

struct Fault {
    int line;
    std::string message;
};

[[noreturn]] void fail(int line, std::string message) {
    throw Fault{line, std::move(message)};
}

std::string_view trim(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A character as a message shows it; bytes outside printable ASCII by their value.
std::string shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F)
        return std::string("'") + c + "'";
    char text[16];
    std::snprintf(text, sizeof text, "byte 0x%02X", byte);
    return text;
}

std::string rgbText(std::uint32_t colour) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "#RRGGBB" as a COLORREF word 0x00BBGGRR.
std::optional<std::uint32_t> parseRgb(std::string_view text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    std::uint32_t rgb = 0;
    for (char c : text.substr(1)) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
    }
    return (rgb >> 16) | (rgb & 0x00FF00) | (rgb & 0xFF) << 16;
}

// '#' starts a comment, '[' a section and '=' separates a key; none of them can name a colour.
bool canNameColour(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F && c != '#' && c != '[' && c != '=';
}

class Parser {
public:
    explicit Parser(MarkPalette& palette) : palette_(palette) {}

    void readLine(int number, std::string_view raw) {
        const std::string_view text = trim(raw);
        if (pictureSide_ != 0) {
            readRow(number, text);
            return;
        }
        if (text.empty() || text[0] == '#')
            return;
        if (text[0] == '[') {
            closeSection();
            openSection(number, text);
            return;
        }
        if (const auto equals = text.find('='); equals != std::string_view::npos) {
            readKey(number, trim(text.substr(0, equals)), trim(text.substr(equals + 1)));
            return;
        }
        if (text.back() == ':') {
            openPicture(number, trim(text.substr(0, text.size() - 1)));
            return;
        }
        fail(number, "expected a [section], a key = value line or a picture start (\"normal:\", \"wide:\")");
    }

    void finish(int lastLine) {
        if (pictureSide_ != 0)
            fail(lastLine, pictureName() + " has only " + std::to_string(rowsRead_) + " rows, " +
                               std::to_string(pictureSide_) + " needed");
        closeSection();
    }

private:
    enum class Section { none, colours, wall, room };

    void openSection(int number, std::string_view text) {
        const auto close = text.find(']');
        if (close == std::string_view::npos)
            fail(number, "section header without ']'");
        const std::string_view inside = trim(text.substr(1, close - 1));
        const auto space = inside.find_first_of(" \t");
        const std::string_view kind = inside.substr(0, space);
        const std::string_view slotText =
            space == std::string_view::npos ? std::string_view() : trim(inside.substr(space));
        keys_.clear();
        sectionLine_ = number;
        if (kind == "colours" && slotText.empty()) {
            section_ = Section::colours;
            return;
        }
        if (kind != "wall" && kind != "room")
            fail(number,
                 "unknown section \"" + std::string(inside) + "\" (expected colours, wall N or room N)");
        int slot = 0;
        if (slotText.empty() || slotText.size() > 2 ||
            !std::all_of(slotText.begin(), slotText.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            (slot = std::stoi(std::string(slotText))) < 1 || slot > 20)
            fail(number, "slot number must be 1..20 in \"" + std::string(inside) + "\"");
        slot_ = slot;
        if (kind == "wall") {
            section_ = Section::wall;
            if (std::exchange(wallSeen_[slot - 1], true))
                fail(number, "wall " + std::to_string(slot) + " is given twice");
            wall() = WallMarkRecord{};
            wall().registered = 1;
            wall().lineVisible = 1;
        } else {
            section_ = Section::room;
            if (std::exchange(roomSeen_[slot - 1], true))
                fail(number, "room " + std::to_string(slot) + " is given twice");
            room() = RoomMarkSlot{};
            normalRead_ = wideRead_ = false;
        }
    }

    void closeSection() {
        if (section_ == Section::room) {
            const std::string name = "room " + std::to_string(slot_);
            if (!normalRead_)
                fail(sectionLine_, name + " has no 23x23 picture (\"normal:\")");
            if (!wideRead_)
                fail(sectionLine_, name + " has no 15x15 picture (\"wide:\")");
            room().registered = true;
        }
        section_ = Section::none;
    }

    void readKey(int number, std::string_view key, std::string_view value) {
        if (section_ == Section::none)
            fail(number, "key \"" + std::string(key) + "\" outside a section");
        if (std::find(keys_.begin(), keys_.end(), key) != keys_.end())
            fail(number, "\"" + std::string(key) + "\" is given twice in this section");
        keys_.emplace_back(key);
        switch (section_) {
        case Section::colours:
            readLegend(number, key, value);
            break;
        case Section::wall:
            readWallKey(number, key, value);
            break;
        case Section::room:
            readRoomKey(number, key, value);
            break;
        case Section::none:
            break;
        }
    }

    void readLegend(int number, std::string_view key, std::string_view value) {
        if (key.size() != 1 || !canNameColour(key[0]))
            fail(number, "a colour is named by one printable character other than # [ =, not \"" +
                             std::string(key) + "\"");
        const auto colour = parseRgb(value);
        if (!colour)
            fail(number, "colour value must be #RRGGBB, not \"" + std::string(value) + "\"");
        auto& entry = legend_[static_cast<unsigned char>(key[0])];
        if (entry)
            fail(number, "colour " + shown(key[0]) + " is defined twice");
        // One character per colour, so a transparent colour cannot leak into another character's pixels.
        for (std::size_t c = 0; c < legend_.size(); ++c)
            if (legend_[c] == colour)
                fail(number,
                     "colour " + rgbText(*colour) + " is already named by " + shown(static_cast<char>(c)));
        entry = colour;
    }

    void readWallKey(int number, std::string_view key, std::string_view value) {
        WallMarkRecord& record = wall();
        if (key == "line") {
            const auto colour = parseRgb(value);
            if (!colour)
                fail(number, "line colour must be #RRGGBB, not \"" + std::string(value) + "\"");
            record.lineColor = *colour;
        } else if (key == "lineVisible") {
            if (value != "yes" && value != "no")
                fail(number, "lineVisible must be yes or no, not \"" + std::string(value) + "\"");
            record.lineVisible = value == "yes" ? 1 : 0;
        } else if (key == "back" || key == "front") {
            (key == "back" ? record.backShape : record.frontShape) = parseShape(number, value);
        } else if (key == "backFrame" || key == "backFill" || key == "frontFrame" || key == "frontFill") {
            std::uint32_t colour = noColour;
            if (value != "none") {
                const auto rgb = parseRgb(value);
                if (!rgb)
                    fail(number,
                         std::string(key) + " must be #RRGGBB or none, not \"" + std::string(value) + "\"");
                colour = *rgb;
            }
            (key == "backFrame"    ? record.backFrameColor
             : key == "backFill"   ? record.backFillColor
             : key == "frontFrame" ? record.frontFrameColor
                                   : record.frontFillColor) = colour;
        } else {
            fail(number,
                 "unknown wall key \"" + std::string(key) +
                     "\" (line, lineVisible, back, backFrame, backFill, front, frontFrame, frontFill)");
        }
    }

    static std::uint8_t parseShape(int number, std::string_view value) {
        for (std::size_t code = 0; code < wallShapeNames.size(); ++code)
            if (value == wallShapeNames[code] || value == std::to_string(code))
                return static_cast<std::uint8_t>(code);
        fail(number, "unknown shape \"" + std::string(value) + "\" (a name or 0..12)");
    }

    void readRoomKey(int number, std::string_view key, std::string_view value) {
        if (key != "normalTransparent" && key != "wideTransparent")
            fail(number,
                 "unknown room key \"" + std::string(key) + "\" (normalTransparent, wideTransparent)");
        std::uint32_t colour = noColour;
        if (value != "none") {
            if (value.size() != 1 || !legend_[static_cast<unsigned char>(value[0])])
                fail(number, std::string(key) + " must be a colour character of the legend or none, not \"" +
                                 std::string(value) + "\"");
            colour = *legend_[static_cast<unsigned char>(value[0])];
        }
        (key == "normalTransparent" ? room().normalImage.transparent : room().wideImage.transparent) = colour;
    }

    void openPicture(int number, std::string_view name) {
        if (section_ != Section::room)
            fail(number, "a picture belongs in a [room N] section");
        if (name != "normal" && name != "wide")
            fail(number, "unknown picture \"" + std::string(name) + "\" (normal or wide)");
        const bool normal = name == "normal";
        if (std::exchange(normal ? normalRead_ : wideRead_, true))
            fail(number, "room " + std::to_string(slot_) + " has two " + std::string(name) + " pictures");
        pictureSide_ = normal ? RoomPicture<23>::side : RoomPicture<15>::side;
        rowsRead_ = 0;
    }

    void readRow(int number, std::string_view row) {
        if (row.empty() || row[0] == '[' || row[0] == '#')
            fail(number, pictureName() + " has only " + std::to_string(rowsRead_) + " rows, " +
                             std::to_string(pictureSide_) + " needed");
        const std::string where = "row " + std::to_string(rowsRead_ + 1) + " of " + pictureName();
        if (row.size() != static_cast<std::size_t>(pictureSide_))
            fail(number, where + " has " + std::to_string(row.size()) + " characters, " +
                             std::to_string(pictureSide_) + " needed");
        for (int x = 0; x < pictureSide_; ++x) {
            const auto colour = legend_[static_cast<unsigned char>(row[x])];
            if (!colour)
                fail(number, where + ", column " + std::to_string(x + 1) + ": unknown colour character " +
                                 shown(row[x]));
            if (pictureSide_ == RoomPicture<23>::side)
                putPixel(room().normalImage, rowsRead_, x, *colour);
            else
                putPixel(room().wideImage, rowsRead_, x, *colour);
        }
        if (++rowsRead_ == pictureSide_)
            pictureSide_ = 0;
    }

    // Rows are stored bottom-up as blue, green, red.
    template <int Side>
    static void putPixel(RoomPicture<Side>& picture, int row, int x, std::uint32_t colour) {
        std::uint8_t* pixel = &picture.pixels[(Side - 1 - row) * RoomPicture<Side>::stride + x * 3];
        pixel[0] = static_cast<std::uint8_t>(colour >> 16);
        pixel[1] = static_cast<std::uint8_t>(colour >> 8);
        pixel[2] = static_cast<std::uint8_t>(colour);
    }

    std::string pictureName() const {
        const std::string side = std::to_string(pictureSide_);
        return "the " + side + "x" + side + " picture of room " + std::to_string(slot_);
    }

    WallMarkRecord& wall() { return palette_.walls[slot_ - 1]; }
    RoomMarkSlot& room() { return palette_.rooms[slot_ - 1]; }

    MarkPalette& palette_;
    std::array<std::optional<std::uint32_t>, 256> legend_{}; // by byte value
    std::array<bool, wallSlotCount> wallSeen_{};
    std::array<bool, roomSlotCount> roomSeen_{};
    Section section_ = Section::none;
    int slot_ = 0;
    int sectionLine_ = 0;
    std::vector<std::string> keys_;
    bool normalRead_ = false;
    bool wideRead_ = false;
    int pictureSide_ = 0; // nonzero while a picture's rows are being read
    int rowsRead_ = 0;
};

} // namespace

std::optional<PaletteTextError> parsePaletteText(std::string_view text, MarkPalette& palette) {
    MarkPalette parsed;
    Parser parser(parsed);
    int number = 0;
    try {
        std::size_t start = 0;
        while (start < text.size()) {
            const auto end = std::min(text.find('\n', start), text.size());
            parser.readLine(++number, text.substr(start, end - start));
            start = end + 1;
        }
        parser.finish(number);
    } catch (const Fault& fault) {
        return PaletteTextError{fault.line, fault.message};
    }
    palette = parsed;
    return std::nullopt;
}

} // namespace tav
