#pragma once

#include "browsers/Browser.h"
#include "catalogue/CatalogueStore.h"
#include "settings/Settings.h"
#include "support/KeyValueStore.h"
#include "support/MessageBoxes.h"

#include <optional>
#include <string>

namespace tsy {

// The first-run notice texts. Each advice starts with LF CR LF CR.
inline constexpr const char* kBrowserNotice = "Tessaly is set to use %s.";
inline constexpr const char* kAdviceTabbedBrowser =
    "\n\r\n\rWe recommend to use tabbed browsers with Tessaly, so we advise you to download and install "
    "Internet "
    "Explorer 7 for better experience.";
inline constexpr const char* kAdviceMultipleBrowsers =
    "\n\r\n\rWe found multiple browsers installed on your PC.\n\rTo change the browser used with Tessaly "
    "click on "
    "the Customize button, select the Settings tab and select the browser you prefer.";
inline constexpr const char* kAdviceDetectionProblem =
    "\n\r\n\rIt seems like we had a problem detecting your default browser. Please, check your computer "
    "configuration.";

// Loads and saves the options (and on request the catalogue) between memory and the store.
class TSettingsService {
public:
    TSettingsService(IKeyValueStore& store, ICatalogueStore& catalogue, IBrowserInfo& browsers,
                     IMessageBoxes& boxes, TAppSettings& settings)
        : store_(store), catalogue_(catalogue), browsers_(browsers), boxes_(boxes), settings_(settings) {}

    // The Browser default becomes the system's default browser (the built-in one stays when
    // the system names none). Asking the system loads much of the shell, so the first load
    // asks, and only when it finds no stored choice that it takes.
    void DetectDefaultBrowserAtFirstLoad() noexcept { detectDefaultBrowser_ = true; }

    // An error of the browser advice reaches the caller once the catalogue is loaded anyway.
    void LoadSettings(bool loadCatalogue, bool quiet);
    // Whether the catalogue in memory is the one the files hold; until then it is not saved.
    bool CatalogueRead() const { return catalogue_.IsRead(); }
    // Reads (and repairs) a catalogue that could not be read before. Nothing when it is read
    // now; otherwise the warning that says why.
    std::optional<std::string> ReadCatalogueIfUnread();
    // An unopenable key writes nothing and says nothing; write errors propagate.
    void SaveSettings(bool saveCatalogue);

    // The advice text for the current Browser setting, empty when there is nothing to say.
    std::string BrowserAdvice();

private:
    void ShowBrowserAdvice();

    IKeyValueStore& store_;
    ICatalogueStore& catalogue_;
    IBrowserInfo& browsers_;
    IMessageBoxes& boxes_;
    TAppSettings& settings_;
    bool detectDefaultBrowser_ = false;
};

} // namespace tsy
