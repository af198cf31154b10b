#pragma once

#include <windows.h>

#include "app/win32/FrmMain.h"
#include "browsers/win32/OpenPagesPlatform.h"
#include "ui/win32/FrmSettings.h"

namespace tsy::win32 {

// The dialogs the main window opens, made with the application's objects.
class TAppDialogs : public IMainFormDialogs {
public:
    explicit TAppDialogs(TSettingsContext context);

    // The window whose search history the settings dialog may clear.
    void SetMainForm(TMainForm* form) noexcept { form_ = form; }

    bool ShowSettings(HWND owner, bool startOnFirstPage) override;
    void ShowAbout(HWND owner) override;

private:
    TSettingsContext context_;
    OpenPagesPlatform pages_;
    TMainForm* form_ = nullptr;
};

} // namespace tsy::win32
