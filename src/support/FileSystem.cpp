#include "support/FileSystem.h"

namespace tsy {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsHexDigit(char c) {
    c = Lower(c);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool EqualIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

} // namespace

bool IsSaveTemporaryName(std::string_view fileName) {
    constexpr std::string_view extension = ".tmp";
    if (fileName.size() < kSaveTemporaryPrefix.size() + 1 + extension.size() ||
        !EqualIgnoreCase(fileName.substr(0, kSaveTemporaryPrefix.size()), kSaveTemporaryPrefix) ||
        !EqualIgnoreCase(fileName.substr(fileName.size() - extension.size()), extension))
        return false;
    const std::string_view digits = fileName.substr(
        kSaveTemporaryPrefix.size(), fileName.size() - kSaveTemporaryPrefix.size() - extension.size());
    if (digits.size() > 4)
        return false;
    for (char c : digits)
        if (!IsHexDigit(c))
            return false;
    return true;
}

} // namespace tsy
