// The comment format dialog driven inside its own modal loop with the messages a user's input produces,
// the font lists it offers, and the command of the map view that opens it.
#include "win/comments/comment_format_dialog.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "model/document/map_document.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "win/comments/font_list.h"
#include "win/platform/text.h"
#include "win/view/colour_swatch.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using comment_format::Draft;
using test::DibCanvas;
using test::windowText;

// A 20 x 10 map in normal view: 681 x 341 pixels for the ranges.
Draft sampleDraft() {
    CommentArea area = CommentArea::create({0, 0, 680, 340}, 20, 10, false);
    area.setFrame({40, 30, 160, 110});
    area.setAnchor(20, 150);
    area.setText("地下への階段");
    return comment_format::draftOf(area, 20, 10);
}

struct Outcome {
    INT_PTR result = 0;
    Draft draft;
};

// Runs the dialog on the draft; drive gets the dialog object and its window.
Outcome runDialog(Draft draft, const std::function<void(CommentFormatDialog&, HWND)>& drive) {
    DrawingResourceCache cache;
    CommentFormatDialog dialog(draft, cache);
    Outcome run;
    EXPECT_TRUE(test::driveModal([&] { run.result = dialog.runModal(nullptr); },
                                 [&](HWND window) { drive(dialog, window); }));
    run.draft = draft;
    return run;
}

void notify(HWND page, int id, int code) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

// What typing into a field does: new text, then the change notification.
void type(HWND page, int id, const std::string& text) {
    SetDlgItemTextW(page, id, widen(text).c_str());
    notify(page, id, id >= IDC_CPLACE_X && id <= IDC_CPLACE_ANCHOR_Y ? EN_CHANGE : CBN_EDITCHANGE);
}

void choose(HWND page, int id, int position) {
    SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    notify(page, id, CBN_SELCHANGE);
}

int selected(HWND page, int id) {
    return static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
}

// The preview static as it paints itself.
std::unique_ptr<DibCanvas> printed(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    auto canvas = std::make_unique<DibCanvas>(r.right, r.bottom, RGB(1, 2, 3));
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    return canvas;
}

int inkRows(const DibCanvas& canvas) {
    const RECT box = canvas.inkBox({0, 0, canvas.width(), canvas.height()}, {test::white});
    return box.bottom > box.top ? box.bottom - box.top : 0;
}

TEST(CommentFontList, EachFaceOnceWithItsFirstCharacterSetAndNoVerticalFaces) {
    std::vector<comment_format::FontFace> screen;
    buildFontList(screen);
    ASSERT_FALSE(screen.empty());
    // What the system enumerates, in its order.
    struct Seen {
        std::map<std::wstring, BYTE> first;
        int vertical = 0;
    } seen;
    HDC dc = GetDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        dc, &all,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) -> int {
            auto& s = *reinterpret_cast<Seen*>(data);
            const std::wstring name = font->lfFaceName;
            const BYTE set = font->lfCharSet;
            if (name.starts_with(L"@"))
                ++s.vertical;
            else if ((type & TRUETYPE_FONTTYPE) && (set == 0 || set == 2 || set == 128))
                s.first.emplace(name, set);
            return 1;
        },
        reinterpret_cast<LPARAM>(&seen), 0);
    ReleaseDC(nullptr, dc);

    for (std::size_t i = 0; i < screen.size(); ++i) {
        const auto& face = screen[i];
        EXPECT_NE(face.name.front(), '@') << face.name;
        for (std::size_t j = i + 1; j < screen.size(); ++j)
            EXPECT_NE(comment_format::compareFaceNames(face.name, screen[j].name), 0) << face.name;
        const auto first = seen.first.find(widen(face.name));
        ASSERT_NE(first, seen.first.end()) << face.name;
        EXPECT_EQ(face.charset, first->second) << face.name;
    }
    EXPECT_EQ(seen.first.size(), screen.size());

    // A printer keeps raster faces and every character set, but never vertical ones.
    HDC printerLike = CreateCompatibleDC(nullptr);
    std::vector<comment_format::FontFace> printer{{"stale", 0}};
    buildFontList(printer, printerLike);
    DeleteDC(printerLike);
    EXPECT_GE(printer.size(), screen.size());
    for (const auto& face : printer) {
        EXPECT_NE(face.name, "stale") << "the list is emptied first";
        EXPECT_NE(face.name.front(), '@') << face.name;
    }
    if (seen.vertical == 0)
        GTEST_LOG_(INFO) << "this system enumerates no vertical faces";
}

