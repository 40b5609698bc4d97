#pragma once
// The load choice of the palette window (368): which saved palette a half of the current one is loaded from.
#include "win/app/dialog_frame.h"

namespace tav::win {

namespace palette_source {
constexpr int none = 0;
constexpr int base = 1;
constexpr int start = 2;
constexpr int mapFile = 3;
} // namespace palette_source

class PaletteLoadDialog : public DialogFrame {
public:
    // The map file choice is offered only while the map was opened from a file.
    explicit PaletteLoadDialog(bool mapFileOffered);
    // One of palette_source.
    int choose(HWND owner);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    bool mapFileOffered_;
};

} // namespace tav::win
