// The wall mark editor driven inside its own modal loop with the messages a user's input produces: what
// the controls show, what the caller and the history receive, and the pixels of the preview.
#include "win/marks/wall_mark_editor.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
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
constexpr COLORREF green = RGB(0, 160, 0);
constexpr COLORREF black = RGB(0, 0, 0);

WallMarkRecord record(std::uint8_t line, std::uint32_t lineColour, std::uint8_t back, std::uint32_t backFrame,
                      std::uint32_t backFill, std::uint8_t front, std::uint32_t frontFrame,
                      std::uint32_t frontFill, std::uint8_t registered = 1) {
    return {lineColour, backFrame, backFill, frontFrame, frontFill, registered, line, back, front};
}

const WallMarkRecord emptySlot = record(0, none, 0, none, none, 0, none, none, 0);

// What the editor handed to the history and back to its caller.
struct Outcome {
    INT_PTR result = 0;
    WallMarkRecord record{};
    std::vector<WallMarkRecord> added;
    int picks = 0;
};

// picked: what the history picker answers, one entry per opening; none means no pick hook at all.
Outcome runEditor(const std::optional<WallMarkRecord>& start, const std::function<void(HWND)>& drive,
                  std::optional<std::vector<std::optional<WallMarkRecord>>> picked = {},
                  bool addHook = true) {
    DrawingResourceCache cache;
    Outcome outcome;
    WallHistoryHooks hooks;
    if (picked)
        hooks.pick = [&](HWND owner) -> std::optional<WallMarkRecord> {
            EXPECT_TRUE(IsWindow(owner));
            const int n = outcome.picks++;
            return n < static_cast<int>(picked->size()) ? (*picked)[static_cast<std::size_t>(n)]
                                                        : std::nullopt;
        };
    if (addHook)
        hooks.add = [&](const WallMarkRecord& r) { outcome.added.push_back(r); };
    WallMarkEditor editor(cache, hooks);
    if (start)
        editor.setRecord(*start);
    EXPECT_TRUE(test::driveModal([&] { outcome.result = editor.runModal(nullptr); }, drive));
    outcome.record = editor.record();
    return outcome;
}

