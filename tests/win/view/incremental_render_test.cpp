// The map view draws only what changed: after every step of long random runs of edits, scrolls, comment
// moves and undos its kept map image must equal, pixel for pixel, a whole drawing of the same map; and a
// shown view, which paints only where the image or its overlays changed, must show the whole composition.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "model/document/clipboard_blocks.h"
#include "model/view/map_editor.h"
#include "resource.h"
#include "support/dib_canvas.h"
#include "support/recording_prompter.h"
#include "win/comments/comment_drawing.h"
#include "win/document/clipboard.h"
#include "win/marks/room_mark_images.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_rendering.h"
#include "win/view/map_view.h"

namespace tav::win {
namespace {

using test::DibCanvas;
constexpr int side = 404;

// The hidden parent is never shown: the view only needs a parent, and hiding a shown window costs Wine
// seconds. The shown one makes the view paint and show its changes itself.
HWND parentWindow(bool shown) {
    static HWND parents[2] = {};
    HWND& parent = parents[shown ? 1 : 0];
    if (parent && IsWindow(parent))
        return parent;
    const wchar_t* name = shown ? L"ShownRenderParent" : L"IncrementalRenderParent";
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, name, L"", shown ? WS_POPUP | WS_VISIBLE : WS_OVERLAPPEDWINDOW, 0, 0, side,
                             side, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return parent;
}

// Every wall shape and colour, see-through room pictures, patterned backgrounds: marks that stray across
// their cell edges and patterns that must line up after a scroll.
void fillPalette(MarkPalette& palette) {
    const std::uint32_t colours[] = {0x000000, 0x0000C0, 0x008000, 0xC00000, 0x2080F0, 0x808080};
    for (int i = 0; i < wallSlotCount; ++i) {
        WallMarkRecord& w = palette.walls[i];
        w.registered = 1;
        w.lineVisible = i % 5 != 4;
        w.lineColor = colours[i % 6];
        w.backShape = static_cast<std::uint8_t>(i % 13);
        w.frontShape = static_cast<std::uint8_t>((i + 5) % 13);
        w.backFrameColor = colours[(i + 1) % 6];
        w.backFillColor = colours[(i + 2) % 6] | 0x404040;
        w.frontFrameColor = colours[(i + 3) % 6];
        w.frontFillColor = 0xFFFFFF;
    }
    for (int i = 0; i < roomSlotCount; ++i) {
        RoomMarkSlot& r = palette.rooms[i];
        r.registered = true;
        r.normalImage.transparent = 0xFFFFFF;
        r.wideImage.transparent = 0xFFFFFF;
        r.normalImage.pixels.fill(0xFF);
        r.wideImage.pixels.fill(0xFF);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 23; ++x)
                if (std::abs(x - 11) + std::abs(y - 11) < 9)
                    r.normalImage.pixels[y * r.normalImage.stride + x * 3] = std::uint8_t(10 * i);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x)
                if (std::abs(x - 7) + std::abs(y - 7) < 6)
                    r.wideImage.pixels[y * r.wideImage.stride + x * 3 + 1] = std::uint8_t(10 * i);
    }
    for (int i = 0; i < backgroundCandidateCount; ++i)
        palette.backgrounds[i] = std::uint32_t(i + 3) << 24 | (0x305070 + 0x101010 * i);
}

// Cut out of the shown view, as the main window cuts its corner.
constexpr RECT cornerHole{0, 0, 17, 17};

