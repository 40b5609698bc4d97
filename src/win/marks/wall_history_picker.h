#pragma once
// The wall history picker (370): the wall marks registered earlier, to start a new one from or to delete.
#include <array>
#include <memory>
#include <optional>

#include "win/marks/history_picker.h"
#include "win/view/colour_swatch.h"

namespace tav::win {

class WallHistoryPicker : public HistoryPicker {
public:
    WallHistoryPicker(MarkHistory& history, DrawingResourceCache& cache);

    // After IDOK the entry chosen; nothing after any other end.
    const std::optional<WallMarkRecord>& chosen() const { return chosen_; }

protected:
    std::span<const ControlPlace> detailPlaces() const override;
    void initDetails() override;
    void drawEntry(HDC dc, std::size_t record, int width, int height) override;
    void showEntry(std::optional<std::size_t> record) override;
    bool takeShownEntry() override;
    bool drawDetail(const DRAWITEMSTRUCT& item) override;

private:
    std::optional<WallMarkRecord> shown_;
    std::optional<WallMarkRecord> chosen_;
    std::array<std::unique_ptr<ColourSwatch>, 5> swatches_;
};

} // namespace tav::win
