#pragma once
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "browsers/Browser.h"
#include "support/KeyValueStore.h"

namespace tsy {

// Where the options live: HKEY_CURRENT_USER, absolute from the root.
inline constexpr RootKey kSettingsRoot = RootKey::CurrentUser;
inline constexpr std::string_view kSettingsPath = "\\SOFTWARE\\Orvelle\\Tessaly";

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

// A registry store with one open key at a time and typed reads that fall back to
// a default instead of failing. Writes raise ERegistryError as the store does.
class TSettings {
public:
    explicit TSettings(IKeyValueStore& store) : store_(store) {}
    TSettings(const TSettings&) = delete;
    TSettings& operator=(const TSettings&) = delete;
    virtual ~TSettings() = default;

    // Each closes the open key first; false when the key cannot be opened
    // (OpenForRead never creates, OpenForWrite creates missing parents).
    bool OpenForRead(RootKey root, std::string_view path);
    bool OpenForWrite(RootKey root, std::string_view path);
    // Opens a key below the open one in its place; false (and nothing open) on failure.
    bool OpenSubKey(std::string_view relativePath, bool create);
    void CloseKey();
    bool IsOpen() const { return key_ != nullptr; }
    const std::string& CurrentPath() const { return path_; }

    bool ValueExists(std::string_view name) const;
    bool ReadBoolDef(std::string_view name, bool fallback) const;
    std::int32_t ReadIntegerDef(std::string_view name, std::int32_t fallback) const;
    std::string ReadStringDef(std::string_view name, std::string_view fallback) const;
    std::u16string ReadWideStringDef(std::string_view name, std::u16string_view fallback) const;
    // nullopt unless the value exists and is a number.
    std::optional<std::int32_t> ReadInteger(std::string_view name) const;
    // nullopt unless the value exists and is REG_BINARY.
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view name) const;

    // Writing without an open key raises ERegistryError.
    void WriteBool(std::string_view name, bool value);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteString(std::string_view name, std::string_view value);
    void WriteWideString(std::string_view name, std::u16string_view value);
    void WriteBinary(std::string_view name, std::span<const std::uint8_t> data);
    bool DeleteValue(std::string_view name);

private:
    bool Open(RootKey root, std::string_view path, bool create);
    IKey& Key();

    IKeyValueStore& store_;
    std::unique_ptr<IKey> key_;
    RootKey root_ = kSettingsRoot;
    std::string path_;
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
