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

std::optional<std::string> TSystemCodePage::FromWide(std::u16string_view text) const {
    if (text.empty())
        return std::string();
    if (text.size() > INT_MAX / 2)
        return std::nullopt;
    const std::wstring wide = WideOf(text);
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                         nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), size, nullptr,
                        &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return bytes;
}

std::u16string TSystemCodePage::ToWide(std::string_view bytes) const {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), size);
    return Utf16Of(wide);
}

} // namespace tsy::win32
