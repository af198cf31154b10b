#include "app/win32/AppDialogs.h"

#include "ui/win32/FrmAddSiteWizard.h"

namespace tsy::win32 {

TAppDialogs::TAppDialogs(TSettingsContext context) : context_(std::move(context)) {
    context_.Editor.ListOpenPages = [this] {
        TPageInfos pages;
        ListOpenPages(pages_, TBrowserSet((1 << bkInternetExplorer) | (1 << bkFirefox) | (1 << bkOpera)),
                      pages);
        return pages;
    };
    context_.RunWizard = [this](HWND owner) { return RunAddSiteWizard(context_.Editor, owner); };
    context_.ClearSearchHistory = [this] {
        if (form_)
            form_->ClearSearchHistory();
    };
}

bool TAppDialogs::ShowSettings(HWND owner, bool startOnFirstPage) {
    return ShowSettingsDialog(context_, owner, startOnFirstPage);
}

void TAppDialogs::ShowAbout(HWND) {}

} // namespace tsy::win32
