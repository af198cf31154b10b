#include "controls/SearchHistory.h"
#include "controls/RegistryEx.h"

#include "support/AnsiCodePage.h"
#include "support/Unicode.h"

#include "FakeKeyValueStore.h"
#include "WideCaseCollation.h"

#include <gtest/gtest.h>

namespace tsy {

namespace {

using Texts = std::vector<std::u16string>;
using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

Bytes Wide(std::u16string_view s) {
    return Utf16LEBytes(s);
}

class SearchHistoryTest : public ::testing::Test {
protected:
    fakes::WideCaseCollation collation;
    TAnsiCodePage codePage;
    TSearchHistory history{collation};
    fakes::FakeKeyValueStore store;

    void Fill(const Texts& entries) { history.Assign(entries); }
    const RawValue* Stored() const {
        return store.Find(RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
    }
    // As older versions wrote it: code-page bytes through the narrow calls.
    void Store(std::string_view data) {
        store.At(RootKey::CurrentUser, kSearchHistoryKeyPath).values["searchmru"] =
            RawValue{ValueType::MultiString, ToBytes(data)};
    }
    void Load() {
        LoadSearchHistory(store, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName,
                          codePage, history);
    }
    void Save() {
        SaveSearchHistory(store, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName,
                          history);
    }
};

class ThrowingKey : public IKey {
public:
    std::optional<RawValue> Read(std::string_view) const override { throw ERegistryError("denied"); }
    std::optional<RawValue> ReadWide(std::string_view) const override { throw ERegistryError("denied"); }
    void WriteWide(std::string_view, const RawValue&) override { throw ERegistryError("denied"); }
    bool HasSubKey(std::string_view) const override { return false; }
    void Write(std::string_view, const RawValue&) override { throw ERegistryError("denied"); }
    bool DeleteValue(std::string_view) override { return false; }
};

} // namespace

TEST_F(SearchHistoryTest, AddingAPresentTextInOtherCapitalsReplacesItAtTheTop) {
    Fill({u"x", u"ABC", u"y"});
    history.Add(u"abc");
    EXPECT_EQ(history.Entries(), (Texts{u"abc", u"x", u"y"}));
    EXPECT_TRUE(history.Remove(u"X"));
    EXPECT_FALSE(history.Remove(u"x"));
    EXPECT_EQ(history.Entries(), (Texts{u"abc", u"y"}));
}

TEST_F(SearchHistoryTest, ReadingCutsToTheLimitAndAddingKeepsTheCountWithinIt) {
    Texts twelve;
    for (int i = 0; i < 12; ++i) {
        twelve.push_back(u"t" + std::u16string(1, char16_t(u'a' + i)));
    }
    const Texts ten(twelve.begin(), twelve.begin() + 10);
    history.SetLimit(12);
    Fill(twelve);
    Save();
    history.SetLimit(10);
    Load();
    EXPECT_EQ(history.Entries(), ten) << "twelve stored entries are read as the first ten";

    history.Add(u"new");
    ASSERT_EQ(history.Entries().size(), 10u);
    EXPECT_EQ(history.Entries().front(), u"new");
    EXPECT_EQ(history.Entries().back(), u"ti");
    history.Add(u"TE"); // present: nothing dropped
    EXPECT_EQ(history.Entries().size(), 10u);
    EXPECT_EQ(history.Entries().back(), u"ti");

    // A lowered limit: the next new text shrinks the list to it.
    history.SetLimit(4);
    history.Add(u"newer");
    EXPECT_EQ(history.Entries(), (Texts{u"newer", u"TE", u"new", u"ta"}));
}

TEST_F(SearchHistoryTest, OddLimitsAndPositionsAreHandledSafely) {
    history.SetLimit(0);
    history.Add(u"a"); // an empty history has no oldest entry to drop
    EXPECT_EQ(history.Entries(), Texts{u"a"});
    history.SetLimit(2);
    history.Add(u"b", 99);
    history.Add(u"c", -5);
    EXPECT_EQ(history.Entries(), (Texts{u"c", u"a"}));
    history.Add(u"");
    EXPECT_EQ(history.Entries(), (Texts{u"c", u"a"}));
}

TEST_F(SearchHistoryTest, SortedViewLeavesTheHistoryInRecentOrder) {
    Fill({u"pear", u"Apple", u"fig"});
    EXPECT_EQ(history.View(true), (Texts{u"Apple", u"fig", u"pear"}));
    EXPECT_EQ(history.View(false), (Texts{u"pear", u"Apple", u"fig"}));
    Save();
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, Wide(std::u16string_view(u"pear\0Apple\0fig\0\0", 16)));
}

TEST_F(SearchHistoryTest, SavesEachEntryWithANulAndOneMoreAtTheEnd) {
    Fill({u"b", u"a"});
    Save();
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->type, ValueType::MultiString);
    EXPECT_EQ(Stored()->data, Wide(std::u16string_view(u"b\0a\0\0", 5)));

