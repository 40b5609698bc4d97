#include "support/recording_prompter.h"

namespace tav::test {

int RecordingPrompter::showMessage(const std::string& text, unsigned type) {
    shown.push_back({text, type});
    if (answers.empty())
        return defaultAnswer;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace tav::test
