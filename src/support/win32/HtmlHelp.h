#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "support/win32/ComPtr.h"
#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

// The HTML Help viewer, loaded on the first request: the library pulls in much of the
// shell, which would slow every start for a window most runs never open. Without
// the viewer library every request is ignored: help is a convenience, not a reason to fail.
class THtmlHelp {
public:
    // HtmlHelpA's shape.
    using TEntry = std::function<HWND(HWND owner, LPCSTR file, UINT command, DWORD_PTR data)>;

    // The viewer hosts a browser control, so `com` (when given) is entered before it loads.
    explicit THtmlHelp(std::string helpFile, TComOnDemand* com = nullptr);
    // A viewer of the caller's in place of the library's.
    THtmlHelp(std::string helpFile, TEntry entry);

    bool Available() const { return static_cast<bool>(Entry()); }

    // By full path: where the registry has the control registered, else from the system
    // folder; then its entry point.
    void LoadHelpLibrary() const;

    // Topic "%s::/%s.htm" of the help file; false when no viewer is loaded.
    bool ShowTopic(std::string_view keyword) const;
    bool ShowContents() const;
    // A help request: a numeric context opens the contents, anything else names a keyword.
    bool HandleRequest(DWORD_PTR data) const;

private:
    const TEntry& Entry() const;

    std::string helpFile_;
    TComOnDemand* com_ = nullptr;
    mutable bool loaded_ = false;
    mutable UniqueModule library_;
    mutable TEntry entry_;
};

} // namespace tsy::win32
