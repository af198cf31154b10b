#pragma once

#include <string_view>

namespace tsy {

// Locale-aware comparison of ANSI texts, as the platform orders and matches
// names. The Windows build asks the system; tests and the native build use a
// Windows-1252 stand-in.
class ICollation {
public:
    virtual ~ICollation() = default;
    // <0, 0 or >0, ignoring letter case.
    virtual int CompareIgnoreCase(std::string_view a, std::string_view b) const = 0;
    // <0, 0 or >0 with letter case counted: texts that differ only in case order lower case
    // first, so a < b < B.
    virtual int Compare(std::string_view a, std::string_view b) const = 0;
    bool EqualIgnoreCase(std::string_view a, std::string_view b) const {
        return CompareIgnoreCase(a, b) == 0;
    }
};

// Comparison of Unicode texts, the search history's. Matching is code unit by code unit with
// the system's simple case mapping and no locale equivalences, so texts that look different
// never merge; ordering follows the user's locale.
class IWideCollation {
public:
    virtual ~IWideCollation() = default;
    virtual bool EqualIgnoreCase(std::u16string_view a, std::u16string_view b) const = 0;
    // <0, 0 or >0, ignoring letter case, in the order the system sorts names.
    virtual int CompareIgnoreCase(std::u16string_view a, std::u16string_view b) const = 0;
};

} // namespace tsy
