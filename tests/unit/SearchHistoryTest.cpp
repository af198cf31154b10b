#include "controls/SearchHistory.h"
#include "controls/RegistryEx.h"

#include "AsciiCollation.h"
#include "FakeKeyValueStore.h"

#include <gtest/gtest.h>

namespace tsy {

namespace {

using Texts = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

class SearchHistoryTest : public ::testing::Test {
protected:
    fakes::AsciiCollation collation;
    TSearchHistory history{collation};
    fakes::FakeKeyValueStore store;

    void Fill(const Texts& entries) { history.Assign(entries); }
    const RawValue* Stored() const {
        return store.Find(RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
    }
    void Store(std::string_view data) {
        store.At(RootKey::CurrentUser, kSearchHistoryKeyPath).values["searchmru"] =
            RawValue{ValueType::MultiString, ToBytes(data)};
    }
    void Load() {
        LoadSearchHistory(store, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName,
                          history);
    }
    void Save() {
        SaveSearchHistory(store, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName,
                          history);
    }
};

class ThrowingKey : public IKey {
public:
    std::optional<RawValue> Read(std::string_view) const override { throw ERegistryError("denied"); }
    bool HasSubKey(std::string_view) const override { return false; }
    void Write(std::string_view, const RawValue&) override { throw ERegistryError("denied"); }
    bool DeleteValue(std::string_view) override { return false; }
};

} // namespace

TEST_F(SearchHistoryTest, AddingAPresentTextInOtherCapitalsReplacesItAtTheTop) {
    Fill({"x", "ABC", "y"});
    history.Add("abc");
    EXPECT_EQ(history.Entries(), (Texts{"abc", "x", "y"}));
    EXPECT_TRUE(history.Remove("X"));
    EXPECT_FALSE(history.Remove("x"));
    EXPECT_EQ(history.Entries(), (Texts{"abc", "y"}));
}

TEST_F(SearchHistoryTest, LimitDropsTheOldestOnlyWhenTheCountEqualsIt) {
    Texts ten;
    for (int i = 0; i < 10; ++i) {
        ten.push_back("t" + std::to_string(i));
    }
    Fill(ten);
    history.Add("new");
    ASSERT_EQ(history.Entries().size(), 10u);
    EXPECT_EQ(history.Entries().front(), "new");
    EXPECT_EQ(history.Entries().back(), "t8");

    history.Add("T5"); // present: nothing dropped
    EXPECT_EQ(history.Entries().size(), 10u);
    EXPECT_EQ(history.Entries().back(), "t8");

    // Twelve loaded entries stay, and a new text makes thirteen.
    Texts twelve = ten;
    twelve.push_back("t10");
    twelve.push_back("t11");
    Fill(twelve);
    history.Add("new");
    EXPECT_EQ(history.Entries().size(), 13u);
    EXPECT_EQ(history.Entries().back(), "t11");
}

TEST_F(SearchHistoryTest, OddLimitsAndPositionsAreHandledSafely) {
    history.SetLimit(0);
    history.Add("a"); // an empty history has no oldest entry to drop
    EXPECT_EQ(history.Entries(), Texts{"a"});
    history.SetLimit(2);
    history.Add("b", 99);
    history.Add("c", -5);
    EXPECT_EQ(history.Entries(), (Texts{"c", "a"}));
    history.Add("");
    EXPECT_EQ(history.Entries(), (Texts{"c", "a"}));
}

TEST_F(SearchHistoryTest, SortedViewLeavesTheHistoryInRecentOrder) {
    Fill({"pear", "Apple", "fig"});
    EXPECT_EQ(history.View(true), (Texts{"Apple", "fig", "pear"}));
    EXPECT_EQ(history.View(false), (Texts{"pear", "Apple", "fig"}));
    Save();
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, ToBytes(std::string_view("pear\0Apple\0fig\0\0", 16)));
}

TEST_F(SearchHistoryTest, SavesEachEntryWithANulAndOneMoreAtTheEnd) {
    Fill({"b", "a"});
    Save();
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->type, ValueType::MultiString);
    EXPECT_EQ(Stored()->data, ToBytes(std::string_view("b\0a\0\0", 5)));

    history.Clear();
    Save();
    EXPECT_EQ(Stored()->data, Bytes{0});
}

TEST_F(SearchHistoryTest, LoadsSkippingDuplicatesAndStopsAtAnEmptyEntry) {
    Store(std::string_view("a\0a\0b\0\0", 7));
    Load();
    EXPECT_EQ(history.Entries(), (Texts{"a", "b"}));

    Store(std::string_view("a\0\0b\0\0", 6));
    Load();
    EXPECT_EQ(history.Entries(), Texts{"a"});

    Store(std::string_view("x\0A\0y\0a\0\0", 9));
    Load();
    EXPECT_EQ(history.Entries(), (Texts{"x", "A", "y"}));
}