    history.Clear();
    Save();
    EXPECT_EQ(Stored()->data, (Bytes{0, 0}));
}

TEST_F(SearchHistoryTest, LoadsSkippingDuplicatesAndStopsAtAnEmptyEntry) {
    Store(std::string_view("a\0a\0b\0\0", 7));
    Load();
    EXPECT_EQ(history.Entries(), (Texts{u"a", u"b"}));

    Store(std::string_view("a\0\0b\0\0", 6));
    Load();
    EXPECT_EQ(history.Entries(), Texts{u"a"});

    Store(std::string_view("x\0A\0y\0a\0\0", 9));
    Load();
    EXPECT_EQ(history.Entries(), (Texts{u"x", u"A", u"y"}));
}

TEST_F(SearchHistoryTest, MissingOrEmptyValueKeepsTheCurrentEntries) {
    Fill({u"kept"});
    Load();
    EXPECT_EQ(history.Entries(), Texts{u"kept"});
    Store("");
    Load();
    EXPECT_EQ(history.Entries(), Texts{u"kept"});
    // The key is created on the way.
    EXPECT_TRUE(store.Exists(RootKey::CurrentUser, kSearchHistoryKeyPath));
}

TEST_F(SearchHistoryTest, DamagedDataIsReadAsFarAsItIsWellFormed) {
    Store("no terminator at all");
    Load();
    EXPECT_TRUE(history.Entries().empty());

    Store(std::string_view("one\0two\0tail without nul", 24));
    Load();
    EXPECT_EQ(history.Entries(), (Texts{u"one", u"two"}));

    Store(std::string_view("\0one\0\0", 6));
    Load();
    EXPECT_TRUE(history.Entries().empty());

    // A value of another type holds code-page bytes.
    store.At(RootKey::CurrentUser, kSearchHistoryKeyPath).values["searchmru"] =
        RawValue{ValueType::Binary, ToBytes(std::string_view("\xe9t\xe9\0", 4))};
    Load();
    EXPECT_EQ(history.Entries(), Texts{u"\u00e9t\u00e9"});
}

TEST_F(SearchHistoryTest, UnopenableKeyReadsAndWritesNothing) {
    Fill({u"a"});
    store.failOpen = true;
    Load();
    Save();
    EXPECT_EQ(history.Entries(), Texts{u"a"});
    EXPECT_EQ(store.writeCount, 0);
}

TEST_F(SearchHistoryTest, RefusedWriteRaisesTheRegistryMessage) {
    Fill({u"a"});
    store.failWrites = true;
    try {
        Save();
        FAIL() << "no error raised";
    } catch (const ERegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'SearchMRU'");
    }
}

TEST(RegistryEx, RefusedReadRaisesTheRegistryMessage) {
    fakes::WideCaseCollation collation;
    TAnsiCodePage codePage;
    ThrowingKey key;
    Texts list{u"kept"};
    try {
        TRegistryEx(key, collation).ReadMultiString("SearchMRU", list, true, codePage);
        FAIL() << "no error raised";
    } catch (const ERegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to get data for 'SearchMRU'");
    }
    EXPECT_EQ(list, Texts{u"kept"});
}

TEST(RegistryEx, EntriesThatCannotBeStoredAreLeftOut) {
    fakes::WideCaseCollation collation;
    const Bytes data = EncodeMultiString({u"a", u"", std::u16string(u"b\0c", 3), u"d"});
    EXPECT_EQ(data, Wide(std::u16string_view(u"a\0d\0\0", 5)));
    EXPECT_EQ(DecodeMultiString(Utf16FromLEBytes(data), false, collation), (Texts{u"a", u"d"}));
}