// A control's own picture, drawn into a canvas of its client size.
void printControl(HWND dialog, int id, DibCanvas& canvas) {
    SendMessageW(GetDlgItem(dialog, id), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
}

COLORREF swatchColour(HWND dialog, int id) {
    DibCanvas canvas(28, 28);
    printControl(dialog, id, canvas);
    return canvas.at(10, 10);
}

// The preview's pixel at a figure's offset from the (x, y) the wall routines were given.
class Preview {
public:
    explicit Preview(HWND dialog) { printControl(dialog, IDC_WALLMARK_PREVIEW, canvas_); }
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

// A box clicked as the mouse does it: the button toggles and tells the dialog.
void click(HWND dialog, int id) {
    test::click(dialog, id);
}

// A shape chosen with the arrow keys in the closed list, as typed.
void stepShape(HWND dialog, int listId, int steps) {
    HWND combo = reinterpret_cast<HWND>(SendDlgItemMessageW(dialog, listId, CBEM_GETCOMBOCONTROL, 0, 0));
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
        SendMessageW(combo, WM_KEYDOWN, steps < 0 ? VK_UP : VK_DOWN, 0);
}

struct ColourIds {
    int swatch;
    int check; // 0 for the line
};
constexpr ColourIds colourIds[] = {
    {IDC_WALLMARK_LINE_SWATCH, 0},
    {IDC_WALLMARK_BACK_FRAME_SWATCH, IDC_WALLMARK_BACK_FRAME_CHECK},
    {IDC_WALLMARK_BACK_FILL_SWATCH, IDC_WALLMARK_BACK_FILL_CHECK},
    {IDC_WALLMARK_FRONT_FRAME_SWATCH, IDC_WALLMARK_FRONT_FRAME_CHECK},
    {IDC_WALLMARK_FRONT_FILL_SWATCH, IDC_WALLMARK_FRONT_FILL_CHECK},
};

// Every control against a record as loading it must show it. Colours that are none leave their swatch
// as it was, so only set ones are compared.
void expectShows(HWND dialog, const WallMarkRecord& r) {
    const bool on = r.registered && r.lineVisible;
    EXPECT_EQ(checked(dialog, IDC_WALLMARK_LINE_ON), on);
    EXPECT_EQ(checked(dialog, IDC_WALLMARK_LINE_OFF), !on);
    const int back = r.registered ? r.backShape : 0, front = r.registered ? r.frontShape : 0;
    EXPECT_EQ(shapeShown(dialog, IDC_WALLMARK_BACK_SHAPE), back);
    EXPECT_EQ(shapeShown(dialog, IDC_WALLMARK_FRONT_SHAPE), front);
    const std::uint32_t colours[] = {on ? r.lineColor : none, r.backFrameColor, r.backFillColor,
                                     r.frontFrameColor, r.frontFillColor};
    const bool shaped[] = {on, back != 0, back != 0, front != 0, front != 0};
    for (int i = 0; i < 5; ++i) {
        const bool set = shaped[i] && colours[i] != none;
        EXPECT_EQ(enabled(dialog, colourIds[i].swatch), shaped[i]) << i;
        if (colourIds[i].check) {
            EXPECT_EQ(enabled(dialog, colourIds[i].check), shaped[i]) << i;
            EXPECT_EQ(checked(dialog, colourIds[i].check), set) << i;
        }
        if (set) {
            EXPECT_EQ(swatchColour(dialog, colourIds[i].swatch), colours[i] & 0xFFFFFF) << i;
        }
    }
}

// The frame's tooltip control of a dialog.
HWND tooltipOf(HWND dialog) {
    struct Search {
        HWND dialog;
        HWND found;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == s->dialog)
                s->found = window;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring tipOf(HWND dialog, int id) {
    wchar_t text[80] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
    info.lpszText = text;
    SendMessageW(tooltipOf(dialog), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    return text;
}

TEST(WallMarkEditor, ControlsCarryTheirTextsAndTheSwatchesTheirTips) {
    runEditor({}, [](HWND dialog) {
        const std::pair<int, const wchar_t*> texts[] = {
            {IDC_TITLE, L" 壁マーク作成"},
            {IDC_CLOSE, L"×"},
            {IDC_WALLMARK_LINE_GROUP, L"ライン"},
            {IDC_WALLMARK_LINE_ON, L"引く"},
            {IDC_WALLMARK_LINE_OFF, L"引かない"},
            {IDC_WALLMARK_COLOUR_GROUP, L"色"},
            {IDC_WALLMARK_PREVIEW_GROUP, L"Preview"},
            {IDC_WALLMARK_BACK_GROUP, L"マーク（後面）"},
            {IDC_WALLMARK_FRONT_GROUP, L"マーク（前面）"},
            {IDC_WALLMARK_BACK_FRAME_GROUP, L"枠色"},
            {IDC_WALLMARK_FRONT_FILL_GROUP, L"内側色"},
            {IDC_WALLMARK_HISTORY, L"履歴"},
            {IDOK, L"登録"},
            {IDCANCEL, L"ｷｬﾝｾﾙ"},
        };
        for (const auto& [id, text] : texts)
            EXPECT_EQ(test::windowText(GetDlgItem(dialog, id)), text) << id;
        EXPECT_EQ(SendMessageW(tooltipOf(dialog), TTM_GETTOOLCOUNT, 0, 0), 6);
        for (const ColourIds& each : colourIds)
            EXPECT_EQ(tipOf(dialog, each.swatch), L"クリックすると色を変更できます") << each.swatch;
        EXPECT_EQ(tipOf(dialog, IDC_CLOSE), L"閉じる");
        test::click(dialog, IDCANCEL);
    });
}

TEST(WallMarkEditor, WithoutARecordStartsEmptyAndOffersTheThirteenShapes) {
    Outcome outcome = runEditor({}, [](HWND dialog) {
        expectShows(dialog, emptySlot);
        EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_HISTORY)); // no picker given
        EXPECT_TRUE(Preview(dialog).blank());
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
        RECT frame{};
        GetWindowRect(dialog, &frame);
        EXPECT_EQ(frame.right - frame.left, 336);
        EXPECT_EQ(frame.bottom - frame.top, 284);
        test::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.record, emptySlot);
}

TEST(WallMarkEditor, HistoryRecordsFillEveryControlAndAnEmptyOneResetsThem) {
    const WallMarkRecord start = record(1, 0x00A0B0, 4, red, none, 8, blue, green);
    const WallMarkRecord earlier = record(0, 0x123456, 12, none, 0x345678, 3, 0x010203, none);
    Outcome outcome = runEditor(
        start,
        [&](HWND dialog) {
            expectShows(dialog, start);
            click(dialog, IDC_WALLMARK_HISTORY);
            expectShows(dialog, earlier);
            click(dialog, IDC_WALLMARK_HISTORY); // cancelled: nothing changes
            expectShows(dialog, earlier);
            click(dialog, IDC_WALLMARK_HISTORY);
            expectShows(dialog, emptySlot);
            EXPECT_TRUE(Preview(dialog).blank());
            test::click(dialog, IDCANCEL);
        },
        std::vector<std::optional<WallMarkRecord>>{earlier, std::nullopt, emptySlot});
    EXPECT_EQ(outcome.picks, 3);
    EXPECT_EQ(outcome.record, start);
    EXPECT_TRUE(outcome.added.empty());
}

TEST(WallMarkEditor, AColourBoxBringsBackItsSwatchColourInThePreviewAndTheResult) {
    // A square at normal view: its outline's top-left corner is (12, -5), the inside (17, 0).
    const WallMarkRecord start = record(0, none, 10, red, blue, 0, none, none);
    Outcome outcome = runEditor(start, [](HWND dialog) {
        EXPECT_EQ(Preview(dialog).at(12, -5), red);
        EXPECT_EQ(Preview(dialog).at(17, 0), blue);
        click(dialog, IDC_WALLMARK_BACK_FRAME_CHECK);
        click(dialog, IDC_WALLMARK_BACK_FILL_CHECK);
        EXPECT_TRUE(Preview(dialog).blank());
        EXPECT_EQ(swatchColour(dialog, IDC_WALLMARK_BACK_FRAME_SWATCH), red);
        click(dialog, IDC_WALLMARK_BACK_FRAME_CHECK);
        EXPECT_EQ(Preview(dialog).at(12, -5), red);
        EXPECT_EQ(Preview(dialog).at(17, 0), white);
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.record, record(0, 0, 10, red, none, 0, none, none));
    ASSERT_EQ(outcome.added.size(), 1u);
    EXPECT_EQ(outcome.added[0], outcome.record);
}

TEST(WallMarkEditor, ChoosingShapesChangesThePreviewAndRegisteringHandsTheRecordOnce) {
    const WallMarkRecord start = record(1, black, 10, red, none, 0, none, none);
    Outcome outcome = runEditor(start, [](HWND dialog) {
        EXPECT_EQ(Preview(dialog).at(12, -5), red); // the square's corner
        stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, -2);
        EXPECT_EQ(shapeShown(dialog, IDC_WALLMARK_BACK_SHAPE), 8);
        const Preview circle(dialog);
        EXPECT_EQ(circle.at(12, -5), white);
        EXPECT_EQ(circle.at(17, -5), red); // the circle's top
        EXPECT_EQ(circle.at(0, 0), black); // the line, left of the mark

        // No shape disables the mark's boxes and swatches; choosing one again brings its box back.
        stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, -8);
        EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_BACK_FRAME_CHECK));
        EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_BACK_FILL_SWATCH));
        EXPECT_EQ(Preview(dialog).at(17, -5), white);
        stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, 1);
        EXPECT_TRUE(checked(dialog, IDC_WALLMARK_BACK_FRAME_CHECK));
        EXPECT_TRUE(enabled(dialog, IDC_WALLMARK_BACK_FILL_SWATCH));

        stepShape(dialog, IDC_WALLMARK_FRONT_SHAPE, 5);
        click(dialog, IDC_WALLMARK_LINE_OFF);
        EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_LINE_SWATCH));
        EXPECT_EQ(Preview(dialog).at(0, 0), white);
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.record, record(0, 0, 1, red, none, 5, none, none));
    ASSERT_EQ(outcome.added.size(), 1u);
    EXPECT_EQ(outcome.added[0], outcome.record);
}

