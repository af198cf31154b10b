#include "support/win32/HtmlHelp.h"

#include <utility>

#include "support/HelpTopic.h"

namespace tsy::win32 {

namespace {
constexpr UINT kDisplayTopic = 0;
constexpr UINT kDisplayToc = 1;
} // namespace

THtmlHelp::THtmlHelp(std::string helpFile) : helpFile_(std::move(helpFile)) {
    library_.Reset(LoadLibraryA("hhctrl.ocx"));
    if (library_)
        entry_ = reinterpret_cast<HtmlHelpFunction>(
            reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpA")));
}

bool THtmlHelp::ShowTopic(std::string_view keyword) const {
    if (!entry_)
        return false;
    const std::string address = HelpTopicAddress(helpFile_, keyword);
    entry_(nullptr, address.c_str(), kDisplayTopic, 0);
    return true;
}

bool THtmlHelp::ShowContents() const {
    if (!entry_)
        return false;
    entry_(nullptr, helpFile_.c_str(), kDisplayToc, 0);
    return true;
}

} // namespace tsy::win32
