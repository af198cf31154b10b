#pragma once

#include "support/Collation.h"

namespace tsy {

// Windows-1252 stand-in for the system's case-insensitive comparison in the user's locale:
// folds ASCII and Latin-1 letters to one case and compares the folded bytes.
class TAnsiCollation : public ICollation {
public:
    int CompareIgnoreCase(std::string_view a, std::string_view b) const override;
};

// The Windows-1252 lower-case partner of c, or c itself.
unsigned char FoldAnsiCase(unsigned char c);

} // namespace tsy
