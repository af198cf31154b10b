#pragma once

#include <functional>
#include <string>

#include "browsers/OpenPages.h"
#include "support/win32/Dialog.h"

namespace tsy {
class TTargets;
class TCollections;
class TCategories;
class ICollation;
class ICodePage;
class IWideCollation;
} // namespace tsy

namespace tsy::win32 {

// What the catalogue editors work on: the one in-memory catalogue and the pages the
// browsers have open. All of it outlives the dialogs.
struct TEditorContext {
    TDialogEnvironment Dialogs;
    TTargets& Targets;
    TCollections& Collections;
    TCategories& Categories;
    const ICollation& Collation;
    // The keyword rules' letters and digits and their case rule, as the search box applies them.
    const ICodePage& CodePage;
    const IWideCollation& WideCollation;
    // The open pages of Internet Explorer, Firefox and Opera, in that order; unset, none are open.
    std::function<TPageInfos()> ListOpenPages = {};
};

} // namespace tsy::win32
