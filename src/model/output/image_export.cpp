#include "model/output/image_export.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/app/file_error_text.h"
#include "model/document/map_document.h"
#include "model/platform/little_endian.h"
#include "model/view/map_layout.h"

namespace tav {

namespace {

constexpr int bandLeft = 40, bandTop = 28, bandRight = 24, bandBottom = 12;
constexpr int noBandLeft = 16, noBandTop = 16;
constexpr int mapLeftWithBand = 32, mapTopWithBand = 20, mapOffsetWithoutBand = 8;
constexpr int columnBandHeight = 20, rowBandWidth = 32;

// The drawing is a whole-map image with export margins on every side.
int drawingSide(int cells, int pitch) {
    return std::max(cells, 0) * pitch + 2 * map_view::exportMargin + 1;
}

int truncated(double value) {
    return static_cast<int>(value);
}

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    le::put32(out.data() + at, value);
}

// Appends the colour unless the list has it.
void addColour(std::vector<std::uint32_t>& list, std::uint32_t colour) {
    colour &= 0xFFFFFF;
    if (std::find(list.begin(), list.end(), colour) == list.end())
        list.push_back(colour);
}

template <int Side>
void addPictureColours(std::vector<std::uint32_t>& list, const RoomPicture<Side>& picture) {
    using P = RoomPicture<Side>;
    for (int y = 0; y < Side; ++y) {
        const std::uint8_t* row = picture.pixels.data() + y * P::stride;
        for (int x = 0; x < Side; ++x) {
            const std::uint8_t* bgr = row + 3 * x;
            addColour(list, std::uint32_t(bgr[2]) | std::uint32_t(bgr[1]) << 8 | std::uint32_t(bgr[0]) << 16);
        }
    }
}

} // namespace

bool validExportBits(int bits) {
    return bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int clampExportPercent(int percent) {
    return std::clamp(percent, image_export::minPercent, image_export::maxPercent);
}

double linearScale(int percent) {
    return std::sqrt(percent * 0.01);
}

PixelRect ExportGeometry::columnLabelBox(int i, bool bottomBand) const {
    const int c = wide ? 23 : 35;
    const int left = truncated((pitch * i + 5) * scale) + mapLeft;
    const int right = left + truncated(c * scale);
    if (bottomBand)
        return {left - labelWiden, height - columnBandHeight, right + labelWiden, height};
    return {left - labelWiden, 0, right + labelWiden, columnBandHeight};
}

PixelRect ExportGeometry::rowLabelBox(int j, bool rightBand) const {
    const int c = wide ? 23 : 35;
    const int top = truncated((pitch * j + 5) * scale) + mapTop;
    const int bottom = top + truncated(c * scale);
    if (rightBand)
        return {width - rowBandWidth, top, width, bottom};
    return {0, top, rowBandWidth, bottom};
}

ExportGeometry exportGeometry(int columns, int rows, const ExportOptions& o) {
    ExportGeometry g;
    g.wide = o.wide;
    g.pitch = mapPitch(o.wide);
    g.scale = linearScale(clampExportPercent(o.percent));
    g.mapWidth = drawingSide(columns, g.pitch);
    g.mapHeight = drawingSide(rows, g.pitch);
    g.scaledWidth = truncated(g.scale * g.mapWidth);
    g.scaledHeight = truncated(g.scale * g.mapHeight);
    g.width = g.scaledWidth + (o.leftBand ? bandLeft : noBandLeft) + (o.rightBand ? bandRight : 0);
    g.height = g.scaledHeight + (o.topBand ? bandTop : noBandTop) + (o.bottomBand ? bandBottom : 0);
    g.mapLeft = o.leftBand ? mapLeftWithBand : mapOffsetWithoutBand;
    g.mapTop = o.topBand ? mapTopWithBand : mapOffsetWithoutBand;
    g.rulerFontHeight = truncated((o.wide ? 5 : 7) + g.scale * 6);
    return g;
}

ExportGeometry printPictureGeometry(int columns, int rows, bool wide) {
    ExportOptions options;
    options.wide = wide;
    ExportGeometry g = exportGeometry(columns, rows, options);
    g.labelWiden = 0;
    return g;
}

std::uint64_t bmpRowBytes(int bits, int width) {
    return (std::uint64_t(bits) * std::uint64_t(std::max(width, 0)) + 31) / 32 * 4;
}

std::uint64_t bmpImageBytes(int bits, int width, int height) {
    return bmpRowBytes(bits, width) * std::uint64_t(std::max(height, 0));
}

std::uint64_t estimatedBmpFileSize(int bits, int width, int height) {
    const std::uint64_t headers = image_export::fileHeaderSize + image_export::infoHeaderSize;
    const std::uint64_t image = bmpImageBytes(bits, width, height);
    switch (bits) {
    case 4:
        return headers + image + 16 * 4;
    case 8:
        return headers + image + 256 * 4;
    default:
        return headers + image;
    }
}

const std::vector<std::uint32_t>& fixedSixteenColours() {
    static const std::vector<std::uint32_t> colours = [] {
        constexpr std::array<std::array<std::uint8_t, 3>, 16> rgb{{{0, 0, 0},
                                                                   {128, 0, 0},
                                                                   {0, 128, 0},
                                                                   {0, 0, 128},
                                                                   {128, 128, 0},
                                                                   {128, 0, 128},
                                                                   {0, 128, 128},
                                                                   {128, 128, 128},
                                                                   {192, 192, 192},
                                                                   {255, 0, 0},
                                                                   {0, 255, 0},
                                                                   {0, 0, 255},
                                                                   {255, 255, 0},
                                                                   {255, 0, 255},
                                                                   {0, 255, 255},
                                                                   {255, 255, 255}}};
        std::vector<std::uint32_t> list;
        for (const auto& c : rgb)
            list.push_back(std::uint32_t(c[0]) | std::uint32_t(c[1]) << 8 | std::uint32_t(c[2]) << 16);
        return list;
    }();
    return colours;
}

std::vector<std::uint32_t> exportColourTable(const MapDocument& document, bool wide, int bits) {
    if (bits != 4 && bits != 8)
        return {};
    std::vector<std::uint32_t> list{0x000000, 0x606060, 0xC8C8C8, 0xFFFFFF};

    // Items: backgrounds 0..7, walls 8..27, rooms 28..47; the most used give their colours first.
    constexpr int wallsFrom = backgroundCandidateCount, roomsFrom = wallsFrom + wallSlotCount;
    constexpr int itemCount = roomsFrom + roomSlotCount;
    std::array<std::uint64_t, itemCount> counts{};
    auto count = [&](int first, int slots, int number) {
        if (number >= 1 && number <= slots)
            ++counts[first + number - 1];
    };
    for (int row = 0; row < document.height(); ++row) {
        for (int column = 0; column < document.width(); ++column) {
            const Cell& cell = document.cell(column, row);
            count(0, backgroundCandidateCount, cell.background);
            count(wallsFrom, wallSlotCount, cell.horizontalWall);
            count(wallsFrom, wallSlotCount, cell.verticalWall);
            count(roomsFrom, roomSlotCount, cell.room);
        }
    }
    std::array<int, itemCount> order{};
    for (int i = 0; i < itemCount; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return counts[a] > counts[b]; });

    const MarkPalette& palette = document.palette();
    for (int item : order) {
        if (counts[item] == 0)
            break;
        if (item < wallsFrom) {
            addColour(list, palette.backgrounds[item]);
        } else if (item < roomsFrom) {
            const WallMarkRecord& wall = palette.walls[item - wallsFrom];
            // An absent shape colour is no colour of the picture.
            for (std::uint32_t colour : {wall.lineColor, wall.backFrameColor, wall.backFillColor,
                                         wall.frontFrameColor, wall.frontFillColor})
                if (colour != noColour)
                    addColour(list, colour);
        } else {
            const RoomMarkSlot& room = palette.rooms[item - roomsFrom];
            if (wide)
                addPictureColours(list, room.wideImage);
            else
                addPictureColours(list, room.normalImage);
        }
    }
    if (bits == 8) {
        if (list.size() > 256)
            list.resize(256);
        return list;
    }
    return list.size() <= 16 ? list : fixedSixteenColours();
}

