#pragma once

#include "support/CodePage.h"
#include "support/Collation.h"
#include "support/KeyValueStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// A list of texts as one wide multi-string value, in UTF-16 little-endian: each entry followed
// by a NUL unit, one more NUL after the last. Entries that cannot be represented (empty ones,
// which would end the list early, and ones holding a NUL) are left out.
std::vector<std::uint8_t> EncodeMultiString(const std::vector<std::u16string>& list);

// Reads entries up to the first empty one or the end of the units; text after the last NUL is
// ignored. With `skipDuplicates`, an entry equal (ignoring case) to an earlier one is dropped.
// Reading stops once `most` entries are kept.
std::vector<std::u16string> DecodeMultiString(std::u16string_view units, bool skipDuplicates,
                                              const IWideCollation& collation, std::size_t most = SIZE_MAX);

// A value as the wide registry call gives it: a text type holds UTF-16, where the registry has
// already widened what older versions wrote through the code page; any other type holds the
// code-page bytes as they were written.
std::vector<std::u16string> DecodeStoredMultiString(const RawValue& value, bool skipDuplicates,
                                                    const IWideCollation& collation,
                                                    const ICodePage& codePage, std::size_t most = SIZE_MAX);

// Multi-string values of one open key, through the registry's wide calls.
class TRegistryEx {
public:
    TRegistryEx(IKey& key, const IWideCollation& collation) : key_(key), collation_(collation) {}

    // Leaves `list` as it was when the value is missing or has no data; otherwise replaces it.
    // A key that refuses to give the data raises ERegistryError "Failed to get data for '<name>'".
    void ReadMultiString(std::string_view name, std::vector<std::u16string>& list, bool skipDuplicates,
                         const ICodePage& codePage, std::size_t most = SIZE_MAX) const;

    // Raises ERegistryError "Failed to set data for '<name>'" when the key refuses.
    void WriteMultiString(std::string_view name, const std::vector<std::u16string>& list);

private:
    IKey& key_;
    const IWideCollation& collation_;
};

} // namespace tsy
