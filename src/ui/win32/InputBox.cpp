#include "ui/win32/InputBox.h"

#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "support/MessageBoxes.h"
#include "support/Text.h"
#include "ui/SiteRules.h"
#include "ui/win32/EditorContext.h"

namespace tsy::win32 {

namespace {

class TInputBox : public TDialog {
public:
    TInputBox(const TDialogEnvironment& environment, std::string caption, std::string prompt,
              std::string text)
        : TDialog(environment, IDD_INPUTBOX), caption_(std::move(caption)), prompt_(std::move(prompt)),
          text_(std::move(text)) {}

    const std::string& Text() const noexcept { return text_; }

protected:
    void HandleInit() override {
        SetCaption(caption_);
        SetItemText(IDC_INPUT_PROMPT, prompt_);
        SetItemText(IDC_INPUT_VALUE, text_);
        SendMessageA(Item(IDC_INPUT_VALUE), EM_SETSEL, 0, -1);
    }
    bool CanAccept() override {
        text_ = ItemText(IDC_INPUT_VALUE);
        return true;
    }

private:
    std::string caption_;
    std::string prompt_;
    std::string text_;
};

// The prompt's text once accepted, trimmed; nothing after Cancel or a refused name.
std::optional<std::string> AskName(const TEditorContext& context, HWND owner, const std::string& caption,
                                   const std::string& prompt, const std::string& before, bool collection) {
    auto entered = InputQuery(context.Dialogs, owner, caption, prompt, before);
    if (!entered)
        return std::nullopt;
    const auto refusal = collection ? CheckCollectionName(context.Collections, before, *entered)
                                    : CheckCategoryName(context.Categories, before, *entered);
    if (refusal) {
        Warn(context.Dialogs, *refusal);
        return std::nullopt;
    }
    return std::string(TrimText(*entered));
}

} // namespace

std::optional<std::string> InputQuery(const TDialogEnvironment& environment, HWND owner,
                                      const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) {
    TInputBox box(environment, caption, prompt, defaultText);
    if (box.ShowModal(owner) != IDOK)
        return std::nullopt;
    return box.Text();
}

std::int32_t AddCategoryPrompt(const TEditorContext& context, HWND owner) {
    // The default is a suggestion, not a name that exists, so it is not the "name before".
    auto entered =
        InputQuery(context.Dialogs, owner, kAddCategoryCaption, kCategoryNamePrompt, kNewCategoryDefault);
    if (!entered)
        return NotFound;
    if (const auto refusal = CheckCategoryName(context.Categories, "", *entered)) {
        Warn(context.Dialogs, *refusal);
        return NotFound;
    }
    return AddCategoryNamed(context.Categories, *entered);
}

bool RenameCategoryPrompt(const TEditorContext& context, HWND owner, const std::string& name) {
    auto accepted = AskName(context, owner, kRenameCategoryCaption, kCategoryNamePrompt, name, false);
    if (!accepted)
        return false;
    return *accepted == name || RenameCategoryNamed(context.Categories, name, *accepted);
}

bool DeleteCategoryConfirmed(const TEditorContext& context, const std::string& name) {
    if (!Confirmed(context.Dialogs, kDeleteCategoryQuestion))
        return false;
    DeleteCategoryAndClear(context.Categories, context.Targets, name);
    return true;
}

std::int32_t AddCollectionPrompt(const TEditorContext& context, HWND owner) {
    auto accepted = AskName(context, owner, kAddCollectionCaption, kCollectionNamePrompt, "", true);
    return accepted ? AddCollectionNamed(context.Collections, *accepted) : NotFound;
}

bool RenameCollectionPrompt(const TEditorContext& context, HWND owner, const std::string& name) {
    auto accepted = AskName(context, owner, kRenameCollectionCaption, kCollectionNamePrompt, name, true);
    if (!accepted)
        return false;
    return *accepted == name || RenameCollectionNamed(context.Collections, name, *accepted);
}

} // namespace tsy::win32
