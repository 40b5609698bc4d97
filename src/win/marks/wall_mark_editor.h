#pragma once
// The wall mark editor (369): the line and its colour, the back and front marks with their shapes, frame
// and inside colours, a preview of the mark, registering and starting from an earlier mark.
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "model/marks/wall_mark_draft.h"
#include "win/app/dialog_frame.h"
#include "win/marks/wall_preview.h"
#include "win/view/colour_swatch.h"
#include "win/view/coloured_button.h"

namespace tav::win {

class DrawingResourceCache;

// The wall history as the editor sees it. Either may be empty: the history button is then disabled, or
// nothing is appended.
struct WallHistoryHooks {
    // Lets the user pick an earlier mark; nothing when cancelled or no history.
    std::function<std::optional<WallMarkRecord>(HWND owner)> pick;
    // Appends a registered mark to the history; reports its own failures.
    std::function<void(const WallMarkRecord&)> add;
};

class WallMarkEditor : public DialogFrame {
public:
    WallMarkEditor(DrawingResourceCache& cache, WallHistoryHooks hooks);

    // The slot's record, before runModal when the slot is registered. Without it the editor starts empty.
    void setRecord(const WallMarkRecord& record) { record_ = record; }
    // After IDOK the registered mark (an empty record clears the slot); otherwise what was set.
    const WallMarkRecord& record() const { return record_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillShapeList(int id);
    // Every control from the draft, and the preview.
    void showDraft();
    void chooseColour(wall_edit::Colour colour);
    void pickFromHistory();
    void registerMark();
    ColourSwatch& swatch(wall_edit::Colour colour) { return *swatches_[static_cast<std::size_t>(colour)]; }

    DrawingResourceCache& cache_;
    WallHistoryHooks hooks_;
    WallMarkRecord record_{noColour, noColour, noColour, noColour, noColour, 0, 0, 0, 0};
    wall_edit::WallMarkDraft draft_;
    std::array<std::unique_ptr<ColourSwatch>, wall_edit::colourCount> swatches_;
    WallPreview preview_;
    ImageList shapeImages_;
    ColouredButton historyButton_;
    // The chooser's sixteen custom colours, kept from one opening to the next.
    std::array<COLORREF, 16> customColours_;
};

// Runs the editor modally on a slot's record (registered or not): the registered mark, or nothing when the
// user cancelled or the dialog could not be made.
std::optional<WallMarkRecord> editWallMark(HWND owner, const WallMarkRecord& start,
                                           DrawingResourceCache& cache, const WallHistoryHooks& hooks);

} // namespace tav::win
