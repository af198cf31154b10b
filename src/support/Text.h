#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tsy {

// Byte texts the program makes itself or reads from its files and command line. Only the ASCII
// letters are folded, the same in every code page; the system's collation decides the rest.

// Space and every control character.
constexpr bool IsBlank(char c) noexcept {
    return static_cast<unsigned char>(c) <= 32;
}

// Without the leading and trailing blanks; inner ones stay. A file format may have its own blanks.
constexpr std::string_view TrimText(std::string_view text, bool (*isBlank)(char) = IsBlank) noexcept {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The same for UTF-16 text such as the search box's.
constexpr std::u16string_view TrimText(std::u16string_view text) noexcept {
    while (!text.empty() && text.front() <= 32)
        text.remove_prefix(1);
    while (!text.empty() && text.back() <= 32)
        text.remove_suffix(1);
    return text;
}

constexpr bool IsAsciiLetter(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsAsciiDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

constexpr char AsciiLower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLowerCase(std::string_view text);

// The value of a hexadecimal digit in either case; -1 for any other character.
constexpr int AsciiHexValue(char c) noexcept {
    if (IsAsciiDigit(c))
        return c - '0';
    c = AsciiLower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

constexpr bool EqualIgnoreAsciiCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

constexpr bool StartsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix) noexcept {
    return text.size() >= prefix.size() && EqualIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view pattern);

// Every occurrence of `pattern` replaced, left to right; the text put in is not searched again,
// so "%%%" becomes "%%" when "%%" is replaced by "%".
std::string ReplaceIgnoreAsciiCase(std::string_view text, std::string_view pattern,
                                   std::string_view replacement);

// A full path on a drive: a letter, a colon and a backslash. Relative, drive-relative, network
// and device paths (\\server\share, \\?\, \\.\) are not.
constexpr bool IsDrivePath(std::string_view path) noexcept {
    return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

} // namespace tsy
