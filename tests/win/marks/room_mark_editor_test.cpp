// The room mark editor run in its own loop and driven step by step from a timer, with the messages a
// user's input produces: what reaches the caller and the history, what the configuration keeps, and the
// pixels of the registered mark. The drawing itself is the canvas's (its own tests).
#include "win/marks/room_mark_editor.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/memory_file_system.h"
#include "support/memory_settings.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF green = 0x008000; // a new canvas's transparent colour, which fills it

// ---- steps run one per timer tick inside whatever loop is running: the editor's or a box's it opened ----

// A step answers false when what it waits for is not there yet; it then runs again on a later tick.
using Step = std::function<bool()>;
struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    int retries = 0;
};
Script* script = nullptr;

void CALLBACK onTick(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!script || script->next >= script->steps.size()) {
        KillTimer(nullptr, timer);
        return;
    }
    // Taken before it runs: a step that opens a box of its own lets the next step run inside it.
    const std::size_t index = script->next++;
    if (!script->steps[index]()) {
        if (++script->retries < 200) {
            script->next = index;
        } else {
            ADD_FAILURE() << "step " << index << " waited in vain";
            script->next = script->steps.size();
        }
    } else {
        script->retries = 0;
    }
}

// A visible dialog of this thread that has a control with this id and is not `other`.
HWND visibleDialogWith(int id, HWND other = nullptr) {
    struct Search {
        int id;
        HWND other;
        HWND found;
    } search{id, other, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (window != s.other && IsWindowVisible(window) && GetDlgItem(window, s.id))
                s.found = window;
            return s.found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Outcome {
    std::optional<RoomMarkSlot> result;
    std::vector<RoomMarkSlot> added;
    std::size_t stepsRun = 0;
};

// The editor on start; steps get the editor's window (found by the first step).
class RoomMarkEditorTest : public ::testing::Test {
protected:
    Outcome run(const RoomMarkSlot& start, std::vector<std::function<bool(HWND)>> steps) {
        Outcome outcome;
        HWND editor = nullptr;
        Script own;
        own.steps.push_back([&] {
            editor = visibleDialogWith(IDC_ROOMMARK_WIDE_CANVAS);
            return editor != nullptr;
        });
        for (auto& step : steps)
            own.steps.push_back([&editor, step] { return step(editor); });
        script = &own;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, &onTick);
        RoomHistoryHooks hooks;
        hooks.add = [&](const RoomMarkSlot& mark) { outcome.added.push_back(mark); };
        hooks.pick = pick;
        const RoomEditorContext context{cache, settings, *fileSystem, prompter};
        outcome.result = editRoomMark(nullptr, start, context, hooks);
        KillTimer(nullptr, timer);
        script = nullptr;
        outcome.stepsRun = own.next;
        EXPECT_EQ(own.next, own.steps.size()) << "the editor ended before its steps";
        return outcome;
    }

    // The history picker's stand-in; none leaves the history button disabled.
    std::function<std::optional<RoomMarkSlot>(HWND)> pick;
    DrawingResourceCache cache;
    test::MemorySettings settings;
    test::MemoryFileSystem files;
    FileSystem* fileSystem = &files;
    test::RecordingPrompter prompter;
};

LPARAM at(int x, int y) {
    return MAKELPARAM(x * PixelCanvas::zoom + 6, y * PixelCanvas::zoom + 6);
}

void press(HWND dialog, int canvas, int x, int y, bool left = true) {
    HWND window = GetDlgItem(dialog, canvas);
    SendMessageW(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON, at(x, y));
    SendMessageW(window, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, at(x, y));
}

void command(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

COLORREF swatchColour(HWND dialog, int id) {
    DibCanvas canvas(28, 28);
    SendDlgItemMessageW(dialog, id, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return canvas.at(10, 10);
}

template <int Side> COLORREF pixel(const RoomPicture<Side>& picture, int x, int y) {
    const std::uint8_t* p = &picture.pixels[(Side - 1 - y) * RoomPicture<Side>::stride + 3 * x];
    return RGB(p[2], p[1], p[0]);
}

// What a room mark leaves on a blue cell in a view.
COLORREF drawnOnBlue(const RoomMarkSlot& mark, int scale, int x, int y) {
    RoomMarkImage image;
    EXPECT_TRUE(image.set(mark));
    DibCanvas cell(35, 35, blue);
    drawRoomMarkImage(cell.dc(), 0, 0, image, scale, true);
    const int offset = scale == mark_scale::normal ? 6 : 4;
    return cell.at(offset + x, offset + y);
}

// The pattern's sixth colour by default.
constexpr int redSwatch = IDC_ROOMMARK_PATTERN_1 + 5;

// Transparency is switched for the active canvas only, so a mark can see through in one view and not the
// other; the history gets what the caller gets.
TEST_F(RoomMarkEditorTest, RegisteringTakesBothPicturesWithOnlyTheTransparencySwitchedOn) {
    const Outcome outcome =
        run(RoomMarkSlot{},
            {
                [](HWND dialog) {
                    SendDlgItemMessageW(dialog, redSwatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
                    SendDlgItemMessageW(dialog, redSwatch, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
                    EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_LEFT_COLOUR), red);
                    press(dialog, IDC_ROOMMARK_NORMAL_CANVAS, 3, 4);
                    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ROOMMARK_TRANSPARENT_CHECK), BST_UNCHECKED);
                    SendDlgItemMessageW(dialog, IDC_ROOMMARK_TRANSPARENT_CHECK, BM_CLICK, 0, 0);
                    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ROOMMARK_TRANSPARENT_CHECK), BST_CHECKED);
                    // Drawing on the other canvas makes it the active one: its box shows its own state.
                    press(dialog, IDC_ROOMMARK_WIDE_CANVAS, 2, 2, false);
                    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ROOMMARK_TRANSPARENT_CHECK), BST_UNCHECKED);
                    return true;
                },
                [](HWND dialog) {
                    test::click(dialog, IDOK);
                    return true;
                },
            });
    ASSERT_TRUE(outcome.result);
    const RoomMarkSlot& mark = *outcome.result;
    EXPECT_TRUE(mark.registered);
    EXPECT_EQ(mark.normalImage.transparent, green);
    EXPECT_EQ(mark.wideImage.transparent, noColour);
    EXPECT_EQ(pixel(mark.normalImage, 3, 4), red);
    EXPECT_EQ(pixel(mark.normalImage, 0, 0), green);
    EXPECT_EQ(pixel(mark.wideImage, 2, 2), white) << "the right button's colour";
    EXPECT_EQ(pixel(mark.wideImage, 0, 0), green);
    ASSERT_EQ(outcome.added.size(), 1u);
    EXPECT_EQ(outcome.added[0], mark);

    // On the map: the normal view sees the cell through the green, the wide view does not.
    EXPECT_EQ(drawnOnBlue(mark, mark_scale::normal, 0, 0), blue);
    EXPECT_EQ(drawnOnBlue(mark, mark_scale::normal, 3, 4), red);
    EXPECT_EQ(drawnOnBlue(mark, mark_scale::wide, 0, 0), green);
    EXPECT_EQ(drawnOnBlue(mark, mark_scale::wide, 2, 2), white);
}

