#include "ui/win32/FrmImportEngines.h"

#include <commctrl.h>

#include "browsers/BrowserDetection.h"
#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "settings/PersistentUI.h"
#include "settings/win32/Win32PersistentUI.h"
#include "ui/EngineImport.h"
#include "ui/SiteRules.h"
#include "ui/win32/EditorContext.h"

namespace tsy::win32 {

namespace {} // namespace

TImportEnginesForm::TImportEnginesForm(const TEditorContext& context, TSearchEngines engines)
    : TDialog(context.Dialogs, IDD_IMPORTENGINES), context_(context), engines_(std::move(engines)),
      list_(context.Collation) {}

TImportEnginesForm::~TImportEnginesForm() = default;

void TImportEnginesForm::HandleInit() {
    list_.Attach(*this, IDC_ENGINES, true, TSortListView::TSortType::None);
    list_.AddColumn("Name", 150);
    list_.AddColumn("Keyword", 84);
    list_.AddColumn("Search URL", 216);
    list_.AddColumn("Browser", 60);
    list_.Refill([this] {
        for (std::size_t i = 0; i < engines_.size(); ++i) {
            const TSearchEngine& engine = engines_[i];
            inCatalogue_.push_back(InCatalogue(context_.Targets, engine.SearchURL));
            const int row =
                list_.AddItem(inCatalogue_.back() ? engine.Name + kInCatalogueMark : engine.Name,
                              {engine.Keyword, engine.SearchURL, BrowserName(engine.Browser)}, LPARAM(i));
            list_.SetChecked(row, !inCatalogue_.back());
        }
    });
    // A template the catalogue has already would only make a second site of it.
    list_.OnChanging([this](int row, bool ticks) {
        return row >= 0 && ticks && inCatalogue_[std::size_t(list_.ItemData(row))];
    });

    collections_.Attach(Item(IDC_ENGINE_COLLECTION));
    collections_.Add(kNoCollectionEntry);
    for (const TCollection& collection : context_.Collections)
        collections_.Add(collection.Name());
    collections_.SetItemIndex(0);
    categories_.Attach(Item(IDC_ENGINE_CATEGORY));
    // The category box of the site editor, without its entry that adds a category.
    TCategoryBoxEntries entries = CategoryBoxEntries(context_.Categories, context_.Collation, 0);
    entries.Items.pop_back();
    categories_.SetItems(entries.Items, entries.Selected);

    Anchor(IDC_ENGINES, akAll);
    for (int id :
         {IDC_ENGINE_COLLECTION_LABEL, IDC_ENGINE_COLLECTION, IDC_ENGINE_CATEGORY_LABEL, IDC_ENGINE_CATEGORY})
        Anchor(id, akLeft | akBottom);
    for (int id : {IDOK, IDCANCEL, IDHELP})
        Anchor(id, akRight | akBottom);
    SetHelpKeyword(kImportEnginesHelpKeyword);

    TWin32PUIWindow& layout = RememberLayout(kImportEnginesFormName, kPUIRestorePosition | kPUIRestoreSize,
                                             {std::string(kPUIListViewClass)});
    remembered_ = std::make_unique<TWin32PUIListView>(list_.Handle(), "Engines");
    layout.components.push_back(remembered_.get());
}

bool TImportEnginesForm::CanAccept() {
    TSearchEngines ticked;
    for (int row = 0; row < list_.Count(); ++row) {
        const auto index = std::size_t(list_.ItemData(row));
        if (list_.Checked(row) && !inCatalogue_[index])
            ticked.push_back(engines_[index]);
    }
    TCollection* collection = nullptr;
    if (collections_.ItemIndex() > 0)
        collection = &context_.Collections.ByName(collections_.Text());
    const std::int32_t catID = context_.Categories.IDOfName(categories_.Text());
    added_ =
        AddEngineSites(context_.Targets, collection, ticked, catID,
                       {context_.Targets, context_.Collections, context_.CodePage, context_.WideCollation});
    return true;
}

bool ImportSearchEngines(const TEditorContext& context, HWND owner, const TSearchEngines& engines) {
    if (engines.empty()) {
        Warn(context.Dialogs, kNoEnginesFound);
        return false;
    }
    TImportEnginesForm form(context, engines);
    return form.ShowModal(owner) == IDOK && !form.Added().empty();
}

} // namespace tsy::win32
