// The add-site wizard driven through its controls, page by page.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "AsciiCollation.h"
#include "EditorFixture.h"
#include "FakeKeyValueStore.h"
#include "ModalDriver.h"
#include "RecordingMessageBoxes.h"
#include "browsers/SearchUrl.h"
#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "settings/PersistentUI.h"
#include "support/OwnerStack.h"
#include "support/win32/ErrorBoundary.h"
#include "ui/WizardRules.h"
#include "ui/win32/EditorContext.h"
#include "ui/win32/FrmAddSiteWizard.h"

namespace {

using namespace tsy;
using namespace tsy::win32;
using tsy::testing::Click;
using tsy::testing::Descendant;
using tsy::testing::Text;
using tsy::testing::TModalDriver;
using Kind = fakes::RecordingMessageBoxes::Kind;

constexpr const char* kHomePage = "http://home.example/";
constexpr const char* kSearchPage = "http://find.example/results?q=StubText&lang=en%2Dgb";

// The wizard's controls as a user finds them on its pages.
struct TWizardView {
    explicit TWizardView(HWND wizard)
        : Wizard(wizard), OpenPage(GetParent(Descendant(wizard, IDC_MANUAL_OPEN_DATA))),
          SearchPage(GetParent(Descendant(wizard, IDC_MANUAL_SEARCH_DATA))),
          SiteFrame(GetParent(Descendant(wizard, IDC_SITE_NAME))),
          OpenList(Descendant(OpenPage, IDC_URLLIST)), SearchList(Descendant(SearchPage, IDC_URLLIST)),
          Collections(Descendant(wizard, IDC_SITE_COLLECTIONS)) {}

