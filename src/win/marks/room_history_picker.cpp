#include "win/marks/room_history_picker.h"

#include "resource.h"
#include "win/marks/mark_colour.h"
#include "win/marks/mark_drawing.h"

namespace tav::win {

namespace {

constexpr ControlPlace places[] = {
    {IDC_PICKER_PREVIEW, 10, 220, 69, 69},
    {IDC_PICKER_NORMAL_LABEL, 88, 248, 84, 16},
    {IDC_PICKER_NORMAL_COLOUR_LABEL, 172, 248, 16, 16},
    {IDC_PICKER_NORMAL_TRANSPARENT, 190, 245, 30, 20},
    {IDC_PICKER_WIDE_PREVIEW, 232, 232, 45, 45},
    {IDC_PICKER_WIDE_LABEL, 286, 248, 84, 16},
    {IDC_PICKER_WIDE_COLOUR_LABEL, 370, 248, 16, 16},
    {IDC_PICKER_WIDE_TRANSPARENT, 388, 245, 26, 20},
};

constexpr int swatchIds[] = {IDC_PICKER_NORMAL_TRANSPARENT, IDC_PICKER_WIDE_TRANSPARENT};

} // namespace

RoomHistoryPicker::RoomHistoryPicker(MarkHistory& history, DrawingResourceCache& cache)
    : HistoryPicker(IDD_ROOM_HISTORY, 336, HistoryKind::room, history, cache) {
    for (auto& swatch : swatches_)
        swatch = std::make_unique<ColourSwatch>(cache);
}

std::span<const ControlPlace> RoomHistoryPicker::detailPlaces() const {
    return places;
}

void RoomHistoryPicker::initDetails() {
    shown_.reset();
    shownImage_.clear();
    chosen_.reset();
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        swatches_[i]->attach(item(swatchIds[i]));
}

void RoomHistoryPicker::drawEntry(HDC dc, std::size_t record, int, int) {
    drawEntryFrames(dc);
    const std::optional<RoomMarkSlot> mark = history().room(record);
    RoomMarkImage image;
    if (!mark || !image.set(*mark))
        return;
    // The 23x23 picture at (16, 14), the 15x15 one at (60, 18).
    drawRoomMarkImage(dc, 16, 14, image, mark_scale::icon, true);
    drawRoomMarkImage(dc, 56, 14, image, mark_scale::wide, true);
}

void RoomHistoryPicker::showEntry(std::optional<std::size_t> record) {
    shown_ = record ? history().room(*record) : std::nullopt;
    if (!shown_ || !shownImage_.set(*shown_))
        shownImage_.clear();
    const std::uint32_t colours[] = {shown_ ? shown_->normalImage.transparent : noColour,
                                     shown_ ? shown_->wideImage.transparent : noColour};
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        const bool shown = colours[i] != noColour;
        if (shown)
            swatches_[i]->setColour(markColour(colours[i]), true);
        showItem(handle(), swatchIds[i], shown);
    }
    InvalidateRect(item(IDC_PICKER_PREVIEW), nullptr, FALSE);
    InvalidateRect(item(IDC_PICKER_WIDE_PREVIEW), nullptr, FALSE);
}

bool RoomHistoryPicker::takeShownEntry() {
    chosen_ = shown_;
    return chosen_.has_value();
}

bool RoomHistoryPicker::drawDetail(const DRAWITEMSTRUCT& drawn) {
    if (drawn.CtlID != IDC_PICKER_PREVIEW && drawn.CtlID != IDC_PICKER_WIDE_PREVIEW)
        return false;
    // The pictures opaque, every pixel as stored: the transparent colour has its swatch.
    const RoomMarkImage::Picture& picture =
        drawn.CtlID == IDC_PICKER_PREVIEW ? shownImage_.normal() : shownImage_.wide();
    const HDC sheet = shownImage_.registered() ? picture.sheet.dc() : nullptr;
    stretchInto(drawn, sheet, picture.side, picture.side);
    return true;
}

} // namespace tav::win
