// The dialog base, the page host and the sortable list view on real dialogs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "AsciiCollation.h"
#include "ModalDriver.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/SortListView.h"
#include "dialogs.h"
#include "support/OwnerStack.h"
#include "support/win32/Dialog.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/PageHost.h"
#include "support/win32/ScreenDpi.h"

namespace {

using namespace tsy;
using namespace tsy::win32;

class TTestDialog : public TDialog {
public:
    TTestDialog(const TDialogEnvironment& environment, int templateId) : TDialog(environment, templateId) {}
    std::function<void(TTestDialog&)> init;
    using TDialog::Anchor;
    using TDialog::SetBold;

protected:
    void HandleInit() override {
        if (init)
            init(*this);
    }
};

class DialogLayerTest : public ::testing::Test {
protected:
    DialogLayerTest() : owners(TWindowHandle(GetDesktopWindow())) {}
    static RECT ClientPlace(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    TOwnerStack owners;
    TDialogEnvironment environment{.Instance = GetModuleHandleA(nullptr), .Owners = &owners};
    std::vector<std::string> errors;
    TScopedErrorHandler errorScope{[this](std::string_view text) { errors.emplace_back(text); }};
};

TEST_F(DialogLayerTest, AFailedInitialisationClosesTheDialogAndIsReported) {
    TTestDialog dialog(environment, IDD_INPUTBOX);
    dialog.init = [](TTestDialog&) { throw std::runtime_error("no catalogue"); };
    EXPECT_EQ(dialog.ShowModal(nullptr), -1);
    EXPECT_EQ(errors, std::vector<std::string>{"no catalogue"});
    EXPECT_EQ(owners.Size(), 1u) << "a dialog that never opened owns nothing";
}

TEST_F(DialogLayerTest, AnchoredControlsFollowTheEdgesAndTheTemplateSizeIsTheSmallest) {
    TTestDialog dialog(environment, IDD_IMPORT);
    dialog.init = [](TTestDialog& d) {
        d.Anchor(IDC_IMPORT_LABEL, akLeft | akTop | akRight);
        d.Anchor(IDOK, akRight | akBottom);
    };
    dialog.CreateModeless(nullptr);
    HWND handle = dialog.Handle();
    const RECT label = ClientPlace(dialog.Item(IDC_IMPORT_LABEL));
    const RECT ok = ClientPlace(dialog.Item(IDOK));
    RECT window;
    GetWindowRect(handle, &window);
    SetWindowPos(handle, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER);
    const RECT wideLabel = ClientPlace(dialog.Item(IDC_IMPORT_LABEL));
    const RECT movedOk = ClientPlace(dialog.Item(IDOK));
    EXPECT_EQ(wideLabel.left, label.left);
    EXPECT_EQ(wideLabel.right, label.right + 100);
    EXPECT_EQ(movedOk.left, ok.left + 100);
    EXPECT_EQ(movedOk.top, ok.top + 40);
    EXPECT_EQ(movedOk.right - movedOk.left, ok.right - ok.left);

    SetWindowPos(handle, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    RECT smallest;
    GetWindowRect(handle, &smallest);
    EXPECT_EQ(smallest.right - smallest.left, window.right - window.left);
    EXPECT_EQ(smallest.bottom - smallest.top, window.bottom - window.top);
}

class TTestPage : public TPage {
public:
    TTestPage(const TDialogEnvironment& environment, int templateId, std::string name,
              std::vector<std::string>& steps)
        : TPage(environment, templateId), name_(std::move(name)), steps_(steps) {}
    void Enter() override { steps_.push_back("enter " + name_); }
    void Leave() override { steps_.push_back("leave " + name_); }

private:
    std::string name_;
    std::vector<std::string>& steps_;
};

TEST_F(DialogLayerTest, PageHostEntersThePageItShowsAndLeavesTheOneItHides) {
    std::vector<std::string> steps;
    TTestDialog host(environment, IDD_IMPORT);
    TTestPage first(environment, IDD_EDITSITEFRAME, "first", steps);
    TTestPage second(environment, IDD_SITECOLLECTIONS, "second", steps);
    TPageHost pages;
    host.init = [&](TTestDialog& d) {
        CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 400, 200,
                        d.Handle(), reinterpret_cast<HMENU>(INT_PTR(IDC_PAGES)), GetModuleHandleA(nullptr),
                        nullptr);
        d.Anchor(IDC_PAGES, akAll);
        pages.Attach(d, IDC_PAGES, true);
        pages.AddPage(first, "First");
        pages.AddPage(second, "Second");
    };
    host.CreateModeless(nullptr);
    EXPECT_EQ(TabCtrl_GetItemCount(pages.Tab()), 2);
    auto shown = [](HWND page) { return (GetWindowLongPtrA(page, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_TRUE(shown(first.Handle()));
    EXPECT_FALSE(shown(second.Handle()));
    EXPECT_TRUE(steps.empty()) << "a page is entered when it is made the active one";

    EXPECT_TRUE(pages.SetActivePage(1));
    EXPECT_EQ(TabCtrl_GetCurSel(pages.Tab()), 1);
    EXPECT_TRUE(shown(second.Handle()));
    EXPECT_FALSE(shown(first.Handle()));
    EXPECT_FALSE(pages.SetActivePage(2));
    EXPECT_TRUE(pages.SetActivePage(0));
    // A click on a tab: the tab control tells the host before and after it changes.
    NMHDR changing{pages.Tab(), UINT_PTR(IDC_PAGES), UINT(TCN_SELCHANGING)};
    EXPECT_EQ(SendMessageA(host.Handle(), WM_NOTIFY, IDC_PAGES, LPARAM(&changing)), 0)
        << "the tab may change";
    TabCtrl_SetCurSel(pages.Tab(), 1);
    NMHDR changed{pages.Tab(), UINT_PTR(IDC_PAGES), UINT(TCN_SELCHANGE)};
    SendMessageA(host.Handle(), WM_NOTIFY, IDC_PAGES, LPARAM(&changed));
    EXPECT_EQ(pages.ActivePage(), 1);
    EXPECT_EQ(steps, (std::vector<std::string>{"enter second", "leave second", "enter first", "leave first",
                                               "enter second"}));
    // Pages sit inside the tab's display area.
    RECT page = ClientPlace(first.Handle());
    EXPECT_GT(page.top, 10);
    // The host resized, the pages fit the tab's new display area.
    RECT window;
    GetWindowRect(host.Handle(), &window);
    SetWindowPos(host.Handle(), nullptr, 0, 0, window.right - window.left + 60,
                 window.bottom - window.top + 30, SWP_NOMOVE | SWP_NOZORDER);
    const RECT fitted = ClientPlace(first.Handle());
    EXPECT_EQ(fitted.right - fitted.left, page.right - page.left + 60);
    EXPECT_EQ(fitted.bottom - fitted.top, page.bottom - page.top + 30);
    EXPECT_TRUE(errors.empty());
}

// Every change of a row is refused, as the collections page does while no collection is
// chosen: sorting must not depend on changing the rows' data.
TEST_F(DialogLayerTest, SortListViewSortsByClickedColumnWithHeaderArrows) {
    fakes::AsciiCollation collation;
    TTestDialog host(environment, IDD_IMPORT);
    TSortListView list(collation);
    bool refuseChanges = true;
    host.init = [&](TTestDialog& d) {
        CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, d.Handle(),
                        reinterpret_cast<HMENU>(INT_PTR(IDC_SITE_COLLECTIONS)), GetModuleHandleA(nullptr),
                        nullptr);
        list.Attach(d, IDC_SITE_COLLECTIONS, false, TSortListView::TSortType::None);
        list.AddColumn("Name", 100);
        list.AddColumn("Place", 100);
        list.AddItem("b", {"2"}, 20);
        list.AddItem("B", {"10"}, 30);
        list.AddItem("a", {std::string(1500, 'z')}, 10);
        list.OnChanging([&](int, bool) { return refuseChanges; });
    };
    host.CreateModeless(nullptr);
    auto captions = [&] {
        std::vector<std::string> texts;
        for (int i = 0; i < list.Count(); ++i)
            texts.push_back(list.ItemText(i));
        return texts;
    };
    auto arrow = [&](int column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(ListView_GetHeader(list.Handle()), HDM_GETITEMA, column, LPARAM(&item));
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    };
    auto click = [&](int column) {
        NMLISTVIEW notice{};
        notice.hdr = {list.Handle(), UINT_PTR(IDC_SITE_COLLECTIONS), UINT(LVN_COLUMNCLICK)};
        notice.iSubItem = column;
        SendMessageA(host.Handle(), WM_NOTIFY, IDC_SITE_COLLECTIONS, LPARAM(&notice));
    };
    click(0);
    EXPECT_EQ(captions(), (std::vector<std::string>{"a", "b", "B"}));
    EXPECT_EQ(arrow(0), HDF_SORTUP);
    EXPECT_EQ(list.ItemData(0), 10) << "rows keep their data";
    EXPECT_EQ(list.ItemText(0, 1), std::string(1500, 'z')) << "cells are read whole";
    click(0);
    EXPECT_EQ(captions(), (std::vector<std::string>{"B", "b", "a"}));
    EXPECT_EQ(arrow(0), HDF_SORTDOWN);
    // Texts, not numbers: "10" before "2".
    click(1);
    EXPECT_EQ(arrow(0), 0);
    EXPECT_EQ(arrow(1), HDF_SORTUP);
    auto place = [&](const char* text) {
        for (int i = 0; i < list.Count(); ++i)
            if (list.ItemText(i, 1) == text)
                return i;
        return -1;
    };
    EXPECT_LT(place("10"), place("2"));

    // A width set by dragging clears the header's arrow; the list puts it back.
    HDITEMA plain{};
    plain.mask = HDI_FORMAT;
    plain.fmt = HDF_STRING;
    SendMessageA(ListView_GetHeader(list.Handle()), HDM_SETITEMA, 1, LPARAM(&plain));
    NMHEADERA tracked{};
    tracked.hdr = {ListView_GetHeader(list.Handle()), 0, UINT(HDN_ENDTRACKA)};
    tracked.iItem = 1;
    SendMessageA(list.Handle(), WM_NOTIFY, 0, LPARAM(&tracked));
    EXPECT_EQ(arrow(1), HDF_SORTUP);

    // Moving rows by hand once sorting is stopped.
    refuseChanges = false;
    list.StopSorting();
    EXPECT_EQ(arrow(1), 0);
    list.SelectItem(0);
    const std::string moved = list.ItemText(0);
    list.MoveSelected(1);
    EXPECT_EQ(list.ItemText(1), moved);
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_TRUE(errors.empty());
}

// Orders in which most rows travel far: the list reports items by their current places, which
// change under a sort in place, so a sort that takes them for the places before it goes wrong.
TEST_F(DialogLayerTest, SortListViewSortsRowsThatMustMoveFarKeepingDataChecksAndSelection) {
    fakes::AsciiCollation collation;
    const std::vector<std::vector<std::string>> orders = {
        {"Zulu", "Alpha", "Mike", "Bravo"},
        {"b", "a"},
        {"Golf", "Echo", "Charlie", "Alpha", "Foxtrot", "Delta", "Bravo"},
        [] {
            std::vector<std::string> rows;
            for (int i = 0; i < 50; ++i)
                rows.push_back("Row " + std::to_string(10 + (i * 13 + 7) % 50));
            return rows;
        }()};
    for (const auto& order : orders) {
        SCOPED_TRACE(order.front() + ", " + std::to_string(order.size()) + " rows");
        TTestDialog host(environment, IDD_IMPORT);
        TSortListView list(collation);
        bool refuseChanges = false;
        host.init = [&](TTestDialog& d) {
            CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0,
                            300, 200, d.Handle(), reinterpret_cast<HMENU>(INT_PTR(IDC_SITE_COLLECTIONS)),
                            GetModuleHandleA(nullptr), nullptr);
            list.Attach(d, IDC_SITE_COLLECTIONS, true, TSortListView::TSortType::None);
            list.AddColumn("Site", 100);
            for (std::size_t i = 0; i < order.size(); ++i)
                list.AddItem(order[i], {}, LPARAM(i));
            list.OnChanging([&](int, bool) { return refuseChanges; });
        };
        host.CreateModeless(nullptr);
        const int count = int(order.size());
        for (int i = 0; i < count; i += 2)
            list.SetChecked(i, true);
        list.SelectItem(count - 1);
        std::vector<std::string> sorted = order;
        std::sort(sorted.begin(), sorted.end(),
                  [&](const std::string& a, const std::string& b) { return collation.Compare(a, b) < 0; });
        auto expectOrder = [&](const std::vector<std::string>& expected) {
            for (int i = 0; i < count; ++i) {
                const std::size_t was = std::size_t(list.ItemData(i));
                ASSERT_EQ(list.ItemText(i), expected[std::size_t(i)]) << "row " << i;
                EXPECT_EQ(order[was], expected[std::size_t(i)]) << "the row keeps its data";
                EXPECT_EQ(list.Checked(i), was % 2 == 0) << "the row keeps its check";
            }
            EXPECT_EQ(list.ItemText(list.SelectedIndex()), order.back()) << "the selection stays on its row";
        };
        refuseChanges = true;
        NMLISTVIEW click{};
        click.hdr = {list.Handle(), UINT_PTR(IDC_SITE_COLLECTIONS), UINT(LVN_COLUMNCLICK)};
        SendMessageA(host.Handle(), WM_NOTIFY, IDC_SITE_COLLECTIONS, LPARAM(&click));
        expectOrder(sorted);
        SendMessageA(host.Handle(), WM_NOTIFY, IDC_SITE_COLLECTIONS, LPARAM(&click));
        expectOrder(std::vector<std::string>(sorted.rbegin(), sorted.rend()));
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(DialogLayerTest, CheckBoxWithTopLayoutIsMadeAnewWithItsStateAndPlace) {
    TTestDialog host(environment, IDD_INPUTBOX);
    host.CreateModeless(nullptr);
    HWND made = CreateWindowExA(
        0, "BUTTON", "Line one\nline two", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 5, 40, 120,
        30, host.Handle(), reinterpret_cast<HMENU>(INT_PTR(77)), GetModuleHandleA(nullptr), nullptr);
    TCheckBoxEx box;
    box.Attach(made);
    box.SetChecked(true);
    box.SetLayout(TTextLayout::tlTop);
    EXPECT_FALSE(IsWindow(made));
    EXPECT_EQ(box.Handle(), host.Item(77));
    EXPECT_TRUE(GetWindowLongPtrA(box.Handle(), GWL_STYLE) & BS_TOP);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(tsy::testing::Text(box.Handle()), "Line one\nline two");
    EXPECT_EQ(ClientPlace(box.Handle()).top, 40);
}

// Windows lays out what the dialog manager made; the bold font, the columns, the anchored places
// and the size limits are the program's, in the dialog and in the frames it hosts.
TEST_F(DialogLayerTest, ADpiChangeRescalesWhatTheDialogManagerDoesNotOwn) {
    TTestDialog dialog(environment, IDD_IMPORT);
    TTestDialog frame(environment, IDD_SITECOLLECTIONS);
    dialog.init = [&](TTestDialog& d) {
        d.SetBold(IDC_IMPORT_LABEL);
        d.Anchor(IDOK, akRight | akBottom);
        HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 30, 200, 80,
                                    d.Handle(), reinterpret_cast<HMENU>(INT_PTR(77)),
                                    GetModuleHandleA(nullptr), nullptr);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 100;
        ListView_InsertColumn(list, 0, &column);
        frame.CreateModeless(d.Handle());
        ListView_InsertColumn(frame.Item(IDC_SITE_COLLECTIONS), 0, &column);
    };
    dialog.CreateModeless(nullptr);
    HWND handle = dialog.Handle();
    const int before = dialog.Dpi();
    ASSERT_EQ(before, WindowDpi(handle));
    const int after = before * 3 / 2;
    const auto fontHeight = [](HWND control) {
        LOGFONTA face{};
        GetObjectA(HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof face, &face);
        return face.lfHeight;
    };
    const auto minimumSize = [&] {
        MINMAXINFO info{};
        SendMessageA(handle, WM_GETMINMAXINFO, 0, LPARAM(&info));
        return info.ptMinTrackSize;
    };
    RECT client, window;
    GetClientRect(handle, &client);
    GetWindowRect(handle, &window);
    const RECT ok = ClientPlace(dialog.Item(IDOK));
    const LONG boldHeight = fontHeight(dialog.Item(IDC_IMPORT_LABEL));
    const POINT smallest = minimumSize();

    RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                   window.top + (window.bottom - window.top) * 3 / 2};
    SendMessageA(handle, kDpiChangedMessage, MAKEWPARAM(after, after), LPARAM(&suggested));
    // Where the dialog manager does not take the suggested rectangle itself, the test does.
    SetWindowPos(handle, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER);
    EXPECT_EQ(dialog.Dpi(), after);
    EXPECT_EQ(frame.Dpi(), after) << "the hosted frame follows";
    EXPECT_EQ(fontHeight(dialog.Item(IDC_IMPORT_LABEL)), MulDiv(boldHeight, after, before));
    EXPECT_EQ(ListView_GetColumnWidth(dialog.Item(77), 0), 150);
    EXPECT_EQ(ListView_GetColumnWidth(frame.Item(IDC_SITE_COLLECTIONS), 0), 150);
    EXPECT_EQ(minimumSize().x, MulDiv(smallest.x, after, before));
    EXPECT_EQ(minimumSize().y, MulDiv(smallest.y, after, before));
    RECT newClient;
    GetClientRect(handle, &newClient);
    const RECT moved = ClientPlace(dialog.Item(IDOK));
    EXPECT_NEAR(newClient.right - moved.right, MulDiv(client.right - ok.right, after, before), 1)
        << "the anchored button keeps its scaled margin";
    EXPECT_NEAR(moved.right - moved.left, MulDiv(ok.right - ok.left, after, before), 1);
    EXPECT_TRUE(errors.empty());
}

} // namespace
