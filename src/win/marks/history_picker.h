#pragma once
// What the two history pickers share: the owner-drawn list of entries in as many columns and rows as fit,
// the selection, and "削除" / "全削除", which touch the file only when the window goes, whichever button
// closed it.
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "model/marks/mark_history.h"
#include "win/app/dialog_frame.h"
#include "win/app/dialog_items.h"
#include "win/platform/dib_image.h"
#include "win/view/coloured_button.h"

namespace tav::win {

class DrawingResourceCache;

class HistoryPicker : public DialogFrame {
protected:
    // The window is 422 pixels wide and windowHeight high; the details lie between the list (ending at
    // y = 208) and the buttons (34 pixels above the bottom edge).
    HistoryPicker(int templateId, int windowHeight, HistoryKind kind, MarkHistory& history,
                  DrawingResourceCache& cache);

    // Pixel places of the kind's own controls.
    virtual std::span<const ControlPlace> detailPlaces() const = 0;
    // Prepares the detail controls, once.
    virtual void initDetails() = 0;
    // Draws the entry at record (its index in the file) into a list cell of width x height pixels that is
    // already filled with the body colour; an entry that cannot be read stays blank.
    virtual void drawEntry(HDC dc, std::size_t record, int width, int height) = 0;
    // Reads the entry at record and shows it in the details and the preview; nothing clears them.
    virtual void showEntry(std::optional<std::size_t> record) = 0;
    // Takes the entry shown as the choice; false when there is none (it could not be read).
    virtual bool takeShownEntry() = 0;
    // Draws an owner-drawn detail control; false when the item is none of them.
    virtual bool drawDetail(const DRAWITEMSTRUCT& item) = 0;

    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void onDestroy() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    MarkHistory& history() { return history_; }
    DrawingResourceCache& cache() { return cache_; }
    // The two rounded frames every entry's pictures sit in.
    void drawEntryFrames(HDC dc);
    // Stretches a picture held in source (width x height at 0, 0) over an owner-drawn control, or paints
    // it white without one.
    static void stretchInto(const DRAWITEMSTRUCT& item, HDC source, int width, int height);

private:
    struct Cell {
        std::optional<std::size_t> record; // the entry its picture shows
        DibImage picture;
    };

    void layOutList();
    void fillList();
    void select(int position);
    void deleteSelected();
    void deleteAll();
    void enableButtons(bool enabled);
    void drawListItem(const DRAWITEMSTRUCT& item);
    void applyDeletions();

    int windowHeight_;
    HistoryKind kind_;
    MarkHistory& history_;
    DrawingResourceCache& cache_;
    std::vector<std::size_t> deleted_; // sorted record indexes
    bool deleteAll_ = false;
    std::vector<std::unique_ptr<Cell>> cells_; // one per visible place, by item position modulo their number
    std::array<ColouredButton, 2> deleteButtons_;
};

} // namespace tav::win
