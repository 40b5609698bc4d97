// Times the map view's paint path in a real window at the program's limits (a 99x99 map with every cell
// filled, 30000 comment areas): a hover repaint, which composes the overlays over the kept map image and
// copies the result to the window, and a full re-render, which draws the map image first. Prints the time
// per call and its share of a 60 Hz frame.
#include <windows.h>

#include <cstdio>
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

        auto setMode = [&](bool wide) {
            document.setViewMode(wide);
            view.setScrollOrigin(40, 40, false, true);
            pump();
        };
        // Two neighbouring cell centres of the current pitch: each move changes the hover element, and the
        // view asks for a paint. Over comment areas the hover stays put and nothing is asked, so there the
        // paint is asked for here, to time the composition all the same.
        auto hoverRow = [&](const std::string& name) {
            const int p = document.pitch();
            const LPARAM points[] = {at(25 + 3 * p + p / 2, 25 + 3 * p + p / 2),
                                     at(25 + 4 * p + p / 2, 25 + 3 * p + p / 2)};
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
        auto rerenderRow = [&](const std::string& name) {
            rows.push_back({name, timePerCall([&] {
                                view.rerender();
                                UpdateWindow(window);
                            })});
        };
        auto modeRows = [&](const char* what) {
            for (bool wide : {false, true}) {
                setMode(wide);
                const std::string mode = wide ? "wide 17x17" : "normal 11x11";
                hoverRow("hover repaint " + mode + what);
                rerenderRow("re-render " + mode + what);
            }
        };

        modeRows("");
        // A selection over most of the window and the bands through the base point.
        view.setMarkerStyle(1);
        view.editor().setSelection({42, 42}, {49, 48});
        modeRows(", selection, bands");
        addComments(document, MapDocument::commentLimit);
        modeRows(", selection, bands, 30000 areas");
    }
    DestroyWindow(host);
    printTable(rows);
    return 0;
}
