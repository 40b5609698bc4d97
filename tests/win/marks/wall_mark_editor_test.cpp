// The wall mark editor driven inside its own modal loop with the messages a user's input produces: what
// the controls show, what the caller and the history receive, and the pixels of the preview. The rules
// themselves are the draft's (model test).
#include "win/marks/wall_mark_editor.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/png_writer.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;
using test::white;

constexpr std::uint32_t none = noColour;
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF black = RGB(0, 0, 0);

WallMarkRecord record(std::uint8_t line, std::uint32_t lineColour, std::uint8_t back, std::uint32_t backFrame,
                      std::uint32_t backFill, std::uint8_t front, std::uint32_t frontFrame,
                      std::uint32_t frontFill, std::uint8_t registered = 1) {
    return {lineColour, backFrame, backFill, frontFrame, frontFill, registered, line, back, front};
}

const WallMarkRecord emptySlot = record(0, none, 0, none, none, 0, none, none, 0);

struct Outcome {
    std::optional<WallMarkRecord> record; // what the caller got back
    std::vector<WallMarkRecord> added;    // what reached the history
    int picks = 0;
};

// picked: the history picker's answers, one per opening; without it the editor gets no hooks at all.
Outcome runEditor(const WallMarkRecord& start, const std::function<void(HWND)>& drive,
                  std::optional<std::vector<std::optional<WallMarkRecord>>> picked = {}) {
    DrawingResourceCache cache;
    Outcome outcome;
    WallHistoryHooks hooks;
    if (picked) {
        hooks.pick = [&](HWND owner) -> std::optional<WallMarkRecord> {
            EXPECT_TRUE(IsWindow(owner));
            const std::size_t n = static_cast<std::size_t>(outcome.picks++);
            return n < picked->size() ? (*picked)[n] : std::nullopt;
        };
        hooks.add = [&](const WallMarkRecord& r) { outcome.added.push_back(r); };
    }
    EXPECT_TRUE(
        test::driveModal([&] { outcome.record = editWallMark(nullptr, start, cache, hooks); }, drive));
    return outcome;
}

