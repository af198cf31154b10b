#pragma once

#include <cstddef>
#include <string_view>

namespace tsy {

// Case folding of the ASCII letters only, the same in every code page: for names the program
// makes itself and for file keys, where the system's collation must not decide.
constexpr char AsciiLower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualIgnoreAsciiCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

} // namespace tsy
