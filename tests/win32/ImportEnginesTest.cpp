// The search-engine import dialog driven through its controls: which rows may be ticked, what OK
// adds and where, and that Cancel adds nothing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "LayoutCheck.h"
#include "ModalDriver.h"
#include "dialogs.h"
#include "ui/win32/FrmImportEngines.h"

namespace {

using namespace tsy;
using namespace tsy::win32;
using tsy::testing::Click;
using tsy::testing::TModalDriver;

class ImportEnginesTest : public tsy::testing::TEditorFixture {
protected:
    ImportEnginesTest() {
        targets.Append({1, "Old Bing", "HTTPS://WWW.BING.COM/search?q=%s/", "", 0, false, {}, {}});
        categories.Append({1, "Web"});
        collections.Append("Search").SetIDs({1});
        collections.Append("Engines");
        engines = {{"DuckDuckGo", "duckduckgo.com", "https://duckduckgo.com/?q=%s", "UTF-8", bkChrome},
                   {"Bing", "bing.com", "https://www.bing.com/search?q=%s", "UTF-8", bkChrome},
                   {"Books", "b", "http://books.example/find?q=%s", "windows-1252", bkFirefox}};
    }

    // Shows the dialog with the step; true when sites were added.
    bool Show(std::function<void(HWND dialog, HWND list)> step) {
        TModalDriver driver({[&](HWND dialog) { step(dialog, GetDlgItem(dialog, IDC_ENGINES)); }});
        const bool added = ImportSearchEngines(context, nullptr, engines);
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.TimedOut());
        return added;
    }
    static std::string Cell(HWND list, int row, int column) {
        char text[512] = {};
        ListView_GetItemText(list, row, column, text, sizeof text);
        return text;
    }
    static void Choose(HWND dialog, int id, int index) {
        SendDlgItemMessageA(dialog, id, CB_SETCURSEL, WPARAM(index), 0);
    }

    TSearchEngines engines;
};

TEST_F(ImportEnginesTest, AnEngineTheCatalogueHasIsMarkedAndCannotBeTickedTheOthersStartTicked) {
    std::vector<std::string> names, rest;
    std::vector<bool> ticks;
    const bool added = Show([&](HWND dialog, HWND list) {
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            names.push_back(Cell(list, row, 0));
            ticks.push_back(ListView_GetCheckState(list, row));
        }
        rest = {Cell(list, 2, 1), Cell(list, 2, 2), Cell(list, 2, 3)};
        ListView_SetCheckState(list, 1, TRUE);
        ticks.push_back(ListView_GetCheckState(list, 1));
        ListView_SetCheckState(list, 0, FALSE);
        ticks.push_back(ListView_GetCheckState(list, 0));
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(added);
    EXPECT_EQ(names, (std::vector<std::string>{"DuckDuckGo", "Bing (in the catalogue)", "Books"}));
    EXPECT_EQ(ticks, (std::vector<bool>{true, false, true, false, false}));
    EXPECT_EQ(rest, (std::vector<std::string>{"b", "http://books.example/find?q=%s", "FireFox"}));
    EXPECT_EQ(targets.Count(), 1) << "Cancel adds nothing";
    EXPECT_TRUE(collections.ByName("Engines").IDs().empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(ImportEnginesTest, OkAddsTheTickedEnginesInListOrderToTheChosenCollectionAndCategory) {
    engines.push_back({"Atlas", "", "https://atlas.example/s?q=%s", "UTF-8", bkEdge});
    std::vector<std::string> collectionEntries, categoryEntries;
    const bool added = Show([&](HWND dialog, HWND list) {
        for (int id : {IDC_ENGINE_COLLECTION, IDC_ENGINE_CATEGORY}) {
            auto& entries = id == IDC_ENGINE_COLLECTION ? collectionEntries : categoryEntries;
            HWND box = GetDlgItem(dialog, id);
            for (int i = 0; i < int(SendMessageA(box, CB_GETCOUNT, 0, 0)); ++i) {
                char text[256] = {};
                SendMessageA(box, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
                entries.emplace_back(text);
            }
            EXPECT_EQ(SendMessageA(box, CB_GETCURSEL, 0, 0), 0);
        }
        // Sorted by name: Atlas, Bing, Books, DuckDuckGo.
        NMLISTVIEW click{};
        click.hdr = {list, UINT_PTR(IDC_ENGINES), UINT(LVN_COLUMNCLICK)};
        SendMessageA(dialog, WM_NOTIFY, WPARAM(IDC_ENGINES), LPARAM(&click));
        EXPECT_EQ(Cell(list, 3, 0), "DuckDuckGo");
        ListView_SetCheckState(list, 3, FALSE);
        Choose(dialog, IDC_ENGINE_COLLECTION, 2);
        Choose(dialog, IDC_ENGINE_CATEGORY, 1);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(added);
    EXPECT_EQ(collectionEntries, (std::vector<std::string>{"(none)", "Search", "Engines"}));
    EXPECT_EQ(categoryEntries, (std::vector<std::string>{"(general)", "Web"}));
    ASSERT_EQ(targets.Count(), 3);
    EXPECT_EQ(targets.GetItem(1).Name, "Atlas");
    EXPECT_EQ(targets.GetItem(2), (TTarget{3, "Books", "http://books.example/find?q=%s",
                                           "http://books.example/", 1, false, "windows-1252", "b"}));
    EXPECT_EQ(collections.ByName("Engines").IDs(), (TTargetIDs{2, 3}));
    EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{1}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ImportEnginesTest, NoEngineGivesTheWarningAndNoDialog) {
    TModalDriver driver({});
    EXPECT_FALSE(ImportSearchEngines(context, nullptr, {}));
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{"No search engines were found in the installed browsers."}));
}

using EnginePictures = ImportEnginesTest;

TEST_F(EnginePictures, TheImportDialogIsSaved) {
    Show([&](HWND dialog, HWND) {
        Click(dialog, IDHELP);
        tsy::testing::SavePicture(dialog, "import-engines");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(help, (std::vector<std::string>{"Settings.ImportEngines"}));
}

} // namespace
