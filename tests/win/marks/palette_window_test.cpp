// The palette window on its own, with a window of the test standing in for the main window.
#include "win/marks/palette_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/document/map_document.h"
#include "model/document/palette_block.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/memory_settings.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"
#include "win/marks/room_mark_editor.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_view.h"

namespace tav::win {
namespace {

struct Note {
    WPARAM what;
    LPARAM slot;
    bool operator==(const Note&) const = default;
};
std::vector<Note>* notes = nullptr;

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == view_message::markChosen && notes)
        notes->push_back({wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

MarkPalette paletteWith(std::uint32_t lineColour, bool roomRegistered) {
    MarkPalette palette;
    for (auto& wall : palette.walls)
        wall = {lineColour, noColour, noColour, noColour, noColour, 1, 1, 0, 0};
    for (auto& room : palette.rooms)
        room.registered = roomRegistered;
    return palette;
}

class PaletteWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW type{};
        type.lpfnWndProc = ownerProcedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"PaletteOwner";
        RegisterClassW(&type);
        owner = CreateWindowExW(0, L"PaletteOwner", L"owner", WS_POPUP, 100, 100, 640, 480, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        notes = &received;
        document.setPalettePaths(u"C:\\P\\Start.mps", u"C:\\P\\Base.mpb");
        files.putFile(u"C:\\P\\Base.mpb", encodePaletteFile(paletteWith(0x0000FF, false), PaletteKind::base));
        ASSERT_TRUE(window.create(owner));
    }
    void TearDown() override {
        notes = nullptr;
        DestroyWindow(owner);
    }
    // Handles what was posted so far.
    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    void click(int id) {
        SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window.handle(), id)));
        pump();
    }

    HWND owner = nullptr;
    std::vector<Note> received;
    MapDocument document;
    test::MemoryFileSystem files;
    test::RecordingPrompter prompter;
    PaletteStorage palettes{files, prompter};
    MapFileStorage maps{files, prompter, palettes};
    DrawingResourceCache cache;
    PaletteWindow window{document, palettes, maps, cache};
};

TEST_F(PaletteWindowTest, SlotClicksTellTheOwnerEveryTimeAndMoveTheHighlight) {
    RECT own{}, main{};
    GetWindowRect(window.handle(), &own);
    GetWindowRect(owner, &main);
    EXPECT_EQ(own.left, main.right) << "it starts beside the main window";
    EXPECT_EQ(own.top, main.top);
    EXPECT_EQ(own.right - own.left, PaletteWindow::width);

    click(IDC_PALETTE_WALL_1 + 6);
    click(IDC_PALETTE_WALL_1 + 6);
    click(IDC_PALETTE_ROOM_1 + 19);
    EXPECT_EQ(received, (std::vector<Note>{{0, 7}, {0, 7}, {1, 20}}));
    EXPECT_EQ(window.currentWallSlot(), 7);
    EXPECT_EQ(window.currentRoomSlot(), 20);

    received.clear();
    window.refresh();
    pump();
    EXPECT_EQ(received, (std::vector<Note>{{0, 1}, {1, 1}}));
    EXPECT_EQ(window.currentWallSlot(), 1);

    // The close box only hides the window.
    click(IDC_CLOSE);
    EXPECT_TRUE(IsWindow(window.handle()));
    EXPECT_FALSE(IsWindowVisible(window.handle()));
}

TEST_F(PaletteWindowTest, LoadingTheBaseWallsKeepsTheRoomsAndTheMapFileChoiceNeedsAFile) {
    document.palette() = paletteWith(0x00FF00, true);
    bool mapFileOffered = true;
    ASSERT_TRUE(test::driveModal([&] { click(IDC_PALETTE_LOAD_WALLS); },
                                 [&](HWND dialog) {
                                     mapFileOffered = IsWindowEnabled(GetDlgItem(dialog, IDC_LOAD_MAP_FILE));
                                     SendDlgItemMessageW(dialog, IDC_LOAD_BASE, BM_CLICK, 0, 0);
                                     test::click(dialog, IDOK);
                                 }));
    EXPECT_FALSE(mapFileOffered);
    EXPECT_EQ(document.palette().walls[0].lineColor, 0x0000FFu);
    EXPECT_EQ(document.palette().walls[19].lineColor, 0x0000FFu);
    EXPECT_TRUE(document.palette().rooms[0].registered) << "the room half stays";
    EXPECT_EQ(received, (std::vector<Note>{{16, 1}}));
    EXPECT_TRUE(document.isModified()) << "the map file keeps the palette it was drawn with";

    // Cancel loads nothing and says nothing.
    document.setModified(false);
    received.clear();
    window.setMapFile(u"C:\\maps\\a.MED");
    ASSERT_TRUE(test::driveModal([&] { click(IDC_PALETTE_LOAD_ROOMS); },
                                 [&](HWND dialog) {
                                     mapFileOffered = IsWindowEnabled(GetDlgItem(dialog, IDC_LOAD_MAP_FILE));
                                     test::click(dialog, IDCANCEL);
                                 }));
    EXPECT_TRUE(mapFileOffered);
    EXPECT_TRUE(document.palette().rooms[0].registered);
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(document.isModified());
}