COLORREF swatchColour(HWND dialog, int id) {
    DibCanvas canvas(28, 28);
    SendDlgItemMessageW(dialog, id, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return canvas.at(10, 10);
}

// The preview's pixels, addressed by a figure's offset from the point the wall routines were given.
class Preview {
public:
    explicit Preview(HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_WALLMARK_PREVIEW, WM_PRINTCLIENT,
                            reinterpret_cast<WPARAM>(canvas_.dc()), PRF_CLIENT);
    }
    COLORREF at(int dx, int dy) const {
        const POINT origin = wallPreviewOrigin(60, 29);
        return canvas_.at(origin.x + dx, origin.y + dy);
    }
    bool blank() const { return canvas_.count({0, 0, 60, 29}, white) == 60 * 29; }

private:
    DibCanvas canvas_{60, 29};
};

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
bool enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
int shapeShown(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

// A shape chosen with the arrow keys in the closed list, as typed.
void stepShape(HWND dialog, int listId, int steps) {
    HWND combo = reinterpret_cast<HWND>(SendDlgItemMessageW(dialog, listId, CBEM_GETCOMBOCONTROL, 0, 0));
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
        SendMessageW(combo, WM_KEYDOWN, steps < 0 ? VK_UP : VK_DOWN, 0);
}

constexpr std::pair<int, int> swatchAndBox[] = {
    {IDC_WALLMARK_LINE_SWATCH, 0},
    {IDC_WALLMARK_BACK_FRAME_SWATCH, IDC_WALLMARK_BACK_FRAME_CHECK},
    {IDC_WALLMARK_BACK_FILL_SWATCH, IDC_WALLMARK_BACK_FILL_CHECK},
    {IDC_WALLMARK_FRONT_FRAME_SWATCH, IDC_WALLMARK_FRONT_FRAME_CHECK},
    {IDC_WALLMARK_FRONT_FILL_SWATCH, IDC_WALLMARK_FRONT_FILL_CHECK},
};

// Every control against a record as loading it must show it; a swatch whose colour is none keeps
// whatever it showed, so only set colours are compared.
void expectShows(HWND dialog, const WallMarkRecord& r) {
    const bool on = r.registered && r.lineVisible;
    EXPECT_EQ(checked(dialog, IDC_WALLMARK_LINE_ON), on);
    EXPECT_EQ(checked(dialog, IDC_WALLMARK_LINE_OFF), !on);
    const int back = r.registered ? r.backShape : 0, front = r.registered ? r.frontShape : 0;
    EXPECT_EQ(shapeShown(dialog, IDC_WALLMARK_BACK_SHAPE), back);
    EXPECT_EQ(shapeShown(dialog, IDC_WALLMARK_FRONT_SHAPE), front);
    const std::uint32_t colours[] = {on ? r.lineColor : none, r.backFrameColor, r.backFillColor,
                                     r.frontFrameColor, r.frontFillColor};
    const bool inUse[] = {on, back != 0, back != 0, front != 0, front != 0};
    for (int i = 0; i < 5; ++i) {
        const auto [swatch, box] = swatchAndBox[i];
        const bool set = inUse[i] && colours[i] != none;
        EXPECT_EQ(enabled(dialog, swatch), inUse[i]) << swatch;
        if (box) {
            EXPECT_EQ(enabled(dialog, box), inUse[i]) << box;
            EXPECT_EQ(checked(dialog, box), set) << box;
        }
        if (set) {
            EXPECT_EQ(swatchColour(dialog, swatch), colours[i] & 0xFFFFFF) << swatch;
        }
    }
}

TEST(WallMarkEditor, AnUnregisteredSlotWithoutHooksStartsEmptyAndRegistersTheEmptySlot) {
    Outcome outcome = runEditor(record(1, 0x123456, 4, 0x1, 0x2, 5, 0x3, 0x4, 0), [](HWND dialog) {
        expectShows(dialog, emptySlot);
        EXPECT_TRUE(Preview(dialog).blank());
        EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_HISTORY));
        RECT frame{};
        GetWindowRect(dialog, &frame);
        EXPECT_EQ(frame.right - frame.left, 336);
        EXPECT_EQ(frame.bottom - frame.top, 284);
        // Texts as compiled from the script, the shape names as the program holds them.
        const std::pair<int, const wchar_t*> texts[] = {{IDC_TITLE, L" 壁マーク作成"},
                                                        {IDC_WALLMARK_LINE_OFF, L"引かない"},
                                                        {IDC_WALLMARK_BACK_GROUP, L"マーク（後面）"},
                                                        {IDC_WALLMARK_FRONT_FILL_GROUP, L"内側色"},
                                                        {IDOK, L"登録"},
                                                        {IDCANCEL, L"ｷｬﾝｾﾙ"}};
        for (const auto& [id, text] : texts)
            EXPECT_EQ(test::windowText(GetDlgItem(dialog, id)), text) << id;
        for (int id : {IDC_WALLMARK_BACK_SHAPE, IDC_WALLMARK_FRONT_SHAPE}) {
            EXPECT_EQ(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0), 13);
            wchar_t name[32] = {};
            COMBOBOXEXITEMW entry{};
            entry.mask = CBEIF_TEXT | CBEIF_IMAGE;
            entry.iItem = 12;
            entry.pszText = name;
            entry.cchTextMax = 32;
            SendDlgItemMessageW(dialog, id, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
            EXPECT_EQ(std::wstring(name), L"鍵錠");
            EXPECT_EQ(entry.iImage, 12);
        }
        test::click(dialog, IDC_WALLMARK_HISTORY); // disabled: nothing to call
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.record, emptySlot);
}

TEST(WallMarkEditor, TheSlotsRecordAndEachHistoryPickFillEveryControl) {
    const WallMarkRecord start = record(1, 0x00A0B0, 4, red, none, 8, blue, RGB(0, 160, 0));
    const WallMarkRecord earlier = record(0, 0x123456, 12, none, 0x345678, 3, 0x010203, none);
    Outcome outcome = runEditor(
        start,
        [&](HWND dialog) {
            expectShows(dialog, start);
            test::click(dialog, IDC_WALLMARK_HISTORY);
            expectShows(dialog, earlier);
            test::click(dialog, IDC_WALLMARK_HISTORY); // cancelled: nothing changes
            expectShows(dialog, earlier);
            test::click(dialog, IDC_WALLMARK_HISTORY);
            expectShows(dialog, emptySlot);
            EXPECT_TRUE(Preview(dialog).blank());
            test::click(dialog, IDCANCEL);
        },
        std::vector<std::optional<WallMarkRecord>>{earlier, std::nullopt, emptySlot});
    EXPECT_EQ(outcome.picks, 3);
    EXPECT_EQ(outcome.record, std::nullopt);
    EXPECT_TRUE(outcome.added.empty());
}