TEST_F(SearchHistoryTest, MissingOrEmptyValueKeepsTheCurrentEntries) {
    Fill({"kept"});
    Load();
    EXPECT_EQ(history.Entries(), Texts{"kept"});
    Store("");
    Load();
    EXPECT_EQ(history.Entries(), Texts{"kept"});
    // The key is created on the way.
    EXPECT_TRUE(store.Exists(RootKey::CurrentUser, kSearchHistoryKeyPath));
}

TEST_F(SearchHistoryTest, DamagedDataIsReadAsFarAsItIsWellFormed) {
    Store("no terminator at all");
    Load();
    EXPECT_TRUE(history.Entries().empty());

    Store(std::string_view("one\0two\0tail without nul", 24));
    Load();
    EXPECT_EQ(history.Entries(), (Texts{"one", "two"}));

    Store(std::string_view("\0one\0\0", 6));
    Load();
    EXPECT_TRUE(history.Entries().empty());

    // A value of another type is read all the same.
    store.At(RootKey::CurrentUser, kSearchHistoryKeyPath).values["searchmru"] =
        RawValue{ValueType::Binary, ToBytes(std::string_view("\xe9t\xe9\0", 4))};
    Load();
    EXPECT_EQ(history.Entries(), Texts{"\xe9t\xe9"});
}

TEST_F(SearchHistoryTest, UnopenableKeyReadsAndWritesNothing) {
    Fill({"a"});
    store.failOpen = true;
    Load();
    Save();
    EXPECT_EQ(history.Entries(), Texts{"a"});
    EXPECT_EQ(store.writeCount, 0);
}

TEST_F(SearchHistoryTest, RefusedWriteRaisesTheRegistryMessage) {
    Fill({"a"});
    store.failWrites = true;
    try {
        Save();
        FAIL() << "no error raised";
    } catch (const ERegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'SearchMRU'");
    }
}

TEST(RegistryEx, RefusedReadRaisesTheRegistryMessage) {
    fakes::AsciiCollation collation;
    ThrowingKey key;
    Texts list{"kept"};
    try {
        TRegistryEx(key, collation).ReadMultiString("SearchMRU", list, true);
        FAIL() << "no error raised";
    } catch (const ERegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to get data for 'SearchMRU'");
    }
    EXPECT_EQ(list, Texts{"kept"});
}

TEST(RegistryEx, EntriesThatCannotBeStoredAreLeftOut) {
    fakes::AsciiCollation collation;
    const Bytes data = EncodeMultiString({"a", "", std::string("b\0c", 3), "d"});
    EXPECT_EQ(data, ToBytes(std::string_view("a\0d\0\0", 5)));
    EXPECT_EQ(DecodeMultiString(data, false, collation), (Texts{"a", "d"}));
}

TEST(RegistryEx, DecodeKeepsDuplicatesWhenAsked) {
    fakes::AsciiCollation collation;
    const Bytes data = ToBytes(std::string_view("a\0A\0\0", 5));
    EXPECT_EQ(DecodeMultiString(data, false, collation), (Texts{"a", "A"}));
    EXPECT_EQ(DecodeMultiString(data, true, collation), Texts{"a"});
    EXPECT_TRUE(DecodeMultiString({}, true, collation).empty());
}

TEST(SearchHistoryRules, CompletionFindsTheFirstItemBeginningWithTheTextIgnoringCase) {
    fakes::AsciiCollation collation;
    const Texts items{"weather", "Wiki", "wikipedia", "w"};
    EXPECT_EQ(FindCompletion(items, "wi", collation), 1);
    EXPECT_EQ(FindCompletion(items, "WIKIP", collation), 2);
    EXPECT_EQ(FindCompletion(items, "W", collation), 0);
    EXPECT_EQ(FindCompletion(items, "wikipedias", collation), -1);
    EXPECT_EQ(FindCompletion(items, "", collation), -1);
    EXPECT_EQ(FindCompletion({}, "a", collation), -1);
}

TEST(SearchHistoryRules, ExploreRecordsOnlyNonBlankTextsFromAnEnabledBoxWithoutCtrl) {
    EXPECT_TRUE(ShouldRecordSearch("  word  ", true, false));
    EXPECT_FALSE(ShouldRecordSearch(" \t \x01", true, false));
    EXPECT_FALSE(ShouldRecordSearch("", true, false));
    EXPECT_FALSE(ShouldRecordSearch("word", false, false));
    EXPECT_FALSE(ShouldRecordSearch("word", true, true));
    EXPECT_TRUE(ShouldRecordSearch("\xa0", true, false)); // a no-break space is above 32
}

TEST_F(SearchHistoryTest, TextIsRecordedWithItsBlanks) {
    history.Add("  word  ");
    Save();
    Load();
    EXPECT_EQ(history.Entries(), Texts{"  word  "});
}

} // namespace tsy
