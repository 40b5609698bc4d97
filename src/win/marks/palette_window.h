#pragma once
// The mark palette window (353): the twenty wall and twenty room slots of the current palette, from which
// the map is painted, new wall marks are made and halves of saved palettes are loaded. Modeless, owned by
// the main window, hidden rather than destroyed.
#include <array>
#include <functional>
#include <optional>

#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/marks/mark_palette.h"
#include "win/app/dialog_frame.h"
#include "win/marks/slot_button.h"
#include "win/view/coloured_button.h"

namespace tav::win {

class DrawingResourceCache;

class PaletteWindow : public DialogFrame {
public:
    static constexpr int width = 169;
    static constexpr int height = 387;

    // Runs the wall mark editor from a record (registered or not); the new record when it ended with OK.
    using WallMarkEditing =
        std::function<std::optional<WallMarkRecord>(HWND owner, const WallMarkRecord& start)>;

    // Runs the room mark editor on a slot's mark (registered or not); both pictures with their transparent
    // colours when it ended with OK.
    using RoomMarkEditing = std::function<std::optional<RoomMarkSlot>(HWND owner, const RoomMarkSlot& start)>;

    PaletteWindow(MapDocument& document, PaletteStorage& palettes, MapFileStorage& maps,
                  DrawingResourceCache& cache);

    // Creates the window hidden beside the main window; false when it could not be made.
    bool create(HWND mainWindow);
    // Without an editor the create button stays disabled.
    void setWallMarkEditing(WallMarkEditing editing);
    void setRoomMarkEditing(RoomMarkEditing editing);
    // After the palette in memory was replaced (new map, opened map): every icon again, slot 1 of each kind
    // current, and both choices told to the main window.
    void refresh();
    // The map file the document was opened from, for loading its palette; empty after a new map.
    void setMapFile(const FilePath& path) { mapFile_ = path; }
    int currentWallSlot() const { return currentWall_; }
    int currentRoomSlot() const { return currentRoom_; }
    // Puts the focus on the current wall slot.
    void takeFocus();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layOut();
    void drawIcons(bool walls, bool rooms);
    void drawIcon(bool wall, int slot);
    void select(int id);
    void createWallMark();
    void createRoomMark();
    void loadHalf(bool walls);
    void notify(WPARAM what, int slot);
    SlotButton& slotButton(int id);

    MapDocument& document_;
    PaletteStorage& palettes_;
    MapFileStorage& maps_;
    DrawingResourceCache& cache_;
    WallMarkEditing editWallMark_;
    RoomMarkEditing editRoomMark_;
    HWND main_ = nullptr;
    FilePath mapFile_;
    std::array<SlotButton, wallSlotCount + roomSlotCount> slots_;
    std::array<ColouredButton, 5> buttons_;
    int currentWall_ = 1;
    int currentRoom_ = 1;
};

} // namespace tav::win
