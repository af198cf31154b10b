// The catalogue editors driven through their controls: the import dialog, the site editor,
// the name prompts, and the dialog layer they stand on.
#include <windows.h>

#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>

#include "AsciiCollation.h"
#include "EditorFixture.h"
#include "FakeKeyValueStore.h"
#include "LayoutCheck.h"
#include "ModalDriver.h"
#include "RecordingMessageBoxes.h"
#include "TextFit.h"
#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "infodialogs.h"
#include "settings/PersistentUI.h"
#include "support/OwnerStack.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/PageHost.h"
#include "ui/win32/EditorContext.h"
#include "ui/win32/FrameImport.h"
#include "ui/win32/FrmAbout.h"
#include "ui/win32/FrmAddSiteWizard.h"
#include "ui/win32/FrmAutoUpdate.h"
#include "ui/win32/FrmEditTarget.h"
#include "ui/win32/InputBox.h"
#include "update/UpdateServices.h"

namespace {

using namespace tsy;
using namespace tsy::win32;
using tsy::testing::Click;
using tsy::testing::SetText;
using tsy::testing::TModalDriver;
using Kind = fakes::RecordingMessageBoxes::Kind;

constexpr const char* kSearchPage = "http://find.example/results?q=StubText&lang=en%2Dgb";

class EditorTest : public tsy::testing::TEditorFixture {
protected:
    EditorTest() {
        targets.Append(
            {1, "Alpha", "http://alpha.example/?q=%s&x=100%%", "http://alpha.example/", 1, false, {}, {}});
        targets.Append({2, "Fixed", "", "http://fixed.example/", 0, true, {}, {}});
        categories.Append({1, "News"});
        categories.Append({2, "Books"});
        collections.Append("Search").SetIDs({1});
        collections.Append("Other").SetIDs({2});
    }

    // Runs `show` with the steps driving the dialogs it opens, and checks they all ran.
    template <class TShow> auto Drive(std::deque<TModalDriver::TStep> steps, TShow show) {
        TModalDriver driver(std::move(steps));
        auto result = show();
        EXPECT_TRUE(driver.AllStepsRun()) << "a dialog did not open";
        EXPECT_FALSE(driver.TimedOut());
        return result;
    }
    static int Height(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return r.bottom - r.top;
    }
};

TEST_F(EditorTest, InputBoxGivesTheTextOnOkAndNothingOnCancelOrTheCloseBox) {
    std::size_t ownersWhileShown = 0;
    auto typed = Drive({[&](HWND box) {
                           ownersWhileShown = owners.Size();
                           EXPECT_EQ(tsy::testing::Text(box), "Caption");
                           EXPECT_EQ(tsy::testing::Text(GetDlgItem(box, IDC_INPUT_PROMPT)), "Prompt:");
                           EXPECT_EQ(tsy::testing::Text(GetDlgItem(box, IDC_INPUT_VALUE)), "start");
                           SetText(box, IDC_INPUT_VALUE, "  typed ");
                           Click(box, IDOK);
                       }},
                       [&] { return InputQuery(context.Dialogs, nullptr, "Caption", "Prompt:", "start"); });
    EXPECT_EQ(typed, std::optional<std::string>("  typed "));
    EXPECT_EQ(ownersWhileShown, 2u) << "the box owns message boxes while it is open";
    EXPECT_EQ(owners.Size(), 1u);
    EXPECT_FALSE(Drive({[](HWND box) { Click(box, IDCANCEL); }},
                       [&] { return InputQuery(context.Dialogs, nullptr, "C", "P", ""); }));
    EXPECT_FALSE(Drive({[](HWND box) { SendMessageA(box, WM_CLOSE, 0, 0); }},
                       [&] { return InputQuery(context.Dialogs, nullptr, "C", "P", ""); }));
}

TEST_F(EditorTest, NamePromptsRefuseTakenAndEmptyNamesAndChangeTheCatalogueOnlyWhenAccepted) {
    auto answer = [](std::string text) {
        return [text](HWND box) {
            SetText(box, IDC_INPUT_VALUE, text);
            Click(box, IDOK);
        };
    };
    EXPECT_EQ(Drive({answer("search")}, [&] { return AddCollectionPrompt(context, nullptr); }), NotFound);
    EXPECT_EQ(Drive({answer("  ")}, [&] { return AddCollectionPrompt(context, nullptr); }), NotFound);
    EXPECT_EQ(Drive({answer("books")}, [&] { return AddCategoryPrompt(context, nullptr); }), NotFound);
    EXPECT_EQ(Drive({answer("")}, [&] { return AddCategoryPrompt(context, nullptr); }), NotFound);
    EXPECT_EQ(Warnings(), (std::vector<std::string>{"Collection with specified name already exists.",
                                                    "Collection name should not be empty.",
                                                    "Category with specified name already exists.",
                                                    "Category name should not be empty."}));
    EXPECT_EQ(collections.Count(), 2);
    EXPECT_EQ(categories.Count(), 2);

    const auto added = Drive({answer(" Travel ")}, [&] { return AddCollectionPrompt(context, nullptr); });
    ASSERT_NE(added, NotFound);
    EXPECT_EQ(collections.GetItem(added).Name(), "Travel");
    // A rename that only changes the letter case is refused; the same name is no change.
    EXPECT_FALSE(
        Drive({answer("travel")}, [&] { return RenameCollectionPrompt(context, nullptr, "Travel"); }));
    EXPECT_TRUE(
        Drive({answer("Travel")}, [&] { return RenameCollectionPrompt(context, nullptr, "Travel"); }));
    EXPECT_TRUE(Drive({answer("Trips")}, [&] { return RenameCollectionPrompt(context, nullptr, "Travel"); }));
    EXPECT_EQ(collections.IndexOfName("Trips"), added);

    // Deleting a category moves its sites to "(general)".
    boxes.confirmAnswers = {false, true};
    EXPECT_FALSE(DeleteCategoryConfirmed(context, "News"));
    EXPECT_TRUE(DeleteCategoryConfirmed(context, "News"));
    EXPECT_EQ(targets.ByID(1).CatID, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, ImportDialogListsQualifyingPagesAndExplainsAnEmptyList) {
    std::string url, title;
    // Nothing open: the reason, and no dialog.
    EXPECT_FALSE(ImportURL(context, nullptr, TImportKind::Open, url, title));
    pages = {{"http://plain.example/", "Plain"}};
    EXPECT_FALSE(ImportURL(context, nullptr, TImportKind::Search, url, title));
    const auto warnings = Warnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], EmptyImportMessage(TImportKind::Open));
    EXPECT_NE(warnings[1].find("\xABStubText\xBB.\n\rPlease submit a search for \xABStubText\xBB"),
              std::string::npos);