TEST_F(PaletteWindowTest, ANewWallMarkFillsTheCurrentSlotOnlyWhenTheEditorSaysOk) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_PALETTE_CREATE_WALL))) << "no editor yet";
    std::optional<WallMarkRecord> answer;
    WallMarkRecord startedFrom{};
    window.setWallMarkEditing([&](HWND, const WallMarkRecord& start) {
        startedFrom = start;
        return answer;
    });
    click(IDC_PALETTE_WALL_1 + 2);
    received.clear();
    click(IDC_PALETTE_CREATE_WALL);
    EXPECT_FALSE(document.palette().walls[2].registered);
    EXPECT_TRUE(received.empty()) << "a cancelled editor changes nothing";
    EXPECT_FALSE(document.isModified());

    answer = WallMarkRecord{0x123456, noColour, noColour, 0x00FF00, 0x0000FF, 0, 1, 0, 4};
    click(IDC_PALETTE_CREATE_WALL);
    EXPECT_EQ(document.palette().walls[2].lineColor, 0x123456u);
    EXPECT_EQ(document.palette().walls[2].registered, 1);
    EXPECT_EQ(received, (std::vector<Note>{{16, 3}}));
    EXPECT_TRUE(document.isModified());

    // A registered slot starts the editor from its mark.
    click(IDC_PALETTE_CREATE_WALL);
    EXPECT_EQ(startedFrom.frontShape, 4);
}

// The room editor itself, opened by the button: what it registers lands in the current slot, drawn on its
// icon, and the main window hears of it.
TEST_F(PaletteWindowTest, TheRoomEditorRegistersBothPicturesIntoTheCurrentSlot) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_PALETTE_CREATE_ROOM))) << "no editor yet";
    test::MemorySettings settings;
    const RoomEditorContext context{cache, settings, files, prompter};
    int openings = 0;
    window.setRoomMarkEditing([&](HWND owner, const RoomMarkSlot& start) {
        ++openings;
        return editRoomMark(owner, start, context, {});
    });
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window.handle(), IDC_PALETTE_CREATE_ROOM)));
    click(IDC_PALETTE_ROOM_1 + 4);
    received.clear();
    ASSERT_TRUE(test::driveModal([&] { click(IDC_PALETTE_CREATE_ROOM); },
                                 [](HWND editor) {
                                     HWND canvas = GetDlgItem(editor, IDC_ROOMMARK_NORMAL_CANVAS);
                                     const LPARAM at =
                                         MAKELPARAM(2 * PixelCanvas::zoom + 6, 3 * PixelCanvas::zoom + 6);
                                     SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at);
                                     SendMessageW(canvas, WM_LBUTTONUP, 0, at);
                                     SendDlgItemMessageW(editor, IDC_ROOMMARK_TRANSPARENT_CHECK, BM_CLICK, 0,
                                                         0);
                                     test::click(editor, IDOK);
                                 }));
    pump();
    EXPECT_EQ(openings, 1);
    const RoomMarkSlot& slot = document.palette().rooms[4];
    EXPECT_TRUE(slot.registered);
    EXPECT_EQ(slot.normalImage.transparent, 0x008000u);
    EXPECT_EQ(slot.wideImage.transparent, noColour);
    EXPECT_EQ(received, (std::vector<Note>{{17, 5}}));
    EXPECT_TRUE(document.isModified());

    // The icon shows the picture opaque: black where it was drawn, the transparent colour around it.
    const int id = IDC_PALETTE_ROOM_1 + 4;
    test::DibCanvas face(29, 29);
    DRAWITEMSTRUCT drawn{};
    drawn.CtlType = ODT_BUTTON;
    drawn.CtlID = id;
    drawn.itemAction = ODA_DRAWENTIRE;
    drawn.hwndItem = GetDlgItem(window.handle(), id);
    drawn.hDC = face.dc();
    drawn.rcItem = {0, 0, 29, 29};
    SendMessageW(window.handle(), WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&drawn));
    const int icon = (29 - SlotButton::iconSide) / 2 + 1; // sunken: the current slot
    EXPECT_EQ(face.at(icon + 2, icon + 3), RGB(0, 0, 0));
    EXPECT_EQ(face.at(icon + 10, icon + 10), RGB(0, 0x80, 0));

    // Cancelling the editor leaves the slot as it was and says nothing.
    received.clear();
    ASSERT_TRUE(test::driveModal([&] { click(IDC_PALETTE_CREATE_ROOM); },
                                 [](HWND editor) { test::click(editor, IDCANCEL); }));
    pump();
    EXPECT_TRUE(document.palette().rooms[4].registered);
    EXPECT_TRUE(received.empty());
}

} // namespace
} // namespace tav::win