    std::string Caption() const { return Text(Wizard); }
    void Next() const { Click(Wizard, IDOK); }
    void Back() const { Click(Wizard, IDC_WIZARD_BACK); }
    static void Select(HWND list, int row) { ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED); }
    static int Selected(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }
    static void Toggle(HWND page, int id) {
        CheckDlgButton(page, id, IsDlgButtonChecked(page, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        Click(page, id);
    }
    static bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
    static void DoubleClick(HWND list) {
        NMITEMACTIVATE item{};
        item.hdr = {list, UINT_PTR(IDC_URLLIST), UINT(NM_DBLCLK)};
        item.iItem = Selected(list);
        SendMessageA(GetParent(list), WM_NOTIFY, IDC_URLLIST, LPARAM(&item));
    }
    std::string Field(int id) const { return Text(GetDlgItem(SiteFrame, id)); }
    void SetField(int id, const std::string& text) const {
        SetWindowTextA(GetDlgItem(SiteFrame, id), text.c_str());
    }

    HWND Wizard, OpenPage, SearchPage, SiteFrame, OpenList, SearchList, Collections;
};

class WizardTest : public tsy::testing::TEditorFixture {
protected:
    WizardTest() {
        targets.Append({1, "Alpha", "http://alpha.example/?q=%s", "http://alpha.example/", 1, false, {}, {}});
        targets.Append({2, "Beta", "", "http://beta.example/", 0, false, {}, {}});
        categories.Append({1, "News"});
        categories.Append({2, "Books"});
        collections.Append("Search").SetIDs({1});
        collections.Append("Other").SetIDs({2});
        pages = {{kHomePage, "Home Page"}, {kSearchPage, "Results"}};
    }

    // Runs the wizard with one step that drives all its pages; its result.
    bool Run(const std::function<void(const TWizardView&)>& step) {
        TModalDriver driver({[&](HWND wizard) { step(TWizardView(wizard)); }});
        const bool done = RunAddSiteWizard(context, nullptr);
        EXPECT_TRUE(driver.AllStepsRun()) << "the wizard did not open";
        EXPECT_FALSE(driver.TimedOut());
        return done;
    }
    // Through the import pages with their first rows to the review page.
    static void ToReview(const TWizardView& view) {
        TWizardView::Select(view.OpenList, 0);
        view.Next();
        TWizardView::Select(view.SearchList, 0);
        view.Next();
    }
    std::vector<TTarget> Sites() const {
        std::vector<TTarget> sites;
        for (const auto& site : targets)
            sites.push_back(site);
        return sites;
    }
    std::vector<std::pair<std::string, TTargetIDs>> Members() const {
        std::vector<std::pair<std::string, TTargetIDs>> members;
        for (const auto& collection : collections)
            members.emplace_back(collection.Name(), collection.IDs());
        return members;
    }
};

TEST_F(WizardTest, PageLeaveWarningsKeepTheWizardOnItsPage) {
    std::vector<std::string> captions;
    std::string trimmedName = "?";
    boxes.confirmAnswers = {false};
    const bool done = Run([&](const TWizardView& view) {
        captions.push_back(view.Caption());
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(view.Wizard, IDC_WIZARD_BACK)));
        EXPECT_EQ(Text(GetDlgItem(view.Wizard, IDOK)), "Next  >");
        SendMessageA(view.Wizard, WM_HELP, 0, 0);
        view.Next();
        captions.push_back(view.Caption());
        TWizardView::Select(view.OpenList, 0);
        view.Next();
        view.Next();
        captions.push_back(view.Caption());
        TWizardView::Select(view.SearchList, 0);
        view.Next();
        view.SetField(IDC_SITE_NAME, "  \t");
        view.Next();
        trimmedName = view.Field(IDC_SITE_NAME);
        view.SetField(IDC_SITE_NAME, "Site");
        view.SetField(IDC_OPEN_URL, "localhost");
        view.Next();
        view.SetField(IDC_OPEN_URL, " a.b.de ");
        view.SetField(IDC_SEARCH_URL, "nowhere");
        view.Next();
        captions.push_back(view.Caption());
        view.SetField(IDC_SEARCH_URL, "a.bc/path");
        view.Next();
        EXPECT_EQ(view.Field(IDC_OPEN_URL), "a.b.de") << "trimmed in place";
        captions.push_back(view.Caption());
        EXPECT_EQ(Text(GetDlgItem(view.Wizard, IDOK)), "Done");
        // Nothing ticked: the skip question, answered No, keeps the page.
        view.Next();
        captions.push_back(view.Caption());
        Click(view.Wizard, IDCANCEL);
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Add New Site (step 1 of 4)", "Add New Site (step 1 of 4)",
                                        "Add New Site (step 2 of 4)", "Add New Site (step 3 of 4)",
                                        "Add New Site (step 4 of 4)", "Add New Site (step 4 of 4)"}));
    EXPECT_EQ(trimmedName, "");
    EXPECT_EQ(help, std::vector<std::string>{"Usage.AddSiteWizard"});
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{
                  "Please, select the URL to be used to open the site first.",
                  "Please, select the URL to use site's search first.",
                  "Please, provide site name and at least one of URLs - to open the site or to use "
                  "site's search.",
                  "Open URL seems to be invalid. Please, specify correct URL before continue.",
                  "Search URL seems to be invalid. Please, specify correct URL before continue."}));
    ASSERT_EQ(boxes.shown.back().kind, Kind::Confirm);
    EXPECT_EQ(boxes.shown.back().text, "Do you want to skip adding the site to collections and do it later?");
    EXPECT_TRUE(errors.empty());
}

