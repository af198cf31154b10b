#include "support/VersionInfo.h"

#include "support/Format.h"

namespace tsy {

std::string& VersionString(TVersionInfo& info, std::size_t index) {
    switch (index) {
    case 0:
        return info.Comments;
    case 1:
        return info.InternalName;
    case 2:
        return info.ProductName;
    case 3:
        return info.CompanyName;
    default:
        return info.LegalCopyright;
    }
}

TVersionRecord SplitVersionFields(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
    return {std::int32_t(mostSignificant >> 16), std::int32_t(mostSignificant & 0xFFFF),
            std::int32_t(leastSignificant >> 16), std::int32_t(leastSignificant & 0xFFFF)};
}

std::string VersionStringPath(std::uint16_t language, std::uint16_t codePage, std::string_view name) {
    return Format("\\StringFileInfo\\%.4x%.4x\\", unsigned(language), unsigned(codePage)) + std::string(name);
}

} // namespace tsy
