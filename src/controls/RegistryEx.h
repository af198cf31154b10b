#pragma once

#include "support/Collation.h"
#include "support/KeyValueStore.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// A list of texts as one multi-string value: each entry followed by a NUL byte, one more NUL
// after the last. Entries that cannot be represented (empty ones, which would end the list
// early, and ones holding a NUL byte) are left out.
std::vector<std::uint8_t> EncodeMultiString(const std::vector<std::string>& list);

// Reads entries up to the first empty one or the end of the data; text after the last NUL is
// ignored. With `skipDuplicates`, an entry equal (ignoring case) to an earlier one is dropped.
std::vector<std::string> DecodeMultiString(std::span<const std::uint8_t> data, bool skipDuplicates,
                                           const ICollation& collation);

// Multi-string values of one open key.
class TRegistryEx {
public:
    TRegistryEx(IKey& key, const ICollation& collation) : key_(key), collation_(collation) {}

    // Leaves `list` as it was when the value is missing or has no data; otherwise replaces it.
    // The value's type is not examined. A key that refuses to give the data raises
    // ERegistryError "Failed to get data for '<name>'".
    void ReadMultiString(std::string_view name, std::vector<std::string>& list, bool skipDuplicates) const;

    // Raises ERegistryError "Failed to set data for '<name>'" when the key refuses.
    void WriteMultiString(std::string_view name, const std::vector<std::string>& list);

private:
    IKey& key_;
    const ICollation& collation_;
};

} // namespace tsy