// The colour chooser's own red, green and blue fields.
constexpr int redEdit = 706, greenEdit = 707, blueEdit = 708;
constexpr int thirdSwatch = IDC_ROOMMARK_PATTERN_1 + 2;

TEST_F(RoomMarkEditorTest, APatternColourChosenIsKeptForTheNextOpening) {
    HWND chooser = nullptr;
    run(RoomMarkSlot{},
        {
            [](HWND dialog) {
                SendDlgItemMessageW(dialog, thirdSwatch, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
                return true;
            },
            [&](HWND dialog) { // inside the chooser's loop
                chooser = visibleDialogWith(redEdit, dialog);
                if (!chooser)
                    return false;
                EXPECT_EQ(test::windowText(GetDlgItem(chooser, redEdit)), L"128") << "opens on grey";
                SetDlgItemTextW(chooser, redEdit, L"150");
                SetDlgItemTextW(chooser, greenEdit, L"100");
                SetDlgItemTextW(chooser, blueEdit, L"50");
                test::click(chooser, IDOK);
                return true;
            },
            [](HWND dialog) {
                EXPECT_EQ(swatchColour(dialog, thirdSwatch), RGB(150, 100, 50));
                EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_LEFT_COLOUR), RGB(0, 0, 0))
                    << "only the pattern changed";
                test::click(dialog, IDC_CLOSE);
                return true;
            },
        });
    EXPECT_EQ((settings.values[{"COLORLIST", "COLOR03"}]), "0x00326496");
    EXPECT_EQ((settings.values[{"COLORLIST", "COLOR06"}]), "0x000000FF");

    // Reopened: the swatch has it, and its buttons hand it on.
    run(RoomMarkSlot{},
        {
            [](HWND dialog) {
                EXPECT_EQ(swatchColour(dialog, thirdSwatch), RGB(150, 100, 50));
                HWND swatch = GetDlgItem(dialog, thirdSwatch);
                SendMessageW(swatch, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
                SendMessageW(swatch, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(4, 4));
                return true;
            },
            [](HWND dialog) {
                EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_RIGHT_COLOUR), RGB(150, 100, 50));
                EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_TRANSPARENT_COLOUR), RGB(150, 100, 50));
                EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_LEFT_COLOUR), RGB(0, 0, 0));
                // Space on the yellow swatch makes yellow the transparent colour.
                SendDlgItemMessageW(dialog, IDC_ROOMMARK_PATTERN_1 + 7, WM_KEYDOWN, VK_SPACE, 1);
                return true;
            },
            [](HWND dialog) {
                EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_TRANSPARENT_COLOUR), RGB(255, 255, 0));
                command(dialog, IDCANCEL);
                return true;
            },
        });
}

