#pragma once
#include <deque>
#include <string>
#include <vector>

#include "model/platform/prompter.h"

namespace tav::test {

// Records every message and answers from a queue (then with the default answer).
class RecordingPrompter : public Prompter {
public:
    struct Shown {
        std::string text;
        unsigned type;
    };
    int showMessage(const std::string& text, unsigned type) override;

    std::vector<Shown> shown;
    std::deque<int> answers;
    int defaultAnswer = msg::idOk;
};

} // namespace tav::test
