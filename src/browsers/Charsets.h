#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tsy {

// Windows' number for UTF-8.
inline constexpr std::uint32_t kUtf8CodePage = 65001;

// The Windows code page that a site's charset names, letter case ignored: kUtf8CodePage for
// "utf-8", nothing for an empty or unknown name, which reads as no charset at all.
std::optional<std::uint32_t> CodePageOfCharset(std::string_view charset);

// The encodings a site may name besides UTF-8, each once by its first name, in table order.
std::vector<std::string_view> EncodingNames();

} // namespace tsy
