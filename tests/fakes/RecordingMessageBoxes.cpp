#include "RecordingMessageBoxes.h"

namespace tsy::fakes {

void RecordingMessageBoxes::Warning(std::string_view text) {
    shown.push_back({Kind::Warning, std::string(text)});
}

bool RecordingMessageBoxes::Confirm(std::string_view text) {
    shown.push_back({Kind::Confirm, std::string(text)});
    if (confirmAnswers.empty())
        return confirmAnswer;
    bool answer = confirmAnswers.front();
    confirmAnswers.erase(confirmAnswers.begin());
    return answer;
}

void RecordingMessageBoxes::Information(std::string_view text) {
    shown.push_back({Kind::Information, std::string(text)});
}

void RecordingMessageBoxes::Error(std::string_view text) {
    shown.push_back({Kind::Error, std::string(text)});
}

std::vector<std::string> RecordingMessageBoxes::Texts(Kind kind) const {
    std::vector<std::string> texts;
    for (const auto& box : shown)
        if (box.kind == kind)
            texts.push_back(box.text);
    return texts;
}

} // namespace tsy::fakes
