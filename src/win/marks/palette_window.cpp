#include "win/marks/palette_window.h"

#include <vector>

#include "model/marks/palette_snap.h"
#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/app/message_box.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/palette_load_dialog.h"
#include "win/marks/room_mark_images.h"
#include "win/platform/text.h"
#include "win/view/map_view.h"

namespace tav::win {

namespace {

// What the main window is told (message 0xA403).
constexpr WPARAM wallChosen = 0;
constexpr WPARAM roomChosen = 1;
constexpr WPARAM wallsChanged = 16;
constexpr WPARAM roomsChanged = 17;

constexpr int slotSide = 29;
constexpr int slotPitch = 31;
constexpr int slotsPerRow = 5;
constexpr int wallRowsTop = 26;
constexpr int roomRowsTop = 189;

constexpr ControlPlace fixedPlaces[] = {
    {IDC_TITLE, 2, 2, 159, 18},
    {IDC_CLOSE, 145, 3, 15, 15},
    {IDC_PALETTE_CREATE_WALL, 5, 152, 86, 23},
    {IDC_PALETTE_LOAD_WALLS, 98, 152, 60, 23},
    {IDC_PALETTE_LINE_1, 0, 181, 164, 2},
    {IDC_PALETTE_CREATE_ROOM, 5, 315, 86, 23},
    {IDC_PALETTE_LOAD_ROOMS, 98, 315, 60, 23},
    {IDC_PALETTE_LINE_2, 0, 344, 164, 2},
    {IDC_PALETTE_SAVE_START, 5, 352, 153, 23},
};

struct ButtonColours {
    int id;
    COLORREF face;
};
constexpr ButtonColours paintedButtons[] = {
    {IDC_PALETTE_CREATE_WALL, 0x404040}, {IDC_PALETTE_LOAD_WALLS, 0x404040},
    {IDC_PALETTE_CREATE_ROOM, 0x404040}, {IDC_PALETTE_LOAD_ROOMS, 0x404040},
    {IDC_PALETTE_SAVE_START, 0x605040},
};

bool isWallSlot(int id) {
    return id >= IDC_PALETTE_WALL_1 && id <= IDC_PALETTE_WALL_20;
}

bool isRoomSlot(int id) {
    return id >= IDC_PALETTE_ROOM_1 && id <= IDC_PALETTE_ROOM_20;
}

} // namespace

PaletteWindow::PaletteWindow(MapDocument& document, PaletteStorage& palettes, MapFileStorage& maps,
                             DrawingResourceCache& cache)
    : DialogFrame(IDD_PALETTE), document_(document), palettes_(palettes), maps_(maps), cache_(cache) {}

bool PaletteWindow::create(HWND mainWindow) {
    main_ = mainWindow;
    return createModeless(mainWindow);
}

void PaletteWindow::setWallMarkEditing(WallMarkEditing editing) {
    editWallMark_ = std::move(editing);
    if (handle())
        EnableWindow(item(IDC_PALETTE_CREATE_WALL), editWallMark_ != nullptr);
}

void PaletteWindow::setRoomMarkEditing(RoomMarkEditing editing) {
    editRoomMark_ = std::move(editing);
    if (handle())
        EnableWindow(item(IDC_PALETTE_CREATE_ROOM), editRoomMark_ != nullptr);
}

bool PaletteWindow::onInitDialog() {
    layOut();
    for (int id = IDC_PALETTE_WALL_1; id <= IDC_PALETTE_ROOM_20; ++id)
        slotButton(id).attach(item(id));
    addTooltip(IDC_PALETTE_CREATE_WALL, narrow(resourceString(IDS_TIP_CREATE_WALL)));
    addTooltip(IDC_PALETTE_CREATE_ROOM, narrow(resourceString(IDS_TIP_CREATE_ROOM)));
    addTooltip(IDC_PALETTE_LOAD_WALLS, narrow(resourceString(IDS_TIP_LOAD_PALETTE)));
    addTooltip(IDC_PALETTE_LOAD_ROOMS, narrow(resourceString(IDS_TIP_LOAD_PALETTE)));
    addTooltip(IDC_PALETTE_SAVE_START, narrow(resourceString(IDS_TIP_SAVE_START)));
    EnableWindow(item(IDC_PALETTE_CREATE_WALL), editWallMark_ != nullptr);
    EnableWindow(item(IDC_PALETTE_CREATE_ROOM), editRoomMark_ != nullptr);
    drawIcons(true, true);
    slotButton(IDC_PALETTE_WALL_1).setHighlighted(true);
    slotButton(IDC_PALETTE_ROOM_1).setHighlighted(true);
    RECT main{};
    if (main_ && GetWindowRect(main_, &main))
        SetWindowPos(handle(), nullptr, main.right, main.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return false;
}

void PaletteWindow::layOut() {
    std::vector<ControlPlace> places(std::begin(fixedPlaces), std::end(fixedPlaces));
    for (int n = 0; n < wallSlotCount; ++n) {
        const int x = 5 + slotPitch * (n % slotsPerRow);
        places.push_back(
            {IDC_PALETTE_WALL_1 + n, x, wallRowsTop + slotPitch * (n / slotsPerRow), slotSide, slotSide});
        places.push_back(
            {IDC_PALETTE_ROOM_1 + n, x, roomRowsTop + slotPitch * (n / slotsPerRow), slotSide, slotSide});
    }
    placeControls(handle(), places);
    SetWindowPos(handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    roundCorners();
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].attach(item(paintedButtons[i].id), paintedButtons[i].face, 0xFFFFFF, 0x707070, 0xF1FBFF);
}

SlotButton& PaletteWindow::slotButton(int id) {
    return slots_[static_cast<std::size_t>(id - IDC_PALETTE_WALL_1)];
}

void PaletteWindow::drawIcons(bool walls, bool rooms) {
    for (int slot = 1; slot <= wallSlotCount; ++slot) {
        if (walls)
            drawIcon(true, slot);
        if (rooms)
            drawIcon(false, slot);
    }
}

void PaletteWindow::drawIcon(bool wall, int slot) {
    const int side = SlotButton::iconSide;
    WindowDc screen(handle());
    Bitmap icon(CreateCompatibleBitmap(screen.get(), side, side));
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    if (icon && dc) {
        SelectObjectScope keep(dc.get(), icon.get());
        const RECT all{0, 0, side, side};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (wall) {
            drawHorizontalWallMark(dc.get(), 0, 0, document_.palette(), slot, mark_scale::icon, cache_);
        } else {
            RoomMarkImage image;
            image.set(document_.palette().rooms[static_cast<std::size_t>(slot - 1)]);
            if (image.registered())
                drawRoomMarkImage(dc.get(), 0, 0, image, mark_scale::icon, false);
        }
    }
    slotButton((wall ? IDC_PALETTE_WALL_1 : IDC_PALETTE_ROOM_1) + slot - 1).setIcon(std::move(icon));
}

void PaletteWindow::notify(WPARAM what, int slot) {
    if (main_)
        PostMessageW(main_, view_message::markChosen, what, slot);
}

void PaletteWindow::select(int id) {
    const bool wall = isWallSlot(id);
    int& current = wall ? currentWall_ : currentRoom_;
    const int first = wall ? IDC_PALETTE_WALL_1 : IDC_PALETTE_ROOM_1;
    const int slot = id - first + 1;
    if (slot != current) {
        slotButton(first + current - 1).setHighlighted(false);
        slotButton(id).setHighlighted(true);
        current = slot;
    }
    notify(wall ? wallChosen : roomChosen, slot);
}

void PaletteWindow::refresh() {
    drawIcons(true, true);
    slotButton(IDC_PALETTE_WALL_1 + currentWall_ - 1).setHighlighted(false);
    slotButton(IDC_PALETTE_ROOM_1 + currentRoom_ - 1).setHighlighted(false);
    currentWall_ = 1;
    currentRoom_ = 1;
    slotButton(IDC_PALETTE_WALL_1).setHighlighted(true);
    slotButton(IDC_PALETTE_ROOM_1).setHighlighted(true);
    notify(wallChosen, 1);
    notify(roomChosen, 1);
}

void PaletteWindow::takeFocus() {
    if (handle() && IsWindowVisible(handle()))
        SetFocus(item(IDC_PALETTE_WALL_1 + currentWall_ - 1));
}

void PaletteWindow::createWallMark() {
    if (!editWallMark_)
        return;
    WallMarkRecord& slot = document_.palette().walls[static_cast<std::size_t>(currentWall_ - 1)];
    // An empty slot starts the editor from its own defaults.
    const WallMarkRecord start = slot.registered ? slot : WallMarkRecord{};
    const std::optional<WallMarkRecord> made = editWallMark_(handle(), start);
    if (!made)
        return;
    slot = *made;
    slot.registered = 1;
    // The map file keeps the palette it was drawn with.
    document_.setModified(true);
    drawIcon(true, currentWall_);
    notify(wallsChanged, currentWall_);
}

void PaletteWindow::createRoomMark() {
    if (!editRoomMark_)
        return;
    RoomMarkSlot& slot = document_.palette().rooms[static_cast<std::size_t>(currentRoom_ - 1)];
    const std::optional<RoomMarkSlot> made = editRoomMark_(handle(), slot);
    if (!made)
        return;
    slot = *made;
    slot.registered = true;
    // The masks are built from the transparent colours here once, so a mark that cannot be drawn is
    // refused now rather than left half-drawn on the map.
    RoomMarkImage check;
    if (!check.set(slot)) {
        slot = RoomMarkSlot{}; // no pictures, no transparent colours
        showMessage("例外エラー発生\n\n部屋マークの作成に失敗しました。", handle(), msg::ok | msg::iconError);
    }
    // The map file keeps the palette it was drawn with.
    document_.setModified(true);
    drawIcon(false, currentRoom_);
    notify(roomsChanged, currentRoom_);
}

void PaletteWindow::loadHalf(bool walls) {
    PaletteLoadDialog choice(!mapFile_.empty());
    const int source = choice.choose(handle());
    const unsigned half = walls ? palette_select::walls : palette_select::rooms;
    const MarkPalette before = document_.palette();
    const RulerSettings ruler = document_.getRuler();
    switch (source) {
    case palette_source::base:
        palettes_.loadBasePalette(document_, half);
        break;
    case palette_source::start:
        palettes_.loadStartPalette(document_, half);
        break;
    case palette_source::mapFile:
        maps_.load(document_, mapFile_, half);
        break;
    default:
        return;
    }
    if (!(document_.palette() == before) || !(document_.getRuler() == ruler))
        document_.setModified(true);
    // Whatever the load did (a failure has said so), the icons show what the palette holds now.
    drawIcons(walls, !walls);
    notify(walls ? wallsChanged : roomsChanged, walls ? currentWall_ : currentRoom_);
}

bool PaletteWindow::onCommand(int id, int code, HWND control) {
    if (isWallSlot(id) || isRoomSlot(id)) {
        if (code == BN_CLICKED)
            select(id);
        return true;
    }
    switch (id) {
    case IDC_CLOSE:
    case IDCANCEL:
        ShowWindow(handle(), SW_HIDE);
        return true;
    case IDOK:
        return true;
    case IDC_PALETTE_CREATE_WALL:
        createWallMark();
        return true;
    case IDC_PALETTE_CREATE_ROOM:
        createRoomMark();
        return true;
    case IDC_PALETTE_LOAD_WALLS:
        loadHalf(true);
        return true;
    case IDC_PALETTE_LOAD_ROOMS:
        loadHalf(false);
        return true;
    case IDC_PALETTE_SAVE_START:
        palettes_.saveStartPalette(document_);
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

INT_PTR PaletteWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (const SlotButton& slot : slots_) {
            if (slot.draw(drawn))
                return TRUE;
        }
        for (const ColouredButton& button : buttons_) {
            if (button.draw(drawn))
                return TRUE;
        }
        break;
    }
    case WM_WINDOWPOSCHANGING: {
        auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
        RECT main{};
        if (!(position.flags & SWP_NOMOVE) && main_ && GetWindowRect(main_, &main)) {
            RECT own{};
            GetWindowRect(handle(), &own);
            const int w = (position.flags & SWP_NOSIZE) ? own.right - own.left : position.cx;
            const SnapPosition snapped =
                snapToMainWindow({position.x, position.y}, w, {main.left, main.top, main.right, main.bottom});
            position.x = snapped.x;
            position.y = snapped.y;
        }
        return TRUE;
    }
    default:
        break;
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