TEST(WallMarkEditor, BoxesShapesAndLineRedrawThePreviewAndRegisteringHandsTheRecordOnce) {
    // A square at normal view: its outline's corner is (12, -5), its inside (17, -3).
    Outcome outcome = runEditor(
        record(1, black, 10, red, blue, 0, none, none),
        [](HWND dialog) {
            EXPECT_EQ(Preview(dialog).at(12, -5), red);
            EXPECT_EQ(Preview(dialog).at(17, -3), blue);
            test::click(dialog, IDC_WALLMARK_BACK_FILL_CHECK);
            EXPECT_EQ(Preview(dialog).at(17, -3), white);
            test::click(dialog, IDC_WALLMARK_BACK_FILL_CHECK);
            EXPECT_EQ(Preview(dialog).at(17, -3), blue);

            stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, -2); // the circle
            EXPECT_EQ(Preview(dialog).at(12, -5), white);
            EXPECT_EQ(Preview(dialog).at(17, -5), red);
            stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, -8); // none
            EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_BACK_FRAME_CHECK));
            EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_BACK_FILL_SWATCH));
            EXPECT_EQ(Preview(dialog).at(17, -5), white);
            stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, 1); // the rectangle, (5, -2) .. (29, 2)
            EXPECT_EQ(Preview(dialog).at(5, -2), red);

            EXPECT_EQ(Preview(dialog).at(0, 0), black);
            test::click(dialog, IDC_WALLMARK_LINE_OFF);
            EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_LINE_SWATCH));
            EXPECT_EQ(Preview(dialog).at(0, 0), white);
            stepShape(dialog, IDC_WALLMARK_FRONT_SHAPE, 5);
            test::click(dialog, IDOK);
        },
        std::vector<std::optional<WallMarkRecord>>{});
    ASSERT_TRUE(outcome.record);
    EXPECT_EQ(*outcome.record, record(0, 0, 1, red, blue, 5, none, none));
    EXPECT_EQ(outcome.added, std::vector<WallMarkRecord>{*outcome.record});
}

TEST(WallMarkEditor, CancelAndCloseReturnNothingAndTouchNoHistory) {
    const WallMarkRecord start = record(1, red, 3, blue, none, 9, black, red);
    for (int button : {IDCANCEL, IDC_CLOSE}) {
        Outcome outcome = runEditor(
            start,
            [button](HWND dialog) {
                test::click(dialog, IDC_WALLMARK_LINE_OFF);
                stepShape(dialog, IDC_WALLMARK_FRONT_SHAPE, 1);
                test::click(dialog, button);
            },
            std::vector<std::optional<WallMarkRecord>>{});
        EXPECT_EQ(outcome.record, std::nullopt) << button;
        EXPECT_TRUE(outcome.added.empty()) << button;
        EXPECT_EQ(outcome.picks, 0) << button;
    }
}

// The colour chooser's own red, green and blue fields.
constexpr int redEdit = 706, greenEdit = 707, blueEdit = 708;

