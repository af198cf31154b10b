#pragma once

#include <windows.h>

#include "catalogue/Catalogue.h"
#include "controls/win32/EditEx.h"
#include "support/win32/Dialog.h"
#include "ui/win32/FrameSite.h"

namespace tsy::win32 {

struct TEditorContext;

inline constexpr const char* kEditTargetFormName = "EditTargetForm";
inline constexpr const char* kSitesHelpKeyword = "Settings.Sites";

// TEditTargetForm: the modal editor of one site, with the collections that hold it in a
// panel that folds away.
class TEditTargetForm : public TDialog {
public:
    TEditTargetForm(const TEditorContext& context, const TTarget& target);

    // The edited record, after OK.
    const TTarget& Target() const noexcept { return target_; }

protected:
    void HandleInit() override;
    bool CanAccept() override;

private:
    void ImportOpenURL();
    void ImportSearchURL();

    const TEditorContext& context_;
    TTarget target_;
    TEditEx edtName_;
    TEditEx edtOpenRequest_;
    TEditEx edtSearchRequest_;
    TEditEx edtKeyword_;
    TCategoryBox cbxCategory_;
    TComboBox cbxCharset_;
    TSiteCollectionsFrame frmSiteCollections_;
};

// Edits the site; true after OK, and the record and its memberships then hold the edits.
// A read-only site is not offered for editing.
bool EditTarget(const TEditorContext& context, HWND owner, TTarget& target);
// Adds an empty site, edits it and keeps it on OK; Cancel removes it again.
bool AddTarget(const TEditorContext& context, HWND owner, TTarget& target);

} // namespace tsy::win32
