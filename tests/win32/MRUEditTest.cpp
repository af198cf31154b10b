#include "controls/win32/MRUEdit.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/SystemCollation.h"

#include "AsciiCollation.h"
#include "FakeKeyValueStore.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tsy::win32 {

namespace {

using Texts = std::vector<std::string>;

class MRUEditTest : public ::testing::Test {
protected:
    fakes::AsciiCollation collation;
    tsy::testing::TestWindow parent;
    TMRUEdit box{collation};
    fakes::FakeKeyValueStore store;

    void SetUp() override { ASSERT_TRUE(box.Create(parent.Get(), 10, 10, 10, 200, 21)); }

    void Type(std::string_view chars) {
        for (char c : chars) {
            SendMessageA(box.EditHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
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
    box.AddSearchText("y");
    box.AddSearchText("ABC");
    box.AddSearchText("x");
    box.AddSearchText("abc");
    EXPECT_EQ(box.DropDownItems(), (Texts{"abc", "x", "y"}));
    EXPECT_EQ(box.Text(), "abc");
    EXPECT_TRUE(box.RemoveFromMRU("X"));
    box.AddToMRU("z", 1);
    box.AddSearchText("abc");
    EXPECT_EQ(box.DropDownItems(), (Texts{"abc", "z", "y"}));
}

TEST_F(MRUEditTest, CurrentTextIsRecordedAsTyped) {
    box.SetText("  two words ");
    box.AddCurrentText();
    EXPECT_EQ(box.DropDownItems(), Texts{"  two words "});
    EXPECT_EQ(box.Text(), "  two words ");
}

TEST_F(MRUEditTest, SortedListWhileTheStoredValueKeepsRecentOrder) {
    for (const char* t : {"fig", "Apple", "pear"}) {
        box.AddSearchText(t);
    }
    box.SetText("typed");
    box.SetMRUIsSorted(true);
    EXPECT_EQ(box.DropDownItems(), (Texts{"Apple", "fig", "pear"}));
    EXPECT_EQ(box.Text(), "typed");
    Save();
    EXPECT_EQ(StoredBytes(), std::string("pear\0Apple\0fig\0\0", 16));
    box.SetMRUIsSorted(false);
    EXPECT_EQ(box.DropDownItems(), (Texts{"pear", "Apple", "fig"}));
}

TEST_F(MRUEditTest, LoadingFillsTheListAndKeepsTheText) {
    store.At(RootKey::CurrentUser, kSearchHistoryKeyPath).values["searchmru"] =
        RawValue{ValueType::MultiString, {'a', 0, 'A', 0, 'b', 0, 0}};
    box.SetText("last search");
    Load();
    EXPECT_EQ(box.DropDownItems(), (Texts{"a", "b"}));
    EXPECT_EQ(box.Text(), "last search");
}

TEST_F(MRUEditTest, UnreadableStoreStillShowsTheHistory) {
    box.AddSearchText("kept");
    store.failOpen = true;
    Load();
    EXPECT_EQ(box.DropDownItems(), Texts{"kept"});
}

TEST_F(MRUEditTest, ClearingEmptiesListAndStoredValueButNotTheText) {
    box.AddSearchText("a");
    box.AddSearchText("b");
    box.ClearMRU();
    EXPECT_TRUE(box.DropDownItems().empty());
    EXPECT_TRUE(box.History().Entries().empty());
    EXPECT_EQ(box.Text(), "b");
    Save();
    EXPECT_EQ(StoredBytes(), std::string(1, '\0'));
}

TEST_F(MRUEditTest, TypingIsCompletedFromTheFirstMatchingItem) {
    for (const char* t : {"wikipedia", "Wiki", "weather"}) {
        box.AddSearchText(t);
    }
    box.SetText("");
    SetFocus(box.EditHandle());
    Type("w");
    EXPECT_EQ(box.Text(), "weather");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 7}));
    Type("I"); // replaces the completed part
    EXPECT_EQ(box.Text(), "wIki");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 4}));
    Type("kipx");
    EXPECT_EQ(box.Text(), "wIkipx");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{6, 6}));
}

TEST_F(MRUEditTest, NoCompletionWhenSwitchedOffOrEditingInTheMiddle) {
    box.AddSearchText("weather");
    box.SetText("");
    box.SetAutoComplete(false);
    Type("we");
    EXPECT_EQ(box.Text(), "we");

    box.SetAutoComplete(true);
    box.SetText("wx");
    SendMessageA(box.EditHandle(), EM_SETSEL, 1, 2);
    Type("e"); // replacing a selection at the end completes too
    EXPECT_EQ(box.Text(), "weather");
    box.SetText("xwe");
    SendMessageA(box.EditHandle(), EM_SETSEL, 0, 1);
    Type("y");
    EXPECT_EQ(box.Text(), "ywe");
}

TEST_F(MRUEditTest, EnterRunsTheOwnersHandlerWithoutTypingIt) {
    int runs = 0;
    box.SetOnEnter([&] { ++runs; });
    box.SetText("query");
    SendMessageA(box.EditHandle(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(box.EditHandle(), WM_CHAR, '\r', 1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(box.Text(), "query");
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
    box.SetText("still here");
    EXPECT_EQ(box.Text(), "still here");
}

TEST_F(MRUEditTest, EnablingFollowsTheControl) {
    box.SetEnabled(false);
    EXPECT_FALSE(box.Enabled());
    EXPECT_FALSE(IsWindowEnabled(box.Handle()));
    box.SetEnabled(true);
    EXPECT_TRUE(box.Enabled());
}

TEST(MRUEditLifetime, DestroyingTheParentFirstIsSafe) {
    fakes::AsciiCollation collation;
    auto parent = std::make_unique<tsy::testing::TestWindow>();
    TMRUEdit box(collation);
    ASSERT_TRUE(box.Create(parent->Get(), 1, 0, 0, 100, 21));
    box.AddSearchText("a");
    HWND edit = box.EditHandle();
    parent.reset();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(box.EditHandle(), nullptr);
}

} // namespace tsy::win32

namespace tsy::win32 {

TEST(MRUEditSystemCollation, CapitalsOutsideAsciiCountAsTheSameText) {
    TSystemCollation collation;
    tsy::testing::TestWindow parent;
    TMRUEdit box(collation);
    ASSERT_TRUE(box.Create(parent.Get(), 1, 0, 0, 200, 21));
    box.AddSearchText("\xc9"
                      "clair"); // "Éclair" in Windows-1252
    box.AddSearchText("x");
    box.AddSearchText("\xe9"
                      "CLAIR");
    EXPECT_EQ(box.DropDownItems(), (std::vector<std::string>{"\xe9"
                                                             "CLAIR",
                                                             "x"}));
    box.SetText("");
    SendMessageA(box.EditHandle(), WM_CHAR, 0xC9, 1);
    EXPECT_EQ(box.Text(), "\xc9"
                          "CLAIR");
}

} // namespace tsy::win32
