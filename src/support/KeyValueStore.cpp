#include "support/KeyValueStore.h"

#include "support/Unicode.h"

#include <cstring>

namespace tsy {

std::optional<std::string> ReadString(const IKey& key, std::string_view name) {
    auto value = key.ReadTyped(name, ValueType::String);
    if (!value || (value->type != ValueType::String && value->type != ValueType::ExpandString))
        return std::nullopt;
    const auto& d = value->data;
    std::size_t length = 0;
    while (length < d.size() && d[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(d.data()), length);
}

std::optional<std::uint32_t> ReadDword(const IKey& key, std::string_view name) {
    auto value = key.ReadTyped(name, ValueType::Dword);
    if (!value || value->type != ValueType::Dword || value->data.size() != 4)
        return std::nullopt;
    const auto& d = value->data;
    return std::uint32_t(d[0]) | std::uint32_t(d[1]) << 8 | std::uint32_t(d[2]) << 16 |
           std::uint32_t(d[3]) << 24;
}

void WriteString(IKey& key, std::string_view name, std::string_view text) {
    RawValue value{ValueType::String, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    key.Write(name, value);
}

void WriteDword(IKey& key, std::string_view name, std::uint32_t number) {
    RawValue value{ValueType::Dword,
                   {std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16),
                    std::uint8_t(number >> 24)}};
    key.Write(name, value);
}

std::optional<std::u16string> ReadWideString(const IKey& key, std::string_view name) {
    auto value = key.ReadWide(name);
    if (!value || (value->type != ValueType::String && value->type != ValueType::ExpandString))
        return std::nullopt;
    std::u16string text = Utf16FromLEBytes(value->data);
    const std::size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos)
        text.resize(nul);
    return text;
}

void WriteWideString(IKey& key, std::string_view name, std::u16string_view text) {
    RawValue value{ValueType::String, Utf16LEBytes(text)};
    value.data.push_back(0);
    value.data.push_back(0);
    key.WriteWide(name, value);
}

} // namespace tsy
