// Times the map view's interactive paths in a real window at the program's limits (a 99x99 map with every
// cell filled, with and without 30000 comment areas, in both views): a hover repaint, which composes the
// overlays over the kept map image and copies the result to the window; the edits and scrolls, which draw
// again only what they changed before that; and, for comparison, a full re-render. Prints the time per
// call and its share of a 60 Hz frame.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/platform/prompter.h"
#include "model/view/map_editor.h"
#include "populated_map.h"
#include "resource.h"
#include "win/document/clipboard.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_view.h"

namespace {

using namespace tav;
using namespace tav::win;
using namespace tav::bench;

class SilentPrompter : public Prompter {
public:
    int showMessage(const std::string&, unsigned) override { return msg::idOk; }
};

constexpr wchar_t hostClass[] = L"TavrosinViewPaintBench";

HWND makeHost() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = hostClass;
    if (!RegisterClassW(&wc))
        return nullptr;
    return CreateWindowExW(0, hostClass, L"view paint bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 460,
                           460, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

// Lets the window come up before anything is timed.
void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int main() {
    MapDocument document;
    if (!document.resize(99, 99, true)) {
        std::puts("cannot make the map");
        return 1;
    }
    fullPalette(document.palette());
    fillEveryCell(document);
    DrawingResourceCache cache;
    SilentPrompter prompter;
    MapClipboard clipboard(document, prompter);
    HWND host = makeHost();
    if (!host) {
        std::puts("cannot make the window");
        return 1;
    }
    std::vector<Row> rows;
    {
        MapView view(document, cache, clipboard, prompter);
        if (!view.create(host, IDC_MAP_VIEW, RECT{8, 5, 412, 409})) {
            std::puts("cannot make the map view");
            DestroyWindow(host);
            return 1;
        }
        HWND window = view.handle();
        view.paletteChanged();
        pump();

        constexpr int origin = 40;
        // The visible cell pressed on, kept free of comment areas so that the press reaches the map.
        constexpr int pressed = 6;
        auto setMode = [&](bool wide) {
            document.setViewMode(wide);
            view.rerender();
            view.setScrollOrigin(origin, origin, false, true);
            pump();
        };
        auto centre = [&](int visible) { return 25 + visible * document.pitch() + document.pitch() / 2; };
        // Two neighbouring cell centres of the current pitch: each move changes the hover element, and the
        // view asks for a paint. Over comment areas the hover stays put and nothing is asked, so there the
        // paint is asked for here, to time the composition all the same.
        auto hoverRow = [&](const std::string& name) {
            const LPARAM points[] = {at(centre(3), centre(3)), at(centre(4), centre(3))};
            int next = 0;
            bool forced = false;
            const double ms = timePerCall([&] {
                SendMessageW(window, WM_MOUSEMOVE, 0, points[next]);
                next ^= 1;
                if (!GetUpdateRect(window, nullptr, FALSE)) {
                    InvalidateRect(window, nullptr, FALSE);
                    forced = true;
                }
                UpdateWindow(window);
            });
            rows.push_back({name + (forced ? " (over areas)" : ""), ms});
        };
        // Each call ends back in the message loop, where the system may copy what was drawn to the screen.
        auto timed = [&](const std::string& name, const std::function<void()>& call) {
            rows.push_back({name, timePerCall([&] {
                                call();
                                MSG message;
                                PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
                            })});
        };
        auto interactiveRows = [&](const std::string& what) {
            for (bool wide : {false, true}) {
                setMode(wide);
                const std::string mode = wide ? "wide 17x17" : "normal 11x11";
                const std::string tail = ", " + mode + what;
                hoverRow("hover repaint" + tail);
                // Each call changes the cell: the room mark and background go back and forth.
                std::uint8_t room = 1;
                timed("cell edit by click" + tail, [&] {
                    view.setCurrentRoomMark(room = room == 1 ? 2 : 1);
                    SendMessageW(window, WM_MOUSEMOVE, 0, at(centre(pressed), centre(pressed)));
                    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(centre(pressed), centre(pressed)));
                    SendMessageW(window, WM_LBUTTONUP, 0, at(centre(pressed), centre(pressed)));
                });
                // The same without the window messages, whose capture and confinement of the pointer cost a
                // round trip to the display server each.
                timed("cell edit by click, drawing only" + tail, [&] {
                    view.setCurrentRoomMark(room = room == 1 ? 2 : 1);
                    view.editor().leftPress(centre(pressed), centre(pressed), false, false);
                    view.editor().leftRelease();
                    UpdateWindow(window);
                });
                timed("cell edit by key (X)" + tail, [&] {
                    view.setCurrentRoomMark(room = room == 1 ? 2 : 1);
                    SendMessageW(window, WM_KEYDOWN, 'X', 1);
                    SendMessageW(window, WM_KEYUP, 'X', 1 | (1u << 30) | (1u << 31));
                });
                bool undone = false;
                timed("undo/redo of a cell edit" + tail,
                      [&] { view.onCommand((undone = !undone) ? view_command::undo : view_command::redo); });
                // Scrolls walk one way over a stretch of the map and back. With time between them the view
                // has drawn the next image ahead; without, it draws what came into view. A step drawn ahead
                // is how long input may wait for the drawing behind it.
                const int page = document.visibleColumns() - 1;
                std::vector<double> aheadParts;
                auto drawAhead = [&] {
                    for (;;) {
                        LARGE_INTEGER frequency, start, end;
                        QueryPerformanceFrequency(&frequency);
                        QueryPerformanceCounter(&start);
                        const bool drawn = view.drawAheadPart();
                        GdiFlush();
                        QueryPerformanceCounter(&end);
                        if (!drawn)
                            return;
                        aheadParts.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 /
                                             double(frequency.QuadPart));
                    }
                };
                // The time to the next key of a held key, spent in the message loop.
                auto idleForAKey = [&] {
                    LARGE_INTEGER frequency, start, now;
                    QueryPerformanceFrequency(&frequency);
                    QueryPerformanceCounter(&start);
                    for (;;) {
                        QueryPerformanceCounter(&now);
                        const double left = 1000.0 / 30 - double(now.QuadPart - start.QuadPart) * 1000.0 /
                                                              double(frequency.QuadPart);
                        if (left <= 0)
                            return;
                        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left) + 1, QS_ALLINPUT);
                        pump();
                    }
                };
                // The images are made and first drawn once; the parts are timed after that.
                drawAhead();
                aheadParts.clear();
                auto scrollRows = [&](const std::string& name, int by, bool columns) {
                    int at = 0, direction = 1;
                    auto scroll = [&] {
                        if (at + direction < 0 || at + direction > 3)
                            direction = -direction;
                        at += direction;
                        view.setScrollOrigin(origin + (columns ? at * by : 0),
                                             origin + (columns ? 0 : at * by), false, true);
                        UpdateWindow(window);
                        MSG message;
                        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
                    };
                    // Each row starts with nothing drawn ahead.
                    auto restart = [&] {
                        view.setScrollOrigin(origin, origin, false, true);
                        view.rerender();
                        at = 0;
                        direction = 1;
                    };
                    // Each row says how many of its scrolls only showed an image drawn ahead.
                    auto row = [&](const std::string& how, const std::function<void()>& prepare) {
                        restart();
                        int calls = 0;
                        const int before = view.scrollsDrawnAhead();
                        const double ms = timePerCallAfter(prepare, [&] {
                            ++calls;
                            scroll();
                        });
                        const int shown = (view.scrollsDrawnAhead() - before) * 100 / std::max(calls, 1);
                        rows.push_back(
                            {name + ", " + how + " (" + std::to_string(shown) + "% ahead)" + tail, ms});
                    };
                    row("drawn ahead at idle", drawAhead);
                    // A held key: the message loop runs between the scrolls and the view draws ahead on its
                    // own, as far as it gets.
                    row("key held, 30 a second", idleForAKey);
                    row("no idle time between", [] {});
                    restart();
                    drawAhead();
                };
                scrollRows("scroll by one cell", 1, true);
                scrollRows("scroll by a page", page, false);
                std::sort(aheadParts.begin(), aheadParts.end());
                if (!aheadParts.empty()) {
                    const auto share = [&](double q) {
                        return aheadParts[std::size_t(q * (aheadParts.size() - 1))];
                    };
                    rows.push_back({"step drawn ahead at idle: median" + tail, share(0.5)});
                    rows.push_back({"step drawn ahead at idle: 99th percentile" + tail, share(0.99)});
                    rows.push_back(
                        {"step drawn ahead at idle: longest of " + std::to_string(aheadParts.size()) + tail,
                         aheadParts.back()});
                }
                // The top-most area at the middle of a cell away from the free one.
                const int x = centre(pressed - 3), y = centre(pressed - 3);
                CommentArea* area = document.hitTestComments(view.editor().mapPixel(x, y));
                if (area) {
                    area->clearDragPart();
                    int dx = 2;
                    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
                    timed("comment drag: one mouse move" + tail, [&] {
                        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(x + (dx = -dx), y));
                        UpdateWindow(window);
                    });
                    SendMessageW(window, WM_LBUTTONUP, 0, at(x, y));
                    timed("comment drop (press, move, release)" + tail, [&] {
                        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
                        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(x + (dx = -dx), y));
                        SendMessageW(window, WM_LBUTTONUP, 0, at(x + dx, y));
                    });
                    timed("comment key move" + tail, [&] {
                        SendMessageW(window, WM_KEYDOWN, (dx = -dx) > 0 ? VK_LEFT : VK_RIGHT, 1);
                        SendMessageW(window, WM_KEYUP, dx > 0 ? VK_LEFT : VK_RIGHT,
                                     1 | (1u << 30) | (1u << 31));
                    });
                    view.onCommand(view_command::escape);
                }
                view.editor().setSelection({origin + pressed, origin + pressed},
                                           {origin + pressed, origin + pressed});
                timed("full re-render (for comparison)" + tail, [&] {
                    view.rerender();
                    UpdateWindow(window);
                });
            }
        };

        view.editor().setSelection({origin + pressed, origin + pressed},
                                   {origin + pressed, origin + pressed});
        // One area, on the cell the comment rows press on, away from the cell pressed for edits.
        document.setNewCommentRect(
            {(origin + 3) * 34, (origin + 3) * 34, (origin + 4) * 34, (origin + 4) * 34});
        document.addComment(prompter);
        interactiveRows(", 1 area");
        document.discardComments();
        document.setViewMode(false);
        const int p = document.pitch();
        // Both views show the pressed cell at the same place of the map (in normal view pixels).
        addComments(document, MapDocument::commentLimit,
                    {(origin + pressed) * p - 40, (origin + pressed) * p - 40,
                     (origin + pressed + 1) * p + 40, (origin + pressed + 1) * p + 40});
        interactiveRows(", 30000 areas");
    }
    DestroyWindow(host);
    printTable(rows);
    return 0;
}
