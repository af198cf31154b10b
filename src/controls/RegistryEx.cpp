#include "controls/RegistryEx.h"

#include "support/Format.h"
#include "support/Unicode.h"

#include <algorithm>

namespace tsy {

std::vector<std::uint8_t> EncodeMultiString(const std::vector<std::u16string>& list) {
    std::u16string units;
    for (const std::u16string& entry : list) {
        if (entry.empty() || entry.find(u'\0') != std::u16string::npos) {
            continue;
        }
        units += entry;
        units += u'\0';
    }
    units += u'\0';
    return Utf16LEBytes(units);
}

std::vector<std::u16string> DecodeMultiString(std::u16string_view units, bool skipDuplicates,
                                              const IWideCollation& collation, std::size_t most) {
    std::vector<std::u16string> list;
    while (!units.empty() && list.size() < most) {
        const std::size_t nul = units.find(u'\0');
        if (nul == std::u16string_view::npos || nul == 0) {
            break;
        }
        std::u16string entry(units.substr(0, nul));
        units.remove_prefix(nul + 1);
        if (skipDuplicates && std::any_of(list.begin(), list.end(), [&](const std::u16string& present) {
                return collation.EqualIgnoreCase(present, entry);
            })) {
            continue;
        }
        list.push_back(std::move(entry));
    }
    return list;
}

std::vector<std::u16string> DecodeStoredMultiString(const RawValue& value, bool skipDuplicates,
                                                    const IWideCollation& collation,
                                                    const ICodePage& codePage, std::size_t most) {
    const bool text = value.type == ValueType::String || value.type == ValueType::ExpandString ||
                      value.type == ValueType::MultiString;
    const std::u16string units =
        text ? Utf16FromLEBytes(value.data)
             : codePage.ToWide(
                   std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
    return DecodeMultiString(units, skipDuplicates, collation, most);
}

void TRegistryEx::ReadMultiString(std::string_view name, std::vector<std::u16string>& list,
                                  bool skipDuplicates, const ICodePage& codePage, std::size_t most) const {
    std::optional<RawValue> value;
    try {
        value = key_.ReadWide(name);
    } catch (const ERegistryError&) {
        throw ERegistryError(Format("Failed to get data for '%s'", std::string(name).c_str()));
    }
    if (!value || value->data.empty()) {
        return;
    }
    list = DecodeStoredMultiString(*value, skipDuplicates, collation_, codePage, most);
}

void TRegistryEx::WriteMultiString(std::string_view name, const std::vector<std::u16string>& list) {
    RawValue value;
    value.type = ValueType::MultiString;
    value.data = EncodeMultiString(list);
    try {
        key_.WriteWide(name, value);
    } catch (const ERegistryError&) {
        throw ERegistryError(Format("Failed to set data for '%s'", std::string(name).c_str()));
    }
}

} // namespace tsy