TEST(WallMarkEditor, NoLineAndNoShapesRegistersAnEmptySlotEvenWithoutHooks) {
    Outcome outcome = runEditor(
        record(1, red, 2, red, red, 0, none, none),
        [](HWND dialog) {
            EXPECT_FALSE(enabled(dialog, IDC_WALLMARK_HISTORY));
            click(dialog, IDC_WALLMARK_HISTORY); // disabled: nothing to call
            click(dialog, IDC_WALLMARK_LINE_OFF);
            stepShape(dialog, IDC_WALLMARK_BACK_SHAPE, -2);
            test::click(dialog, IDOK);
        },
        {}, false);
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.record, emptySlot);
}

TEST(WallMarkEditor, CancelAndCloseReturnTheRecordGivenAndTouchNoHistory) {
    const WallMarkRecord start = record(1, red, 3, blue, none, 9, green, red);
    for (int button : {IDCANCEL, IDC_CLOSE}) {
        Outcome outcome = runEditor(
            start,
            [button](HWND dialog) {
                click(dialog, IDC_WALLMARK_LINE_OFF);
                stepShape(dialog, IDC_WALLMARK_FRONT_SHAPE, 1);
                click(dialog, IDC_WALLMARK_BACK_FRAME_CHECK);
                test::click(dialog, button);
            },
            std::vector<std::optional<WallMarkRecord>>{});
        EXPECT_EQ(outcome.result, IDCANCEL) << button;
        EXPECT_EQ(outcome.record, start) << button;
        EXPECT_TRUE(outcome.added.empty()) << button;
        EXPECT_EQ(outcome.picks, 0) << button;
    }
}