    pages = {{"http://plain.example/", "Plain"}, {kSearchPage, "Results"}, {"", "Broken"}};
    boxes.shown.clear();
    int rows = -1;
    const bool chosen = Drive({[&](HWND dialog) {
                                  EXPECT_EQ(tsy::testing::Text(dialog), "Import search URL");
                                  HWND list = FindWindowExA(FindWindowExA(dialog, nullptr, "#32770", nullptr),
                                                            nullptr, "SysListView32", nullptr);
                                  rows = ListView_GetItemCount(list);
                                  Click(dialog, IDOK); // nothing selected yet
                                  EXPECT_TRUE(IsWindow(dialog));
                                  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
                                  Click(dialog, IDOK);
                              }},
                              [&] { return ImportURL(context, nullptr, TImportKind::Search, url, title); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(rows, 1) << "only the search page qualifies; the unparsable one is skipped";
    EXPECT_EQ(url, "http://find.example/results?q=%s&lang=en%%2Dgb");
    EXPECT_EQ(title, "Results");
    EXPECT_EQ(Warnings(), std::vector<std::string>{"You have to select URL to be used."});

    // A page that is no web page is not taken.
    pages = {{"file:///C:/x.exe", "File"}};
    boxes.shown.clear();
    EXPECT_FALSE(Drive({[](HWND dialog) {
                           HWND list = FindWindowExA(FindWindowExA(dialog, nullptr, "#32770", nullptr),
                                                     nullptr, "SysListView32", nullptr);
                           ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
                           Click(dialog, IDOK);
                           EXPECT_TRUE(IsWindow(dialog));
                           Click(dialog, IDCANCEL);
                       }},
                       [&] { return ImportURL(context, nullptr, TImportKind::Open, url, title); }));
    EXPECT_EQ(Warnings(),
              std::vector<std::string>{"Only web addresses can be stored: \"file:///C:/x.exe\" is "
                                       "not an http or https address."});

    // Cancel gives nothing back.
    url.clear();
    EXPECT_FALSE(Drive({[](HWND dialog) { Click(dialog, IDCANCEL); }},
                       [&] { return ImportURL(context, nullptr, TImportKind::Open, url, title); }));
    EXPECT_TRUE(url.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, SiteEditorValidatesAndKeepsTheSearchTemplateThroughItsDisplayForm) {
    TTarget site = targets.ByID(1);
    site.Charset = "x-mac-cyrillic";
    const bool saved = Drive({[&](HWND editor) {
                                 EXPECT_EQ(tsy::testing::Text(GetDlgItem(editor, IDC_EDT_SEARCH_REQUEST)),
                                           "http://alpha.example/?q=StubText&x=100%");
                                 SetText(editor, IDC_EDT_NAME, "   ");
                                 Click(editor, IDOK);
                                 SetText(editor, IDC_EDT_NAME, " Alpha 2 ");
                                 SetText(editor, IDC_EDT_SEARCH_REQUEST, "http://alpha.example/?q=");
                                 Click(editor, IDOK);
                                 SetText(editor, IDC_EDT_SEARCH_REQUEST, "http://a.example/?q=stubtext&p=5%");
                                 HWND charset = GetDlgItem(editor, IDC_CBX_CHARSET);
                                 EXPECT_EQ(tsy::testing::Text(charset), "x-mac-cyrillic");
                                 SendMessageA(charset, CB_SELECTSTRING, WPARAM(-1), LPARAM("windows-1251"));
                                 Click(editor, IDOK);
                             }},
                             [&] { return EditTarget(context, nullptr, site); });
    EXPECT_TRUE(saved);
    EXPECT_EQ(site.Name, "Alpha 2");
    EXPECT_EQ(site.Search, "http://a.example/?q=%s&p=5%%");
    EXPECT_EQ(site.CatID, 1);
    EXPECT_EQ(site.Charset, "windows-1251");
    ASSERT_EQ(Warnings().size(), 2u);
    EXPECT_EQ(Warnings()[0], "Invalid site data.\n\rYou have to provide valid site name and either a valid "
                             "search request URL or valid open request URL.");
    EXPECT_EQ(Warnings()[1], "Specified search URL is invalid.");

    // A read-only site is not offered; F1 asks for the sites topic.
    TTarget fixed = targets.ByID(2);
    EXPECT_FALSE(EditTarget(context, nullptr, fixed));
    site = targets.ByID(1);
    EXPECT_FALSE(Drive({[](HWND editor) {
                           SendMessageA(editor, WM_HELP, 0, 0);
                           Click(editor, IDCANCEL);
                       }},
                       [&] { return EditTarget(context, nullptr, site); }));
    EXPECT_EQ(help, std::vector<std::string>{"Settings.Sites"});
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, SiteEditorRefusesATakenOrMalformedKeywordAndKeepsAFreeOne) {
    collections.GetItem(0).Keyword = "news";
    TTarget other{0, "Wiki", "", "http://wiki.example/", 0, false, {}, "w"};
    targets.Add(other);
    TTarget site = targets.ByID(1);
    const bool saved = Drive({[&](HWND editor) {
                                 SetText(editor, IDC_EDT_KEYWORD, "W");
                                 Click(editor, IDOK);
                                 SetText(editor, IDC_EDT_KEYWORD, "NEWS");
                                 Click(editor, IDOK);
                                 SetText(editor, IDC_EDT_KEYWORD, "a b");
                                 Click(editor, IDOK);
                                 SetText(editor, IDC_EDT_KEYWORD, " al ");
                                 Click(editor, IDOK);
                             }},
                             [&] { return EditTarget(context, nullptr, site); });
    EXPECT_TRUE(saved);
    EXPECT_EQ(site.Keyword, "al");
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{"The keyword \"W\" belongs to the site \"Wiki\".",
                                        "The keyword \"NEWS\" belongs to the collection \"Search\".",
                                        "A keyword is 1 to 32 letters, digits, \"-\" or \"_\"."}));
    // The site's own keyword is no obstacle to its editing.
    targets.SetItem(0, site);
    EXPECT_TRUE(Drive({[](HWND editor) {
                          EXPECT_EQ(tsy::testing::Text(GetDlgItem(editor, IDC_EDT_KEYWORD)), "al");
                          Click(editor, IDOK);
                      }},
                      [&] { return EditTarget(context, nullptr, site); }));
    EXPECT_EQ(Warnings().size(), 3u);
}

TEST_F(EditorTest, TheSiteEditorsHelpButtonOpensTheSitesTopic) {
    TTarget site = targets.ByID(1);
    EXPECT_FALSE(Drive({[](HWND editor) {
                           Click(editor, IDHELP);
                           Click(editor, IDCANCEL);
                       }},
                       [&] { return EditTarget(context, nullptr, site); }));
    EXPECT_EQ(help, std::vector<std::string>{"Settings.Sites"});
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(EditorTest, SiteEditorImportsPagesAndAppliesItsCollectionTicks) {
    pages = {{"http://home.example/", "Home Page"}, {kSearchPage, "Results"}};
    TTarget site = targets.ByID(1);
    auto pickFirst = [](HWND dialog) {
        HWND list = FindWindowExA(FindWindowExA(dialog, nullptr, "#32770", nullptr), nullptr, "SysListView32",
                                  nullptr);
        ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
        Click(dialog, IDOK);
    };
    const bool saved = Drive({[&](HWND editor) {
                                  SetText(editor, IDC_EDT_NAME, "typed name");
                                  Click(editor, IDC_IMPORT_OPEN_URL);
                                  Click(editor, IDC_IMPORT_SEARCH_URL);
                                  // Tick "Other", untick "Search"; rows are sorted by name.
                                  HWND list = GetDlgItem(FindWindowExA(editor, nullptr, "#32770", nullptr),
                                                         IDC_SITE_COLLECTIONS);
                                  ListView_SetCheckState(list, 0, TRUE);
                                  ListView_SetCheckState(list, 1, FALSE);
                                  Click(editor, IDOK);
                              },
                              pickFirst, pickFirst},
                             [&] { return EditTarget(context, nullptr, site); });
    EXPECT_TRUE(saved);
    EXPECT_EQ(site.Name, "Home Page") << "an imported open URL replaces a typed name";
    EXPECT_EQ(site.Open, "http://home.example/");
    EXPECT_EQ(site.Search, "http://find.example/results?q=%s&lang=en%%2Dgb");
    EXPECT_EQ(collections.ByName("Other").IDs(), (TTargetIDs{2, 1}));
    EXPECT_TRUE(collections.ByName("Search").IDs().empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, CollectionsPanelFoldsBackToTheSameHeightAndIsRemembered) {
    TTarget site = targets.ByID(1);
    int collapsed = 0, expanded = 0, again = 0;
    Drive({[&](HWND editor) {
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(editor, IDC_SHOW_HELPERS)), "Collections >>");
              collapsed = Height(editor);
              Click(editor, IDC_SHOW_HELPERS);
              expanded = Height(editor);
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(editor, IDC_SHOW_HELPERS)), "<< Collections");
              Click(editor, IDC_SHOW_HELPERS);
              Click(editor, IDC_SHOW_HELPERS);
              again = Height(editor);
              Click(editor, IDCANCEL);
          }},
          [&] { return EditTarget(context, nullptr, site); });
    EXPECT_GT(expanded, collapsed);
    EXPECT_EQ(again, expanded);
    // Reopened: expanded as it was left, at the size it was left.
    int reopened = 0;
    bool panelShown = false;
    Drive({[&](HWND editor) {
              reopened = Height(editor);
              panelShown = IsWindowVisible(GetDlgItem(editor, IDC_COLLECTIONS_LABEL)) != FALSE;
              Click(editor, IDCANCEL);
          }},
          [&] { return EditTarget(context, nullptr, site); });
    EXPECT_EQ(reopened, expanded);
    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, AddTargetKeepsANewCollectionButDropsTheCancelledSite) {
    TTarget site;
    const bool added = Drive({[&](HWND editor) {
                                  HWND frame = FindWindowExA(editor, nullptr, "#32770", nullptr);
                                  Click(frame, IDC_ADD_COLLECTION);
                                  Click(editor, IDCANCEL);
                              },
                              [](HWND box) {
                                  SetText(box, IDC_INPUT_VALUE, "Fresh");
                                  Click(box, IDOK);
                              }},
                             [&] { return AddTarget(context, nullptr, site); });
    EXPECT_FALSE(added);
    EXPECT_EQ(targets.Count(), 2);
    EXPECT_NE(collections.IndexOfName("Fresh"), NotFound);

    const bool kept = Drive({[&](HWND editor) {
                                SetText(editor, IDC_EDT_NAME, "New site");
                                SetText(editor, IDC_EDT_OPEN_REQUEST, "http://new.example/");
                                EXPECT_EQ(tsy::testing::Text(GetDlgItem(editor, IDC_CBX_CHARSET)), "UTF-8");
                                Click(editor, IDOK);
                            }},
                            [&] { return AddTarget(context, nullptr, site); });
    EXPECT_TRUE(kept);
    ASSERT_EQ(targets.Count(), 3);
    EXPECT_EQ(targets.GetItem(2).Name, "New site");
    EXPECT_EQ(targets.GetItem(2).ID, site.ID);
    EXPECT_EQ(targets.GetItem(2).Charset, "utf-8");
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorTest, CancelledAddCategoryShowsTheEntryChosenBefore) {
    TTarget site = targets.ByID(1);
    std::string shown;
    Drive({[&](HWND editor) {
               HWND box = GetDlgItem(editor, IDC_CBX_CATEGORY);
               const auto count = SendMessageA(box, CB_GETCOUNT, 0, 0);
               SendMessageA(box, CB_SETCURSEL, WPARAM(count - 1), 0);
               SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_CBX_CATEGORY, CBN_SELCHANGE), LPARAM(box));
               shown = tsy::testing::Text(box);
               Click(editor, IDCANCEL);
           },
           [](HWND prompt) { Click(prompt, IDCANCEL); }},
          [&] { return EditTarget(context, nullptr, site); });
    EXPECT_EQ(shown, "News");
}

