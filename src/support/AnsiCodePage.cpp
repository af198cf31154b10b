#include "support/AnsiCodePage.h"

namespace tsy {

namespace {

// 0x80 to 0x9F; the undefined bytes keep their own value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t WideOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
}

} // namespace

std::optional<std::string> TAnsiCodePage::FromWide(std::u16string_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text) {
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            bytes += static_cast<char>(unit);
            continue;
        }
        bool found = false;
        for (unsigned i = 0; i < 32 && !found; ++i) {
            if (kHighControls[i] == unit) {
                bytes += static_cast<char>(0x80 + i);
                found = true;
            }
        }
        if (!found) {
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<std::string> TAnsiCodePage::FromWideIn(std::uint32_t codePage, std::u16string_view text) const {
    if (codePage == 1252)
        return FromWide(text);
    std::string bytes;
    for (const char16_t unit : text) {
        if (unit >= 0x80)
            return std::nullopt;
        bytes += static_cast<char>(unit);
    }
    return bytes;
}

bool TAnsiCodePage::IsLetterOrDigit(char16_t c) const {
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
        return true;
    // The Latin-1 letters, the ordinal indicators, micro and the superscript digits.
    if (c >= 0xC0 && c <= 0xFF)
        return c != 0xD7 && c != 0xF7;
    switch (c) {
    case 0xAA:
    case 0xB2:
    case 0xB3:
    case 0xB5:
    case 0xB9:
    case 0xBA:
    // The letters among the typographic characters.
    case 0x0160:
    case 0x0161:
    case 0x0152:
    case 0x0153:
    case 0x017D:
    case 0x017E:
    case 0x0178:
    case 0x0192:
    case 0x02C6:
        return true;
    default:
        return false;
    }
}

std::u16string TAnsiCodePage::ToWide(std::string_view bytes) const {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        text += WideOf(static_cast<unsigned char>(c));
    }
    return text;
}

} // namespace tsy
