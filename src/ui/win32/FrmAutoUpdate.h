#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/win32/Dialog.h"
#include "support/win32/UniqueHandle.h"

namespace tsy {
class TKVUpdateServices;
}

namespace tsy::win32 {

inline constexpr const char* kShowDetailsCaption = "Show Update Details >>";
inline constexpr const char* kHideDetailsCaption = "<< Hide Update Details";

// TAutoUpdateForm: the newer version, the download, the maker's page, and the description
// behind the details toggle, whose state is remembered with the layout.
class TAutoUpdateForm : public TDialog {
public:
    // Opens an address with the shell (show command 5); tests record instead.
    using TOpen = std::function<void(HWND owner, const std::string& url)>;

    TAutoUpdateForm(const TDialogEnvironment& environment, const TKVUpdateServices& service, TOpen open = {});

protected:
    void HandleInit() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillDescription();
    void BtnDownloadClick();
    void BtnOpenSiteClick();

    const TKVUpdateServices& service_;
    TOpen open_;
    UniqueGdiObject descriptionFont_;
};

// Shows the update dialog modally for a check that found a newer version.
void ShowUpdateDialog(const TDialogEnvironment& environment, HWND owner, const TKVUpdateServices& service,
                      TAutoUpdateForm::TOpen open = {});

} // namespace tsy::win32
