// The JSON files of the browsers are read as they are found: Firefox's list of search engines
// and the state file of Chrome and Edge.
#include "browsers/BrowserHistory.h"
#include "browsers/EngineReading.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tsy::TSkippedEngines skipped;
    for (const auto& engine : tsy::FirefoxAddedEngines(text, "en-US", skipped)) {
        // Every engine taken is a web address the catalogue can expand, with its charset.
        if (!tsy::IsWebPage(engine.SearchURL) || engine.SearchURL.find("%s") == std::string::npos ||
            engine.Charset.empty() || engine.Browser != tsy::bkFirefox)
            std::abort();
    }
    const std::string profile = tsy::ChromiumProfileName(text);
    if (profile.empty() || profile == ".." || profile.find_first_of("\\/:") != std::string::npos)
        std::abort();
    return 0;
}
