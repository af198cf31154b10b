#pragma once

#include "support/MessageBoxes.h"

#include <string>
#include <vector>

namespace tsy::fakes {

// Records every box instead of showing it; Confirm answers from a script.
class RecordingMessageBoxes : public IMessageBoxes {
public:
    enum class Kind { Warning, Confirm, Information, Error };
    struct Box {
        Kind kind;
        std::string text;
    };

    void Warning(std::string_view text) override;
    bool Confirm(std::string_view text) override;
    void Information(std::string_view text) override;
    void Error(std::string_view text) override;

    // Answers for the coming Confirm calls, in order; once used up, confirmAnswer.
    std::vector<bool> confirmAnswers;
    bool confirmAnswer = true;
    std::vector<Box> shown;
    // The texts of the boxes of one kind, in order.
    std::vector<std::string> Texts(Kind kind) const;
};

} // namespace tsy::fakes
