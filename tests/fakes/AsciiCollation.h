#pragma once

#include "support/Collation.h"

#include <algorithm>

namespace tsy::fakes {

// Case-insensitive ordering of ASCII letters, byte order otherwise: enough for tests whose
// texts are plain ASCII. The case-sensitive order breaks ties by case, lower case first.
class AsciiCollation : public ICollation {
public:
    int CompareIgnoreCase(std::string_view a, std::string_view b) const override {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const int ca = Lower(static_cast<unsigned char>(a[i]));
            const int cb = Lower(static_cast<unsigned char>(b[i]));
            if (ca != cb) {
                return ca < cb ? -1 : 1;
            }
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }

    // Letters first, then case as the tie-breaker, lower case first: a < b < B.
    int Compare(std::string_view a, std::string_view b) const override {
        if (const int letters = CompareIgnoreCase(a, b); letters != 0) {
            return letters;
        }
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i]) {
                return a[i] > b[i] ? -1 : 1;
            }
        }
        return 0;
    }

private:
    static int Lower(int c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }
};

} // namespace tsy::fakes
