#pragma once

#include "support/CodePage.h"

namespace tsy {

// Windows-1252 as the system maps it: 0x80 to 0x9F hold the typographic characters, and the
// five bytes the code page leaves undefined map to the C1 controls of the same value. Of the other
// code pages it knows only what they all share: ASCII as it is.
class TAnsiCodePage : public ICodePage {
public:
    std::optional<std::string> FromWide(std::u16string_view text) const override;
    std::u16string ToWide(std::string_view bytes) const override;
    std::optional<std::string> FromWideIn(std::uint32_t codePage, std::u16string_view text) const override;
    // As the system's character types have it for Windows-1252.
    bool IsLetterOrDigit(char16_t character) const override;
};

} // namespace tsy
