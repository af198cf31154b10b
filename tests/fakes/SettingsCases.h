#pragma once

#include "settings/Settings.h"
#include "support/KeyValueStore.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tsy::fakes {

// One stored value that a load must survive, and what the option reads as afterwards.
struct TSettingCase {
    std::string name;
    RawValue stored;
    // nullopt: the current value stays.
    std::optional<std::variant<std::string, bool, std::int32_t>> expected;
    std::string label;
};

// Current options that differ from every default, so that a value taken by mistake shows.
TAppSettings SettingsBeforeCases();
// Wrong types, empty, huge, negative and out-of-range values for every option of the table.
std::vector<TSettingCase> HostileSettingCases();
// The options a load of `c` over SettingsBeforeCases() must give.
TAppSettings ExpectedAfter(const TSettingCase& c);
// Every field, for messages and comparisons.
std::string Describe(const TAppSettings& settings);

} // namespace tsy::fakes
