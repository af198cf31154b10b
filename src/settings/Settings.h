#pragma once
#include <cstdint>
#include <string>

#include "browsers/Browser.h"

namespace tsy {

// The program's options as they live in memory, at their first-start defaults.
// The browser default is replaced by the detected default browser at start-up.
struct TAppSettings {
    std::string Search;
    std::string Collection = "Search";
    bool AutoClose = false;
    bool AlwaysOnTop = false;
    bool AutoComplete = true;
    TBrowserKind Browser = bkInternetExplorer;
    std::string BannerID;
    bool NumberOfItems = false;
    bool MinimizeToTray = true;
    bool MinimizeOnClose = true;
    std::int32_t HotkeyMod = 8;  // Win
    std::int32_t HotkeyKey = 81; // Q
    bool UseHotkey = true;
    std::int32_t SliderEdge = 0;
    std::int32_t SliderX = 0;
    std::int32_t SliderY = 200;
};

} // namespace tsy
