#pragma once

#include <windows.h>

#include <string>

#include "controls/win32/InfoLabels.h"
#include "support/VersionInfo.h"
#include "support/win32/Dialog.h"

namespace tsy::win32 {

// TAboutForm: the product, its version from the version resource, the maker's notice and
// three links.
class TAboutForm : public TDialog {
public:
    TAboutForm(const TDialogEnvironment& environment, const TVersionInfo& version,
               TURLLabel::TOpen open = {});

    const TAboutLabel& VersionLine() const noexcept { return appInfoLabel1_; }

protected:
    void HandleInit() override;

private:
    void FlowLine(std::initializer_list<TInfoLabel*> labels);
    void AddHint(HWND control, const char* text);

    TAboutLabel appInfoLabel2_;
    TAboutLabel appInfoLabel1_;
    TInfoLabel sponsorText_;
    TURLLabel urlSponsor_;
    TInfoLabel sponsorEnd_;
    TInfoLabel developerText_;
    TURLLabel urlDeveloper_;
    TInfoLabel developerEnd_;
    TURLLabel urlWebsite_;
    HWND hints_ = nullptr; // owned by the form's window, which takes it along
};

// Shows the about box modally.
void ShowAbout(const TDialogEnvironment& environment, HWND owner, const TVersionInfo& version);

} // namespace tsy::win32
