#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tsy {

// Major, minor, release and build, as the version resource and the update server give them.
struct TVersionRecord {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
    std::int32_t Build = 0;

    friend bool operator==(const TVersionRecord&, const TVersionRecord&) = default;
};

// The program's own version resource; zeros and empty texts when it has none.
struct TVersionInfo {
    TVersionRecord File;
    TVersionRecord Product;
    std::string Comments;
    std::string InternalName;
    std::string ProductName;
    std::string CompanyName;
    std::string LegalCopyright;
};

// The string items read from the resource, in the order they are asked for.
inline constexpr std::array<std::string_view, 5> kVersionStringNames = {
    "Comments", "InternalName", "ProductName", "CompanyName", "LegalCopyright"};

std::string& VersionString(TVersionInfo& info, std::size_t index);

// The fixed part's two 32-bit halves: high 16 bits first in each.
TVersionRecord SplitVersionFields(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// "\StringFileInfo\%.4x%.4x\%s" for the first translation entry.
std::string VersionStringPath(std::uint16_t language, std::uint16_t codePage, std::string_view name);

} // namespace tsy
