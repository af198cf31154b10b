#pragma once

#include <windows.h>

namespace tsy::win32 {

struct TEditorContext;

// TAddSiteWizard: adds one site in four steps, its URLs taken from the pages the browsers
// have open. True when it ended with Done; the site and its collections are then in the
// catalogue. Cancel leaves the catalogue without the site.
bool RunAddSiteWizard(const TEditorContext& context, HWND owner);

} // namespace tsy::win32
