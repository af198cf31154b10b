#include "controls/RegistryEx.h"

#include "support/Format.h"

#include <algorithm>

namespace tsy {

std::vector<std::uint8_t> EncodeMultiString(const std::vector<std::string>& list) {
    std::vector<std::uint8_t> data;
    for (const std::string& entry : list) {
        if (entry.empty() || entry.find('\0') != std::string::npos) {
            continue;
        }
        data.insert(data.end(), entry.begin(), entry.end());
        data.push_back(0);
    }
    data.push_back(0);
    return data;
}

std::vector<std::string> DecodeMultiString(std::span<const std::uint8_t> data, bool skipDuplicates,
                                           const ICollation& collation) {
    std::vector<std::string> list;
    auto position = data.begin();
    while (position != data.end()) {
        const auto nul = std::find(position, data.end(), std::uint8_t{0});
        if (nul == data.end() || nul == position) {
            break;
        }
        std::string entry(position, nul);
        position = nul + 1;
        if (skipDuplicates && std::any_of(list.begin(), list.end(), [&](const std::string& present) {
                return collation.EqualIgnoreCase(present, entry);
            })) {
            continue;
        }
        list.push_back(std::move(entry));
    }
    return list;
}

void TRegistryEx::ReadMultiString(std::string_view name, std::vector<std::string>& list,
                                  bool skipDuplicates) const {
    std::optional<RawValue> value;
    try {
        value = key_.Read(name);
    } catch (const ERegistryError&) {
        throw ERegistryError(Format("Failed to get data for '%s'", std::string(name).c_str()));
    }
    if (!value || value->data.empty()) {
        return;
    }
    list = DecodeMultiString(value->data, skipDuplicates, collation_);
}

void TRegistryEx::WriteMultiString(std::string_view name, const std::vector<std::string>& list) {
    RawValue value;
    value.type = ValueType::MultiString;
    value.data = EncodeMultiString(list);
    try {
        key_.Write(name, value);
    } catch (const ERegistryError&) {
        throw ERegistryError(Format("Failed to set data for '%s'", std::string(name).c_str()));
    }
}

} // namespace tsy
