#pragma once
// Page 363 of the environment settings: how many marks the histories keep and in which order.
#include "model/app/configuration.h"
#include "win/app/dialog_page.h"

namespace tav::win {

class HistoryPage : public DialogPage {
public:
    explicit HistoryPage(const config::HistorySettings& history);
    // What the controls say; a limit that is no number keeps the value shown at first.
    config::HistorySettings history() const;

protected:
    bool onInitDialog() override;

private:
    config::HistorySettings shown_;
};

} // namespace tav::win