std::vector<std::uint8_t> bmpInfo(int bits, int width, int height, const std::vector<std::uint32_t>& table) {
    std::vector<std::uint8_t> out(image_export::infoHeaderSize + 4 * table.size());
    put32(out, 0, image_export::infoHeaderSize);
    put32(out, 4, static_cast<std::uint32_t>(width));
    put32(out, 8, static_cast<std::uint32_t>(height)); // positive: rows bottom-up
    put16(out, 12, 1);
    put16(out, 14, static_cast<std::uint16_t>(bits));
    put32(out, 16, 0); // BI_RGB
    put32(out, 20, static_cast<std::uint32_t>(bmpImageBytes(bits, width, height)));
    put32(out, 32, static_cast<std::uint32_t>(table.size()));
    put32(out, 36, static_cast<std::uint32_t>(table.size()));
    std::size_t at = image_export::infoHeaderSize;
    for (std::uint32_t colour : table) {
        out[at++] = static_cast<std::uint8_t>(colour >> 16); // blue
        out[at++] = static_cast<std::uint8_t>(colour >> 8);
        out[at++] = static_cast<std::uint8_t>(colour);
        out[at++] = 0;
    }
    return out;
}

std::vector<std::uint8_t> bmpFileHeader(std::uint64_t infoBytes, std::uint64_t imageBytes) {
    std::vector<std::uint8_t> out(image_export::fileHeaderSize);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(image_export::fileHeaderSize + infoBytes + imageBytes));
    put32(out, 10, static_cast<std::uint32_t>(image_export::fileHeaderSize + infoBytes));
    return out;
}

FilePath temporaryBeside(const FilePath& target) {
    return target + u".~tmp";
}

bool writeFileWhole(FileSystem& files, const FilePath& target, FilePieces pieces, Prompter& prompter) {
    const FilePath aside = temporaryBeside(target);
    FileCause cause = FileCause::none;
    auto file = files.open(aside, OpenMode::create, cause);
    if (!file) {
        prompter.showMessage(fileErrorText(cause, target), msg::ok | msg::iconWarning);
        return false;
    }
    for (const auto& piece : pieces) {
        if (cause == FileCause::none && !piece.empty())
            cause = file->write(piece.data(), piece.size());
    }
    if (cause == FileCause::none)
        cause = file->flush();
    const FileCause closed = file->close();
    if (cause == FileCause::none)
        cause = closed;
    file.reset();
    if (cause == FileCause::none)
        cause = files.move(aside, target);
    if (cause != FileCause::none) {
        files.remove(aside);
        prompter.showMessage(fileErrorText(cause, target), msg::ok | msg::iconWarning);
        return false;
    }
    return true;
}

} // namespace tav
