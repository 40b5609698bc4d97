#pragma once
// The ruler settings dialog (356): where the rulers count from and in which direction.
#include "model/app/settings_entries.h"
#include "model/document/ruler.h"
#include "win/app/dialog_frame.h"

namespace tav::win {

class RulerDialog : public DialogFrame {
public:
    explicit RulerDialog(const RulerSettings& ruler);

    // The settings chosen, after IDOK; the ruler given otherwise.
    const RulerSettings& ruler() const { return ruler_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    int checkedBase() const;
    void showStartControls();
    entries::RulerChoice choice() const;

    RulerSettings ruler_;
    entries::RulerChoice shown_;
};

} // namespace tav::win
