#include "support/win32/HtmlHelp.h"

#include <utility>

#include "support/HelpTopic.h"

namespace tsy::win32 {

namespace {
constexpr UINT kDisplayTopic = 0;
constexpr UINT kDisplayToc = 1;
} // namespace

THtmlHelp::THtmlHelp(std::string helpFile) : helpFile_(std::move(helpFile)) {}

THtmlHelp::HtmlHelpFunction THtmlHelp::Entry() const {
    // One attempt only: a missing viewer stays missing for the rest of the run.
    if (!loaded_) {
        loaded_ = true;
        library_.Reset(LoadLibraryA("hhctrl.ocx"));
        if (library_)
            entry_ = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpA")));
    }
    return entry_;
}

bool THtmlHelp::ShowTopic(std::string_view keyword) const {
    const HtmlHelpFunction entry = Entry();
    if (!entry)
        return false;
    const std::string address = HelpTopicAddress(helpFile_, keyword);
    entry(nullptr, address.c_str(), kDisplayTopic, 0);
    return true;
}

bool THtmlHelp::ShowContents() const {
    const HtmlHelpFunction entry = Entry();
    if (!entry)
        return false;
    entry(nullptr, helpFile_.c_str(), kDisplayToc, 0);
    return true;
}

} // namespace tsy::win32