TEST_F(RoomMarkEditorTest, EscAsksFirstAndNoKeepsEveryStroke) {
    std::wstring asked;
    const Outcome outcome =
        run(RoomMarkSlot{}, {
                                [](HWND dialog) {
                                    press(dialog, IDC_ROOMMARK_NORMAL_CANVAS, 5, 6);
                                    PostMessageW(GetDlgItem(dialog, IDC_ROOMMARK_NORMAL_CANVAS), WM_KEYDOWN,
                                                 VK_ESCAPE, 1);
                                    return true;
                                },
                                [&](HWND dialog) { // inside the question's loop
                                    HWND box = visibleDialogWith(IDC_MESSAGE_NO, dialog);
                                    if (!box)
                                        return false;
                                    asked = test::windowText(GetDlgItem(box, IDC_MESSAGE_TEXT));
                                    test::click(box, IDC_MESSAGE_NO);
                                    return true;
                                },
                                [](HWND dialog) {
                                    EXPECT_TRUE(IsWindowVisible(dialog));
                                    test::click(dialog, IDOK);
                                    return true;
                                },
                            });
    EXPECT_NE(asked.find(widen("[Esc]キーが押されました。ダイアログを閉じますか？")), std::wstring::npos);
    EXPECT_NE(asked.find(widen("（データの変更は保存されません）")), std::wstring::npos);
    ASSERT_TRUE(outcome.result);
    EXPECT_EQ(pixel(outcome.result->normalImage, 5, 6), RGB(0, 0, 0));

    // Yes leaves without registering anything.
    const Outcome left = run(RoomMarkSlot{}, {
                                                 [](HWND dialog) {
                                                     PostMessageW(GetDlgItem(dialog, IDC_ROOMMARK_TOOL_LINE),
                                                                  WM_KEYDOWN, VK_ESCAPE, 1);
                                                     return true;
                                                 },
                                                 [&](HWND dialog) {
                                                     HWND box = visibleDialogWith(IDC_MESSAGE_YES, dialog);
                                                     if (box)
                                                         test::click(box, IDC_MESSAGE_YES);
                                                     return box != nullptr;
                                                 },
                                             });
    EXPECT_FALSE(left.result);
    EXPECT_TRUE(left.added.empty());
}

