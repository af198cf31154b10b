#include "settings/Settings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tsy {

namespace {

using S = TAppSettings;

// The browser's default stands in until start-up detects the system's default browser.
constexpr std::array<TSettingDef, 16> kTable{{
    {"Search", &S::Search, "", 0},
    {"Collection", &S::Collection, "Search", 1},
    {"AutoClose", &S::AutoClose, false, 2},
    {"AlwaysOnTop", &S::AlwaysOnTop, false, 3},
    {"AutoComplete", &S::AutoComplete, true, 4},
    {"Browser", &S::Browser, std::int32_t{bkInternetExplorer}, 5, 0, 255},
    {"BannerID", &S::BannerID, "", 6},
    {"NumberOfItems", &S::NumberOfItems, false, 7},
    {"MinimizeToTray", &S::MinimizeToTray, true, 8},
    {"MinimizeOnClose", &S::MinimizeOnClose, true, 9},
    // Alt, Ctrl, Shift and Win only: other bits change what the registration means.
    {"Hotkey.Mod", &S::HotkeyMod, 8, 11, 0, 15},   // Win
    {"Hotkey.Key", &S::HotkeyKey, 81, 10, 0, 255}, // Q
    {"UseHotkey", &S::UseHotkey, true, 12},
    {"Slider.Edge", &S::SliderEdge, 0, 13, 0, 3},
    // Window coordinates beyond these overflow the platform's 16-bit message fields.
    {"Slider.X", &S::SliderX, 0, 14, -32768, 32767, true},
    {"Slider.Y", &S::SliderY, 200, 15, -32768, 32767, true},
}};

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

} // namespace

TAppSettings::TAppSettings() {
    // A default of the wrong kind for its field raises here, so the table cannot drift unnoticed.
    for (const auto& def : kTable) {
        std::visit(Overloaded{
                       [&](std::string S::*m) { this->*m = std::get<const char*>(def.Default); },
                       [&](std::u16string S::*m) {
                           const std::string_view text = std::get<const char*>(def.Default);
                           this->*m = std::u16string(text.begin(), text.end());
                       },
                       [&](bool S::*m) { this->*m = std::get<bool>(def.Default); },
                       [&](std::int32_t S::*m) { this->*m = std::get<std::int32_t>(def.Default); },
                       [&](TBrowserKind S::*m) {
                           this->*m = static_cast<TBrowserKind>(std::get<std::int32_t>(def.Default));
                       },
                   },
                   def.Member);
    }
}

std::span<const TSettingDef> SettingsTable() {
    return kTable;
}

std::vector<const TSettingDef*> SettingsSaveOrder() {
    std::vector<const TSettingDef*> order;
    for (const auto& def : kTable)
        order.push_back(&def);
    std::stable_sort(order.begin(), order.end(),
                     [](const TSettingDef* a, const TSettingDef* b) { return a->SaveOrder < b->SaveOrder; });
    return order;
}

namespace {

std::int32_t ReadNumberInRange(const TSettings& store, const TSettingDef& def, std::int32_t current) {
    auto number = store.ReadInteger(def.Name);
    if (!number)
        return current;
    if (*number >= def.Min && *number <= def.Max)
        return *number;
    return def.Clamp ? std::clamp(*number, def.Min, def.Max) : current;
}

} // namespace

void ReadSettings(const TSettings& store, TAppSettings& settings) {
    for (const auto& def : kTable) {
        std::visit(Overloaded{
                       [&](std::string S::*m) {
                           std::string text = store.ReadStringDef(def.Name, settings.*m);
                           if (text.size() <= kMaxSettingText)
                               settings.*m = std::move(text);
                       },
                       [&](std::u16string S::*m) {
                           std::u16string text = store.ReadWideStringDef(def.Name, settings.*m);
                           if (text.size() <= kMaxSettingText)
                               settings.*m = std::move(text);
                       },
                       [&](bool S::*m) { settings.*m = store.ReadBoolDef(def.Name, settings.*m); },
                       [&](std::int32_t S::*m) { settings.*m = ReadNumberInRange(store, def, settings.*m); },
                       [&](TBrowserKind S::*m) {
                           settings.*m =
                               static_cast<TBrowserKind>(ReadNumberInRange(store, def, settings.*m));
                       },
                   },
                   def.Member);
    }
}

void WriteSettings(TSettings& store, const TAppSettings& settings) {
    for (const TSettingDef* def : SettingsSaveOrder()) {
        std::visit(Overloaded{
                       [&](std::string S::*m) { store.WriteString(def->Name, settings.*m); },
                       [&](std::u16string S::*m) { store.WriteWideString(def->Name, settings.*m); },
                       [&](bool S::*m) { store.WriteBool(def->Name, settings.*m); },
                       [&](std::int32_t S::*m) { store.WriteInteger(def->Name, settings.*m); },
                       [&](TBrowserKind S::*m) { store.WriteInteger(def->Name, settings.*m); },
                   },
                   def->Member);
    }
}

} // namespace tsy
