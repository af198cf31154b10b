// The settings dialog driven through its pages: selection rules, the catalogue pages and
// what OK and Cancel do with the catalogue and the options.
#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>

#include "FakeAppServices.h"
#include "HotkeyHolder.h"
#include "LayoutCheck.h"
#include "ModalDriver.h"
#include "TextFit.h"
#include "browsers/OpenUrls.h"
#include "dialogs.h"
#include "support/win32/ErrorBoundary.h"

namespace {

using namespace tsy;
using namespace tsy::win32;
using tsy::testing::Click;
using tsy::testing::TModalDriver;
using Kind = fakes::RecordingMessageBoxes::Kind;

class SettingsDialogTest : public ::testing::Test, protected fakes::TFakeAppServices {
protected:
    SettingsDialogTest() {
        catalogue.sites = {{1, "Alpha", "http://alpha.example/?q=%s", "", 1, false, {}, {}},
                           {2, "Beta", "", "http://beta.example/", 0, false, {}, {}},
                           {3, "Gamma", "", "http://gamma.example/", 1, false, {}, {}}};
        catalogue.groups = {{"Search", {1, 2}, false}, {"News", {3}, false}};
        catalogue.kinds = {{1, "Books"}};
        catalogue.Load();
        browsers.Install(bkInternetExplorer, 7, 0);
        browsers.Install(bkFirefox, 3, 6);
        context.ClearSearchHistory = [this] { ++historyCleared; };
    }

    // Shows the dialog; the step gets the form and its window.
    // `startPage` -1: the tab it was closed on.
    bool Show(std::function<void(TSettingsForm&, HWND)> step, int startPage = 0) {
        TSettingsForm form(context, startPage);
        TModalDriver driver({[&](HWND dialog) { step(form, dialog); }});
        const bool ok = form.ShowModal(nullptr) == IDOK;
        EXPECT_TRUE(driver.AllStepsRun());
        return ok;
    }
    static HWND PageItem(TSettingsForm& form, int page, int id) {
        return GetDlgItem(form.Pages().Page(page).Handle(), id);
    }
    static void ClickOn(TSettingsForm& form, int page, int id) {
        Click(form.Pages().Page(page).Handle(), id);
    }
    static void SelectRows(HWND list, std::vector<int> rows) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        for (int row : rows)
            ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static std::vector<std::string> Captions(HWND list) {
        std::vector<std::string> texts;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            char text[256] = {};
            ListView_GetItemText(list, i, 0, text, sizeof text);
            texts.emplace_back(text);
        }
        return texts;
    }
    std::vector<std::string> Warnings() const { return boxes.Texts(Kind::Warning); }

    TSettingsContext context = services.SettingsContext();
    int historyCleared = 0;
    std::vector<std::string> errors;
    TScopedErrorHandler errorScope{[this](std::string_view text) { errors.emplace_back(text); }};
};

