#include "win/marks/wall_history_picker.h"

#include <string>

#include "model/marks/wall_mark_draft.h"
#include "resource.h"
#include "win/marks/mark_colour.h"
#include "win/marks/mark_drawing.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr const char* backLabel = "マーク(後面): ";
constexpr const char* frontLabel = "マーク(前面): ";

constexpr ControlPlace places[] = {
    {IDC_PICKER_PREVIEW, 10, 220, 94, 94},
    {IDC_PICKER_LINE_LABEL, 116, 224, 112, 16},
    {IDC_PICKER_LINE_COLOUR_LABEL, 232, 224, 40, 16},
    {IDC_PICKER_LINE_COLOUR, 274, 221, 30, 20},
    {IDC_PICKER_BACK_SHAPE, 116, 250, 296, 16},
    {IDC_PICKER_BACK_FRAME_LABEL, 140, 272, 40, 16},
    {IDC_PICKER_BACK_FRAME, 182, 269, 30, 20},
    {IDC_PICKER_BACK_FILL_LABEL, 232, 272, 48, 16},
    {IDC_PICKER_BACK_FILL, 282, 269, 30, 20},
    {IDC_PICKER_FRONT_SHAPE, 116, 298, 296, 16},
    {IDC_PICKER_FRONT_FRAME_LABEL, 140, 320, 40, 16},
    {IDC_PICKER_FRONT_FRAME, 182, 317, 30, 20},
    {IDC_PICKER_FRONT_FILL_LABEL, 232, 320, 48, 16},
    {IDC_PICKER_FRONT_FILL, 282, 317, 30, 20},
};

constexpr int swatchIds[] = {IDC_PICKER_LINE_COLOUR, IDC_PICKER_BACK_FRAME, IDC_PICKER_BACK_FILL,
                             IDC_PICKER_FRONT_FRAME, IDC_PICKER_FRONT_FILL};

// The preview: one normal-view cell with the mark on its four edges, and room around for the shapes
// that stand out of the line.
constexpr int previewMargin = 6;
constexpr int previewSide = 34 + 1 + 2 * previewMargin;

std::string shapeText(const char* label, int shape) {
    return std::string(label) + wall_edit::shapeName(shape);
}

} // namespace

WallHistoryPicker::WallHistoryPicker(MarkHistory& history, DrawingResourceCache& cache)
    : HistoryPicker(IDD_WALL_HISTORY, 384, HistoryKind::wall, history, cache) {
    for (auto& swatch : swatches_)
        swatch = std::make_unique<ColourSwatch>(cache);
}

std::span<const ControlPlace> WallHistoryPicker::detailPlaces() const {
    return places;
}

void WallHistoryPicker::initDetails() {
    shown_.reset();
    chosen_.reset();
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        swatches_[i]->attach(item(swatchIds[i]));
}

void WallHistoryPicker::drawEntry(HDC dc, std::size_t record, int, int) {
    drawEntryFrames(dc);
    const std::optional<WallMarkRecord> mark = history().wall(record);
    if (!mark)
        return;
    // Each wall direction in an icon box of its own.
    RECT boxes[] = {{16, 14, 39, 37}, {56, 14, 79, 37}};
    for (const RECT& box : boxes)
        FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    drawHorizontalWallMarkRecord(dc, 16, 14, *mark, mark_scale::icon, cache());
    drawVerticalWallMarkRecord(dc, 56, 14, *mark, mark_scale::icon, cache());
}

void WallHistoryPicker::showEntry(std::optional<std::size_t> record) {
    shown_ = record ? history().wall(*record) : std::nullopt;
    const WallMarkRecord mark = shown_.value_or(WallMarkRecord{});
    setItemText(handle(), IDC_PICKER_BACK_SHAPE, shown_ ? shapeText(backLabel, mark.backShape) : backLabel);
    setItemText(handle(), IDC_PICKER_FRONT_SHAPE,
                shown_ ? shapeText(frontLabel, mark.frontShape) : frontLabel);
    const std::uint32_t colours[] = {mark.lineVisible ? mark.lineColor : noColour, mark.backFrameColor,
                                     mark.backFillColor, mark.frontFrameColor, mark.frontFillColor};
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        // A colour of none has no swatch to show.
        const bool shown = shown_ && colours[i] != noColour;
        if (shown)
            swatches_[i]->setColour(markColour(colours[i]), true);
        showItem(handle(), swatchIds[i], shown);
    }
    InvalidateRect(item(IDC_PICKER_PREVIEW), nullptr, FALSE);
}

bool WallHistoryPicker::takeShownEntry() {
    chosen_ = shown_;
    return chosen_.has_value();
}

bool WallHistoryPicker::drawDetail(const DRAWITEMSTRUCT& drawn) {
    if (drawn.CtlID != IDC_PICKER_PREVIEW)
        return false;
    if (!shown_) {
        stretchInto(drawn, nullptr, 0, 0);
        return true;
    }
    DibImage picture(previewSide, previewSide);
    if (!picture) {
        stretchInto(drawn, nullptr, 0, 0);
        return true;
    }
    HDC dc = picture.dc();
    RECT all{0, 0, previewSide, previewSide};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int low = previewMargin, high = previewMargin + 34;
    drawHorizontalWallMarkRecord(dc, low, low, *shown_, mark_scale::normal, cache());
    drawHorizontalWallMarkRecord(dc, low, high, *shown_, mark_scale::normal, cache());
    drawVerticalWallMarkRecord(dc, low, low, *shown_, mark_scale::normal, cache());
    drawVerticalWallMarkRecord(dc, high, low, *shown_, mark_scale::normal, cache());
    GdiFlush();
    stretchInto(drawn, dc, previewSide, previewSide);
    return true;
}

} // namespace tav::win
