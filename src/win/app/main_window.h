#pragma once
// The main window (dialog 101): hosts the map and the controls around it for the whole run.
#include <array>
#include <optional>
#include <string>

#include "model/document/map_document.h"
#include "model/document/recovery_record.h"
#include "win/app/background_chooser.h"
#include "win/app/dialog.h"
#include "win/app/map_scroll_bars.h"
#include "win/app/mark_swatch.h"
#include "win/app/tool_button.h"
#include "win/app/tool_tips.h"
#include "win/document/clipboard.h"
#include "win/marks/palette_window.h"
#include "win/marks/room_mark_editor.h"
#include "win/marks/wall_mark_editor.h"
#include "win/platform/handles.h"
#include "win/view/map_view.h"

namespace tav::win {

class Application;

class MainWindow : public Dialog {
public:
    static constexpr int clientWidth = 634;
    static constexpr int clientHeight = 436;

    // restore: a recovery copy this program has taken over, opened before the command line's map.
    MainWindow(Application& app, MapDocument& document, FilePath commandLineFile,
               std::optional<RecoveryRecord> restore = std::nullopt);

    // Runs the window until the user exits; returns the code it ended with (-1 when it could not start).
    INT_PTR run() { return runWithOwnLoop(nullptr); }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroy() override;
    bool preTranslate(MSG& message) override;
    void onIdle() override;

private:
    // Initialisation steps.
    void setIcons();
    void prepareSystemMenu();
    void layOutControls();
    bool createView();
    void prepareControls();
    bool createStartMap();
    void fitScrollBarsAndCorner();
    void failInitialisation();

    // Message routing of the loop.
    void route(MSG& message);
    bool keyboardEditing() const;
    bool focusedControlKeepsKey(const MSG& message) const;
    void updateCommandStates();
    void emptyOwnClipboard();

    // Scrolling.
    void onScroll(bool horizontal, int code, int thumb);
    void onScrollRequest(WPARAM wParam, LPARAM lParam);
    void scrollDiagonally(int buttonId);
    void updateScrollBars();
    void recentre(int centreColumn, int centreRow);
    void recentreOnMap();

    // Controls.
    void showMapSize();
    void setMarkerStyle(int id);
    void setEditSwitch(int id);
    void toggleViewMode();
    void onMarkChosen(WPARAM wParam, LPARAM lParam);
    void paletteReplaced();
    void togglePalette();
    // F2 moves the focus between the map and the palette window; true when the key was F2.
    bool switchFocusOnF2(const MSG& message);
    void forwardToView(int command);
    void showCurrentPosition();
    void clearAll();
    void createComment();
    void focusView();

    // Settings dialogs.
    void changeMapSize();
    void editRuler();
    void editEnvironment();
    void editBackgroundCandidates();
    // What the wall mark editor picks from and adds to; nothing without a program folder.
    WallHistoryHooks wallHistoryHooks();
    RoomHistoryHooks roomHistoryHooks();

    // Flows.
    bool confirmDiscardingChanges();
    void newMap();
    void openFlow();
    bool openMapFile(const FilePath& path);
    // The controls after a map was read; mapFile is what the palette window may take halves from.
    void showLoadedMap(const FilePath& mapFile);
    bool openCommandLineFile();
    bool restoreLeftover();
    void keepRecoveryCopy();
    // The map was saved or replaced: its recovery copy is of no more use.
    void dropRecoveryCopy();
    void saveFlow();
    void exitFlow();
    void openHomePage();
    void showAbout();

    Application& app_;
    MapDocument& document_;
    FilePath commandLineFile_;
    std::optional<RecoveryRecord> restore_;
    Brush background_;
    Icon bigIcon_;
    Icon smallIcon_;
    MapClipboard clipboard_;
    MapView view_;
    MapScrollBars scrollBars_;
    MarkSwatch wallSwatch_;
    MarkSwatch roomSwatch_;
    BackgroundChooser backgrounds_;
    PaletteWindow palette_;
    ToolTips tips_;
    std::array<ToolButton, 20> buttons_;
    HACCEL accelerators_ = nullptr; // a resource: freed with the module
    // The clipboard's sequence number right after this window put a block there; 0 when it never did.
    DWORD ownClipboardSequence_ = 0;
};

} // namespace tav::win
