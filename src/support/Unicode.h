#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// UTF-16 to UTF-8; a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; a byte that begins no well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// The registry's wide form: UTF-16 code units, little-endian. An odd last byte is dropped.
std::vector<std::uint8_t> Utf16LEBytes(std::u16string_view text);
std::u16string Utf16FromLEBytes(std::span<const std::uint8_t> data);

} // namespace tsy
