#include "support/AnsiCollation.h"

#include <algorithm>

namespace tsy {

unsigned char FoldAnsiCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 32);
    }
    // A-grave to thorn, leaving out the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<unsigned char>(c + 32);
    }
    switch (c) {
    case 0x8A: // S caron
    case 0x8C: // OE ligature
    case 0x8E: // Z caron
        return static_cast<unsigned char>(c + 16);
    case 0x9F: // Y diaeresis
        return 0xFF;
    default:
        return c;
    }
}

int TAnsiCollation::CompareIgnoreCase(std::string_view a, std::string_view b) const {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = FoldAnsiCase(static_cast<unsigned char>(a[i]));
        const int y = FoldAnsiCase(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

} // namespace tsy
