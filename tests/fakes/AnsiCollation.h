#pragma once

#include "support/Collation.h"

namespace tsy {

// Windows-1252 stand-in for the system's comparison in the user's locale with letter case
// ignored (CompareStringA, NORM_IGNORECASE): letters of either case and their accented forms
// sort together, the ligatures ae, oe, sharp s and thorn equal their two letters, accents decide
// only between otherwise equal texts, and apostrophe, hyphen, dashes and control characters
// weigh least of all. The soft hyphen is ignored. The case-sensitive comparison (CompareStringA
// with no flags) adds letter case as a level between the accents and the hyphens.
class TAnsiCollation : public ICollation {
public:
    int CompareIgnoreCase(std::string_view a, std::string_view b) const override;
    int Compare(std::string_view a, std::string_view b) const override;
};

// The Windows-1252 lower-case partner of c, or c itself.
unsigned char FoldAnsiCase(unsigned char c);

} // namespace tsy
