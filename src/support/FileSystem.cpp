#include "support/FileSystem.h"

#include "support/Text.h"

namespace tsy {

bool IsSaveTemporaryName(std::string_view fileName) {
    constexpr std::string_view extension = ".tmp";
    if (fileName.size() < kSaveTemporaryPrefix.size() + 1 + extension.size() ||
        !EqualIgnoreAsciiCase(fileName.substr(0, kSaveTemporaryPrefix.size()), kSaveTemporaryPrefix) ||
        !EqualIgnoreAsciiCase(fileName.substr(fileName.size() - extension.size()), extension))
        return false;
    const std::string_view digits = fileName.substr(
        kSaveTemporaryPrefix.size(), fileName.size() - kSaveTemporaryPrefix.size() - extension.size());
    if (digits.size() > 4)
        return false;
    for (char c : digits)
        if (AsciiHexValue(c) < 0)
            return false;
    return true;
}

} // namespace tsy