// The colour-pick tool's right click sets the right colour of both canvases, and the tools follow the
// tool buttons and the canvas's own request after a paste.
TEST_F(RoomMarkEditorTest, PickingWithTheRightButtonSetsBothCanvasesRightColour) {
    RoomMarkSlot start;
    start.registered = true;
    for (std::size_t i = 0; i + 2 < start.normalImage.pixels.size(); i += 3)
        start.normalImage.pixels[i] = 0xFF;                                          // blue everywhere
    start.normalImage.pixels[(22 - 1) * RoomPicture<23>::stride + 3 * 1 + 2] = 0xFF; // (1, 1) magenta
    const Outcome outcome =
        run(start, {
                       [](HWND dialog) {
                           test::click(dialog, IDC_ROOMMARK_TOOL_PICKER);
                           EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_ROOMMARK_OPTION_1)));
                           // The picker reads the screen: let the canvas paint first.
                           UpdateWindow(GetDlgItem(dialog, IDC_ROOMMARK_NORMAL_CANVAS));
                           press(dialog, IDC_ROOMMARK_NORMAL_CANVAS, 1, 1, false);
                           return true;
                       },
                       [](HWND dialog) {
                           EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_RIGHT_COLOUR), RGB(255, 0, 255));
                           test::click(dialog, IDC_ROOMMARK_TOOL_PENCIL);
                           press(dialog, IDC_ROOMMARK_WIDE_CANVAS, 4, 4, false);
                           press(dialog, IDC_ROOMMARK_NORMAL_CANVAS, 7, 7, false);
                           return true;
                       },
                       [](HWND dialog) {
                           test::click(dialog, IDOK);
                           return true;
                       },
                   });
    ASSERT_TRUE(outcome.result);
    EXPECT_EQ(pixel(outcome.result->normalImage, 0, 0), blue) << "the slot's picture was loaded";
    EXPECT_EQ(pixel(outcome.result->wideImage, 4, 4), RGB(255, 0, 255));
    EXPECT_EQ(pixel(outcome.result->normalImage, 7, 7), RGB(255, 0, 255));
}