// The colour chooser's own red, green and blue fields.
constexpr int redEdit = 706, greenEdit = 707, blueEdit = 708;

// The system colour chooser, driven like the editor: it opens on the swatch's colour and its choice
// reaches the swatch, the preview and the result; cancelling it changes nothing.
TEST(WallMarkEditor, SwatchClickOpensTheColourChooserOnItsColour) {
    const WallMarkRecord start = record(1, RGB(10, 20, 30), 1, none, none, 0, none, none);
    std::wstring shownRed;
    Outcome outcome = runEditor(start, [&](HWND dialog) {
        HWND swatch = GetDlgItem(dialog, IDC_WALLMARK_LINE_SWATCH);
        auto openChooser = [&] { SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); };
        EXPECT_TRUE(test::driveModal(openChooser, [&](HWND chooser) {
            shownRed = test::windowText(GetDlgItem(chooser, redEdit));
            SetDlgItemTextW(chooser, redEdit, L"200");
            SetDlgItemTextW(chooser, greenEdit, L"100");
            SetDlgItemTextW(chooser, blueEdit, L"50");
            test::click(chooser, IDOK);
        }));
        EXPECT_EQ(swatchColour(dialog, IDC_WALLMARK_LINE_SWATCH), RGB(200, 100, 50));
        EXPECT_EQ(Preview(dialog).at(0, 0), RGB(200, 100, 50));
        EXPECT_TRUE(test::driveModal(openChooser, [](HWND chooser) {
            SetDlgItemTextW(chooser, redEdit, L"1");
            test::click(chooser, IDCANCEL);
        }));
        // An unchecked box's swatch takes a colour, but the mark shows it only once the box is checked.
        EXPECT_TRUE(test::driveModal(
            [&] {
                SendDlgItemMessageW(dialog, IDC_WALLMARK_BACK_FILL_SWATCH, WM_LBUTTONDOWN, MK_LBUTTON,
                                    MAKELPARAM(4, 4));
            },
            [](HWND chooser) {
                SetDlgItemTextW(chooser, greenEdit, L"255");
                test::click(chooser, IDOK);
            }));
        EXPECT_EQ(Preview(dialog).at(17, 1), white); // inside the rectangle, off the line
        click(dialog, IDC_WALLMARK_BACK_FILL_CHECK);
        EXPECT_EQ(Preview(dialog).at(17, 1), RGB(0, 255, 0));
        test::click(dialog, IDOK);
    });
    EXPECT_EQ(shownRed, L"10");
    EXPECT_EQ(outcome.record, record(1, RGB(200, 100, 50), 1, none, RGB(0, 255, 0), 0, none, none));
}

