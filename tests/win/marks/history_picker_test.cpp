// The two history pickers driven inside their own modal loop: what they list, return and delete, and the
// pixels of their list cells. The history file lives on the in-memory disk.
#include "win/marks/room_history_picker.h"
#include "win/marks/wall_history_picker.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/marks/history_samples.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/memory_file_system.h"
#include "support/memory_settings.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::Bytes;
using test::DibCanvas;
using test::roomFile;
using test::sampleWall;
using test::windowText;

// Wall marks by their sample seeds.
Bytes wallFile(std::initializer_list<int> seeds) {
    std::vector<Bytes> records;
    for (int seed : seeds)
        records.push_back(test::wallBytes(sampleWall(seed)));
    return test::historyFile("HD00", records);
}

// A room mark whose 23x23 picture is the transparent colour left of column 11 and red from there, and
// whose 15x15 picture is green.
RoomMarkSlot halfRedRoom() {
    RoomMarkSlot mark;
    mark.registered = true;
    mark.normalImage.transparent = 0xFF00FF;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 23; ++x) {
            std::uint8_t* p = mark.normalImage.pixels.data() + y * RoomPicture<23>::stride + x * 3;
            p[0] = x < 11 ? 0xFF : 0x00; // blue, green, red
            p[1] = 0x00;
            p[2] = 0xFF;
        }
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            mark.wideImage.pixels[y * RoomPicture<15>::stride + x * 3 + 1] = 0xC0;
    return mark;
}

HWND list(HWND dialog) {
    return GetDlgItem(dialog, IDC_PICKER_LIST);
}

LRESULT listSend(HWND dialog, UINT message, WPARAM wParam = 0) {
    return SendMessageW(list(dialog), message, wParam, 0);
}

// A click on an item as the list box reports it.
void pick(HWND dialog, int position) {
    listSend(dialog, LB_SETCURSEL, static_cast<WPARAM>(position));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PICKER_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list(dialog)));
}

