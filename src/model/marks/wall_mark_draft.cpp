#include "model/marks/wall_mark_draft.h"

#include <utility>

namespace tav::wall_edit {

namespace {

constexpr const char* shapeNames[shapeCount] = {
    "無し",           "長方形",         "片四角形 上/左", "片四角形 下/右", "三角矢印 上/左",
    "三角矢印 下/右", "台形　　 上/左", "台形　　 下/右", "円形",           "正三角形",
    "正方形",         "バツ印",         "鍵錠",
};

int knownShape(int code) {
    return code >= 0 && code < shapeCount ? code : 0;
}

std::uint32_t rgbOf(std::uint32_t value) {
    return value & 0xFFFFFF;
}

} // namespace

const char* shapeName(int code) {
    return code >= 0 && code < shapeCount ? shapeNames[code] : "";
}

Mark WallMarkDraft::markOf(Colour colour) {
    return colour == Colour::frontFrame || colour == Colour::frontFill ? Mark::front : Mark::back;
}

void WallMarkDraft::load(const WallMarkRecord& record) {
    checks_ = {};
    if (!record.registered) {
        lineOn_ = false;
        shapes_ = {};
        return;
    }
    lineOn_ = record.lineVisible != 0;
    if (lineOn_)
        swatches_[index(Colour::line)] = rgbOf(record.lineColor);
    struct Side {
        Mark mark;
        int shape;
        Colour frame, fill;
        std::uint32_t frameValue, fillValue;
    };
    const Side sides[] = {
        {Mark::back, record.backShape, Colour::backFrame, Colour::backFill, record.backFrameColor,
         record.backFillColor},
        {Mark::front, record.frontShape, Colour::frontFrame, Colour::frontFill, record.frontFrameColor,
         record.frontFillColor},
    };
    for (const Side& side : sides) {
        shapes_[index(side.mark)] = knownShape(side.shape);
        if (shapes_[index(side.mark)] == 0)
            continue;
        for (auto [colour, value] : {std::pair{side.frame, side.frameValue}, {side.fill, side.fillValue}}) {
            checks_[index(colour)] = value != noColour;
            if (value != noColour)
                swatches_[index(colour)] = rgbOf(value);
        }
    }
}

void WallMarkDraft::setShape(Mark mark, int code) {
    shapes_[index(mark)] = knownShape(code);
}

void WallMarkDraft::setChecked(Colour colour, bool checked) {
    if (colour == Colour::line)
        lineOn_ = checked;
    else
        checks_[index(colour)] = checked;
}

void WallMarkDraft::setSwatch(Colour colour, std::uint32_t value) {
    swatches_[index(colour)] = rgbOf(value);
}

bool WallMarkDraft::checked(Colour colour) const {
    return colour == Colour::line ? lineOn_ : checks_[index(colour)];
}

bool WallMarkDraft::enabled(Colour colour) const {
    return colour == Colour::line ? lineOn_ : shape(markOf(colour)) != 0;
}

std::uint32_t WallMarkDraft::markColour(Colour colour) const {
    return shape(markOf(colour)) != 0 && checks_[index(colour)] ? swatches_[index(colour)] : noColour;
}

WallMarkRecord WallMarkDraft::result() const {
    WallMarkRecord r{0, 0, 0, 0, 0, 0, 0, 0, 0};
    r.lineVisible = lineOn_ ? 1 : 0;
    if (lineOn_)
        r.lineColor = swatch(Colour::line);
    r.backShape = static_cast<std::uint8_t>(shape(Mark::back));
    r.backFrameColor = markColour(Colour::backFrame);
    r.backFillColor = markColour(Colour::backFill);
    r.frontShape = static_cast<std::uint8_t>(shape(Mark::front));
    r.frontFrameColor = markColour(Colour::frontFrame);
    r.frontFillColor = markColour(Colour::frontFill);
    if (r.frontShape != 0 || lineOn_ || r.backShape != 0) {
        r.registered = 1;
        return r;
    }
    WallMarkRecord empty;
    empty.lineColor = noColour;
    return empty;
}

WallMarkRecord WallMarkDraft::working() const {
    WallMarkRecord r = result();
    r.lineColor = lineOn_ ? swatch(Colour::line) : noColour;
    return r;
}

} // namespace tav::wall_edit
