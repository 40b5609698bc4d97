#include "win/marks/background_candidates_dialog.h"

#include <iterator>
#include <optional>
#include <string>

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/app/map_scroll_bars.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

// In pattern type order: the list position is the type.
constexpr const char* patternNames[] = {"塗り潰し",    "マスク 濃",   "マスク 薄",  "水平線",
                                        "垂直線",      "格子",        "斜線 ＼",    "斜線 ／",
                                        "斜線格子 Ａ", "斜線格子 Ｂ", "斜線格子 Ｃ"};
static_assert(std::size(patternNames) == candidate::lastPattern + 1);

} // namespace

const std::array<BackgroundCandidatesDialog::Bar, 3> BackgroundCandidatesDialog::bars = {{
    {candidate::Component::red, IDC_CANDIDATE_RED_BAR, IDC_CANDIDATE_RED_VALUE, IDC_CANDIDATE_RED_CHIP},
    {candidate::Component::green, IDC_CANDIDATE_GREEN_BAR, IDC_CANDIDATE_GREEN_VALUE,
     IDC_CANDIDATE_GREEN_CHIP},
    {candidate::Component::blue, IDC_CANDIDATE_BLUE_BAR, IDC_CANDIDATE_BLUE_VALUE, IDC_CANDIDATE_BLUE_CHIP},
}};

BackgroundCandidatesDialog::BackgroundCandidatesDialog(DrawingResourceCache& cache,
                                                       const BackgroundCandidates& values, int selected)
    : DialogFrame(IDD_BACKGROUND_CANDIDATES), cache_(cache), values_(values), working_(values),
      firstSelection_(candidate::firstSelection(selected, backgroundCandidateCount)) {
    for (auto& swatch : swatches_)
        swatch = std::make_unique<ColourSwatch>(cache_);
    for (auto& chip : chips_)
        chip = std::make_unique<ColourSwatch>(cache_);
}

ColourSwatch& BackgroundCandidatesDialog::chip(const Bar& bar) {
    return *chips_[static_cast<std::size_t>(bar.component)];
}

bool BackgroundCandidatesDialog::onInitDialog() {
    // A new run starts from the values given, whatever an earlier run did.
    working_ = values_;
    selected_ = 0;
    selectedCandidate_ = 0;

    HWND window = handle();
    const std::string swatchTip = narrow(resourceString(IDS_TIP_SWATCH));
    for (int i = 0; i < backgroundCandidateCount; ++i) {
        ColourSwatch& swatch = *swatches_[static_cast<std::size_t>(i)];
        const std::uint32_t word = working_[static_cast<std::size_t>(i)];
        swatch.attach(item(IDC_CANDIDATE_1 + i));
        swatch.setColour(candidate::colourOf(word), false);
        swatch.setPattern(candidate::patternOf(word));
        swatch.setMarker(ColourSwatch::unselected);
        swatch.setInputFlags(swatch_input::enter | swatch_input::space);
        addTooltip(IDC_CANDIDATE_1 + i, swatchTip);
    }
    for (const Bar& bar : bars) {
        chip(bar).attach(item(bar.chipId));
        SetScrollRange(item(bar.barId), SB_CTL, 0, candidate::componentMaximum, FALSE);
    }
    HWND list = item(IDC_CANDIDATE_PATTERN);
    for (const char* name : patternNames)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(name).c_str()));

    paintOkAndCancel();
    SendMessageW(window, DM_SETDEFID, IDOK, 0);

    roundCorners();

    select(firstSelection_);
    SetFocus(swatches_[static_cast<std::size_t>(selected_ - 1)]->handle());
    return false; // the focus is set
}

void BackgroundCandidatesDialog::select(int candidateNumber) {
    if (candidateNumber < 1 || candidateNumber > backgroundCandidateCount)
        return;
    if (selected_ != 0 && selected_ != candidateNumber)
        swatches_[static_cast<std::size_t>(selected_ - 1)]->setMarker(ColourSwatch::unselected);
    selected_ = candidateNumber;
    swatches_[static_cast<std::size_t>(selected_ - 1)]->setMarker(ColourSwatch::selected);

    const std::uint32_t word = working_[static_cast<std::size_t>(selected_ - 1)];
    for (const Bar& bar : bars) {
        const int value = candidate::component(word, bar.component);
        SetScrollPos(item(bar.barId), SB_CTL, value, TRUE);
        showComponent(bar, value);
    }
    SendMessageW(item(IDC_CANDIDATE_PATTERN), CB_SETCURSEL,
                 static_cast<WPARAM>(candidate::listPosition(candidate::patternOf(word))), 0);
}

void BackgroundCandidatesDialog::showComponent(const Bar& bar, int value) {
    SetDlgItemTextW(handle(), bar.valueId, std::to_wstring(value).c_str());
    chip(bar).setColour(candidate::pure(bar.component, value), true);
}

void BackgroundCandidatesDialog::onScroll(HWND barWindow, int code, int thumb) {
    const Bar* bar = nullptr;
    for (const Bar& each : bars)
        if (item(each.barId) == barWindow)
            bar = &each;
    const std::optional<scroll::Move> move = MapScrollBars::moveOf(code);
    if (!bar || !move || selected_ == 0)
        return;
    const int value = candidate::scrolledComponent(GetScrollPos(barWindow, SB_CTL), *move, thumb);
    SetScrollPos(barWindow, SB_CTL, value, TRUE);
    showComponent(*bar, value);
    std::uint32_t& word = working_[static_cast<std::size_t>(selected_ - 1)];
    word = candidate::withComponent(word, bar->component, value);
    swatches_[static_cast<std::size_t>(selected_ - 1)]->setColour(candidate::colourOf(word), true);
}

void BackgroundCandidatesDialog::onPatternChosen() {
    const LRESULT position = SendMessageW(item(IDC_CANDIDATE_PATTERN), CB_GETCURSEL, 0, 0);
    if (selected_ == 0 || position < 0 || position > static_cast<LRESULT>(candidate::lastPattern))
        return;
    std::uint32_t& word = working_[static_cast<std::size_t>(selected_ - 1)];
    word = candidate::pack(static_cast<unsigned>(position), candidate::colourOf(word));
    swatches_[static_cast<std::size_t>(selected_ - 1)]->setPattern(static_cast<unsigned>(position));
}

bool BackgroundCandidatesDialog::onCommand(int id, int code, HWND control) {
    if (id >= IDC_CANDIDATE_1 && id <= IDC_CANDIDATE_8) {
        if (code == STN_CLICKED)
            select(id - IDC_CANDIDATE_1 + 1);
        return true;
    }
    if (id == IDC_CANDIDATE_PATTERN) {
        if (code == CBN_SELCHANGE)
            onPatternChosen();
        return true;
    }
    if (id == IDOK) {
        values_ = working_;
        selectedCandidate_ = selected_;
        end(IDOK);
        return true;
    }
    return DialogFrame::onCommand(id, code, control);
}

INT_PTR BackgroundCandidatesDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL:
        if (lParam)
            onScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case swatch_message::key: {
        HWND swatch = reinterpret_cast<HWND>(lParam);
        if (swatch && IsChild(handle(), swatch)) {
            const int id = GetDlgCtrlID(swatch);
            if (id >= IDC_CANDIDATE_1 && id <= IDC_CANDIDATE_8)
                select(id - IDC_CANDIDATE_1 + 1);
        }
        return TRUE;
    }
    default:
        break;
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
