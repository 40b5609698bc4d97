#pragma once
// The prompt seam: every message and question of the model goes through here.
#include <string>

namespace tav {

// Type flags and result codes, with the platform's values.
namespace msg {
constexpr unsigned ok = 0x00;
constexpr unsigned okCancel = 0x01;
constexpr unsigned yesNoCancel = 0x03;
constexpr unsigned yesNo = 0x04;
constexpr unsigned iconError = 0x10;
constexpr unsigned iconQuestion = 0x20;
constexpr unsigned iconWarning = 0x30;
constexpr unsigned iconInformation = 0x40;

constexpr int idOk = 1;
constexpr int idCancel = 2;
constexpr int idYes = 6;
constexpr int idNo = 7;
} // namespace msg

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows a CP932 text with the given type flags and returns the button code.
    virtual int showMessage(const std::string& text, unsigned type) = 0;
};

} // namespace tav