TEST_F(WizardTest, EmptyListsShowTheWizardTextsAndTickTheManualBoxes) {
    pages = {{kHomePage, "Home Page"}};
    std::string openMessage, searchMessage;
    bool openManual = true, searchManual = false, searchFrameEnabled = true;
    Run([&](const TWizardView& view) {
        openManual = TWizardView::Checked(view.OpenPage, IDC_MANUAL_OPEN_DATA);
        pages.clear();
        // Back to the first page lists what is open now.
        TWizardView::Select(view.OpenList, 0);
        view.Next();
        searchMessage = Text(Descendant(view.SearchPage, IDC_IMPORT_MESSAGE));
        searchManual = TWizardView::Checked(view.SearchPage, IDC_MANUAL_SEARCH_DATA);
        searchFrameEnabled = IsWindowEnabled(GetParent(view.SearchList)) != FALSE;
        view.Back();
        openMessage = Text(Descendant(view.OpenPage, IDC_IMPORT_MESSAGE));
        EXPECT_TRUE(TWizardView::Checked(view.OpenPage, IDC_MANUAL_OPEN_DATA));
        EXPECT_FALSE(IsWindowVisible(view.OpenList));
        Click(view.Wizard, IDCANCEL);
    });
    EXPECT_FALSE(openManual) << "a page to choose from leaves the box unticked";
    EXPECT_TRUE(searchManual);
    EXPECT_FALSE(searchFrameEnabled);
    EXPECT_EQ(
        searchMessage,
        "No open web-pages found containing a search request or your search was not recognized by Tessaly "
        "properly.\n\r\n\rPlease submit a search for \xABStubText\xBB and then re-run the wizard.");
    EXPECT_EQ(openMessage,
              "No open web-pages found. Either you do not have any web-pages open or all the open "
              "pages are suitable only for the Search command.\n\r\n\rPlease open the page you "
              "want to import and then re-run the wizard.");
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(WizardTest, ManualBoxesDisableTheFramesAndEmptyTheReviewFields) {
    TWizardSiteFields review{"?", "?", "?"};
    COLORREF ticked = 0, unticked = 0;
    LONG_PTR alignment = 0;
    Run([&](const TWizardView& view) {
        alignment =
            GetWindowLongPtrA(GetDlgItem(view.OpenPage, IDC_MANUAL_OPEN_DATA), GWL_STYLE) & BS_VCENTER;
        TWizardView::Select(view.OpenList, 0);
        TWizardView::Toggle(view.OpenPage, IDC_MANUAL_OPEN_DATA);
        EXPECT_FALSE(IsWindowEnabled(GetParent(view.OpenList)));
        ticked = ListView_GetBkColor(view.OpenList);
        TWizardView::Toggle(view.OpenPage, IDC_MANUAL_OPEN_DATA);
        EXPECT_TRUE(IsWindowEnabled(GetParent(view.OpenList)));
        unticked = ListView_GetBkColor(view.OpenList);
        TWizardView::Toggle(view.OpenPage, IDC_MANUAL_OPEN_DATA);
        view.Next();
        TWizardView::Select(view.SearchList, 0);
        TWizardView::Toggle(view.SearchPage, IDC_MANUAL_SEARCH_DATA);
        view.Next();
        review = {view.Field(IDC_SITE_NAME), view.Field(IDC_OPEN_URL), view.Field(IDC_SEARCH_URL)};
        Click(view.Wizard, IDCANCEL);
    });
    EXPECT_EQ(alignment, BS_TOP) << "the caption sits at the top of the box";
    EXPECT_EQ(ticked, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(unticked, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(review.Name, "");
    EXPECT_EQ(review.Open, "");
    EXPECT_EQ(review.Search, "");
    EXPECT_TRUE(Warnings().empty()) << "a ticked box lets the page go without a row";
}

TEST_F(WizardTest, BackFromTheCollectionsPageRemovesTheSiteAndKeepsTheFields) {
    int sitesOnLastPage = 0, sitesAfterBack = 0;
    std::string keptName;
    int openRowAfterBack = -1;
    pages.push_back({"http://other.example/", "Other Page"});
    Run([&](const TWizardView& view) {
        TWizardView::Select(view.OpenList, 2);
        view.Next();
        // The list is made anew on the way back; the chosen page stays chosen where it now is.
        pages.insert(pages.begin(), {"http://new.example/", "New Page"});
        view.Back();
        openRowAfterBack = TWizardView::Selected(view.OpenList);
        view.Next();
        TWizardView::Select(view.SearchList, 0);
        view.Next();
        view.SetField(IDC_SITE_NAME, "Edited");
        view.Next();
        sitesOnLastPage = targets.Count();
        view.Back();
        sitesAfterBack = targets.Count();
        keptName = view.Field(IDC_SITE_NAME);
        view.Next();
        Click(view.Wizard, IDCANCEL);
    });
    EXPECT_EQ(openRowAfterBack, 3);
    EXPECT_EQ(sitesOnLastPage, 3);
    EXPECT_EQ(sitesAfterBack, 2);
    EXPECT_EQ(keptName, "Edited");
    EXPECT_TRUE(Warnings().empty()) << "going back is never refused";
}

TEST_F(WizardTest, DoneAppliesTheTicksAndTheCapturedSearchExpandsToThePage) {
    std::string searchField;
    const bool done = Run([&](const TWizardView& view) {
        ToReview(view);
        searchField = view.Field(IDC_SEARCH_URL);
        HWND category = GetDlgItem(view.SiteFrame, IDC_SITE_CATEGORY);
        SendMessageA(category, CB_SELECTSTRING, WPARAM(-1), LPARAM("Books"));
        view.Next();
        // Sorted rows: "Other", then "Search".
        ListView_SetCheckState(view.Collections, 0, TRUE);
        view.Next();
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(searchField, "http://find.example/results?q=%s&lang=en%%2Dgb");
    ASSERT_EQ(targets.Count(), 3);
    const TTarget site = targets.GetItem(2);
    EXPECT_EQ(site.ID, 3);
    EXPECT_EQ(site.Name, "Home Page");
    EXPECT_EQ(site.Open, kHomePage);
    EXPECT_EQ(site.CatID, 2);
    EXPECT_EQ(collections.ByName("Other").IDs(), (TTargetIDs{2, 3}));
    EXPECT_EQ(collections.ByName("Search").IDs(), (TTargetIDs{1}));
    EXPECT_EQ(ExpandSearchURL(site.Search, PrepareSearchText("new text")),
              "http://find.example/results?q=new+text&lang=en%2Dgb");
    EXPECT_TRUE(boxes.shown.empty()) << "a ticked collection asks nothing";
    EXPECT_EQ(owners.Size(), 1u);
    EXPECT_TRUE(
        registry.Exists(RootKey::CurrentUser, "SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\AddSiteWizard"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(WizardTest, CancelAfterTheCollectionsPageLeavesTheCatalogueAsBefore) {
    const auto sites = Sites();
    const auto members = Members();
    for (bool closeBox : {false, true}) {
        const bool done = Run([&](const TWizardView& view) {
            ToReview(view);
            view.Next();
            ListView_SetCheckState(view.Collections, 1, TRUE);
            if (closeBox)
                SendMessageA(view.Wizard, WM_CLOSE, 0, 0);
            else
                Click(view.Wizard, IDCANCEL);
        });
        EXPECT_FALSE(done);
        EXPECT_EQ(Sites(), sites);
        EXPECT_EQ(Members(), members);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(WizardTest, DoubleClickOnARowPressesNext) {
    std::vector<std::string> captions;
    Run([&](const TWizardView& view) {
        TWizardView::DoubleClick(view.OpenList);
        captions.push_back(view.Caption());
        TWizardView::Select(view.OpenList, 1);
        TWizardView::DoubleClick(view.OpenList);
        captions.push_back(view.Caption());
        TWizardView::Select(view.SearchList, 0);
        TWizardView::DoubleClick(view.SearchList);
        captions.push_back(view.Caption());
        Click(view.Wizard, IDCANCEL);
    });
    EXPECT_EQ(captions, (std::vector<std::string>{"Add New Site (step 1 of 4)", "Add New Site (step 2 of 4)",
                                                  "Add New Site (step 3 of 4)"}));
    EXPECT_TRUE(boxes.shown.empty()) << "a double-click off the rows does nothing";
}

} // namespace
