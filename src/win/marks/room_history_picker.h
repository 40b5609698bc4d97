#pragma once
// The room history picker (372): the room marks registered earlier, both pictures of each, to load into
// the room mark editor or to delete.
#include <array>
#include <memory>
#include <optional>

#include "win/marks/history_picker.h"
#include "win/marks/room_mark_images.h"
#include "win/view/colour_swatch.h"

namespace tav::win {

class RoomHistoryPicker : public HistoryPicker {
public:
    RoomHistoryPicker(MarkHistory& history, DrawingResourceCache& cache);

    // After IDOK both pictures of the entry chosen with their transparent colours (registered set);
    // nothing after any other end.
    const std::optional<RoomMarkSlot>& chosen() const { return chosen_; }

protected:
    std::span<const ControlPlace> detailPlaces() const override;
    void initDetails() override;
    void drawEntry(HDC dc, std::size_t record, int width, int height) override;
    void showEntry(std::optional<std::size_t> record) override;
    bool takeShownEntry() override;
    bool drawDetail(const DRAWITEMSTRUCT& item) override;

private:
    std::optional<RoomMarkSlot> shown_;
    RoomMarkImage shownImage_;
    std::optional<RoomMarkSlot> chosen_;
    std::array<std::unique_ptr<ColourSwatch>, 2> swatches_;
};

} // namespace tav::win
