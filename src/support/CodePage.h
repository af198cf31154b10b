#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tsy {

// The system's ANSI code page, the one the catalogue and the older stored texts use. The
// Windows build asks the system; tests and the native build use a Windows-1252 stand-in.
class ICodePage {
public:
    virtual ~ICodePage() = default;
    // The text's bytes in the code page; nullopt when any character has no exact byte form
    // (no best-fit substitutes).
    virtual std::optional<std::string> FromWide(std::u16string_view text) const = 0;
    virtual std::u16string ToWide(std::string_view bytes) const = 0;
    // The same in the code page of that Windows number, whatever the system's is.
    virtual std::optional<std::string> FromWideIn(std::uint32_t codePage, std::u16string_view text) const = 0;
    // Whether the code page holds the character and the system counts it a letter or a digit.
    virtual bool IsLetterOrDigit(char16_t character) const = 0;
};

// The text in the code page, a character it lacks as "?".
std::string FromWideOrMarks(const ICodePage& codePage, std::u16string_view text);
// UTF-8 text in the code page, a character it lacks as "?"; text that is not valid UTF-8 comes
// back unchanged.
std::string FromUtf8(const ICodePage& codePage, std::string_view text);
// The same only where every character has its own byte form: nullopt where the system would
// put a look-alike in (a fullwidth full stop becomes "."), and for text that is not UTF-8.
std::optional<std::string> FromUtf8Exactly(const ICodePage& codePage, std::string_view text);

} // namespace tsy
