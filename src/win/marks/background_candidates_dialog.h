#pragma once
// The background candidates dialog (355): the eight candidates as swatches; the selected one's colour is
// set with three 0..255 bars and its fill pattern from a list.
#include <array>
#include <memory>

#include "model/marks/background_candidate_edit.h"
#include "model/marks/mark_palette.h"
#include "win/app/dialog_frame.h"
#include "win/view/colour_swatch.h"

namespace tav::win {

class DrawingResourceCache;

class BackgroundCandidatesDialog : public DialogFrame {
public:
    // selected: the candidate 1..8 to select first; any other number selects 1.
    BackgroundCandidatesDialog(DrawingResourceCache& cache, const BackgroundCandidates& values, int selected);

    // After IDOK the edited words (pattern << 24 | colour), else the values given.
    const BackgroundCandidates& values() const { return values_; }
    // After IDOK the candidate selected when OK was pressed (1..8, 0 if none), else 0.
    int selectedCandidate() const { return selectedCandidate_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Bar {
        candidate::Component component;
        int barId;
        int valueId;
        int chipId;
    };
    static const std::array<Bar, 3> bars;

    void select(int candidate);
    void showComponent(const Bar& bar, int value);
    void onScroll(HWND bar, int code, int thumb);
    void onPatternChosen();
    ColourSwatch& chip(const Bar& bar);

    DrawingResourceCache& cache_;
    BackgroundCandidates values_;
    BackgroundCandidates working_;
    int firstSelection_;
    int selected_ = 0;
    int selectedCandidate_ = 0;
    std::array<std::unique_ptr<ColourSwatch>, backgroundCandidateCount> swatches_;
    std::array<std::unique_ptr<ColourSwatch>, 3> chips_;
};

} // namespace tav::win
