#include "support/CodePage.h"

#include "support/Unicode.h"

namespace tsy {
namespace {

std::optional<std::u16string> WideOfUtf8(std::string_view text) {
    std::u16string wide = Utf8ToUtf16(text);
    // A malformed sequence comes back as a replacement character, which gives other bytes.
    if (Utf16ToUtf8(wide) != text)
        return std::nullopt;
    return wide;
}

} // namespace

std::string FromWideOrMarks(const ICodePage& codePage, std::u16string_view text) {
    if (std::optional<std::string> bytes = codePage.FromWide(text))
        return *bytes;
    std::string bytes;
    for (char16_t unit : text)
        bytes += codePage.FromWide(std::u16string_view(&unit, 1)).value_or("?");
    return bytes;
}

std::string FromUtf8(const ICodePage& codePage, std::string_view text) {
    const std::optional<std::u16string> wide = WideOfUtf8(text);
    return wide ? FromWideOrMarks(codePage, *wide) : std::string(text);
}

std::optional<std::string> FromUtf8Exactly(const ICodePage& codePage, std::string_view text) {
    const std::optional<std::u16string> wide = WideOfUtf8(text);
    return wide ? codePage.FromWide(*wide) : std::nullopt;
}

} // namespace tsy
