// Firefox history files are read as they are found on disk, whatever wrote them.
#include "browsers/OpenPages.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tsy::TPageInfos pages = {{"kept", "kept"}};
    tsy::ParseHistoryDat(bytes, pages);
    if (pages.empty() || pages.front().URL != "kept")
        std::abort();
    for (std::size_t i = 1; i < pages.size(); ++i) {
        // Every piece is a slice of the input, never more.
        if (pages[i].URL.size() > size || pages[i].Title.size() > size)
            std::abort();
        if (pages[i].URL.empty() ? !pages[i].Title.empty() : !pages[i].URL.starts_with("http:"))
            std::abort();
    }
    return 0;
}