// The dialog mid-drawing as the screen shows it, saved for a person to look at: a few strokes on both
// canvases, the rectangle tool with its options, the wide picture active.
TEST_F(RoomMarkEditorTest, PictureShowsTheEditorMidDrawing) {
    run(RoomMarkSlot{},
        {
            [](HWND dialog) {
                for (int i = 0; i < 23; ++i)
                    press(dialog, IDC_ROOMMARK_NORMAL_CANVAS, i, i);
                SendDlgItemMessageW(dialog, redSwatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
                HWND canvas = GetDlgItem(dialog, IDC_ROOMMARK_NORMAL_CANVAS);
                test::click(dialog, IDC_ROOMMARK_TOOL_RECTANGLE);
                test::click(dialog, IDC_ROOMMARK_OPTION_2);
                SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 12));
                SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, at(12, 20));
                SendMessageW(canvas, WM_LBUTTONUP, 0, at(12, 20));
                SendDlgItemMessageW(dialog, IDC_ROOMMARK_TRANSPARENT_CHECK, BM_CLICK, 0, 0);
                test::click(dialog, IDC_ROOMMARK_STRETCH_TO_WIDE);
                test::click(dialog, IDC_ROOMMARK_TOOL_PENCIL);
                press(dialog, IDC_ROOMMARK_WIDE_CANVAS, 7, 3);
                test::click(dialog, IDC_ROOMMARK_TOOL_RECTANGLE);
                return true;
            },
            [](HWND dialog) {
                RECT frame{};
                GetWindowRect(dialog, &frame);
                RedrawWindow(dialog, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                DibCanvas shot(frame.right - frame.left, frame.bottom - frame.top);
                HDC screen = GetDC(nullptr);
                BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, frame.left, frame.top, SRCCOPY);
                ReleaseDC(nullptr, screen);
                const std::string folder = test::pictureFolder("marks");
                EXPECT_TRUE(!folder.empty() && shot.save(folder + "room_mark_editor.png", 2));
                // The wide picture is active: its label lit, the other dimmed.
                EXPECT_EQ(shot.at(551 + 2, 280 + 2), 0xA0B8FFu);
                EXPECT_EQ(shot.at(465 + 2, 280 + 2), 0xE1EBEFu);
                EXPECT_EQ(shot.at(200, 3), 0xC5740Du); // the title band
                EXPECT_NE(shot.at(0, 0), 0x404040u);   // cut off by the round region
                // The filled rectangle, red, on the big canvas; the options are shown for it.
                EXPECT_EQ(shot.at(159 + 1 + 8 * PixelCanvas::zoom + 6, 28 + 1 + 16 * PixelCanvas::zoom + 6),
                          red);
                EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_ROOMMARK_OPTION_2)));
                // The wide canvas took the picture scaled, then a red dot of its own.
                auto wide = [&](int x, int y) {
                    return shot.at(447 + 1 + x * PixelCanvas::zoom + 6, 28 + 1 + y * PixelCanvas::zoom + 6);
                };
                EXPECT_NE(wide(0, 0), green);
                EXPECT_EQ(wide(7, 3), red);
                test::click(dialog, IDCANCEL);
                return true;
            },
        });
}

// Rectangle and circle each keep their own choice of outline or fill.
TEST_F(RoomMarkEditorTest, ShapeOptionsAreKeptForEachShapeTool) {
    const Outcome outcome =
        run(RoomMarkSlot{}, {
                                [](HWND dialog) {
                                    HWND canvas = GetDlgItem(dialog, IDC_ROOMMARK_NORMAL_CANVAS);
                                    auto drag = [canvas](int x0, int y0, int x1, int y1) {
                                        SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at(x0, y0));
                                        SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, at(x1, y1));
                                        SendMessageW(canvas, WM_LBUTTONUP, 0, at(x1, y1));
                                    };
                                    test::click(dialog, IDC_ROOMMARK_TOOL_RECTANGLE);
                                    test::click(dialog, IDC_ROOMMARK_OPTION_2); // filled
                                    test::click(dialog, IDC_ROOMMARK_TOOL_CIRCLE);
                                    drag(0, 0, 10, 10); // still an outline
                                    test::click(dialog, IDC_ROOMMARK_TOOL_SELECT);
                                    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_ROOMMARK_OPTION_1)));
                                    test::click(dialog, IDC_ROOMMARK_TOOL_RECTANGLE);
                                    drag(12, 12, 20, 20); // filled again
                                    test::click(dialog, IDOK);
                                    return true;
                                },
                            });
    ASSERT_TRUE(outcome.result);
    const RoomPicture<23>& picture = outcome.result->normalImage;
    EXPECT_EQ(pixel(picture, 5, 0), RGB(0, 0, 0)) << "the circle's top";
    EXPECT_EQ(pixel(picture, 5, 5), green) << "the circle's inside";
    EXPECT_EQ(pixel(picture, 16, 16), RGB(0, 0, 0)) << "the rectangle's inside";
}

