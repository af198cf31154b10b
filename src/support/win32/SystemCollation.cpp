#include "support/win32/SystemCollation.h"

#include <windows.h>

#include <climits>

namespace tsy::win32 {

namespace {

// CompareStringA wants a pointer even for an empty text, and an int length.
const char* TextOf(std::string_view text) {
    return text.empty() ? "" : text.data();
}

int LengthOf(std::string_view text) {
    return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

const wchar_t* WideTextOf(std::u16string_view text) {
    return text.empty() ? L"" : reinterpret_cast<const wchar_t*>(text.data());
}

int WideLengthOf(std::u16string_view text) {
    return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

int CompareWithFlags(DWORD flags, std::string_view a, std::string_view b) {
    const int result =
        CompareStringA(LOCALE_USER_DEFAULT, flags, TextOf(a), LengthOf(a), TextOf(b), LengthOf(b));
    if (result == 0) {
        // The call fails only for bad arguments; fall back to the bytes rather than call the texts equal.
        const int bytes = a.compare(b);
        return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
    }
    return result - CSTR_EQUAL;
}

} // namespace

int TSystemCollation::CompareIgnoreCase(std::string_view a, std::string_view b) const {
    return CompareWithFlags(NORM_IGNORECASE, a, b);
}

int TSystemCollation::Compare(std::string_view a, std::string_view b) const {
    return CompareWithFlags(0, a, b);
}

bool TSystemWideCollation::EqualIgnoreCase(std::u16string_view a, std::u16string_view b) const {
    return CompareStringOrdinal(WideTextOf(a), WideLengthOf(a), WideTextOf(b), WideLengthOf(b), TRUE) ==
           CSTR_EQUAL;
}

int TSystemWideCollation::CompareIgnoreCase(std::u16string_view a, std::u16string_view b) const {
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, WideTextOf(a), WideLengthOf(a),
                                      WideTextOf(b), WideLengthOf(b));
    if (result != 0 && result != CSTR_EQUAL)
        return result - CSTR_EQUAL;
    // Texts the locale weighs alike still sort the same way every time.
    const int units = a.compare(b);
    return units < 0 ? -1 : (units > 0 ? 1 : 0);
}

} // namespace tsy::win32
