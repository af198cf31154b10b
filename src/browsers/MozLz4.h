#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tsy {

// The largest content a compressed file of Firefox's is unpacked to.
inline constexpr std::size_t kMaxMozLz4Content = 16u << 20;
// An LZ4 block cannot grow any byte to more than this many.
inline constexpr std::size_t kMaxLz4Ratio = 255;

// The content of a Firefox "mozLz4" file: the magic "mozLz40\0", the content's size as a
// little-endian 32-bit number, one LZ4 block. nullopt for another file, a damaged block, or a
// size that the block could not give or that is more than kMaxMozLz4Content.
std::optional<std::string> DecodeMozLz4(std::string_view file);

} // namespace tsy
