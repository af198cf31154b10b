#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "browsers/SearchEngines.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/SortListView.h"
#include "support/win32/Dialog.h"

namespace tsy::win32 {

struct TEditorContext;
class TWin32PUIListView;

// TImportEnginesForm, "Import search engines": the engines found in the browsers, each ticked
// to become a site unless the catalogue searches with its template already.
class TImportEnginesForm : public TDialog {
public:
    TImportEnginesForm(const TEditorContext& context, TSearchEngines engines);
    ~TImportEnginesForm() override;

    // The ids of the sites OK added, in list order.
    const std::vector<std::int32_t>& Added() const noexcept { return added_; }

protected:
    void HandleInit() override;
    bool CanAccept() override;

private:
    const TEditorContext& context_;
    TSearchEngines engines_;
    std::vector<bool> inCatalogue_;
    TSortListView list_;
    TComboBox collections_;
    TComboBox categories_;
    std::unique_ptr<TWin32PUIListView> remembered_;
    std::vector<std::int32_t> added_;
};

// Offers the engines for import; with none, warns instead. True when OK added sites.
bool ImportSearchEngines(const TEditorContext& context, HWND owner, const TSearchEngines& engines);

} // namespace tsy::win32
