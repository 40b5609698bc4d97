#pragma once
#include <windows.h>

#include <string>

#include "model/platform/prompter.h"

namespace tav::win {

// The program's own message box (dialog 351): a CP932 text, the platform's type flags for icon and
// buttons, and the platform's button codes as result.
int showMessage(const std::string& text, HWND owner, unsigned type);

// The prompt seam on the real message box, owned by whichever window is set.
class MessageBoxPrompter : public Prompter {
public:
    int showMessage(const std::string& text, unsigned type) override;
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

private:
    HWND owner_ = nullptr;
};

} // namespace tav::win
