#pragma once

#include <string_view>

namespace tsy {

// The program's modal message boxes. The Windows shell owns each box by the
// window on top of the owner stack; tests record instead of showing.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // "Warning", exclamation icon, OK.
    virtual void Warning(std::string_view text) = 0;
    // "Confirm", question icon, Yes/No; true only for Yes.
    virtual bool Confirm(std::string_view text) = 0;
    // "Information", exclamation icon, OK, owned by the desktop window.
    virtual void Information(std::string_view text) = 0;
    // The central error box for exceptions that end an action.
    virtual void Error(std::string_view text) = 0;
};

} // namespace tsy
