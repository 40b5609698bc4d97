// Makes the sample maps of DATA from their readable drawings (data/samples/*.txt), through the editor's
// own document, palette and map file code, so a sample is what the editor would save.
//
//   make_sample_maps BASE_PALETTE DRAWING... OUTPUT_FOLDER
//
// A drawing (UTF-8; '#' starts a comment line):
//   size W H          the map size (first)
//   grid              then 2H+1 lines: wall lines "+--+..." and cell lines "|Ub|..." in turn. A wall
//                     segment is two characters and a cell is a room character and a background digit.
//                     The last wall line and the last '|' of each cell line are the map's closing border:
//                     they must repeat the first ones, since the map wraps around.
//   backgrounds C1 .. C8
//                     the eight background candidates as 0x00BBGGRR (fill pattern in the top byte)
//   comment C R W H AX AY TEXT
//                     a comment area over W x H cells from cell (C, R), its pointer at the centre of cell
//                     (AX, AY) (AX = -1: no pointer); "\n" in TEXT breaks the line.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/document/palette_block.h"
#include "model/platform/unicode.h"
#include "win/document/halftone_picture_converter.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace {

using namespace tav;

class ConsolePrompter : public Prompter {
public:
    int showMessage(const std::string& text, unsigned) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return msg::idOk;
    }
};

// Base palette slots by the characters of a drawing.
const std::map<std::string, int> horizontalWalls = {{"--", 1}, {"DD", 2}, {"LL", 3},  {"^^", 4},  {"vv", 5},
                                                    {"SS", 6}, {"HH", 7}, {"GG", 12}, {"==", 13}, {"  ", 0}};
const std::map<char, int> verticalWalls = {{'|', 1}, {'D', 2}, {'L', 3},  {'<', 4},  {'>', 5},
                                           {'S', 6}, {'H', 7}, {'G', 12}, {'=', 13}, {' ', 0}};
const std::map<char, int> rooms = {{' ', 0},  {'U', 1},  {'d', 2},  {'H', 3},  {'E', 4},  {'P', 5},
                                   {'C', 6},  {'T', 7},  {'R', 8},  {'K', 9},  {'A', 10}, {'X', 11},
                                   {'W', 12}, {'B', 13}, {'F', 14}, {'M', 15}, {'S', 16}, {'Z', 17},
                                   {'N', 18}, {'!', 19}, {'O', 20}};

struct DrawingError {
    int line;
    std::string message;
};

bool setLayer(MapDocument& document, int column, int row, int layer, int value) {
    bool first = false;
    return value == 0 || document.setCell(column, row, layer, static_cast<std::uint8_t>(value), first);
}

void parseWallLine(MapDocument& document, const std::string& text, int row, int lineNumber) {
    if (static_cast<int>(text.size()) < document.width() * 3 + 1)
        throw DrawingError{lineNumber, "wall line too short"};
    for (int column = 0; column < document.width(); ++column) {
        const auto found = horizontalWalls.find(text.substr(column * 3 + 1, 2));
        if (found == horizontalWalls.end())
            throw DrawingError{lineNumber, "unknown wall segment"};
        if (row < document.height())
            setLayer(document, column, row, layer::horizontalWall, found->second);
    }
}

void parseCellLine(MapDocument& document, const std::string& text, int row, int lineNumber) {
    if (static_cast<int>(text.size()) < document.width() * 3 + 1)
        throw DrawingError{lineNumber, "cell line too short"};
    for (int column = 0; column < document.width(); ++column) {
        const auto wall = verticalWalls.find(text[column * 3]);
        const auto room = rooms.find(text[column * 3 + 1]);
        const char background = text[column * 3 + 2];
        if (wall == verticalWalls.end() || room == rooms.end() ||
            (background != ' ' && (background < '1' || background > '8')))
            throw DrawingError{lineNumber, "unknown wall, room or background character"};
        setLayer(document, column, row, layer::verticalWall, wall->second);
        setLayer(document, column, row, layer::room, room->second);
        setLayer(document, column, row, layer::background, background == ' ' ? 0 : background - '0');
    }
}

