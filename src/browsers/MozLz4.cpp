#include "browsers/MozLz4.h"

#include <lz4.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tsy {

std::optional<std::string> DecodeMozLz4(std::string_view file) {
    static constexpr std::string_view kMagic("mozLz40\0", 8);
    static constexpr std::size_t kHeader = kMagic.size() + 4;
    if (file.size() < kHeader || !file.starts_with(kMagic))
        return std::nullopt;
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i)
        size = size << 8 | static_cast<unsigned char>(file[kMagic.size() + std::size_t(i)]);
    const std::string_view block = file.substr(kHeader);
    // The size is checked before anything is allocated: a crafted one may ask for gigabytes.
    if (size > std::min(kMaxMozLz4Content, kMaxLz4Ratio * block.size()) || block.size() > INT_MAX)
        return std::nullopt;
    std::string content(size, '\0');
    const int decoded = LZ4_decompress_safe(block.data(), content.data(), int(block.size()), int(size));
    if (decoded < 0 || std::uint32_t(decoded) != size)
        return std::nullopt;
    return content;
}

} // namespace tsy
