#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win32/Dialog.h"

namespace tsy::fakes {

// Assembles the dialogs' environment from the services a test owns. The instance is the test
// program's, which carries the dialog templates; a service the test leaves out stays missing,
// as the dialogs allow.
class TDialogContextBuilder {
public:
    TDialogContextBuilder() { environment_.Instance = GetModuleHandleA(nullptr); }

    TDialogContextBuilder& Owners(TOwnerStack& owners) {
        environment_.Owners = &owners;
        return *this;
    }
    TDialogContextBuilder& Layouts(ILayoutStore& layouts) {
        environment_.Layouts = &layouts;
        return *this;
    }
    TDialogContextBuilder& Boxes(IMessageBoxes& boxes) {
        environment_.Boxes = &boxes;
        return *this;
    }
    // Help requests are kept by keyword.
    TDialogContextBuilder& Help(std::vector<std::string>& keywords) {
        environment_.ShowHelp = [&keywords](HWND, const std::string& keyword) {
            keywords.push_back(keyword);
        };
        return *this;
    }
    win32::TDialogEnvironment BuildEnvironment() const { return environment_; }

private:
    win32::TDialogEnvironment environment_;
};

} // namespace tsy::fakes
