#include "controls/win32/MRUEdit.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/SystemCollation.h"

#include "support/AnsiCodePage.h"
#include "support/Unicode.h"

#include "FakeKeyValueStore.h"
#include "TestWindow.h"
#include "WideCaseCollation.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tsy::win32 {

namespace {

using Texts = std::vector<std::u16string>;

std::string Wide(std::u16string_view text) {
    const std::vector<std::uint8_t> bytes = Utf16LEBytes(text);
    return std::string(bytes.begin(), bytes.end());
}

class MRUEditTest : public ::testing::Test {
protected:
    fakes::WideCaseCollation collation;
    TAnsiCodePage codePage;
    tsy::testing::TestWindow parent;
    TMRUEdit box{collation, codePage};
    fakes::FakeKeyValueStore store;

    void SetUp() override { ASSERT_TRUE(box.Create(parent.Get(), 10, 10, 10, 200, 21)); }

    void Type(std::u16string_view chars) {
        for (char16_t c : chars) {
            SendMessageW(box.EditHandle(), WM_CHAR, c, 1);
        }
    }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageA(box.EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void Load() { box.LoadMRU(store, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName); }
    void Save() { box.SaveMRU(store, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName); }
    std::string StoredBytes() const {
        const RawValue* v = store.Find(RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
        return v ? std::string(v->data.begin(), v->data.end()) : std::string("<missing>");
    }
};

} // namespace

TEST_F(MRUEditTest, IsAnEditableDropDownWithAnEditChild) {
    EXPECT_EQ(GetWindowLongPtrA(box.Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_NE(box.EditHandle(), nullptr);
    EXPECT_EQ(GetParent(box.EditHandle()), box.Handle());
    EXPECT_EQ(box.MRULimit(), 10);
    EXPECT_FALSE(box.MRUIsSorted());
}

TEST_F(MRUEditTest, AddingATextPutsItOnTopOfTheListAndInTheBox) {
    box.AddSearchText(u"y");
    box.AddSearchText(u"ABC");
    box.AddSearchText(u"x");
    box.AddSearchText(u"abc");
    EXPECT_EQ(box.DropDownItems(), (Texts{u"abc", u"x", u"y"}));
    EXPECT_EQ(box.Text(), u"abc");
    EXPECT_TRUE(box.RemoveFromMRU(u"X"));
    box.AddToMRU(u"z", 1);
    box.AddSearchText(u"abc");
    EXPECT_EQ(box.DropDownItems(), (Texts{u"abc", u"z", u"y"}));
}

TEST_F(MRUEditTest, CurrentTextIsRecordedAsTyped) {
    box.SetText(u"  two words ");
    box.AddCurrentText();
    EXPECT_EQ(box.DropDownItems(), Texts{u"  two words "});
    EXPECT_EQ(box.Text(), u"  two words ");
}

TEST_F(MRUEditTest, SortedListWhileTheStoredValueKeepsRecentOrder) {
    for (const char16_t* t : {u"fig", u"Apple", u"pear"}) {
        box.AddSearchText(t);
    }
    box.SetText(u"typed");
    box.SetMRUIsSorted(true);
    EXPECT_EQ(box.DropDownItems(), (Texts{u"Apple", u"fig", u"pear"}));
    EXPECT_EQ(box.Text(), u"typed");
    Save();
    EXPECT_EQ(StoredBytes(), Wide(std::u16string_view(u"pear\0Apple\0fig\0\0", 16)));
    box.SetMRUIsSorted(false);
    EXPECT_EQ(box.DropDownItems(), (Texts{u"pear", u"Apple", u"fig"}));
}

TEST_F(MRUEditTest, LoadingFillsTheListAndKeepsTheText) {
    store.At(RootKey::CurrentUser, kSearchHistoryKeyPath).values["searchmru"] =
        RawValue{ValueType::MultiString, {'a', 0, 'A', 0, 'b', 0, 0}};
    box.SetText(u"last search");
    Load();
    EXPECT_EQ(box.DropDownItems(), (Texts{u"a", u"b"}));
    EXPECT_EQ(box.Text(), u"last search");
}

TEST_F(MRUEditTest, UnreadableStoreStillShowsTheHistory) {
    box.AddSearchText(u"kept");
    store.failOpen = true;
    Load();
    EXPECT_EQ(box.DropDownItems(), Texts{u"kept"});
}

TEST_F(MRUEditTest, ClearingEmptiesListAndStoredValueButNotTheText) {
    box.AddSearchText(u"a");
    box.AddSearchText(u"b");
    box.ClearMRU();
    EXPECT_TRUE(box.DropDownItems().empty());
    EXPECT_TRUE(box.History().Entries().empty());
    EXPECT_EQ(box.Text(), u"b");
    Save();
    EXPECT_EQ(StoredBytes(), std::string(2, '\0'));
}

TEST_F(MRUEditTest, TypingIsCompletedFromTheFirstMatchingItem) {
    for (const char16_t* t : {u"wikipedia", u"Wiki", u"weather"}) {
        box.AddSearchText(t);
    }
    box.SetText(u"");
    SetFocus(box.EditHandle());
    Type(u"w");
    EXPECT_EQ(box.Text(), u"weather");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 7}));
    Type(u"I"); // replaces the completed part
    EXPECT_EQ(box.Text(), u"wIki");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 4}));
    Type(u"kipx");
    EXPECT_EQ(box.Text(), u"wIkipx");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{6, 6}));
}

