#pragma once

#include "support/Collation.h"

namespace tsy::win32 {

// Names compared as the system orders them: CompareStringA in the user's default locale,
// letter case ignored or, for Compare, counted (no flags).
class TSystemCollation : public ICollation {
public:
    int CompareIgnoreCase(std::string_view a, std::string_view b) const override;
    int Compare(std::string_view a, std::string_view b) const override;
};

// The search history's comparison: matching with CompareStringOrdinal ignoring case (the
// system's simple case mapping, no locale equivalences, so "strasse" and its sharp-s spelling stay apart),
// ordering with CompareStringW in the user's default locale, NORM_IGNORECASE.
class TSystemWideCollation : public IWideCollation {
public:
    bool EqualIgnoreCase(std::u16string_view a, std::u16string_view b) const override;
    int CompareIgnoreCase(std::u16string_view a, std::u16string_view b) const override;
};

} // namespace tsy::win32
