#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "support/win32/Dialog.h"

namespace tsy::win32 {

struct TEditorContext;

// The single-line input box: the entered text on OK (untrimmed), nothing on Cancel.
std::optional<std::string> InputQuery(const TDialogEnvironment& environment, HWND owner,
                                      const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText);

// The name prompts of the catalogue editors. The add prompts return the new item's
// index, or NotFound when nothing was added; a refused name shows its warning.
std::int32_t AddCategoryPrompt(const TEditorContext& context, HWND owner);
bool RenameCategoryPrompt(const TEditorContext& context, HWND owner, const std::string& name);
bool DeleteCategoryConfirmed(const TEditorContext& context, const std::string& name);
std::int32_t AddCollectionPrompt(const TEditorContext& context, HWND owner);
bool RenameCollectionPrompt(const TEditorContext& context, HWND owner, const std::string& name);

} // namespace tsy::win32