// The system chooser, driven like the editor: it opens on the swatch's colour, its choice reaches the
// swatch and the preview, and cancelling it changes nothing.
TEST(WallMarkEditor, SwatchClickOpensTheColourChooserOnItsColour) {
    std::wstring shownRed;
    Outcome outcome = runEditor(record(1, RGB(10, 20, 30), 1, none, none, 0, none, none), [&](HWND dialog) {
        auto chooseFor = [dialog](int swatch, const std::function<void(HWND)>& drive) {
            EXPECT_TRUE(test::driveModal(
                [&] { SendDlgItemMessageW(dialog, swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); },
                drive));
        };
        chooseFor(IDC_WALLMARK_LINE_SWATCH, [&](HWND chooser) {
            shownRed = test::windowText(GetDlgItem(chooser, redEdit));
            SetDlgItemTextW(chooser, redEdit, L"200");
            SetDlgItemTextW(chooser, greenEdit, L"100");
            SetDlgItemTextW(chooser, blueEdit, L"50");
            test::click(chooser, IDOK);
        });
        EXPECT_EQ(swatchColour(dialog, IDC_WALLMARK_LINE_SWATCH), RGB(200, 100, 50));
        EXPECT_EQ(Preview(dialog).at(0, 0), RGB(200, 100, 50));
        chooseFor(IDC_WALLMARK_LINE_SWATCH, [](HWND chooser) {
            SetDlgItemTextW(chooser, redEdit, L"1");
            test::click(chooser, IDCANCEL);
        });
        // An unchecked box's swatch takes the colour; the mark shows it once the box is checked.
        chooseFor(IDC_WALLMARK_BACK_FILL_SWATCH, [](HWND chooser) {
            SetDlgItemTextW(chooser, greenEdit, L"255");
            test::click(chooser, IDOK);
        });
        EXPECT_EQ(Preview(dialog).at(17, 1), white); // inside the rectangle, off the line
        test::click(dialog, IDC_WALLMARK_BACK_FILL_CHECK);
        EXPECT_EQ(Preview(dialog).at(17, 1), RGB(0, 255, 0));
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(shownRed, L"10");
    EXPECT_EQ(outcome.record, record(1, RGB(200, 100, 50), 1, none, RGB(0, 255, 0), 0, none, none));
}

// The dialog as the screen shows it, closed and with the back list dropped, saved for a person to look at.
TEST(WallMarkEditor, PictureShowsTheLayoutTheMarkAndTheWholeShapeList) {
    runEditor(record(1, RGB(0, 0, 160), 10, black, RGB(255, 224, 0), 11, red, none), [](HWND dialog) {
        RECT frame{};
        GetWindowRect(dialog, &frame);
        const std::string folder = test::pictureFolder("marks");
        auto shoot = [&](int height, const char* name) {
            RedrawWindow(dialog, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            auto canvas = std::make_unique<DibCanvas>(frame.right - frame.left, height);
            HDC screen = GetDC(nullptr);
            BitBlt(canvas->dc(), 0, 0, canvas->width(), height, screen, frame.left, frame.top, SRCCOPY);
            ReleaseDC(nullptr, screen);
            EXPECT_TRUE(!folder.empty() && canvas->save(folder + name, 2));
            return canvas;
        };
        const auto closed = shoot(frame.bottom - frame.top, "wall_mark_editor.png");
        // The preview in its place: the line, the square's black side and yellow inside, the X's red tip.
        const POINT o = wallPreviewOrigin(60, 29);
        auto preview = [&](int dx, int dy) { return closed->at(241 + o.x + dx, 53 + o.y + dy); };
        EXPECT_EQ(preview(0, 0), RGB(0, 0, 160));
        EXPECT_EQ(preview(12, -2), black);
        EXPECT_EQ(preview(17, 4), RGB(255, 224, 0));
        EXPECT_EQ(preview(21, -5), red);
        EXPECT_EQ(closed->at(210 + 10, 198 + 10), red); // the front frame swatch
        EXPECT_EQ(closed->at(200, 3), 0xC5740Du);       // the title band
        EXPECT_NE(closed->at(0, 0), 0x404040u);         // cut off by the round region

        // Dropped, the list shows every shape without scrolling under a 22-pixel field.
        HWND combo = reinterpret_cast<HWND>(
            SendDlgItemMessageW(dialog, IDC_WALLMARK_BACK_SHAPE, CBEM_GETCOMBOCONTROL, 0, 0));
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(GetComboBoxInfo(combo, &info));
        RECT field{};
        GetWindowRect(combo, &field);
        EXPECT_EQ(field.bottom - field.top, 22);
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        RECT list{};
        GetClientRect(info.hwndList, &list);
        EXPECT_GE(list.bottom, 13 * SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
        GetWindowRect(info.hwndList, &list);
        shoot(std::max<int>(list.bottom - frame.top, 1), "wall_mark_editor_list.png");
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        test::click(dialog, IDCANCEL);
    });
}

} // namespace
} // namespace tav::win