TEST_F(MRUEditTest, NoCompletionWhenSwitchedOffOrEditingInTheMiddle) {
    box.AddSearchText(u"weather");
    box.SetText(u"");
    box.SetAutoComplete(false);
    Type(u"we");
    EXPECT_EQ(box.Text(), u"we");

    box.SetAutoComplete(true);
    box.SetText(u"wx");
    SendMessageA(box.EditHandle(), EM_SETSEL, 1, 2);
    Type(u"e"); // replacing a selection at the end completes too
    EXPECT_EQ(box.Text(), u"weather");
    box.SetText(u"xwe");
    SendMessageA(box.EditHandle(), EM_SETSEL, 0, 1);
    Type(u"y");
    EXPECT_EQ(box.Text(), u"ywe");
}

TEST_F(MRUEditTest, EnterRunsTheOwnersHandlerWithoutTypingIt) {
    int runs = 0;
    box.SetOnEnter([&] { ++runs; });
    box.SetText(u"query");
    SendMessageA(box.EditHandle(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(box.EditHandle(), WM_CHAR, '\r', 1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(box.Text(), u"query");
    SendMessageA(box.EditHandle(), WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(runs, 1);
}

TEST_F(MRUEditTest, AnErrorOfTheEnterHandlerGoesToTheErrorBoxNotToWindows) {
    std::vector<std::string> shown;
    TScopedErrorHandler errors([&](std::string_view text) { shown.emplace_back(text); });
    box.SetOnEnter([] { throw std::runtime_error("Browser not found."); });
    EXPECT_EQ(SendMessageA(box.EditHandle(), WM_KEYDOWN, VK_RETURN, 1), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Browser not found.");
    box.SetText(u"still here");
    EXPECT_EQ(box.Text(), u"still here");
}

TEST_F(MRUEditTest, EnablingFollowsTheControl) {
    box.SetEnabled(false);
    EXPECT_FALSE(box.Enabled());
    EXPECT_FALSE(IsWindowEnabled(box.Handle()));
    box.SetEnabled(true);
    EXPECT_TRUE(box.Enabled());
}

TEST(MRUEditLifetime, DestroyingTheParentFirstIsSafe) {
    fakes::WideCaseCollation collation;
    TAnsiCodePage codePage;
    auto parent = std::make_unique<tsy::testing::TestWindow>();
    TMRUEdit box(collation, codePage);
    ASSERT_TRUE(box.Create(parent->Get(), 1, 0, 0, 100, 21));
    box.AddSearchText(u"a");
    HWND edit = box.EditHandle();
    parent.reset();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(box.EditHandle(), nullptr);
}

} // namespace tsy::win32

namespace tsy::win32 {

TEST(MRUEditSystemCollation, CapitalsOutsideTheCodePageMatchAndLookAlikesStayApart) {
    TSystemWideCollation collation;
    TAnsiCodePage codePage;
    tsy::testing::TestWindow parent;
    TMRUEdit box(collation, codePage);
    ASSERT_TRUE(box.Create(parent.Get(), 1, 0, 0, 200, 21));
    EXPECT_TRUE(IsWindowUnicode(box.Handle()));
    EXPECT_TRUE(IsWindowUnicode(box.EditHandle()));
    box.AddSearchText(u"\u00c9clair \u0391\u0398\u0397\u039d\u0391");
    box.AddSearchText(u"stra\u00dfe");
    box.AddSearchText(u"x");
    box.AddSearchText(u"\u00e9CLAIR \u03b1\u03b8\u03b7\u03bd\u03b1");
    box.AddSearchText(u"strasse");
    EXPECT_EQ(box.DropDownItems(),
              (std::vector<std::u16string>{u"strasse", u"\u00e9CLAIR \u03b1\u03b8\u03b7\u03bd\u03b1", u"x",
                                           u"stra\u00dfe"}));
    // Typed characters that the code page lacks reach the box whole, and complete.
    box.SetText(u"");
    SendMessageW(box.EditHandle(), WM_CHAR, 0xC9, 1);
    EXPECT_EQ(box.Text(), u"\u00c9CLAIR \u03b1\u03b8\u03b7\u03bd\u03b1");
    box.SetText(u"");
    for (char16_t c : std::u16string_view(u"\u6771\u4eac"))
        SendMessageW(box.EditHandle(), WM_CHAR, c, 1);
    EXPECT_EQ(box.Text(), u"\u6771\u4eac");
}

TEST_F(MRUEditTest, TypingAKeywordListsTheKeywordsAndChoosingOneLeavesItReadyForTheText) {
    box.AddSearchText(u"old search");
    box.SetText(u"");
    box.SetKeywordChoices({{u"wiki", u"Wikipedia"}, {u"news", u"News"}});
    Type(u"!w");
    EXPECT_EQ(box.DropDownItems(), Texts{u"!wiki  Wikipedia"});
    EXPECT_EQ(box.Text(), u"!w") << "the keyword list completes nothing inline";
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 2}));

    // The box takes the chosen item's text as a selection from its list does.
    SendMessageW(box.Handle(), CB_SETCURSEL, 0, 0);
    EXPECT_EQ(box.Text(), u"!wiki ");
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{6, 6}));

    Type(u"p");
    EXPECT_EQ(box.DropDownItems(), Texts{u"old search"}) << "the history is back once the text follows";
}

} // namespace tsy::win32