TEST(CommentFormatDialog, FramePagesAndTexts) {
    runDialog(sampleDraft(), [](CommentFormatDialog& dialog, HWND window) {
        EXPECT_EQ(windowText(GetDlgItem(window, IDC_TITLE)), widen(" コメントの書式設定"));
        HWND tabs = GetDlgItem(window, IDC_COMMENT_FORMAT_TABS);
        ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
        for (auto page :
             {CommentFormatDialog::fontPage, CommentFormatDialog::lookPage, CommentFormatDialog::placePage}) {
            RECT r{};
            ASSERT_TRUE(GetClientRect(dialog.page(page), &r));
            EXPECT_EQ(r.right, 324);
            EXPECT_EQ(r.bottom, 224);
            EXPECT_EQ(IsWindowVisible(dialog.page(page)) != 0, page == CommentFormatDialog::fontPage);
        }
        SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
        NMHDR change{tabs, IDC_COMMENT_FORMAT_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(window, WM_NOTIFY, IDC_COMMENT_FORMAT_TABS, reinterpret_cast<LPARAM>(&change));
        EXPECT_TRUE(IsWindowVisible(dialog.page(CommentFormatDialog::placePage)));
        EXPECT_FALSE(IsWindowVisible(dialog.page(CommentFormatDialog::fontPage)));

        HWND look = dialog.page(CommentFormatDialog::lookPage);
        EXPECT_EQ(windowText(GetDlgItem(look, IDC_CLOOK_FRAME_STYLE_LABEL)), widen("枠ｽﾀｲﾙ:"));
        EXPECT_EQ(SendDlgItemMessageW(look, IDC_CLOOK_ANCHOR_STYLE, CB_GETCOUNT, 0, 0), 4);
        HWND font = dialog.page(CommentFormatDialog::fontPage);
        EXPECT_EQ(SendDlgItemMessageW(font, IDC_CFONT_SIZE, CB_GETCOUNT, 0, 0), 22);
        test::click(window, IDCANCEL);
    });
}

TEST(CommentFormatDialog, FaceNotInstalledShowsNoSelectionAndIsKept) {
    Draft draft = sampleDraft();
    draft.format.face = "NoSuchFace";
    draft.format.charset = 77;
    const Outcome run = runDialog(draft, [](CommentFormatDialog& dialog, HWND window) {
        HWND font = dialog.page(CommentFormatDialog::fontPage);
        EXPECT_EQ(selected(font, IDC_CFONT_FACE), -1);
        EXPECT_EQ(dialog.previewHeight(), 0) << "no face, no preview";
        test::click(window, IDOK);
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.draft.format.face, "NoSuchFace");
    EXPECT_EQ(run.draft.format.charset, 77);
}

// Characters typed into the face field reach its edit as they would from the keyboard.
void typeFace(HWND page, const std::wstring& text) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(GetDlgItem(page, IDC_CFONT_FACE), &info));
    SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
    for (wchar_t c : text)
        SendMessageW(info.hwndItem, WM_CHAR, c, 1);
}