class IncrementalRender : public ::testing::TestWithParam<std::tuple<bool, bool>> {
protected:
    bool shown = false;
    MapDocument document;
    DrawingResourceCache cache;
    test::RecordingPrompter prompter;
    MapClipboard clipboard{document, prompter};
    std::unique_ptr<MapView> view;
    std::mt19937 random{20261209};
    std::string last; // the step being checked, for the failure message

    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); }

    void make(int width, int height, bool wide, bool comments) {
        ASSERT_TRUE(document.resize(width, height, true));
        document.setViewMode(wide);
        fillPalette(document.palette());
        bool first = false;
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c) {
                if (pick(0, 3) == 0)
                    continue; // some cells stay empty
                document.setCell(c, r, layer::horizontalWall, std::uint8_t(pick(0, 20)), first);
                document.setCell(c, r, layer::verticalWall, std::uint8_t(pick(0, 20)), first);
                document.setCell(c, r, layer::room, std::uint8_t(pick(0, 20)), first);
                document.setCell(c, r, layer::background, std::uint8_t(pick(0, 8)), first);
            }
        if (comments)
            for (int i = 0; i < 40; ++i)
                addComment();
        view = std::make_unique<MapView>(document, cache, clipboard, prompter);
        ASSERT_TRUE(view->create(parentWindow(shown), IDC_MAP_VIEW, RECT{0, 0, side, side}));
        if (shown)
            view->cutCornerHole(cornerHole);
        view->paletteChanged();
        view->setScrollOrigin(pick(0, width), pick(0, height), false, true);
    }

    // Areas of every frame and anchor style, some see-through, scattered over the map.
    void addComment() {
        const int p = document.pitch();
        const int x = pick(0, document.width() * p - 40), y = pick(0, document.height() * p - 40);
        document.setNewCommentRect({x, y, x + pick(20, 160), y + pick(20, 120)});
        CommentArea* area = document.addComment(prompter);
        ASSERT_NE(area, nullptr);
        CommentFormat look = area->format();
        look.frameStyle = static_cast<std::uint8_t>(pick(0, 3));
        look.anchorStyle = static_cast<std::uint8_t>(pick(0, 3));
        look.backgroundColour = pick(0, 2) == 0 ? comment::noColour : 0x00E0F0F0u + pick(0, 15);
        look.frameColour = pick(0, 4) == 0 ? comment::noColour : 0x000000C0u;
        look.alignment = static_cast<std::uint8_t>(pick(0, 2) | pick(0, 2) << 4);
        area->setFormat(look);
        area->setAnchor(pick(-60, 160), pick(-60, 160));
    }

    // The kept image against a whole drawing of the map at the view's origin.
    void expectSameAsWholeDrawing() {
        DibCanvas kept(side, side), whole(side, side);
        ASSERT_TRUE(kept.ready() && whole.ready());
        BitBlt(kept.dc(), 0, 0, side, side, view->mapImageDc(), 0, 0, SRCCOPY);
        RoomMarkImages rooms;
        rooms.rebuild(document.palette());
        CommentFontCache fonts;
        ASSERT_TRUE(drawView(whole.dc(), document, view->scrollColumn(), view->scrollRow(),
                             MapDrawingTools{cache, rooms, fonts}));
        expectSamePixels(kept, whole, "incremental-kept.png", "incremental-whole.png", false);
    }

    // Saves both pictures when they differ; with skipHole, the corner cut out of a shown view is left out.
    void expectSamePixels(const DibCanvas& got, const DibCanvas& want, const char* gotFile,
                          const char* wantFile, bool skipHole) {
        const auto a = got.snapshot(), b = want.snapshot();
        int differing = 0, firstAt = -1;
        for (int i = 0; i < side * side; ++i) {
            const POINT at{i % side, i / side};
            if (a[i] != b[i] && !(skipHole && PtInRect(&cornerHole, at)) && differing++ == 0)
                firstAt = i;
        }
        if (differing) {
            got.save(gotFile, 2);
            want.save(wantFile, 2);
        }
        ASSERT_EQ(differing, 0) << "after " << last << ": first at (" << firstAt % side << ", "
                                << firstAt / side << "); images saved as " << gotFile << " and " << wantFile;
    }

    // The window's pixels against the view's whole composition of image and overlays.
    void expectWindowShowsComposition() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        UpdateWindow(view->handle());
        DibCanvas screen(side, side), composed(side, side);
        ASSERT_TRUE(screen.ready() && composed.ready());
        HDC windowDc = GetDC(view->handle());
        ASSERT_NE(windowDc, nullptr);
        BitBlt(screen.dc(), 0, 0, side, side, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(view->handle(), windowDc);
        view->paintInto(composed.dc());
        expectSamePixels(screen, composed, "shown-window.png", "shown-composed.png", true);
    }

    // A pixel on the grid, now and then on or just beyond a border line.
    POINT gridPoint() {
        const int p = document.pitch();
        const int w = document.visibleColumns() * p, h = document.visibleRows() * p;
        return {25 + pick(-3, w + 3), 25 + pick(-3, h + 3)};
    }

    void step() {
        MapEditor& editor = view->editor();
        std::ostringstream what;
        const int kind = pick(0, 16);
        switch (kind) {
        case 16: { // the program waiting for input: parts of the images kept for nearby origins are drawn
            int parts = 0;
            for (const int most = pick(0, 2) ? pick(1, 12) : 1000; parts < most && view->drawAheadPart();)
                ++parts;
            what << "idle for " << parts << " parts";
            break;
        }
        case 15: { // a small block pasted where the selection starts, as the clipboard would
            const CellPoint o = editor.origin();
            const int c = pick(0, document.width() - 1), r = pick(0, document.height() - 1);
            const MapBlock block =
                MapBlock::fromGrid(document.grid(), {c, r, c + pick(0, 3), r + pick(0, 3)});
            const int at = o.column + pick(-2, 10), row = o.row + pick(-2, 10);
            int width = 0, height = 0;
            what << "paste " << block.width() << "x" << block.height() << " at " << at << "," << row;
            if (document.pasteCells(block, at, row, width, height))
                view->refresh();
            break;
        }
        case 14: { // the pointer passing over the map
            const POINT at = gridPoint();
            what << "hover at " << at.x << "," << at.y;
            editor.mouseMove(at.x, at.y);
            break;
        }
        case 0:
        case 1: { // a press on a cell or an edge; on a comment area, a drag of it
            const POINT at = gridPoint();
            editor.setWallMark(std::uint8_t(pick(0, 20)));
            editor.setRoomMark(std::uint8_t(pick(0, 20)));
            editor.setBackground(std::uint8_t(pick(0, 8)));
            what << "press at " << at.x << "," << at.y;
            if (editor.leftPress(at.x, at.y, false, pick(0, 4) == 0) && editor.drag() == DragState::comment) {
                const int dx = pick(-50, 50), dy = pick(-50, 50);
                editor.mouseMove(at.x + dx / 2, at.y + dy / 2);
                editor.mouseMove(at.x + dx, at.y + dy);
                what << " dragging the area by " << dx << "," << dy;
            }
            editor.leftRelease();
            break;
        }
        case 2:
        case 3: { // a letter key, sometimes with a selection
            static constexpr int keys[] = {'W', 'Z', 'A', 'S', 'X', 'C'};
            const int key = keys[pick(0, 5)];
            editor.setWallMark(std::uint8_t(pick(0, 20)));
            editor.setRoomMark(std::uint8_t(pick(0, 20)));
            editor.setBackground(std::uint8_t(pick(0, 8)));
            const CellPoint o = editor.origin();
            const CellPoint base{o.column + pick(0, 10), o.row + pick(0, 10)};
            const CellPoint current =
                pick(0, 2) == 0 ? CellPoint{base.column + pick(-2, 2), base.row + pick(-2, 2)} : base;
            editor.setSelection(base, current);
            what << "key " << char(key) << " at " << base.column << "," << base.row;
            view->onCommand(view_command::escape); // lets a comment area go, as a press elsewhere would
            editor.setSelection(base, current);
            editor.letterKey(key);
            break;
        }
        case 4:
        case 5: { // a scroll by a cell or a page, as the main window asks for it
            const int pageColumns = std::max(document.visibleColumns() - 1, 1);
            const int pageRows = std::max(document.visibleRows() - 1, 1);
            const int by = pick(0, 1) ? 1 : 0;
            const int dc = pick(-1, 1) * (by ? 1 : pageColumns), dr = pick(-1, 1) * (by ? 1 : pageRows);
            what << "scroll by " << dc << "," << dr;
            view->setScrollOrigin(view->scrollColumn() + dc, view->scrollRow() + dr, false, true);
            break;
        }
        case 6:
            what << "undo";
            view->onCommand(view_command::undo);
            break;
        case 7:
            what << "redo";
            view->onCommand(view_command::redo);
            break;
        case 8: { // a held cursor key moving the active comment area
            static constexpr int moves[] = {view_command::up, view_command::down, view_command::left,
                                            view_command::right};
            const int id = moves[pick(0, 3)];
            what << "comment key move " << id;
            for (int i = 0, n = pick(1, 12); i < n; ++i)
                editor.command(id, i > 0);
            break;
        }
        case 9: // Delete with a selection clears it
            what << "clear a selection";
            view->onCommand(view_command::escape);
            editor.setSelection({editor.origin().column + pick(0, 8), editor.origin().row + pick(0, 8)},
                                {editor.origin().column + pick(0, 10), editor.origin().row + pick(0, 10)});
            if (editor.selected())
                view->onCommand(view_command::erase);
            break;
        case 10: { // z-order of the active comment area
            static constexpr int orders[] = {view_command::toTop, view_command::toBottom,
                                             view_command::forward, view_command::backward};
            what << "z-order";
            view->onCommand(orders[pick(0, 3)]);
            break;
        }
        case 11:
            if (document.commentCount() > 0) {
                what << "new comment area";
                document.setNewCommentRect({editor.origin().column * document.pitch(),
                                            editor.origin().row * document.pitch(),
                                            (editor.origin().column + 5) * document.pitch(),
                                            (editor.origin().row + 5) * document.pitch()});
                if (document.addComment(prompter))
                    view->refresh();
            }
            break;
        case 12: // centring on a far cell after a key edit
            what << "centre";
            view->centreOn(pick(0, document.width() - 1), pick(0, document.height() - 1));
            break;
        default: // the active comment area removed
            what << "delete the active area";
            if (editor.activeComment())
                view->onCommand(view_command::erase);
            break;
        }
        last = what.str();
    }

    void run(int width, int height, int steps) {
        const auto [wide, comments] = GetParam();
        make(width, height, wide, comments);
        if (HasFatalFailure())
            return;
        expectSameAsWholeDrawing();
        const int whole = view->wholeDrawings();
        for (int i = 0; i < steps && !HasFatalFailure(); ++i) {
            step();
            last = std::to_string(i) + ": " + last;
            expectSameAsWholeDrawing();
            if (shown && !HasFatalFailure())
                expectWindowShowsComposition();
        }
        // The run went the partial way: only scrolls and centring beyond the window draw everything.
        EXPECT_LT(view->wholeDrawings() - whole, steps / 8);
        if (width > document.visibleColumns()) {
            EXPECT_GT(view->scrollsDrawnAhead(), 0);
        }
    }
};

TEST_P(IncrementalRender, LargeMap) {
    run(40, 33, 200);
}

// Narrower than the view: grey beside the map, which scrolls only up and down.
TEST_P(IncrementalRender, NarrowTallMap) {
    run(7, 40, 100);
}

class ShownIncrementalRender : public IncrementalRender {
protected:
    ShownIncrementalRender() { shown = true; }
    ~ShownIncrementalRender() override { view.reset(); }
};

TEST_P(ShownIncrementalRender, WindowShowsTheComposition) {
    run(40, 33, 150);
}

const auto viewNames = [](const auto& info) {
    return std::string(std::get<0>(info.param) ? "Wide" : "Normal") +
           (std::get<1>(info.param) ? "WithComments" : "WithoutComments");
};
INSTANTIATE_TEST_SUITE_P(ViewsAndComments, IncrementalRender,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()), viewNames);
INSTANTIATE_TEST_SUITE_P(ViewsAndComments, ShownIncrementalRender,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()), viewNames);

} // namespace
} // namespace tav::win
