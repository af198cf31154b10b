#include "settings/SettingsService.h"

#include "support/Format.h"

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
    if (browserMissing && !quiet)
        ShowBrowserAdvice();
    if (loadCatalogue)
        catalogue_.Load();
    catalogue_.CheckIntegrity();
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
