#include "model/canvas/image_undo_history.h"

#include <algorithm>

namespace tav {

void ImageUndoHistory::setLimit(int limit) {
    limit_ = std::clamp(limit, 0, maxLimit);
    clear();
}

void ImageUndoHistory::clear() {
    steps_.clear();
    position_ = 0;
}

void ImageUndoHistory::push(PicturePixels before) {
    if (limit_ == 0)
        return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    if (steps_.size() >= static_cast<std::size_t>(limit_))
        steps_.pop_front();
    steps_.push_back({std::move(before), {}});
    position_ = steps_.size();
}

std::optional<PicturePixels> ImageUndoHistory::undo(const PicturePixels& current) {
    if (!canUndo())
        return std::nullopt;
    Step& step = steps_[--position_];
    step.after = current;
    return step.before;
}

std::optional<PicturePixels> ImageUndoHistory::redo(const PicturePixels& current) {
    if (!canRedo())
        return std::nullopt;
    Step& step = steps_[position_++];
    step.before = current;
    return step.after;
}

} // namespace tav