TEST(CommentFormatDialog, TypingAFaceFindsTheClosestEntry) {
    const Outcome run = runDialog(sampleDraft(), [](CommentFormatDialog& dialog, HWND window) {
        HWND font = dialog.page(CommentFormatDialog::fontPage);
        HWND faces = GetDlgItem(font, IDC_CFONT_FACE);
        // The lower-case start of a listed face with a Latin name (faces are listed by the system's own
        // names, Japanese ones on a Japanese system).
        std::wstring prefix;
        const int count = static_cast<int>(SendMessageW(faces, CB_GETCOUNT, 0, 0));
        for (int i = count - 1; i >= 0 && prefix.empty(); --i) {
            wchar_t entry[LF_FACESIZE]{};
            SendMessageW(faces, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            const std::wstring text = entry;
            if (text.size() >= 4 &&
                std::all_of(text.begin(), text.begin() + 4, [](wchar_t c) { return iswalpha(c) && c < 128; }))
                prefix = text.substr(0, 4);
        }
        ASSERT_FALSE(prefix.empty());
        std::wstring typed = prefix;
        std::transform(typed.begin(), typed.end(), typed.begin(), towlower);
        typeFace(font, typed);
        const int found = selected(font, IDC_CFONT_FACE);
        EXPECT_GE(found, 0);
        wchar_t name[LF_FACESIZE]{};
        SendMessageW(faces, CB_GETLBTEXT, static_cast<WPARAM>(found), reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(_wcsnicmp(name, typed.c_str(), 4), 0) << narrow(name);
        const int top = static_cast<int>(SendMessageW(faces, CB_GETTOPINDEX, 0, 0));
        EXPECT_LE(top, found);
        EXPECT_GT(dialog.previewHeight(), 0);
        EXPECT_EQ(windowText(faces), typed) << "the field keeps what was typed";
        // A name no face begins with: nothing chosen, nothing previewed, the stored face stays.
        typeFace(font, L"zzq");
        EXPECT_EQ(selected(font, IDC_CFONT_FACE), -1);
        EXPECT_EQ(dialog.previewHeight(), 0);
        test::click(window, IDOK);
    });
    EXPECT_EQ(run.draft.format.face, "ＭＳ ゴシック");
    EXPECT_EQ(run.draft.format.charset, comment::shiftJisCharset);
}

TEST(CommentFormatDialog, StyleFlagsSelectTheirListEntries) {
    for (const auto& [flags, position] : std::map<std::uint8_t, int>{{3, 3}, {1 | 4, 2}}) {
        Draft draft = sampleDraft();
        draft.format.styleFlags = flags;
        const Outcome run = runDialog(draft, [&](CommentFormatDialog& dialog, HWND window) {
            HWND font = dialog.page(CommentFormatDialog::fontPage);
            EXPECT_EQ(selected(font, IDC_CFONT_STYLE), position) << int(flags);
            EXPECT_EQ(IsDlgButtonChecked(font, IDC_CFONT_UNDERLINE) == BST_CHECKED, (flags & 4) != 0);
            EXPECT_EQ(IsDlgButtonChecked(font, IDC_CFONT_STRIKE) == BST_CHECKED, (flags & 8) != 0);
            if (flags == 3) {
                choose(font, IDC_CFONT_STYLE, 2);
                SendDlgItemMessageW(font, IDC_CFONT_STRIKE, BM_CLICK, 0, 0);
            }
            test::click(window, IDOK);
        });
        if (flags == 3)
            EXPECT_EQ(run.draft.format.styleFlags, comment::style::bold | comment::style::strikeOut);
        else
            EXPECT_EQ(run.draft.format.styleFlags, flags);
    }
}

TEST(CommentFormatDialog, TypedSizeSetsThePreviewAndIsStored) {
    Draft draft = sampleDraft();
    draft.format.pointSize = 17; // not in the list: typed into the field
    const Outcome run = runDialog(draft, [](CommentFormatDialog& dialog, HWND window) {
        HWND font = dialog.page(CommentFormatDialog::fontPage);
        HWND preview = GetDlgItem(font, IDC_CFONT_PREVIEW);
        ASSERT_GE(selected(font, IDC_CFONT_FACE), 0) << "the prefix has the default face";
        EXPECT_EQ(selected(font, IDC_CFONT_SIZE), -1);
        EXPECT_EQ(windowText(GetDlgItem(font, IDC_CFONT_SIZE)), L"17");
        EXPECT_EQ(dialog.previewHeight(), 17);
        const int tall = inkRows(*printed(preview));
        EXPECT_GT(tall, 7);

        type(font, IDC_CFONT_SIZE, "7");
        EXPECT_EQ(dialog.previewHeight(), 7);
        const int small = inkRows(*printed(preview));
        EXPECT_GT(small, 0);
        EXPECT_LE(small, 7) << "a 7-pixel cell";

        type(font, IDC_CFONT_SIZE, "5");
        EXPECT_EQ(dialog.previewHeight(), 0);
        EXPECT_EQ(inkRows(*printed(preview)), 0) << "size 5 shows nothing";

        type(font, IDC_CFONT_SIZE, "abc");
        EXPECT_EQ(dialog.previewHeight(), 0);
        type(font, IDC_CFONT_SIZE, "5");
        test::click(window, IDOK);
    });
    EXPECT_EQ(run.draft.format.pointSize, 5) << "OK stores the number typed";
}

TEST(CommentFormatDialog, ColourBarsEditTheChosenSwatch) {
    Draft draft = sampleDraft();
    draft.format.frameColour = comment::noColour;
    draft.format.backgroundColour = RGB(255, 255, 255);
    const Outcome run = runDialog(draft, [](CommentFormatDialog& dialog, HWND window) {
        HWND look = dialog.page(CommentFormatDialog::lookPage);
        auto scroll = [&](int bar, int code, int thumb = 0) {
            SendMessageW(look, WM_HSCROLL, MAKEWPARAM(code, thumb),
                         reinterpret_cast<LPARAM>(GetDlgItem(look, bar)));
        };
        EXPECT_EQ(windowText(GetDlgItem(look, IDC_CLOOK_RED_VALUE)), L"0") << "frame first";
        notify(look, IDC_CLOOK_BACK_COLOUR, STN_CLICKED);
        EXPECT_EQ(windowText(GetDlgItem(look, IDC_CLOOK_GREEN_VALUE)), L"255");
        scroll(IDC_CLOOK_RED_BAR, SB_PAGELEFT);
        scroll(IDC_CLOOK_BLUE_BAR, SB_LEFT);
        scroll(IDC_CLOOK_GREEN_BAR, SB_LINERIGHT);
        EXPECT_EQ(windowText(GetDlgItem(look, IDC_CLOOK_RED_VALUE)), L"223");
        EXPECT_EQ(GetScrollPos(GetDlgItem(look, IDC_CLOOK_GREEN_BAR), SB_CTL), 255);
        // The frame had no colour: one changed component makes it a colour. Enter on a swatch chooses it.
        SendMessageW(look, swatch_message::key, '\r',
                     reinterpret_cast<LPARAM>(GetDlgItem(look, IDC_CLOOK_FRAME_COLOUR)));
        EXPECT_EQ(windowText(GetDlgItem(look, IDC_CLOOK_GREEN_VALUE)), L"0");
        scroll(IDC_CLOOK_GREEN_BAR, SB_THUMBTRACK, 100);
        choose(look, IDC_CLOOK_FRAME_STYLE, 2);
        choose(look, IDC_CLOOK_ANCHOR_STYLE, 3);
        test::click(window, IDOK);
    });
    EXPECT_EQ(run.draft.format.backgroundColour, RGB(223, 255, 0));
    EXPECT_EQ(run.draft.format.frameColour, RGB(0, 100, 0));
    EXPECT_EQ(run.draft.format.frameStyle, 2);
    EXPECT_EQ(run.draft.format.anchorStyle, 3);
}

TEST(CommentFormatDialog, PlacementNumbersKeepToTheirRanges) {
    const Outcome run = runDialog(sampleDraft(), [](CommentFormatDialog& dialog, HWND window) {
        HWND place = dialog.page(CommentFormatDialog::placePage);
        EXPECT_EQ(windowText(GetDlgItem(place, IDC_CPLACE_WIDTH)), L"120");
        EXPECT_EQ(windowText(GetDlgItem(place, IDC_CPLACE_ANCHOR_Y)), L"150");
        int low = 0, high = 0;
        SendDlgItemMessageW(place, IDC_CPLACE_HEIGHT_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                            reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 8);
        EXPECT_EQ(high, 341);
        SendDlgItemMessageW(place, IDC_CPLACE_ANCHOR_X_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                            reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, -680);
        EXPECT_EQ(high, 680);
        type(place, IDC_CPLACE_WIDTH, "3");
        type(place, IDC_CPLACE_HEIGHT, "-0");
        type(place, IDC_CPLACE_X, "99999");
        type(place, IDC_CPLACE_Y, "x");
        type(place, IDC_CPLACE_ANCHOR_X, "-12");
        choose(place, IDC_CPLACE_HORIZONTAL, 2);
        choose(place, IDC_CPLACE_VERTICAL, 1);
        test::click(window, IDOK);
    });
    EXPECT_EQ(run.draft.placement, (comment_format::Placement{672, 30, 8, 8, -12, 150}));
    EXPECT_EQ(run.draft.format.alignment, 0x12);
}

TEST(CommentFormatDialog, CancelAndTheCloseBoxLeaveTheCopyAsItCame) {
    for (int button : {IDCANCEL, IDC_CLOSE}) {
        const Draft draft = sampleDraft();
        const Outcome run = runDialog(draft, [&](CommentFormatDialog& dialog, HWND window) {
            choose(dialog.page(CommentFormatDialog::lookPage), IDC_CLOOK_FRAME_STYLE, 3);
            choose(dialog.page(CommentFormatDialog::placePage), IDC_CPLACE_VERTICAL, 2);
            test::click(window, button);
        });
        EXPECT_NE(run.result, IDOK);
        EXPECT_EQ(run.draft.format, draft.format) << button;
        EXPECT_EQ(run.draft.placement, draft.placement);
    }
}

TEST(CommentFormatDialog, OkIsOneUndoStepOfTheDocument) {
    MapDocument document;
    test::RecordingPrompter prompter;
    ASSERT_TRUE(document.resize(20, 10, true));
    document.setNewCommentRect({0, 0, 680, 340});
    CommentArea* area = document.addComment(prompter);
    ASSERT_NE(area, nullptr);
    document.setUndoDepth(16);
    const CommentRecord before = area->copyRecord();
    DrawingResourceCache cache;
    bool changed = false;
    ASSERT_TRUE(test::driveModal([&] { changed = editCommentFormat(document, *area, nullptr, cache); },
                                 [](HWND window) {
                                     HWND tabs = GetDlgItem(window, IDC_COMMENT_FORMAT_TABS);
                                     EXPECT_NE(tabs, nullptr);
                                     // The pages are the dialog's child dialogs; each has a control
                                     // of its own.
                                     HWND pages[3]{};
                                     for (HWND child = GetWindow(window, GW_CHILD); child;
                                          child = GetWindow(child, GW_HWNDNEXT)) {
                                         if (GetDlgItem(child, IDC_CFONT_SIZE))
                                             pages[0] = child;
                                         if (GetDlgItem(child, IDC_CLOOK_RED_BAR))
                                             pages[1] = child;
                                         if (GetDlgItem(child, IDC_CPLACE_X))
                                             pages[2] = child;
                                     }
                                     ASSERT_TRUE(pages[0] && pages[1] && pages[2]);
                                     choose(pages[1], IDC_CLOOK_FRAME_STYLE, 1);
                                     choose(pages[0], IDC_CFONT_STYLE, 3);
                                     type(pages[0], IDC_CFONT_SIZE, "14");
                                     type(pages[2], IDC_CPLACE_WIDTH, "200");
                                     type(pages[2], IDC_CPLACE_ANCHOR_X, "-30");
                                     test::click(window, IDOK);
                                 }));
    ASSERT_TRUE(changed);
    EXPECT_EQ(area->frameStyle(), 1);
    EXPECT_EQ(area->format().charset, comment::shiftJisCharset) << "the face was not changed";
    EXPECT_EQ(area->format().styleFlags, 3);
    EXPECT_EQ(area->pointSize(), 14);
    EXPECT_EQ(area->frame().width(), 200);
    EXPECT_EQ(area->anchorOffset().x, -30);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(document.comments().front()->copyRecord(), before) << "one step restores everything";
    EXPECT_FALSE(document.canUndo());

    // OK without a change records nothing.
    area = document.comments().front().get();
    ASSERT_TRUE(test::driveModal([&] { changed = editCommentFormat(document, *area, nullptr, cache); },
                                 [](HWND window) { test::click(window, IDOK); }));
    EXPECT_FALSE(changed);
    EXPECT_FALSE(document.canUndo());
}

} // namespace
} // namespace tav::win
