#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/win32/DialogLayout.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/WinText.h"

namespace tsy {
class TOwnerStack;
class ILayoutStore;
class IPUIComponent;
class IMessageBoxes;
} // namespace tsy

namespace tsy::win32 {

class TWin32PUIWindow;

// What every dialog of the program works with; all of it outlives the dialogs. Any of
// the services may be missing (tests), and the dialog then goes without it.
struct TDialogEnvironment {
    HINSTANCE Instance = nullptr;
    TOwnerStack* Owners = nullptr;
    ILayoutStore* Layouts = nullptr;
    IMessageBoxes* Boxes = nullptr;
    // Opens a help topic by keyword; F1 and the Help buttons come here.
    std::function<void(HWND owner, const std::string& keyword)> ShowHelp = {};
};

// A warning in a message box, where the environment has a message-box service.
void Warn(const TDialogEnvironment& environment, const std::string& text);
// A Yes/No question; without a message-box service nothing is confirmed.
bool Confirmed(const TDialogEnvironment& environment, const std::string& text);

// Base of the program's dialogs, built from a DIALOGEX template. It routes commands
// and notifications to handlers, closes with OK and Cancel (Esc and the close box are
// Cancel), keeps an exception from reaching Windows (one thrown while the dialog is
// being made closes it), moves anchored controls, and does for each top-level dialog
// what every one of them needs: it owns message boxes while open, remembers its layout
// and opens its help topic on F1 and the Help button.
class TDialog {
public:
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;
    virtual ~TDialog();

    HWND Handle() const noexcept { return handle_; }
    HWND Item(int id) const noexcept { return GetDlgItem(handle_, id); }
    void EnableItem(int id, bool enabled) const { EnableWindow(Item(id), enabled); }
    void ShowItem(int id, bool shown) const { ShowWindow(Item(id), shown ? SW_SHOWNA : SW_HIDE); }
    // The pixels per inch the dialog is laid out for now.
    int Dpi() const noexcept { return dpi_; }

    // Modal: the value given to EndModal; -1 when the dialog could not be made or its
    // initialisation failed.
    INT_PTR ShowModal(HWND owner);
    // Modeless, as a top-level window or (for a template with WS_CHILD) as a child of
    // `parent`; raises std::runtime_error when the dialog cannot be made.
    void CreateModeless(HWND parent);

    // Routing, also for the controls that a dialog hosts.
    void OnCommand(int id, std::function<void()> handler, int code = BN_CLICKED);
    void OnNotify(int id, UINT code, std::function<LRESULT(NMHDR&)> handler);
    // After the dialog was resized and its anchored controls moved.
    void OnResize(std::function<void()> handler) { resized_.push_back(std::move(handler)); }

    // Makes `frame` (a template with WS_CHILD) a child in the place of the hidden placeholder
    // control, in its place in the Tab order too, anchored as given.
    void EmbedFrame(TDialog& frame, int placeholderId, unsigned anchors);

protected:
    TDialog(const TDialogEnvironment& environment, int templateId);
    // An in-memory template, which must outlive the dialog.
    TDialog(const TDialogEnvironment& environment, const DLGTEMPLATE* dialogTemplate);

    const TDialogEnvironment& Environment() const noexcept { return environment_; }
    void Warning(const std::string& text) const { Warn(environment_, text); }
    bool Confirm(const std::string& text) const { return Confirmed(environment_, text); }

    // WM_INITDIALOG. An exception closes the dialog and is reported.
    virtual void HandleInit() {}
    // After the remembered layout was restored, before the dialog is first shown.
    virtual void HandleLayoutRestored() {}
    // OK pressed: return false to keep the dialog open (after telling the user why).
    virtual bool CanAccept() { return true; }
    // Cancel, Esc or the close box, before the dialog closes.
    virtual void HandleCancel() {}
    // Any message the routing does not take; return true when handled, and set the
    // result with SetResult where one matters.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Ends a modal showing, or destroys a modeless dialog; the layout is saved first.
    void EndModal(INT_PTR result);
    void SetResult(LRESULT result) noexcept;

    std::string ItemText(int id) const { return WindowText(Item(id)); }
    void SetItemText(int id, std::string_view text);
    void SetCaption(std::string_view caption) { SetWindowTextA(handle_, std::string(caption).c_str()); }
    // Moves the focus as Tab does, the default button following it.
    void FocusItem(HWND control) {
        SendMessageA(GetAncestor(handle_, GA_ROOT), WM_NEXTDLGCTL, WPARAM(control), TRUE);
    }
    // As if OK were clicked: the dialog's own OK handling runs.
    void PressOk() { SendMessageA(handle_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(Item(IDOK))); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(handle_, id) == BST_CHECKED; }
    void SetChecked(int id, bool checked) {
        CheckDlgButton(handle_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    // Resizing: the template's size is the smallest.
    void Anchor(int id, unsigned anchors) { sizing_.Anchor(Item(id), anchors); }
    void Anchor(HWND control, unsigned anchors) { sizing_.Anchor(control, anchors); }

    // Help topic for F1 and the Help button (IDHELP).
    void SetHelpKeyword(std::string keyword) { helpKeyword_ = std::move(keyword); }
    void ShowHelp();

    // Remembers the dialog's layout under "PUI\Dialogs\<name>": restored before the
    // dialog is first shown, saved when it closes. Call from HandleInit; add the
    // components and the detail panel to the returned window before it returns.
    TWin32PUIWindow& RememberLayout(std::string name, std::uint8_t options,
                                    std::vector<std::string> classes = {});
    // The detail panel (DialogLayout.h), its minimum height in pixels at 96 DPI; whether it is
    // open is remembered with the layout (add it after RememberLayout).
    void SetDetailPanel(TDetailPanel panel);
    // Components saved with the layout although their classes are not registered.
    void SetLayoutIncludes(std::vector<const IPUIComponent*> components);

    // A size designed in pixels at 96 DPI, at the dialog's DPI.
    int Scaled(int designPixels) const;

    // The dialog font in bold for a control (a heading).
    void SetBold(int id);
    // A control whose text is a grey hint.
    void SetHint(int id) { hints_.push_back(Item(id)); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    bool RouteCommand(int id, int code);
    bool RouteNotify(NMHDR& header);
    void Resized();
    // What ends with the window: its place on the owner stack and its layout's registration.
    void Released();
    void FinishLayout();
    bool IsChild() const;
    // What the dialog manager does not scale itself on a DPI change: the anchored places, the
    // size limits, the bold font, list-view columns; the pages and frames inside follow.
    void RescaleTo(int dpi, WPARAM dpiParam);

    TDialogEnvironment environment_;
    int templateId_ = 0;
    const DLGTEMPLATE* template_ = nullptr;
    HWND handle_ = nullptr;
    bool modal_ = false;
    bool closing_ = false;
    std::map<std::pair<int, int>, std::function<void()>> commands_;
    std::map<std::pair<int, UINT>, std::function<LRESULT(NMHDR&)>> notifications_;
    TDialogLayout sizing_;
    std::string helpKeyword_;
    std::unique_ptr<TWin32PUIWindow> layout_;
    bool layoutRegistered_ = false;
    std::vector<std::function<void()>> resized_;
    std::vector<HWND> hints_;
    UniqueGdiObject boldFont_;
    std::vector<HWND> bold_;
    int dpi_ = 96;
};

} // namespace tsy::win32
