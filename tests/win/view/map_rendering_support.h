#pragma once
// A small document with plain line walls and a canvas to render it into, shared by the map rendering tests.
#include <windows.h>

#include <string>

#include "support/dib_canvas.h"
#include "model/document/map_document.h"
#include "support/recording_prompter.h"
#include "win/comments/comment_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_rendering.h"

namespace tav::test {

inline constexpr COLORREF viewGrey = RGB(200, 200, 200);
inline constexpr COLORREF borderGrey = RGB(96, 96, 96);
inline constexpr COLORREF corner = RGB(16, 16, 16);

inline WallMarkRecord lineWall(COLORREF colour) {
    WallMarkRecord wall;
    wall.lineColor = colour;
    wall.registered = 1;
    wall.lineVisible = 1;
    return wall;
}

struct RenderBench {
    MapDocument document;
    win::DrawingResourceCache cache;
    win::RoomMarkImages rooms;
    win::CommentFontCache fonts;
    RecordingPrompter prompter;
    win::MapDrawingTools tools{cache, rooms, fonts};

    RenderBench(int width, int height) { document.resize(width, height, true); }
    void set(int column, int row, int layer, int value) {
        bool first = false;
        document.setCell(column, row, layer, static_cast<std::uint8_t>(value), first);
    }
    bool view(DibCanvas& canvas, int column = 0, int row = 0) {
        return win::drawView(canvas.dc(), document, column, row, tools);
    }
};

} // namespace tav::test