TEST_F(SettingsDialogTest, CommandsActOnlyOnTheListThatLastHadTheFocusWithOneOrSomeRows) {
    Show([&](TSettingsForm& form, HWND dialog) {
        EXPECT_EQ(tsy::testing::Text(dialog), "Customize Tessaly");
        EXPECT_EQ(form.Pages().ActivePage(), 0);
        // A collection row is selected, but the focus last rested in the site list.
        HWND collectionsList = PageItem(form, 0, IDC_COLLECTIONS_LIST);
        SelectRows(collectionsList, {0});
        SetFocus(PageItem(form, 0, IDC_COLLECTION_TARGETS));
        ClickOn(form, 0, IDC_RENAME_COLLECTION);
        form.Pages().SetActivePage(2);
        HWND sites = PageItem(form, 2, IDC_TARGETS);
        SetFocus(sites);
        SelectRows(sites, {0, 1, 2});
        ClickOn(form, 2, IDC_EDIT_TARGET);
        SelectRows(sites, {});
        ClickOn(form, 2, IDC_EDIT_TARGET);
        ClickOn(form, 2, IDC_DELETE_TARGET);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Warnings(), (std::vector<std::string>{"Please, select a collection to rename first.",
                                                    "You have to select a single site to edit.",
                                                    "Please, select a site to edit first.",
                                                    "Please, select at least one site to delete first."}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, TicksNeedACollectionAndAppendTheSiteToItsOrder) {
    std::vector<std::string> order;
    Show([&](TSettingsForm& form, HWND dialog) {
        HWND sites = PageItem(form, 0, IDC_COLLECTION_TARGETS);
        ListView_SetCheckState(sites, 2, TRUE);
        EXPECT_FALSE(ListView_GetCheckState(sites, 2)) << "no collection selected: the tick is refused";
        HWND collectionsList = PageItem(form, 0, IDC_COLLECTIONS_LIST);
        EXPECT_EQ(Captions(collectionsList), (std::vector<std::string>{"News", "Search"}));
        SelectRows(collectionsList, {1});
        EXPECT_TRUE(ListView_GetCheckState(sites, 0));
        EXPECT_FALSE(ListView_GetCheckState(sites, 2));
        ListView_SetCheckState(sites, 2, TRUE);
        form.Pages().SetActivePage(1);
        order = Captions(PageItem(form, 1, IDC_ACTIVE_TARGETS));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{1, 2, 3}));
    EXPECT_EQ(catalogue.saves, 1);
    EXPECT_TRUE(errors.empty());
}

// Names in orders that make the rows travel; the site list refuses every row change while no
// collection is chosen.
TEST_F(SettingsDialogTest, EveryListSortsByItsHeaderInBothDirections) {
    catalogue.sites = {{1, "Zulu", "", "http://z.example/", 4, false, {}, {}},
                       {2, "Alpha", "", "http://a.example/", 2, false, {}, {}},
                       {3, "Mike", "", "http://m.example/", 3, false, {}, {}},
                       {4, "Bravo", "", "http://b.example/", 1, false, {}, {}}};
    catalogue.groups = {
        {"Tour", {3, 1, 4, 2}, true}, {"Docs", {2}, false}, {"Radio", {1}, false}, {"Art", {4}, false}};
    catalogue.kinds = {{1, "Tools"}, {2, "Books"}, {3, "Maps"}, {4, "Games"}};
    catalogue.Load();
    Show([&](TSettingsForm& form, HWND dialog) {
        auto click = [&](int page, int id, int column) {
            NMLISTVIEW notice{};
            notice.hdr = {PageItem(form, page, id), UINT_PTR(id), UINT(LVN_COLUMNCLICK)};
            notice.iSubItem = column;
            SendMessageA(form.Pages().Page(page).Handle(), WM_NOTIFY, WPARAM(id), LPARAM(&notice));
        };
        auto column = [&](HWND list, int index) {
            std::vector<std::string> texts;
            for (int i = 0; i < ListView_GetItemCount(list); ++i) {
                char text[256] = {};
                ListView_GetItemText(list, i, index, text, sizeof text);
                texts.emplace_back(text);
            }
            return texts;
        };
        HWND sites = PageItem(form, 0, IDC_COLLECTION_TARGETS);
        click(0, IDC_COLLECTION_TARGETS, 0);
        EXPECT_EQ(Captions(sites), (std::vector<std::string>{"Alpha", "Bravo", "Mike", "Zulu"}));
        click(0, IDC_COLLECTION_TARGETS, 0);
        EXPECT_EQ(Captions(sites), (std::vector<std::string>{"Zulu", "Mike", "Bravo", "Alpha"}));
        click(0, IDC_COLLECTION_TARGETS, 1);
        EXPECT_EQ(column(sites, 1), (std::vector<std::string>{"Books", "Games", "Maps", "Tools"}));

        form.Pages().SetActivePage(1);
        SelectRows(PageItem(form, 1, IDC_ACTIVE_COLLECTIONS), {3}); // "Tour", in random order
        struct TCase {
            int Page, Id, Column;
        };
        for (const TCase c :
             {TCase{0, IDC_COLLECTIONS_LIST, 0}, TCase{1, IDC_ACTIVE_COLLECTIONS, 0},
              TCase{1, IDC_ACTIVE_TARGETS, 0}, TCase{2, IDC_TARGETS, 0}, TCase{2, IDC_TARGETS, 1},
              TCase{2, IDC_TARGETS, 2}, TCase{3, IDC_CATEGORIES, 0}}) {
            SCOPED_TRACE("list " + std::to_string(c.Id) + ", column " + std::to_string(c.Column));
            form.Pages().SetActivePage(c.Page);
            HWND list = PageItem(form, c.Page, c.Id);
            std::vector<std::string> ascending = column(list, c.Column);
            std::sort(ascending.begin(), ascending.end());
            const std::vector<std::string> descending(ascending.rbegin(), ascending.rend());
            click(c.Page, c.Id, c.Column);
            const std::vector<std::string> first = column(list, c.Column);
            EXPECT_TRUE(first == ascending || first == descending) << ::testing::PrintToString(first);
            click(c.Page, c.Id, c.Column);
            EXPECT_EQ(column(list, c.Column), first == ascending ? descending : ascending);
        }
        Click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, ACollectionWithAVeryLongNameStillDeletes) {
    collections.Append(std::string(1100, 'L'));
    Show([&](TSettingsForm& form, HWND dialog) {
        HWND list = PageItem(form, 0, IDC_COLLECTIONS_LIST);
        SetFocus(list);
        SelectRows(list, {0});
        ClickOn(form, 0, IDC_DELETE_COLLECTION);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(collections.Count(), 2);
    EXPECT_EQ(collections.IndexOfName(std::string(1100, 'L')), NotFound);
    EXPECT_TRUE(errors.empty());
}

// The field follows the one selected collection; a taken or malformed keyword is refused.
TEST_F(SettingsDialogTest, TheCollectionsTabSetsTheKeywordOfTheOneSelectedCollection) {
    catalogue.sites[0].Keyword = "w";
    catalogue.Load();
    Show([&](TSettingsForm& form, HWND dialog) {
        HWND list = PageItem(form, 0, IDC_COLLECTIONS_LIST);
        HWND keyword = PageItem(form, 0, IDC_COLLECTION_KEYWORD);
        SetFocus(list);
        SelectRows(list, {0, 1});
        EXPECT_FALSE(IsWindowEnabled(keyword)) << "two collections have no one keyword";
        SelectRows(list, {1});
        EXPECT_TRUE(IsWindowEnabled(keyword));
        for (const char* text : {"W", "a b", " s "}) {
            SetWindowTextA(keyword, text);
            ClickOn(form, 0, IDC_SET_COLLECTION_KEYWORD);
        }
        SelectRows(list, {0});
        EXPECT_EQ(tsy::testing::Text(keyword), "");
        SelectRows(list, {1});
        EXPECT_EQ(tsy::testing::Text(keyword), "s");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(collections.ByName("Search").Keyword, "s");
    EXPECT_EQ(collections.ByName("News").Keyword, "");
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{"The keyword \"W\" belongs to the site \"Alpha\".",
                                        "A keyword is 1 to 32 letters, digits, \"-\" or \"_\"."}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, SubmitOrderMovesWithinBoundsAndRandomOrderSortsByName) {
    collections.ByName("Search").SetIDs({3, 1, 2});
    Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(1);
        HWND list = PageItem(form, 1, IDC_ACTIVE_COLLECTIONS);
        SelectRows(list, {1});
        HWND sites = PageItem(form, 1, IDC_ACTIVE_TARGETS);
        EXPECT_EQ(Captions(sites), (std::vector<std::string>{"Gamma", "Alpha", "Beta"}));
        SelectRows(sites, {0});
        ClickOn(form, 1, IDC_MOVE_UP);
        SelectRows(sites, {2});
        ClickOn(form, 1, IDC_MOVE_DOWN);
        EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{3, 1, 2})) << "no move past either end";
        SelectRows(sites, {0});
        ClickOn(form, 1, IDC_MOVE_DOWN);
        EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{1, 3, 2}));
        EXPECT_EQ(Captions(sites), (std::vector<std::string>{"Alpha", "Gamma", "Beta"}));
        SendMessageA(PageItem(form, 1, IDC_RANDOMIZE), BM_SETCHECK, BST_CHECKED, 0);
        ClickOn(form, 1, IDC_RANDOMIZE);
        EXPECT_TRUE(collections.ByName("Search").Randomize);
        EXPECT_EQ(Captions(sites), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
        EXPECT_FALSE(IsWindowEnabled(PageItem(form, 1, IDC_MOVE_UP)));
        EXPECT_FALSE(IsWindowEnabled(PageItem(form, 1, IDC_MOVE_DOWN)));
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(collections.ByName("Search").Randomize) << "Cancel reads the catalogue back";
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, DeletingASiteLeavesEveryCollectionAndCancelBringsItBack) {
    boxes.confirmAnswer = true;
    Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(2);
        HWND sites = PageItem(form, 2, IDC_TARGETS);
        SetFocus(sites);
        SelectRows(sites, {1});
        ClickOn(form, 2, IDC_DELETE_TARGET);
        EXPECT_EQ(Captions(sites), (std::vector<std::string>{"Alpha", "Gamma"}));
        EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{1}));
        // Preview of a site without a home page searches for the probe word.
        SelectRows(sites, {0});
        ClickOn(form, 2, IDC_PREVIEW_TARGET);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(targets.Count(), 3);
    EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{1, 2}));
    EXPECT_EQ(opener.lists, std::vector<std::vector<std::string>>{{"http://alpha.example/?q=StubText"}});
    EXPECT_EQ(catalogue.saves, 0);

    Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(2);
        HWND sites = PageItem(form, 2, IDC_TARGETS);
        SetFocus(sites);
        SelectRows(sites, {1});
        ClickOn(form, 2, IDC_DELETE_TARGET);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(catalogue.sites.size(), 2u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, SettingsTabStoresTheOptionsAndTheSliderFormOfTheAutorunEntry) {
    settings.Browser = bkFirefox;
    browsers.Install(bkEdge, 119, 0);
    const bool ok = Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(4);
        HWND browser = PageItem(form, 4, IDC_PREFERRED_BROWSER);
        std::vector<std::string> entries;
        for (int i = 0; i < SendMessageA(browser, CB_GETCOUNT, 0, 0); ++i) {
            char text[64] = {};
            SendMessageA(browser, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
            entries.emplace_back(text);
        }
        EXPECT_EQ(entries, (std::vector<std::string>{"Internet Explorer 7.0", "FireFox 3.6", "Edge 119.0",
                                                     "Default browser"}));
        EXPECT_EQ(tsy::testing::Text(browser), "FireFox 3.6");
        SendMessageA(browser, CB_SETCURSEL, 3, 0);
        for (int id : {IDC_ALWAYS_ON_TOP, IDC_NUMBER_OF_ITEMS, IDC_AUTORUN, IDC_USE_SLIDER})
            SendMessageA(PageItem(form, 4, id), BM_SETCHECK, BST_CHECKED, 0);
        ClickOn(form, 4, IDC_CLEAR_HISTORY);
        EXPECT_FALSE(IsWindowVisible(PageItem(form, 4, IDC_CHECK_NOW)));
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(settings.Browser, bkDefaultBrowser);
    EXPECT_TRUE(settings.AlwaysOnTop);
    EXPECT_TRUE(settings.NumberOfItems);
    EXPECT_TRUE(autorun.IsAutorunSlider());
    EXPECT_FALSE(autorun.IsAutorunMinimized());
    EXPECT_EQ(historyCleared, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, ACatalogueThatWasNotReadIsNotShownSavedOrReadBackByCancel) {
    catalogue.read = false;
    const int loads = catalogue.loads;
    for (int button : {IDCANCEL, IDOK})
        Show([&](TSettingsForm& form, HWND dialog) {
            EXPECT_EQ(ListView_GetItemCount(PageItem(form, 0, IDC_COLLECTIONS_LIST)), 0);
            Click(dialog, button);
        });
    EXPECT_EQ(catalogue.loads, loads) << "Cancel leaves the reading to the next Customize";
    EXPECT_EQ(catalogue.saves, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, CtrlTabMovesBetweenTheTabsBothWays) {
    std::vector<int> pages;
    Show([&](TSettingsForm& form, HWND dialog) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        auto press = [&](UINT key, bool shift) {
            keys[VK_CONTROL] = 0x80;
            keys[VK_SHIFT] = shift ? 0x80 : 0;
            SetKeyboardState(keys);
            // What the dialog's own loop asks before it treats a key as navigation.
            MSG message{form.Pages().Tab(), WM_KEYDOWN, key, 0, 0, {}};
            EXPECT_TRUE(CallMsgFilterA(&message, MSGF_DIALOGBOX));
            pages.push_back(form.Pages().ActivePage());
        };
        press(VK_TAB, false);
        press(VK_TAB, true);
        press(VK_TAB, true);
        press(VK_PRIOR, false);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        MSG plain{form.Pages().Tab(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_FALSE(CallMsgFilterA(&plain, MSGF_DIALOGBOX)) << "Tab alone is the dialog's";
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(pages, (std::vector<int>{1, 0, 4, 3}));
    for (auto& e : errors)
        ADD_FAILURE() << e;
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, ReopeningShowsTheLastTabUnlessAFreshStartIsAsked) {
    Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(3);
        Click(dialog, IDCANCEL);
    });
    int shown = -1;
    Show(
        [&](TSettingsForm& form, HWND dialog) {
            shown = form.Pages().ActivePage();
            Click(dialog, IDCANCEL);
        },
        -1);
    EXPECT_EQ(shown, 3);
    Show([&](TSettingsForm& form, HWND dialog) {
        shown = form.Pages().ActivePage();
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(shown, 0);
    Show(
        [&](TSettingsForm& form, HWND dialog) {
            shown = form.Pages().ActivePage();
            Click(dialog, IDCANCEL);
        },
        4);
    EXPECT_EQ(shown, 4) << "asked for the Settings tab";
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, TheHotkeyHintFollowsTheTypedCombinationWhileAnotherProgramHoldsOne) {
    tsy::testing::THotkeyHolder holder({{MOD_WIN, 'Q'}});
    ASSERT_TRUE(holder.Holding());
    settings.UseHotkey = true;
    settings.HotkeyMod = MOD_WIN;
    settings.HotkeyKey = 'Q';
    std::vector<bool> shown;
    Show(
        [&](TSettingsForm& form, HWND dialog) {
            HWND hint = PageItem(form, 4, IDC_HOTKEY_HINT);
            HWND editor = PageItem(form, 4, IDC_HOTKEY);
            EXPECT_EQ(tsy::testing::Text(hint), "In use by another program");
            shown.push_back(IsWindowVisible(hint));
            const auto press = [&](UINT key) {
                SendMessageA(editor, WM_KEYDOWN, key, 0);
                shown.push_back(IsWindowVisible(hint));
            };
            press(VK_F11);
            SendMessageA(editor, WM_KEYUP, VK_F11, 0);
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_LWIN] = 0x80;
            SetKeyboardState(keys);
            press(VK_LWIN); // no main key yet: nothing to say
            press('Q');
            keys[VK_LWIN] = 0;
            SetKeyboardState(keys);
            CheckDlgButton(form.Pages().Page(4).Handle(), IDC_USE_HOTKEY, BST_UNCHECKED);
            ClickOn(form, 4, IDC_USE_HOTKEY);
            shown.push_back(IsWindowVisible(hint));
            Click(dialog, IDCANCEL);
        },
        4);
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false, true, false}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialogTest, ImportFromBrowsersAddsTheTickedEnginesWhichOkSavesOrWarnsWhenThereAreNone) {
    TSearchEngines found = {{"Delta", "d", "https://delta.example/?q=%s", "UTF-8", bkChrome},
                            {"Echo", "", "https://echo.example/?q=%s", "UTF-8", bkChrome}};
    int asked = 0;
    context.FindSearchEngines = [&] {
        ++asked;
        return found;
    };
    std::vector<std::string> rows;
    EXPECT_TRUE(Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(2);
        TModalDriver importing({[](HWND engines) {
            SendDlgItemMessageA(engines, IDC_ENGINE_COLLECTION, CB_SETCURSEL, 1, 0); // "Search"
            Click(engines, IDOK);
        }});
        ClickOn(form, 2, IDC_IMPORT_ENGINES);
        EXPECT_TRUE(importing.AllStepsRun());
        rows = Captions(PageItem(form, 2, IDC_TARGETS));
        Click(dialog, IDOK);
    }));
    EXPECT_EQ(rows, (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Delta", "Echo"}));
    ASSERT_EQ(catalogue.sites.size(), 5u);
    EXPECT_EQ(catalogue.sites[4].Search, "https://echo.example/?q=%s");
    EXPECT_EQ(std::get<1>(catalogue.groups[0]), (TTargetIDs{1, 2, 4, 5}));
    found.clear();
    Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(2);
        ClickOn(form, 2, IDC_IMPORT_ENGINES);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{"No search engines were found in the installed browsers."}));
    EXPECT_TRUE(errors.empty());
}

using SettingsPictures = SettingsDialogTest;

TEST_F(SettingsPictures, EveryTabIsSaved) {
    Show([&](TSettingsForm& form, HWND dialog) {
        const char* names[] = {"settings-collections", "settings-order", "settings-sites",
                               "settings-categories", "settings-options"};
        SelectRows(PageItem(form, 0, IDC_COLLECTIONS_LIST), {1});
        for (int page = 0; page < 5; ++page) {
            form.Pages().SetActivePage(page);
            tsy::testing::SavePicture(dialog, names[page]);
        }
        Click(dialog, IDCANCEL);
    });
    catalogue.read = false;
    Show([&](TSettingsForm& form, HWND dialog) {
        form.Pages().SetActivePage(2);
        tsy::testing::SavePicture(dialog, "settings-unread");
        Click(dialog, IDCANCEL);
    });
}

} // namespace
