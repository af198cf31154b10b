#include "settings/SettingsService.h"

#include "catalogue/CatalogueFile.h"
#include "support/Format.h"
#include "support/StartupTrace.h"

#include <exception>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace tsy {

namespace {

// True when a load takes the stored "Browser" value: a number in range, or clamped into it.
bool StoredBrowserApplies(const TSettings& store) {
    for (const TSettingDef& def : SettingsTable()) {
        if (std::string_view(def.Name) != "Browser")
            continue;
        const auto number = store.ReadInteger(def.Name);
        return number && (def.Clamp || (*number >= def.Min && *number <= def.Max));
    }
    return false;
}

TBrowserKind DetectDefaultOrKeep(IBrowserInfo& browsers, TBrowserKind fallback) {
    // No program registered for "http": the built-in default stays, and the first-run
    // notice tells the user that the detection had a problem.
    try {
        return browsers.DetectDefaultBrowser();
    } catch (const std::exception&) {
        return fallback;
    }
}

} // namespace

void TSettingsService::LoadSettings(bool loadCatalogue, bool quiet) {
    bool browserMissing = true;
    {
        TSettings store(store_);
        const bool opened = store.OpenForRead(kSettingsRoot, kSettingsPath);
        if (std::exchange(detectDefaultBrowser_, false) && !(opened && StoredBrowserApplies(store)))
            settings_.Browser = DetectDefaultOrKeep(browsers_, settings_.Browser);
        if (opened) {
            browserMissing = !store.ValueExists("Browser");
            ReadSettings(store, settings_);
        }
    }
    MarkStartupStep("settings load");
    // The advice can fail (a browser registered only for its user); the catalogue is loaded all
    // the same, or the first save would write an empty one over it.
    std::exception_ptr adviceError;
    if (browserMissing && !quiet) {
        try {
            ShowBrowserAdvice();
        } catch (...) {
            adviceError = std::current_exception();
        }
    }
    if (loadCatalogue)
        catalogue_.Load();
    catalogue_.CheckIntegrity();
    MarkStartupStep("catalogue load");
    if (adviceError)
        std::rethrow_exception(adviceError);
}

std::optional<std::string> TSettingsService::ReadCatalogueIfUnread() {
    if (catalogue_.IsRead())
        return std::nullopt;
    try {
        catalogue_.Load();
    } catch (const std::exception& error) {
        return CatalogueUnreadWarning(error.what());
    }
    catalogue_.CheckIntegrity();
    return std::nullopt;
}

void TSettingsService::SaveSettings(bool saveCatalogue) {
    {
        TSettings store(store_);
        if (store.OpenForWrite(kSettingsRoot, kSettingsPath))
            WriteSettings(store, settings_);
    }
    if (saveCatalogue)
        catalogue_.Save();
}

std::string TSettingsService::BrowserAdvice() {
    TBrowserSet installed = browsers_.DetectInstalledBrowsers();
    const TBrowserKind browser = settings_.Browser;
    std::string advice;
    if (browser == bkInternetExplorer && MajorVersion(browsers_.GetBrowserVersion(browser)) <= 6)
        advice = kAdviceTabbedBrowser;
    // Whatever opens web links needs no detection: it is there by definition.
    if (InBrowserSet(installed, browser) || browser == bkDefaultBrowser) {
        installed = static_cast<TBrowserSet>(installed & ~(1u << browser));
        if (installed != 0)
            advice += kAdviceMultipleBrowsers;
    } else {
        advice += kAdviceDetectionProblem;
    }
    return advice;
}

void TSettingsService::ShowBrowserAdvice() {
    std::string advice = BrowserAdvice();
    if (advice.empty())
        return;
    boxes_.Information(Format(kBrowserNotice, browsers_.BrowserDisplayName(settings_.Browser).c_str()) +
                       advice);
}

} // namespace tsy