// The record index of the selected item, -1 with none.
LRESULT selectedRecord(HWND dialog) {
    const LRESULT position = listSend(dialog, LB_GETCURSEL);
    return position < 0 ? -1 : listSend(dialog, LB_GETITEMDATA, static_cast<WPARAM>(position));
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// The dialog as the screen shows it.
struct Screenshot {
    explicit Screenshot(HWND dialog) : dialog(dialog) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump();
        GetWindowRect(dialog, &frame);
        canvas = std::make_unique<DibCanvas>(frame.right - frame.left, frame.bottom - frame.top);
        HDC screen = GetDC(nullptr);
        BitBlt(canvas->dc(), 0, 0, canvas->width(), canvas->height(), screen, frame.left, frame.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    void save(const std::string& name) const {
        const std::string folder = test::pictureFolder("marks");
        EXPECT_TRUE(!folder.empty() && canvas->save(folder + name, 2));
    }
    // Top-left of a list cell.
    POINT cell(int position) const {
        RECT r{};
        SendMessageW(list(dialog), LB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&r));
        POINT corner{r.left, r.top};
        ClientToScreen(list(dialog), &corner);
        return POINT{corner.x - frame.left, corner.y - frame.top};
    }
    // Top-left of a control.
    POINT control(int id) const {
        RECT r{};
        GetWindowRect(GetDlgItem(dialog, id), &r);
        return POINT{r.left - frame.left, r.top - frame.top};
    }
    COLORREF at(POINT origin, int x, int y) const { return canvas->at(origin.x + x, origin.y + y); }

    HWND dialog;
    RECT frame{};
    std::unique_ptr<DibCanvas> canvas;
};

class Pickers : public ::testing::Test {
protected:
    void SetUp() override { files.addDirectory(folder); }

    template <typename Picker> INT_PTR run(Picker& picker, const std::function<void(HWND)>& drive) {
        INT_PTR result = 0;
        EXPECT_TRUE(test::driveModal([&] { result = picker.runModal(nullptr); }, drive));
        return result;
    }

    const FilePath folder = u"C:\\Tavrosin\\";
    const FilePath wallPath = folder + u"History.mhd";
    const FilePath roomPath = folder + u"History.mhb";
    test::MemoryFileSystem files;
    test::MemorySettings settings;
    test::RecordingPrompter prompter;
    MarkHistory history{files, prompter, settings, folder};
    DrawingResourceCache cache;
};

TEST_F(Pickers, WallPickerListsTheEntriesInCellsAndReturnsTheOneChosen) {
    files.putFile(wallPath, wallFile({10, 11, 12, 13, 14}));
    WallHistoryPicker picker(history, cache);
    const INT_PTR result = run(picker, [](HWND dialog) {
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_TITLE)), L" 過去の履歴から選択");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_PICKER_DELETE)), L"削除");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_PICKER_DELETE_ALL)), L"全削除");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDOK)), L"選択");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDCANCEL)), L"ｷｬﾝｾﾙ");
        ASSERT_EQ(listSend(dialog, LB_GETCOUNT), 5);
        EXPECT_EQ(listSend(dialog, LB_GETITEMDATA, 4), 4);

        // Cells of at least 95 x 51 that share the list's client area out evenly.
        RECT client{}, cell{};
        GetClientRect(list(dialog), &client);
        SendMessageW(list(dialog), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        const int columns = client.right / 95, rows = client.bottom / 51;
        EXPECT_GE(columns, 2);
        EXPECT_EQ(cell.right - cell.left, client.right / columns);
        EXPECT_EQ(cell.bottom - cell.top, client.bottom / rows);

        EXPECT_EQ(selectedRecord(dialog), 0);
        // Seed 11 draws its line outside its shapes: in both icon boxes and on the preview cell's top edge.
        pick(dialog, 1);
        const Screenshot shot(dialog);
        shot.save("wall_history_picker.png");
        const POINT first = shot.cell(1);
        EXPECT_EQ(shot.at(first, 16 + 0, 14 + 11), 0x10203Bu) << "horizontal wall";
        EXPECT_EQ(shot.at(first, 56 + 11, 14 + 0), 0x10203Bu) << "vertical wall";
        EXPECT_EQ(shot.at(shot.control(IDC_PICKER_PREVIEW), 2 * 8, 2 * 6), 0x10203Bu);

        pick(dialog, 2); // seed 12: back shape 12, front shape 8, no line, back fill none
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_PICKER_BACK_SHAPE)), L"マーク(後面): 鍵錠");
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_PICKER_FRONT_SHAPE)), L"マーク(前面): 円形");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_PICKER_BACK_FILL))) << "its colour is none";
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_PICKER_LINE_COLOUR))) << "no line";
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_PICKER_FRONT_FRAME)));
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(picker.chosen(), sampleWall(12));
    EXPECT_EQ(files.contents(wallPath), wallFile({10, 11, 12, 13, 14}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Pickers, DeletionsReachTheFileOnlyWhenThePickerClosesEvenOnCancel) {
    const Bytes five = wallFile({0, 1, 2, 3, 4});
    files.putFile(wallPath, five);
    WallHistoryPicker picker(history, cache);
    const INT_PTR result = run(picker, [&](HWND dialog) {
        pick(dialog, 0);
        test::click(dialog, IDC_PICKER_DELETE);
        EXPECT_EQ(listSend(dialog, LB_GETCOUNT), 4);
        EXPECT_EQ(selectedRecord(dialog), 1) << "the item that took its place";
        pick(dialog, 1);
        test::click(dialog, IDC_PICKER_DELETE);
        EXPECT_EQ(selectedRecord(dialog), 3);
        EXPECT_EQ(files.contents(wallPath), five) << "nothing is written while the picker is open";
        test::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(picker.chosen(), std::nullopt);
    EXPECT_EQ(files.contents(wallPath), wallFile({1, 3, 4}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Pickers, DeleteAllEmptiesTheListAndDeletesTheFileOnClose) {
    files.putFile(wallPath, wallFile({0, 1, 2}));
    WallHistoryPicker picker(history, cache);
    const INT_PTR result = run(picker, [&](HWND dialog) {
        pick(dialog, 2);
        test::click(dialog, IDC_PICKER_DELETE);
        EXPECT_EQ(selectedRecord(dialog), 1) << "the new last item";
        test::click(dialog, IDC_PICKER_DELETE_ALL);
        EXPECT_EQ(listSend(dialog, LB_GETCOUNT), 0);
        for (int id : {IDC_PICKER_DELETE, IDC_PICKER_DELETE_ALL, IDOK})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_PICKER_LINE_COLOUR)));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0); // Enter still sends the default button's id
        EXPECT_TRUE(IsWindow(dialog)) << "nothing to choose";
        EXPECT_TRUE(files.hasFile(wallPath));
        test::click(dialog, IDC_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(files.hasFile(wallPath));
    EXPECT_TRUE(prompter.shown.empty());
}

// The room picker as the screen shows it, saved for a person to look at, with the pixels of its cells.
TEST_F(Pickers, RoomPickerDrawsBothPicturesInFramesAndReturnsTheChosenPair) {
    const RoomMarkSlot marked = halfRedRoom();
    files.putFile(roomPath, roomFile({test::sampleRoom(2), marked, test::sampleRoom(5)}));
    RoomHistoryPicker picker(history, cache);
    const INT_PTR result = run(picker, [&](HWND dialog) {
        pick(dialog, 1);
        const Screenshot shot(dialog);
        shot.save("room_history_picker.png");
        const POINT chosen = shot.cell(1), other = shot.cell(2);
        EXPECT_EQ(shot.at(chosen, 16 + 3, 14 + 11), 0xF1FBFFu) << "the transparent half shows the frame";
        EXPECT_EQ(shot.at(chosen, 16 + 20, 14 + 11), 0x0000FFu) << "the red half";
        EXPECT_EQ(shot.at(chosen, 60 + 7, 18 + 7), 0x00C000u) << "the 15x15 picture";
        EXPECT_EQ(shot.at(chosen, 12, 25), 0x80FFFFu) << "the frame's left edge";
        EXPECT_EQ(shot.at(chosen, 5, 5), 0x40A0FFu) << "the selection triangle";
        EXPECT_EQ(shot.at(other, 5, 5), 0x404040u);
        EXPECT_EQ(shot.at(other, 20, 40 + 5), 0x404040u) << "below the frames";
        EXPECT_EQ(shot.at(shot.cell(3), 5, 5), 0x404040u) << "the list past its last entry";

        // The previews are the pictures at three times their size, opaque.
        const POINT preview = shot.control(IDC_PICKER_PREVIEW);
        EXPECT_EQ(shot.at(preview, 3, 30), 0xFF00FFu);
        EXPECT_EQ(shot.at(preview, 66, 30), 0x0000FFu);
        EXPECT_EQ(shot.at(shot.control(IDC_PICKER_WIDE_PREVIEW), 44, 44), 0x00C000u);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_PICKER_NORMAL_TRANSPARENT)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_PICKER_WIDE_TRANSPARENT))) << "none";
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(picker.chosen(), marked);
}

} // namespace
} // namespace tav::win