// Every text of every dialog fits its control; a run inside a virtual desktop also saves pictures
// of the dialogs as a user sees them.
using DialogPictures = EditorTest;

TEST_F(DialogPictures, EachDialogIsSaved) {
    pages = {{"http://home.example/", "Home Page"}, {kSearchPage, "Results for StubText"}};
    auto save = [](const char* name) {
        return [name](HWND dialog) {
            tsy::testing::SavePicture(dialog, name);
            Click(dialog, IDCANCEL);
        };
    };
    Drive({save("name-prompt")}, [&] { return AddCollectionPrompt(context, nullptr); });
    std::string url, title;
    Drive({save("import-dialog")},
          [&] { return ImportURL(context, nullptr, TImportKind::Open, url, title); });
    TTarget site = targets.ByID(1);
    site.Charset = "windows-1251";
    Drive({save("site-editor")}, [&] { return EditTarget(context, nullptr, site); });
    Drive({[](HWND editor) {
              Click(editor, IDC_SHOW_HELPERS);
              tsy::testing::SavePicture(editor, "site-editor-collections");
              Click(editor, IDCANCEL);
          }},
          [&] { return EditTarget(context, nullptr, site); });

    TVersionInfo version;
    version.File = {1, 0, 0, 1};
    TAboutForm about(context.Dialogs, version);
    Drive({[&](HWND dialog) {
              // The version line draws its placeholders expanded.
              const TAboutLabel& line = about.VersionLine();
              tsy::testing::SavePicture(dialog, "about-box", {{line.Window(), line.DrawnText()}});
              Click(dialog, IDCANCEL);
          }},
          [&] { return about.ShowModal(nullptr); });
    TUpdateServicesContext check;
    check.Running = {1, 0, 0, 1};
    TKVUpdateServices updates(check, RootKey::CurrentUser, "TSY", "", "\\SOFTWARE\\Orvelle\\Tessaly");
    Drive({[](HWND dialog) {
              Click(dialog, IDC_UPD_SHOW_DETAILS);
              tsy::testing::Pump();
              tsy::testing::SavePicture(dialog, "update-details");
              Click(dialog, IDCANCEL);
          }},
          [&] {
              ShowUpdateDialog(context.Dialogs, nullptr, updates);
              return true;
          });
}

TEST_F(DialogPictures, EachWizardPageIsSaved) {
    pages = {{"http://home.example/", "Home Page"}, {kSearchPage, "Results for StubText"}};
    Drive({[](HWND wizard) {
              for (int page = 1; page <= 4; ++page) {
                  // The visible import list of the page, if it has one: its first row is chosen.
                  HWND list = tsy::testing::Descendant(wizard, IDC_URLLIST, true);
                  if (list && page <= 2)
                      ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
                  tsy::testing::SavePicture(wizard, "wizard-page-" + std::to_string(page));
                  if (page < 4)
                      Click(wizard, IDOK);
              }
              Click(wizard, IDCANCEL);
          }},
          [&] { return RunAddSiteWizard(context, nullptr); });
    EXPECT_TRUE(errors.empty());
}

} // namespace
