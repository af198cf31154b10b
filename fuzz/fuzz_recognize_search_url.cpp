// Page URLs come from the browser and its history file; any byte may turn up in them.
#include "browsers/OpenPages.h"
#include "browsers/SearchUrl.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), size);
    (void)tsy::CrackUrl(original);
    std::string url = original;
    if (!tsy::RecognizeSearchURL(url)) {
        if (url != original)
            std::abort();
        return 0;
    }
    if (url.find("%s") == std::string::npos)
        std::abort();
    // Expansion must give the page back with only the search text swapped.
    const std::string expanded = tsy::ExpandSearchURL(url, "W");
    if (expanded.size() > original.size() + 1)
        std::abort();
    std::size_t head = 0;
    while (head < expanded.size() && head < original.size() && expanded[head] == original[head])
        ++head;
    std::size_t tail = 0;
    while (tail < expanded.size() - head && tail < original.size() - head &&
           expanded[expanded.size() - 1 - tail] == original[original.size() - 1 - tail])
        ++tail;
    if (head + tail + 1 < expanded.size())
        std::abort();
    return 0;
}
