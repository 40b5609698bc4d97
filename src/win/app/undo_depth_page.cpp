#include "win/app/undo_depth_page.h"

#include "model/app/configuration.h"
#include "model/app/settings_entries.h"
#include "model/document/undo_memory_note.h"
#include "resource.h"
#include "win/app/dialog_items.h"

namespace tav::win {

namespace {

constexpr ControlPlace places[] = {
    {IDC_UNDO_DEPTH_LABEL, 14, 18, 150, 16}, {IDC_UNDO_DEPTH, 168, 15, 40, 22},
    {IDC_UNDO_DEPTH_SPIN, 208, 15, 16, 22},  {IDC_UNDO_TIMES_LABEL, 232, 18, 20, 16},
    {IDC_UNDO_NOTE, 14, 50, 280, 120},
};

} // namespace

UndoDepthPage::UndoDepthPage(int depth) : DialogPage(IDD_PAGE_UNDO), depth_(depth) {}

bool UndoDepthPage::onInitDialog() {
    placeControls(handle(), places);
    SendDlgItemMessageW(handle(), IDC_UNDO_DEPTH, EM_LIMITTEXT, 3, 0);
    // The buddy's text follows the position, and its change corrects a depth beyond 255.
    setUpSpin(handle(), IDC_UNDO_DEPTH_SPIN, IDC_UNDO_DEPTH, 0, config::largestUndoDepthSetting, depth_);
    setItemText(handle(), IDC_UNDO_DEPTH, std::to_string(depth_));
    entryChanged();
    return true;
}

void UndoDepthPage::entryChanged() {
    if (correcting_)
        return;
    const entries::UndoDepthEntry entry = entries::readUndoDepthEntry(itemText(handle(), IDC_UNDO_DEPTH));
    depth_ = entry.depth;
    if (entry.replacement) {
        correcting_ = true;
        setItemText(handle(), IDC_UNDO_DEPTH, *entry.replacement);
        SendDlgItemMessageW(handle(), IDC_UNDO_DEPTH, EM_SETSEL, entry.replacement->size(),
                            static_cast<LPARAM>(entry.replacement->size()));
        correcting_ = false;
    }
    setItemText(handle(), IDC_UNDO_NOTE, undoMemoryNote(depth_));
}

bool UndoDepthPage::onCommand(int id, int code, HWND control) {
    if (id == IDC_UNDO_DEPTH) {
        if (code == EN_CHANGE)
            entryChanged();
        return true;
    }
    return DialogPage::onCommand(id, code, control);
}

} // namespace tav::win
