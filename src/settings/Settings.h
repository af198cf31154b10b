#pragma once
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "browsers/Browser.h"
#include "settings/SettingsStore.h"

namespace tsy {

// The program's options as they live in memory. A new record holds every option at its
// first-start default from the settings table; start-up then replaces the browser with the
// detected default browser.
struct TAppSettings {
    TAppSettings();
    bool operator==(const TAppSettings&) const = default;

    // The last search text, any Unicode text; stored as a wide REG_SZ.
    std::u16string Search;
    std::string Collection;
    bool AutoClose;
    bool AlwaysOnTop;
    bool AutoComplete;
    TBrowserKind Browser;
    std::string BannerID;
    bool NumberOfItems;
    bool MinimizeToTray;
    bool MinimizeOnClose;
    std::int32_t HotkeyMod;
    std::int32_t HotkeyKey;
    bool UseHotkey;
    std::int32_t SliderEdge;
    std::int32_t SliderX;
    std::int32_t SliderY;
};

// One row per option: the table order is the load order, SaveOrder the position
// in the save (which writes "Hotkey.Key" before "Hotkey.Mod"). The field's type is the
// option's type; texts default to a text, Booleans to a Boolean, numbers to a number.
struct TSettingDef {
    using Field =
        std::variant<std::string TAppSettings::*, std::u16string TAppSettings::*, bool TAppSettings::*,
                     std::int32_t TAppSettings::*, TBrowserKind TAppSettings::*>;
    using Value = std::variant<const char*, bool, std::int32_t>;
    const char* Name;
    Field Member;
    Value Default;
    int SaveOrder;
    // A stored number outside [Min, Max] is clamped into it when Clamp is set; otherwise the
    // current value stays, as for a value of another type.
    std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    bool Clamp = false;
};

// Stored texts longer than this are not options anyone typed; the current value stays.
inline constexpr std::size_t kMaxSettingText = 32767;

std::span<const TSettingDef> SettingsTable();
// The table in save order.
std::vector<const TSettingDef*> SettingsSaveOrder();

// Reads every option of the table from the open key, keeping the current value for each
// that is missing, of another type or out of its row's range (or clamping it, as the row says).
void ReadSettings(const TSettings& store, TAppSettings& settings);
// Writes every option in save order.
void WriteSettings(TSettings& store, const TAppSettings& settings);

} // namespace tsy
