#pragma once

#include "support/CodePage.h"

namespace tsy::win32 {

// The system's ANSI code page (CP_ACP), and any other the system has. A character without an exact
// byte form does not fit: best-fit substitutes would send a different text than the one typed.
class TSystemCodePage : public ICodePage {
public:
    std::optional<std::string> FromWide(std::u16string_view text) const override;
    std::u16string ToWide(std::string_view bytes) const override;
    std::optional<std::string> FromWideIn(std::uint32_t codePage, std::u16string_view text) const override;
    bool IsLetterOrDigit(char16_t character) const override;
};

// The same texts as the W functions take them; wchar_t is UTF-16 on Windows.
std::wstring WideOf(std::u16string_view text);
std::u16string Utf16Of(std::wstring_view text);

} // namespace tsy::win32
