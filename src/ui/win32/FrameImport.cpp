#include "ui/win32/FrameImport.h"

#include <commctrl.h>

#include <algorithm>

#include "browsers/OpenPages.h"
#include "dialogs.h"
#include "support/MessageBoxes.h"
#include "support/win32/WinText.h"
#include "ui/SiteRules.h"
#include "ui/win32/EditorContext.h"

namespace tsy::win32 {

namespace {

constexpr int kTitleMinWidth = 200;
constexpr int kTitleMaxWidth = 400;
constexpr int kMessageMargin = 10;

} // namespace

std::vector<TImportRow> OpenPageRows(const TEditorContext& context, TImportKind kind) {
    std::vector<std::pair<std::string, std::string>> pages;
    if (context.ListOpenPages)
        for (auto& page : context.ListOpenPages())
            pages.emplace_back(std::move(page.URL), std::move(page.Title));
    return ImportRows(pages, kind, [](std::string& url) { return RecognizeSearchURL(url); });
}

TImportFrame::TImportFrame(const TEditorContext& context)
    : TDialog(context.Dialogs, IDD_IMPORTFRAME), context_(context), list_(context.Collation) {}

void TImportFrame::HandleInit() {
    list_.Attach(*this, IDC_URLLIST, false, TSortListView::TSortType::None);
    list_.AddColumn("Site Title", kTitleMinWidth);
    list_.AddColumn("Site URL", 300);
    Anchor(IDC_URLLIST, akAll);
    SetBold(IDC_IMPORT_MESSAGE);
    SetHint(IDC_IMPORT_MESSAGE);
    OnNotify(IDC_URLLIST, NM_DBLCLK, [this](NMHDR&) -> LRESULT {
        if (OnDoubleClick && list_.SelectedIndex() >= 0)
            OnDoubleClick();
        return 0;
    });
}

void TImportFrame::ShowRows(const std::vector<TImportRow>& rows, const std::string& message) {
    list_.BeginUpdate();
    list_.Clear();
    for (const auto& row : rows)
        list_.AddItem(row.Title, {row.URL});
    if (!rows.empty()) {
        list_.FitColumn(0, kTitleMinWidth, kTitleMaxWidth);
        list_.StretchLastColumn();
    }
    list_.EndUpdate();
    message_ = message;
    SetItemText(IDC_IMPORT_MESSAGE, message_);
    ShowItem(IDC_URLLIST, !rows.empty());
    ShowItem(IDC_IMPORT_MESSAGE, rows.empty());
    PlaceMessage();
}

bool TImportFrame::HasSelectedPage() const {
    return list_.SelectedIndex() >= 0;
}

std::pair<std::string, std::string> TImportFrame::SelectedPage() const {
    const int index = list_.SelectedIndex();
    if (index < 0)
        return {};
    return {list_.ItemText(index, 1), list_.ItemText(index, 0)};
}

void TImportFrame::PlaceMessage() {
    // A wrapped label cannot centre itself vertically: it is given the height of its text.
    RECT client{};
    GetClientRect(Handle(), &client);
    const int margin = Scaled(kMessageMargin);
    RECT text{0, 0, client.right - margin, 0};
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageA(Item(IDC_IMPORT_MESSAGE), WM_GETFONT, 0, 0)));
    DrawTextA(dc, message_.c_str(), int(message_.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    const int height = std::min(int(text.bottom), int(client.bottom));
    SetWindowPos(Item(IDC_IMPORT_MESSAGE), nullptr, margin, (client.bottom - height) / 2,
                 client.right - margin, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TImportFrame::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled);
    EnableItem(IDC_URLLIST, enabled);
    list_.SetBackColour(GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
}

bool TImportFrame::HandleMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_SIZE)
        PlaceMessage();
    return false;
}

namespace {

class TImportForm : public TDialog {
public:
    TImportForm(const TEditorContext& context, TImportKind kind, std::vector<TImportRow> rows)
        : TDialog(context.Dialogs, IDD_IMPORT), context_(context), kind_(kind), rows_(std::move(rows)),
          frame_(context) {}

    std::pair<std::string, std::string> Chosen() const { return chosen_; }

protected:
    void HandleInit() override {
        SetCaption(ImportCaption(kind_));
        EmbedFrame(frame_, IDC_IMPORT_PLACE, akAll);
        frame_.ShowRows(rows_, {});
        frame_.OnDoubleClick = [this] { PressOk(); };
        Anchor(IDC_IMPORT_LABEL, akLeft | akTop | akRight);
        Anchor(IDOK, akRight | akBottom);
        Anchor(IDCANCEL, akRight | akBottom);
    }
    bool CanAccept() override {
        if (!frame_.HasSelectedPage()) {
            Warning(kImportSelectionRequired);
            return false;
        }
        auto chosen = frame_.SelectedPage();
        if (const auto refusal = CheckStoredAddress(chosen.first)) {
            Warning(*refusal);
            return false;
        }
        chosen_ = std::move(chosen);
        return true;
    }

private:
    const TEditorContext& context_;
    TImportKind kind_;
    std::vector<TImportRow> rows_;
    TImportFrame frame_;
    std::pair<std::string, std::string> chosen_;
};

} // namespace

bool ImportURL(const TEditorContext& context, HWND owner, TImportKind kind, std::string& url,
               std::string& title) {
    auto rows = OpenPageRows(context, kind);
    if (rows.empty()) {
        // Nothing to choose from: the reason instead of an empty dialog.
        Warn(context.Dialogs, EmptyImportMessage(kind));
        return false;
    }
    TImportForm form(context, kind, std::move(rows));
    if (form.ShowModal(owner) != IDOK)
        return false;
    std::tie(url, title) = form.Chosen();
    return true;
}

} // namespace tsy::win32
