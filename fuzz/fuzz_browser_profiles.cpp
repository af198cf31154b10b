// Firefox's profile list and the state file of Chrome and Edge are read as they are found.
#include "browsers/BrowserHistory.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kFolder = "C:\\Firefox\\";
    if (const auto folder = tsy::FirefoxProfileFolder(kFolder, text)) {
        if (folder->empty() || folder->size() > kFolder.size() + size)
            std::abort();
    }
    const std::string profile = tsy::ChromiumProfileName(text);
    // A profile name is one folder name, never a way out of the browser's folder.
    if (profile.empty() || profile == ".." || profile.find_first_of("\\/:") != std::string::npos)
        std::abort();
    return 0;
}
