#include "SettingsCases.h"

#include <limits>
#include <stdexcept>
#include <type_traits>

namespace tsy::fakes {
namespace {

RawValue Text(const std::string& text, ValueType type = ValueType::String) {
    RawValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    return value;
}

RawValue Number(std::uint32_t number) {
    return RawValue{ValueType::Dword,
                    {std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16),
                     std::uint8_t(number >> 24)}};
}

RawValue Raw(std::uint32_t type, std::vector<std::uint8_t> data) {
    return RawValue{ValueType(type), std::move(data)};
}

const TSettingDef& DefOf(const std::string& name) {
    for (const auto& def : SettingsTable())
        if (name == def.Name)
            return def;
    throw std::out_of_range(name);
}

} // namespace

TAppSettings SettingsBeforeCases() {
    TAppSettings s;
    s.Search = u"before";
    s.Collection = "Kept";
    s.AutoClose = true;
    s.AlwaysOnTop = true;
    s.AutoComplete = false;
    s.Browser = bkFirefox;
    s.BannerID = "banner";
    s.NumberOfItems = true;
    s.MinimizeToTray = false;
    s.MinimizeOnClose = false;
    s.HotkeyMod = 3;
    s.HotkeyKey = 0x70;
    s.UseHotkey = false;
    s.SliderEdge = 2;
    s.SliderX = 11;
    s.SliderY = 22;
    return s;
}

std::vector<TSettingCase> HostileSettingCases() {
    constexpr std::uint32_t kQword = 11;
    const std::string huge(kMaxSettingText + 1, 'h');
    std::vector<TSettingCase> cases;
    for (const auto& def : SettingsTable()) {
        const std::string name = def.Name;
        auto add = [&](RawValue stored, std::optional<std::variant<std::string, bool, std::int32_t>> expected,
                       std::string label) {
            cases.push_back({name, std::move(stored), std::move(expected), name + " " + label});
        };
        // Kinds no option is stored as.
        add(Raw(3, {1, 0, 0, 0}), std::nullopt, "binary");
        add(Raw(3, {}), std::nullopt, "empty binary");
        add(Raw(kQword, {1, 0, 0, 0, 0, 0, 0, 0}), std::nullopt, "qword");
        add(Raw(7, {'1', 0, 0}), std::nullopt, "multi-string");
        add(Raw(0, {}), std::nullopt, "none");
        if (std::holds_alternative<const char*>(def.Default)) {
            add(Number(1), std::nullopt, "number");
            add(Raw(4, {}), std::nullopt, "empty number");
            add(Text(""), std::string(), "empty text");
            add(Raw(1, {}), std::string(), "text without its null");
            add(Raw(1, {'a', 'b'}), std::string("ab"), "unterminated text");
            add(Text("%s", ValueType::ExpandString), std::string("%s"), "expandable text");
            add(Text(huge), std::nullopt, "huge text");
            add(Text(std::string(kMaxSettingText, 'x')), std::string(kMaxSettingText, 'x'), "longest text");
            continue;
        }
        add(Text("1"), std::nullopt, "number as text");
        add(Text(""), std::nullopt, "empty text");
        add(Raw(4, {1, 0}), std::nullopt, "short number");
        add(Raw(4, {1, 0, 0, 0, 0}), std::nullopt, "long number");
        if (std::holds_alternative<bool>(def.Default)) {
            add(Number(0), false, "zero");
            add(Number(2), true, "two");
            add(Number(0xFFFFFFFFu), true, "all bits");
            continue;
        }
        // Every numeric option has a range; the extremes of the type lie outside it.
        add(Number(std::uint32_t(def.Min)), def.Min, "lowest");
        add(Number(std::uint32_t(def.Max)), def.Max, "highest");
        auto outside = [&](std::int32_t stored, std::int32_t clampedTo, const char* label) {
            if (def.Clamp)
                add(Number(std::uint32_t(stored)), clampedTo, label);
            else
                add(Number(std::uint32_t(stored)), std::nullopt, label);
        };
        if (def.Max == std::numeric_limits<std::int32_t>::max() ||
            def.Min == std::numeric_limits<std::int32_t>::min())
            throw std::logic_error(name + " has no range");
        outside(def.Max + 1, def.Max, "above");
        outside(std::numeric_limits<std::int32_t>::max(), def.Max, "huge");
        outside(def.Min - 1, def.Min, "below");
        outside(std::numeric_limits<std::int32_t>::min(), def.Min, "most negative");
    }
    return cases;
}

TAppSettings ExpectedAfter(const TSettingCase& c) {
    TAppSettings s = SettingsBeforeCases();
    if (!c.expected)
        return s;
    std::visit(
        [&](auto member) {
            using Field = std::remove_reference_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<Field, std::string>)
                s.*member = std::get<std::string>(*c.expected);
            else if constexpr (std::is_same_v<Field, std::u16string>) {
                // The cases store plain ASCII texts, the same in either width.
                const std::string& text = std::get<std::string>(*c.expected);
                s.*member = std::u16string(text.begin(), text.end());
            } else if constexpr (std::is_same_v<Field, bool>)
                s.*member = std::get<bool>(*c.expected);
            else
                s.*member = Field(std::get<std::int32_t>(*c.expected));
        },
        DefOf(c.name).Member);
    return s;
}

std::string Describe(const TAppSettings& settings) {
    std::string text;
    for (const auto& def : SettingsTable()) {
        text += def.Name;
        text += '=';
        std::visit(
            [&](auto member) {
                const auto& value = settings.*member;
                using Field = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Field, std::string> || std::is_same_v<Field, std::u16string>) {
                    const std::string narrow(value.begin(), value.end());
                    text += narrow.size() > 16
                                ? narrow.substr(0, 16) + "...(" + std::to_string(narrow.size()) + ")"
                                : narrow;
                } else
                    text += std::to_string(int(value));
            },
            def.Member);
        text += ' ';
    }
    return text;
}

} // namespace tsy::fakes
