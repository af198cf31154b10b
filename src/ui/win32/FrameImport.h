#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "controls/win32/SortListView.h"
#include "support/win32/Dialog.h"
#include "support/win32/UniqueHandle.h"
#include "ui/ImportRules.h"

namespace tsy::win32 {

struct TEditorContext;

// TImportFrame: the pages open in the browsers that fit one import kind, or, when there
// are none, the reason in a grey label. Hosted by the import dialog and the wizard.
class TImportFrame : public TDialog {
public:
    explicit TImportFrame(const TEditorContext& context);

    // Shows rows already made; the message is for an empty list.
    void ShowRows(const std::vector<TImportRow>& rows, const std::string& message);
    bool HasSelectedPage() const;
    // (URL, title) of the selected row, or two empty texts.
    std::pair<std::string, std::string> SelectedPage() const;
    TSortListView& URLList() noexcept { return list_; }
    // A disabled frame's list is greyed.
    void SetEnabled(bool enabled);

    // A row double-clicked.
    std::function<void()> OnDoubleClick;

protected:
    void HandleInit() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceMessage();

    const TEditorContext& context_;
    TSortListView list_;
    std::string message_;
};

// TImportForm: the import frame in a small modal dialog. True, with (URL, title), when
// the user confirmed a row; with no qualifying page the reason is shown instead.
bool ImportURL(const TEditorContext& context, HWND owner, TImportKind kind, std::string& url,
               std::string& title);

// The rows for what the browsers have open now.
std::vector<TImportRow> OpenPageRows(const TEditorContext& context, TImportKind kind);

} // namespace tsy::win32
