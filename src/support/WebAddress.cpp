#include "support/WebAddress.h"

#include "support/Text.h"

namespace tsy {

namespace {

bool IsSchemeCharacter(char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

bool IsSlash(char c) {
    return c == '/' || c == '\\';
}

} // namespace

std::optional<std::string_view> AddressScheme(std::string_view address) {
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(address[0]))
        return std::nullopt;
    for (std::size_t i = 1; i < colon; ++i) {
        if (!IsSchemeCharacter(address[i]))
            return std::nullopt;
    }
    std::size_t end = colon + 1;
    while (end < address.size() && IsAsciiDigit(address[end]))
        ++end;
    const bool port = end > colon + 1 && (end == address.size() || address[end] == '/' ||
                                          address[end] == '?' || address[end] == '#');
    if (port)
        return std::nullopt;
    return address.substr(0, colon);
}

bool HasWebScheme(std::string_view address) {
    const auto scheme = AddressScheme(address);
    return !scheme || EqualIgnoreAsciiCase(*scheme, "http") || EqualIgnoreAsciiCase(*scheme, "https");
}

bool IsWebPageAddress(std::string_view address) {
    std::size_t start = 0;
    while (start < address.size() && IsBlank(address[start]))
        ++start;
    address.remove_prefix(start);
    // The shell and Internet Explorer take these for a file share.
    if (address.size() >= 2 && IsSlash(address[0]) && IsSlash(address[1]))
        return false;
    return HasWebScheme(address);
}

std::string NotOpenedMessage(const std::vector<std::string>& addresses) {
    std::string text = "These addresses were not opened, since they are not web pages:";
    for (const auto& address : addresses) {
        text += "\n\r";
        text += address;
    }
    return text;
}

} // namespace tsy
