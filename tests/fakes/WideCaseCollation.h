#pragma once

#include "support/Collation.h"

#include <algorithm>

namespace tsy::fakes {

// Case folding of ASCII, Latin-1 and the basic Greek letters, code unit order otherwise:
// enough for tests of the history with a few non-ASCII letters.
class WideCaseCollation : public IWideCollation {
public:
    bool EqualIgnoreCase(std::u16string_view a, std::u16string_view b) const override {
        return CompareIgnoreCase(a, b) == 0;
    }
    int CompareIgnoreCase(std::u16string_view a, std::u16string_view b) const override {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const char16_t ca = Lower(a[i]);
            const char16_t cb = Lower(b[i]);
            if (ca != cb) {
                return ca < cb ? -1 : 1;
            }
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }

private:
    static char16_t Lower(char16_t c) {
        const bool latin = (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        const bool greek = c >= 0x391 && c <= 0x3A9 && c != 0x3A2;
        return latin || greek ? char16_t(c + 32) : c;
    }
};

} // namespace tsy::fakes