// A mark picked from the history fills both canvases and is one undo step on each: the loaded picture
// can be taken back like a stroke, and so can a stretch copy over a picture.
TEST_F(RoomMarkEditorTest, AHistoryPickAndAStretchCopyCanBeUndone) {
    RoomMarkSlot earlier;
    earlier.registered = true;
    earlier.normalImage.pixels.fill(0xFF); // white
    earlier.normalImage.transparent = 0xFFFFFF;
    earlier.wideImage.transparent = 0x000000; // black, as its pixels are
    int picks = 0;
    pick = [&](HWND owner) -> std::optional<RoomMarkSlot> {
        EXPECT_TRUE(IsWindow(owner));
        ++picks;
        return earlier;
    };
    const Outcome outcome =
        run(RoomMarkSlot{},
            {
                [](HWND dialog) {
                    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ROOMMARK_HISTORY)));
                    test::click(dialog, IDC_ROOMMARK_HISTORY);
                    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ROOMMARK_TRANSPARENT_CHECK), BST_CHECKED);
                    EXPECT_EQ(swatchColour(dialog, IDC_ROOMMARK_TRANSPARENT_COLOUR), white);
                    SendDlgItemMessageW(dialog, IDC_ROOMMARK_WIDE_CANVAS, WM_COMMAND, ID_EDIT_UNDO, 0);
                    // So is a stretch copy: the white picture scaled over the wide one, then taken back.
                    test::click(dialog, IDC_ROOMMARK_STRETCH_TO_WIDE);
                    SendDlgItemMessageW(dialog, IDC_ROOMMARK_WIDE_CANVAS, WM_COMMAND, ID_EDIT_UNDO, 0);
                    test::click(dialog, IDOK);
                    return true;
                },
            });
    EXPECT_EQ(picks, 1);
    ASSERT_TRUE(outcome.result);
    EXPECT_EQ(pixel(outcome.result->normalImage, 11, 11), white);
    EXPECT_EQ(outcome.result->normalImage.transparent, 0xFFFFFFu);
    EXPECT_EQ(pixel(outcome.result->wideImage, 3, 3), green) << "undone: the canvas's own picture";
    EXPECT_EQ(outcome.result->wideImage.transparent, 0x000000u) << "undo restores pixels, not settings";
}

// A bitmap file chosen through the load button is pasted into the active canvas as a floating piece, and
// the canvas's call for the select tool reaches the tool buttons.
TEST_F(RoomMarkEditorTest, ALoadedBitmapGoesIntoTheActiveCanvas) {
    Win32FileSystem realFiles;
    fileSystem = &realFiles;
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    // 4 x 3, its top row red, green, blue, white (tests/win/canvas/bitmaps).
    const FilePath picture = pathOf(module).folder() + u"bitmaps\\pic24.bmp";
    const Outcome outcome =
        run(RoomMarkSlot{},
            {
                [](HWND dialog) {
                    press(dialog, IDC_ROOMMARK_WIDE_CANVAS, 14, 14); // makes it the active canvas
                    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ROOMMARK_LOAD_IMAGE, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ROOMMARK_LOAD_IMAGE)));
                    return true;
                },
                [&](HWND dialog) { // inside the file dialog's loop
                    HWND chooser = visibleDialogWith(cmb13, dialog);
                    if (!chooser)
                        chooser = visibleDialogWith(edt1, dialog);
                    if (!chooser)
                        return false;
                    HWND name =
                        GetDlgItem(chooser, cmb13) ? GetDlgItem(chooser, cmb13) : GetDlgItem(chooser, edt1);
                    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(picture).c_str()));
                    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
                    return true;
                },
                [](HWND dialog) {
                    if (!IsWindowVisible(GetDlgItem(dialog, IDC_ROOMMARK_OPTION_1)))
                        return false; // the paste has not happened yet
                    EXPECT_EQ(test::windowText(GetDlgItem(dialog, IDC_ROOMMARK_OPTION_1)), widen("中央"));
                    test::click(dialog, IDOK);
                    return true;
                },
            });
    EXPECT_TRUE(prompter.shown.empty());
    ASSERT_TRUE(outcome.result);
    EXPECT_EQ(pixel(outcome.result->wideImage, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(pixel(outcome.result->wideImage, 3, 0), white);
    EXPECT_EQ(pixel(outcome.result->wideImage, 14, 14), RGB(0, 0, 0));
    EXPECT_EQ(pixel(outcome.result->normalImage, 0, 0), green) << "the other canvas is left alone";
}

} // namespace
} // namespace tav::win