TEST(RegistryEx, DecodeKeepsDuplicatesWhenAsked) {
    fakes::WideCaseCollation collation;
    const std::u16string_view data(u"a\0A\0\0", 5);
    EXPECT_EQ(DecodeMultiString(data, false, collation), (Texts{u"a", u"A"}));
    EXPECT_EQ(DecodeMultiString(data, true, collation), Texts{u"a"});
    EXPECT_TRUE(DecodeMultiString({}, true, collation).empty());
}

TEST(SearchHistoryRules, CompletionFindsTheFirstItemBeginningWithTheTextIgnoringCase) {
    fakes::WideCaseCollation collation;
    const Texts items{u"weather", u"Wiki", u"wikipedia", u"w"};
    EXPECT_EQ(FindCompletion(items, u"wi", collation), 1);
    EXPECT_EQ(FindCompletion(items, u"WIKIP", collation), 2);
    EXPECT_EQ(FindCompletion(items, u"W", collation), 0);
    EXPECT_EQ(FindCompletion(items, u"wikipedias", collation), -1);
    EXPECT_EQ(FindCompletion(items, u"", collation), -1);
    EXPECT_EQ(FindCompletion({}, u"a", collation), -1);
}

TEST(SearchHistoryRules, ExploreRecordsOnlyNonBlankTextsFromAnEnabledBoxWithoutCtrl) {
    EXPECT_TRUE(ShouldRecordSearch(u"  word  ", true, false));
    EXPECT_FALSE(ShouldRecordSearch(u" \t \x01", true, false));
    EXPECT_FALSE(ShouldRecordSearch(u"", true, false));
    EXPECT_FALSE(ShouldRecordSearch(u"word", false, false));
    EXPECT_FALSE(ShouldRecordSearch(u"word", true, true));
    EXPECT_TRUE(ShouldRecordSearch(u"\u00a0", true, false)); // a no-break space is above 32
}

TEST_F(SearchHistoryTest, UnicodeEntriesAreStoredWideAndComeBackWhole) {
    const std::u16string greek = u"\u0391\u03b8\u03ae\u03bd\u03b1 \u6771\u4eac \U0001F600";
    Fill({greek, u"caf\u00e9"});
    history.Add(u"CAF\u00c9");
    Save();
    EXPECT_EQ(Stored()->type, ValueType::MultiString);
    history.Clear();
    Load();
    EXPECT_EQ(history.Entries(), (Texts{u"CAF\u00c9", greek}));
}

TEST_F(SearchHistoryTest, TextIsRecordedWithItsBlanks) {
    history.Add(u"  word  ");
    Save();
    Load();
    EXPECT_EQ(history.Entries(), Texts{u"  word  "});
}

TEST_F(SearchHistoryTest, KeywordDropDownListsTheMatchingKeywordsWhileOneIsTyped) {
    const std::vector<TKeywordChoice> choices = {
        {u"wiki", u"Wikipedia"}, {u"news", u"News"}, {u"W", u"Weather"}, {u"wb", u"Wayback"}};
    EXPECT_EQ(KeywordDropDown(u"!w", choices, collation, 10),
              (Texts{u"!W  Weather", u"!wb  Wayback", u"!wiki  Wikipedia"}));
    EXPECT_EQ(KeywordDropDown(u"!WI", choices, collation, 10), Texts{u"!wiki  Wikipedia"});
    EXPECT_EQ(KeywordDropDown(u"!", choices, collation, 2), (Texts{u"!news  News", u"!W  Weather"}));
    // Once a blank ends the keyword, or without the mark, the list is the history's again.
    for (std::u16string_view text : {u"!w ", u"!w paris", u"w", u"", u"!!w", u"!x"})
        EXPECT_TRUE(KeywordDropDown(text, choices, collation, 10).empty()) << text.size();

    EXPECT_EQ(ChosenKeywordText(u"!wiki  Wikipedia"), u"!wiki ");
    EXPECT_EQ(ChosenKeywordText(u"!w  My  Site"), u"!w ");
    for (std::u16string_view item : {u"paris", u"!  x", u"!w paris", u"w  Wikipedia"})
        EXPECT_FALSE(ChosenKeywordText(item)) << item.size();
}

} // namespace tsy
