// Firefox's compressed files are unpacked as they are found. An input without the magic gets it
// put in front, so that its first four bytes are the size the file claims.
#include "browsers/MozLz4.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string kMagic("mozLz40\0", 8);
    std::string file(reinterpret_cast<const char*>(data), size);
    if (!file.starts_with(kMagic))
        file.insert(0, kMagic);
    const auto content = tsy::DecodeMozLz4(file);
    if (!content)
        return 0;
    const std::size_t block = file.size() - kMagic.size() - 4;
    // The content never grows past the bounds, whatever size the file claims.
    if (content->size() > std::min(tsy::kMaxMozLz4Content, tsy::kMaxLz4Ratio * block))
        std::abort();
    return 0;
}
