#pragma once

#include "catalogue/Catalogue.h"

#include <cstdint>
#include <string>

namespace tsy::fakes {

// A catalogue the files can hold without loss: every id 1 or more, every
// site in an existing category or "(general)", every member naming a site,
// and texts that survive the reading rules (no surrounding spaces, no
// wrapping quotes, no line breaks, at most 2047 characters).
struct SampleSizes {
    int sites = 20;
    int collections = 5;
    int categories = 4;
};
void MakeSampleCatalogue(std::uint32_t seed, SampleSizes sizes, TTargets& targets, TCollections& collections,
                         TCategories& categories);

// A printable, awkward text of up to maxLength characters: quotes, "=", "[",
// ";", "~", inner spaces and bytes above 127, but a form that reads back as written.
std::string SampleText(std::uint32_t& state, std::size_t maxLength);

// Everything that load and save must keep, written out for comparison in tests. Charsets and
// keywords are left out: a reader that knows nothing of them describes the catalogue alike.
std::string Describe(const TTargets& targets, const TCollections& collections, const TCategories& categories);

} // namespace tsy::fakes
