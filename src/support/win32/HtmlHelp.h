#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

// The HTML Help viewer, loaded on the first request: the library pulls in much of the
// shell, which would slow every start for a window most runs never open. Without
// the viewer library every request is ignored: help is a convenience, not a reason to fail.
class THtmlHelp {
public:
    explicit THtmlHelp(std::string helpFile);

    bool Available() const { return Entry() != nullptr; }
    const std::string& HelpFile() const noexcept { return helpFile_; }

    // Topic "%s::/%s.htm" of the help file; false when no viewer is loaded.
    bool ShowTopic(std::string_view keyword) const;
    bool ShowContents() const;

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

    HtmlHelpFunction Entry() const;

    std::string helpFile_;
    mutable bool loaded_ = false;
    mutable UniqueModule library_;
    mutable HtmlHelpFunction entry_ = nullptr;
};

} // namespace tsy::win32
