// Member-list texts: whatever the text, conversion succeeds, and the list it
// gives survives a round through the file form unchanged.
#include "catalogue/Catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tsy::TTargetIDs ids = tsy::TextToIDs(text);
    if (tsy::TextToIDs(tsy::IDsToText(ids)) != ids)
        std::abort();
    // Every entry needs at least one character of its own.
    if (ids.size() > size)
        std::abort();
    return 0;
}