// The dialog as the screen shows it, saved for a person to look at.
TEST(WallMarkEditor, PictureShowsTheLayoutAndTheMark) {
    runEditor(record(1, RGB(0, 0, 160), 10, black, RGB(255, 224, 0), 11, red, none), [](HWND dialog) {
        auto settle = [dialog] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                if (!IsDialogMessageW(dialog, &message))
                    DispatchMessageW(&message);
        };
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        settle();
        RECT frame{};
        GetWindowRect(dialog, &frame);
        DibCanvas canvas(frame.right - frame.left, frame.bottom - frame.top);
        HDC screen = GetDC(nullptr);
        BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, frame.left, frame.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        const std::string folder = test::pictureFolder("marks");
        EXPECT_TRUE(!folder.empty() && canvas.save(folder + "wall_mark_editor.png", 2));
        // The preview at its pixel place: the line, the square's black side and yellow inside, the X's red
        // tip.
        const POINT o = wallPreviewOrigin(60, 29);
        auto preview = [&](int dx, int dy) { return canvas.at(241 + o.x + dx, 53 + o.y + dy); };
        EXPECT_EQ(preview(0, 0), RGB(0, 0, 160));
        EXPECT_EQ(preview(12, -2), black);
        EXPECT_EQ(preview(17, 4), RGB(255, 224, 0));
        EXPECT_EQ(preview(21, -5), red);
        EXPECT_EQ(canvas.at(241 + 1, 53 + 1), white);
        EXPECT_EQ(canvas.at(210 + 10, 198 + 10), red); // front frame swatch
        EXPECT_EQ(canvas.at(200, 3), 0xC5740Du);       // the title band
        EXPECT_NE(canvas.at(0, 0), 0x404040u);         // cut off by the round region

        // The back list dropped: every shape shows without scrolling, under a 22-pixel field.
        HWND combo = reinterpret_cast<HWND>(
            SendDlgItemMessageW(dialog, IDC_WALLMARK_BACK_SHAPE, CBEM_GETCOMBOCONTROL, 0, 0));
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(GetComboBoxInfo(combo, &info)); // without it the list checks below fail
        RECT field{};
        GetWindowRect(combo, &field);
        EXPECT_EQ(field.bottom - field.top, 22);
        if (info.hwndList) {
            SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
            RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            settle();
            RECT list{};
            GetClientRect(info.hwndList, &list);
            EXPECT_GE(list.bottom, 13 * SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
            GetWindowRect(info.hwndList, &list);
            DibCanvas dropped(frame.right - frame.left, list.bottom - frame.top);
            screen = GetDC(nullptr);
            BitBlt(dropped.dc(), 0, 0, dropped.width(), dropped.height(), screen, frame.left, frame.top,
                   SRCCOPY);
            ReleaseDC(nullptr, screen);
            EXPECT_TRUE(!folder.empty() && dropped.save(folder + "wall_mark_editor_list.png", 2));
            SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        }
        test::click(dialog, IDCANCEL);
    });
}

} // namespace
} // namespace tav::win
