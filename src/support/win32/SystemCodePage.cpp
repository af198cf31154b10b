#include "support/win32/SystemCodePage.h"

#include <windows.h>

#include <climits>

namespace tsy::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

std::wstring WideOf(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string Utf16Of(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

namespace {

// Code pages that refuse every flag, WC_NO_BEST_FIT_CHARS included, and the used-default report.
bool TakesNoFlags(UINT codePage) {
    return codePage == 42 || codePage == 52936 || codePage == 54936 || codePage == CP_UTF7 ||
           codePage == CP_UTF8 || (codePage >= 50220 && codePage <= 50229) ||
           (codePage >= 57002 && codePage <= 57011);
}

std::u16string Decode(UINT codePage, std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), size);
    return Utf16Of(wide);
}

std::optional<std::string> Encode(UINT codePage, std::u16string_view text) {
    if (text.empty())
        return std::string();
    if (text.size() > INT_MAX / 4)
        return std::nullopt;
    const std::wstring wide = WideOf(text);
    const int length = static_cast<int>(wide.size());
    const bool plain = TakesNoFlags(codePage);
    const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const reportDefault = plain ? nullptr : &usedDefault;
    const int size =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, reportDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), size, nullptr,
                            reportDefault) != size ||
        usedDefault)
        return std::nullopt;
    // Without the report, only the way back tells whether every character had its own bytes.
    if (plain && Decode(codePage, bytes) != text)
        return std::nullopt;
    return bytes;
}

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

// A system without GB18030 (Wine has none) still has GBK, its two-byte part: a text that GBK holds
// has the same bytes in both, except the euro sign (one byte in GBK only) and the private-use
// characters, which the two do not all map alike.
std::optional<std::string> EncodeGb18030(std::u16string_view text) {
    if (IsValidCodePage(kGb18030))
        return Encode(kGb18030, text);
    for (const char16_t unit : text) {
        if (unit == 0x20AC || (unit >= 0xE000 && unit <= 0xF8FF))
            return std::nullopt;
    }
    return Encode(kGbk, text);
}

} // namespace

std::optional<std::string> TSystemCodePage::FromWide(std::u16string_view text) const {
    return Encode(CP_ACP, text);
}

std::u16string TSystemCodePage::ToWide(std::string_view bytes) const {
    return Decode(CP_ACP, bytes);
}

std::optional<std::string> TSystemCodePage::FromWideIn(std::uint32_t codePage,
                                                       std::u16string_view text) const {
    return codePage == kGb18030 ? EncodeGb18030(text) : Encode(codePage, text);
}

bool TSystemCodePage::IsLetterOrDigit(char16_t character) const {
    const wchar_t wide = static_cast<wchar_t>(character);
    WORD type = 0;
    if (!GetStringTypeW(CT_CTYPE1, &wide, 1, &type) || (type & (C1_ALPHA | C1_DIGIT)) == 0)
        return false;
    return FromWide(std::u16string_view(&character, 1)).has_value();
}

} // namespace tsy::win32
