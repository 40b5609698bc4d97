#pragma once
// The undo history of a pixel canvas: each step keeps the picture as it was before a change and, once the
// step has been undone, the picture as it was before the undo, so it can be redone.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace tav {

// A canvas picture: N x N pixels, whatever layout the canvas keeps them in.
using PicturePixels = std::vector<std::uint32_t>;

class ImageUndoHistory {
public:
    static constexpr int maxLimit = 65535;

    // Above maxLimit keeps maxLimit; zero or less keeps no steps at all. Clears the history.
    void setLimit(int limit);
    int limit() const { return limit_; }

    // Before a change: drops the steps that could be redone and, when full, the oldest one.
    void push(PicturePixels before);
    // Each takes the picture as it is now and gives the one to show instead; nothing when there is no step.
    std::optional<PicturePixels> undo(const PicturePixels& current);
    std::optional<PicturePixels> redo(const PicturePixels& current);
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    void clear();
    std::size_t size() const { return steps_.size(); }

private:
    struct Step {
        PicturePixels before;
        PicturePixels after; // empty until the step is undone
    };
    std::deque<Step> steps_;
    std::size_t position_ = 0; // steps that can be undone
    int limit_ = 20;
};

} // namespace tav