void addComment(MapDocument& document, Prompter& prompter, std::istringstream& fields, int lineNumber) {
    int column = 0, row = 0, width = 0, height = 0, anchorColumn = 0, anchorRow = 0;
    if (!(fields >> column >> row >> width >> height >> anchorColumn >> anchorRow))
        throw DrawingError{lineNumber, "comment needs C R W H AX AY TEXT"};
    std::string text;
    std::getline(fields >> std::ws, text);
    for (std::size_t at; (at = text.find("\\n")) != std::string::npos;)
        text.replace(at, 2, "\r\n");
    const int pitch = document.pitch();
    document.setNewCommentRect({0, 0, document.width() * pitch, document.height() * pitch});
    CommentArea* area = document.addComment(prompter);
    if (!area)
        throw DrawingError{lineNumber, "comment area not made"};
    document.setCommentFrame(
        *area,
        {column * pitch + 3, row * pitch + 3, (column + width) * pitch - 3, (row + height) * pitch - 3},
        false);
    if (anchorColumn >= 0) {
        const PixelPoint target{anchorColumn * pitch + pitch / 2, anchorRow * pitch + pitch / 2};
        document.setCommentAnchor(*area, target.x - area->frame().left, target.y - area->frame().top, false);
    }
    document.setCommentText(*area, unicode::toCp932(unicode::fromUtf8(text)), false);
}

void draw(MapDocument& document, Prompter& prompter, const std::string& drawing) {
    std::istringstream lines(drawing);
    std::string line;
    int lineNumber = 0;
    int gridLine = -1;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (gridLine >= 0 && gridLine <= document.height() * 2) {
            if (gridLine % 2 == 0)
                parseWallLine(document, line, gridLine / 2, lineNumber);
            else
                parseCellLine(document, line, gridLine / 2, lineNumber);
            ++gridLine;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string keyword;
        fields >> keyword;
        if (keyword == "size") {
            int width = 0, height = 0;
            if (!(fields >> width >> height) || !document.resize(width, height, true))
                throw DrawingError{lineNumber, "bad size"};
        } else if (keyword == "backgrounds") {
            BackgroundCandidates candidates{};
            for (auto& candidate : candidates) {
                std::string value;
                if (!(fields >> value))
                    throw DrawingError{lineNumber, "backgrounds needs eight colours"};
                candidate = static_cast<std::uint32_t>(std::stoul(value, nullptr, 16));
            }
            document.setBackgroundCandidates(candidates);
        } else if (keyword == "grid") {
            gridLine = 0;
        } else if (keyword == "comment") {
            addComment(document, prompter, fields, lineNumber);
        } else {
            throw DrawingError{lineNumber, "unknown line"};
        }
    }
    if (gridLine >= 0 && gridLine <= document.height() * 2)
        throw DrawingError{lineNumber, "grid ends early"};
}

std::string readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

} // namespace

int main(int argc, char** argv) {
    using namespace tav;
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_sample_maps BASE_PALETTE DRAWING... OUTPUT_FOLDER\n");
        return 2;
    }
    win::Win32FileSystem files;
    ConsolePrompter prompter;
    win::HalftonePictureConverter converter;
    PaletteStorage palettes(files, prompter, &converter);
    MapFileStorage maps(files, prompter, palettes);
    const std::string output = argv[argc - 1];
    for (int i = 2; i < argc - 1; ++i) {
        const std::string drawing = readAll(argv[i]);
        if (drawing.empty()) {
            std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
            return 1;
        }
        MapDocument document;
        document.setPalettePaths(win::pathOf(win::widen(std::string(argv[1]) + ".none")),
                                 win::pathOf(win::widen(argv[1])));
        if (!palettes.loadBasePalette(document, palette_select::all))
            return 1;
        try {
            draw(document, prompter, drawing);
        } catch (const DrawingError& error) {
            std::fprintf(stderr, "%s:%d: error: %s\n", argv[i], error.line, error.message.c_str());
            return 1;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: error: %s\n", argv[i], error.what());
            return 1;
        }
        std::string name = argv[i];
        name = name.substr(name.find_last_of("/\\") + 1);
        name = name.substr(0, name.rfind('.')) + ".MED";
        if (!maps.save(document, win::pathOf(win::widen(output + "\\" + name))))
            return 1;
    }
    return 0;
}
