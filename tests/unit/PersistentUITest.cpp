#include "settings/PersistentUI.h"

#include "FakeKeyValueStore.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using fakes::FakeKeyValueStore;

// A component with a class chain, e.g. {"TSortListView", "TListView"}.
class FakeComponent : public IPUIComponent, public IPUIListView, public IPUIPageControl, public IPUIComboBox {
public:
    FakeComponent(std::string name, std::vector<std::string> classes)
        : name_(std::move(name)), classes_(classes) {}

    std::string Name() const override { return name_; }
    bool InheritsFrom(std::string_view className) const override {
        return std::find(classes_.begin(), classes_.end(), className) != classes_.end();
    }
    std::vector<IPUIComponent*> OwnedComponents() const override { return owned; }
    IPUIListView* AsListView() override { return InheritsFrom(kPUIListViewClass) ? this : nullptr; }
    IPUIPageControl* AsPageControl() override { return InheritsFrom(kPUIPageControlClass) ? this : nullptr; }
    IPUIComboBox* AsComboBox() override { return InheritsFrom(kPUIComboBoxClass) ? this : nullptr; }

    int ColumnCount() const override { return static_cast<int>(widths.size()); }
    std::int32_t ColumnWidth(int column) const override { return widths[column]; }
    bool ColumnAutoSize(int column) const override {
        return std::find(autoSized.begin(), autoSized.end(), column) != autoSized.end();
    }
    void SetColumnWidth(int column, std::int32_t width) override { widths[column] = width; }

    int PageCount() const override { return count; }
    int ActivePage() const override { return index; }
    void SetActivePage(int i) override { index = i; }
    int ItemCount() const override { return count; }
    int ItemIndex() const override { return index; }
    void SetItemIndex(int i) override { index = i; }

    std::vector<IPUIComponent*> owned;
    std::vector<std::int32_t> widths;
    std::vector<int> autoSized;
    int count = 5;
    int index = 0;

private:
    std::string name_;
    std::vector<std::string> classes_;
};

class FakeWindow : public IPUIWindow {
public:
    explicit FakeWindow(std::string name) : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    TPUIRect GetBounds() const override { return bounds; }
    void SetPosition(std::int32_t left, std::int32_t top) override {
        bounds.Left = left;
        bounds.Top = top;
    }
    void SetSize(std::int32_t width, std::int32_t height) override {
        bounds.Width = width;
        bounds.Height = height;
    }
    bool IsOnScreen(const TPUIRect& r) const override {
        return r.Left < screen.Left + screen.Width && r.Left + r.Width > screen.Left &&
               r.Top < screen.Top + screen.Height && r.Top + r.Height > screen.Top;
    }
    std::vector<IPUIComponent*> OwnedComponents() const override { return owned; }
    int Dpi() const override { return dpi; }

    TPUIRect bounds{100, 100, 300, 200};
    int dpi = 96;
    TPUIRect screen{0, 0, 1024, 768};
    std::vector<IPUIComponent*> owned;

private:
    std::string name_;
};

constexpr const char* kMainKey = "\\SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\MainForm";

class PersistentUITest : public ::testing::Test {
protected:
    void StoreRecord(const char* key, const TPUIFormRecord& record) {
        auto bytes = EncodeFormRecord(record);
        registry.At(kSettingsRoot, key).values[""] =
            RawValue{ValueType::Binary, {bytes.begin(), bytes.end()}};
    }

    FakeKeyValueStore registry;
    TPersistentUI pui{registry};
    FakeWindow main{"MainForm"};
};

TEST(PUIFormRecord, HasTheTwentyByteLittleEndianLayout) {
    auto bytes = EncodeFormRecord({0x01020304, -2, 0x7F000010, -32000, true});
    const std::array<std::uint8_t, 20> expected{0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x10, 0x00,
                                                0x00, 0x7F, 0x00, 0x83, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(EncodeFormRecord({}), (std::array<std::uint8_t, 20>{}));
}

TEST(PUIFormRecord, DecodingIgnoresReservedBytesAndRejectsOtherSizes) {
    std::array<std::uint8_t, 20> bytes{0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0xF6, 0xFF,
                                       0xFF, 0xFF, 5, 0, 0,    0,    2, 9, 9,    9};
    auto record = DecodeFormRecord(bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Width, 800);
    EXPECT_EQ(record->Height, 600);
    EXPECT_EQ(record->Left, -10);
    EXPECT_EQ(record->Top, 5);
    EXPECT_TRUE(record->PanelVisible);
    EXPECT_FALSE(DecodeFormRecord(std::span(bytes).first(19)));
    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    EXPECT_FALSE(DecodeFormRecord(longer));
}

TEST_F(PersistentUITest, SaveWritesTheRecordUnderTheFormKeyAndLoadBringsItBackInANewRun) {
    pui.RegisterForm(main);
    main.bounds = {40, 30, 320, 480};
    ASSERT_TRUE(pui.SaveForm(main));
    const RawValue* value = registry.Find(kSettingsRoot, kMainKey, "");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, ValueType::Binary);
    auto expected = EncodeFormRecord({320, 480, 40, 30, false});
    EXPECT_EQ(value->data, std::vector<std::uint8_t>(expected.begin(), expected.end()));

    TPersistentUI nextRun(registry);
    FakeWindow reopened("MainForm");
    nextRun.RegisterForm(reopened);
    nextRun.LoadForm(reopened);
    EXPECT_EQ(reopened.bounds.Left, 40);
    EXPECT_EQ(reopened.bounds.Top, 30);
    EXPECT_EQ(reopened.bounds.Width, 320);
    EXPECT_EQ(reopened.bounds.Height, 480);
}

TEST_F(PersistentUITest, FirstOpeningKeepsTheDesignedLayoutAndCreatesNoKey) {
    FakeComponent list("lvSites", {"TListView"});
    list.widths = {50, 60};
    main.owned = {&list};
    pui.RegisterForm(main, {"TListView"});
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Left, 100);
    EXPECT_EQ(main.bounds.Width, 300);
    EXPECT_EQ(list.widths, (std::vector<std::int32_t>{50, 60}));
    EXPECT_FALSE(registry.Exists(kSettingsRoot, "\\SOFTWARE\\Orvelle\\Tessaly"));
}

TEST_F(PersistentUITest, SizeOnlyOptionNeverMovesTheForm) {
    FakeWindow settingsForm("SettingsForm");
    StoreRecord("\\SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\SettingsForm", {500, 400, 10, 20, false});
    pui.RegisterForm(settingsForm);
    pui.SetOptions(settingsForm, kPUIRestoreSize);
    pui.LoadForm(settingsForm);
    EXPECT_EQ(settingsForm.bounds.Left, 100);
    EXPECT_EQ(settingsForm.bounds.Top, 100);
    EXPECT_EQ(settingsForm.bounds.Width, 500);
    EXPECT_EQ(settingsForm.bounds.Height, 400);

    pui.SetOptions(settingsForm, kPUIRestorePosition);
    settingsForm.bounds = {100, 100, 300, 200};
    pui.LoadForm(settingsForm);
    EXPECT_EQ(settingsForm.bounds.Left, 10);
    EXPECT_EQ(settingsForm.bounds.Width, 300);
}

TEST_F(PersistentUITest, APositionOffEveryScreenIsNotRestored) {
    StoreRecord(kMainKey, {320, 480, 2000, 50, false}); // a second monitor that is gone
    pui.RegisterForm(main);
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Left, 100);
    EXPECT_EQ(main.bounds.Width, 320) << "the size still applies";

    StoreRecord(kMainKey, {320, 480, -32000, -32000, false}); // stored while minimised
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Left, 100);

    StoreRecord(kMainKey, {320, 480, -300, 700, false}); // partly visible
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Left, -300);
    EXPECT_EQ(main.bounds.Top, 700);
}

TEST_F(PersistentUITest, EmptyOrNegativeSizesAndMalformedRecordsLeaveThePlacementAlone) {
    FakeComponent pages("pgcMain", {"TPageControl"});
    main.owned = {&pages};
    pui.RegisterForm(main, {"TPageControl"});
    StoreRecord(kMainKey, {0, -5, 10, 10, false});
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Width, 300);
    EXPECT_EQ(main.bounds.Height, 200);
    EXPECT_EQ(main.bounds.Left, 10);

    main.bounds = {100, 100, 300, 200};
    registry.At(kSettingsRoot, kMainKey).values[""] = RawValue{ValueType::Binary, {1, 2, 3}};
    registry.SetDword(kSettingsRoot, kMainKey, "pgcMain", 3);
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Left, 100);
    EXPECT_EQ(pages.index, 3) << "controls are restored without a usable record";
}

TEST_F(PersistentUITest, DetailPanelVisibilityIsStoredAndHandedToTheRestoreRoutine) {
    FakeWindow editor("EditTargetForm");
    bool visible = true;
    std::vector<bool> restored;
    pui.RegisterForm(editor);
    pui.SetDetailPanel(
        editor, [&] { return visible; },
        [&](IPUIWindow& form, bool stored) {
            EXPECT_EQ(&form, &editor);
            restored.push_back(stored);
        });
    pui.SaveForm(editor);
    const char* key = "\\SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\EditTargetForm";
    EXPECT_EQ(registry.Find(kSettingsRoot, key, "")->data[16], 1);
    visible = false;
    pui.LoadForm(editor);
    pui.SaveForm(editor);
    pui.LoadForm(editor);
    EXPECT_EQ(restored, (std::vector<bool>{true, false}));

    pui.RegisterForm(main);
    pui.SaveForm(main);
    EXPECT_EQ(registry.Find(kSettingsRoot, kMainKey, "")->data[16], 0) << "no panel stores 0";
}

TEST_F(PersistentUITest, ListViewWidthsRestoreOnlyWhereStoredAndNotForAutoSizedColumns) {
    FakeComponent list("lvTargets", {"TSortListView", "TListView"});
    main.owned = {&list};
    pui.RegisterForm(main, {"TListView"});
    list.widths = {120, 80, 45};
    pui.SaveForm(main);
    EXPECT_EQ(registry.Find(kSettingsRoot, kMainKey, "lvTargets")->data.size(), 12u);

    registry.At(kSettingsRoot, kMainKey).values["lvtargets"] =
        RawValue{ValueType::Binary, {10, 0, 0, 0, 20, 0, 0, 0}};
    list.widths = {1, 2, 3, 4};
    list.autoSized = {1};
    pui.LoadForm(main);
    EXPECT_EQ(list.widths, (std::vector<std::int32_t>{10, 2, 3, 4}));

    list.widths = {7};
    list.autoSized.clear();
    pui.LoadForm(main);
    EXPECT_EQ(list.widths, (std::vector<std::int32_t>{10})) << "extra stored widths are ignored";
}

TEST_F(PersistentUITest, ALayoutSavedAtOneDpiIsRestoredAtAnotherScaledByTheRatio) {
    FakeComponent list("lvTargets", {"TListView"});
    main.owned = {&list};
    pui.RegisterForm(main, {"TListView"});
    main.bounds = {40, 30, 320, 481};
    list.widths = {120, 81};
    pui.SaveForm(main);
    auto expected = EncodeFormRecord({320, 481, 40, 30, false});
    EXPECT_EQ(registry.Find(kSettingsRoot, kMainKey, "")->data,
              std::vector<std::uint8_t>(expected.begin(), expected.end()))
        << "the record keeps its format";
    EXPECT_EQ(registry.Find(kSettingsRoot, kMainKey, "DPI")->data, (std::vector<std::uint8_t>{96, 0, 0, 0}));

    main.dpi = 144;
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Width, 480);
    EXPECT_EQ(main.bounds.Height, 722) << "rounded";
    EXPECT_EQ(main.bounds.Left, 40) << "screen positions are not sizes";
    EXPECT_EQ(list.widths, (std::vector<std::int32_t>{180, 122}));

    // Stored before the DPI was: taken as it is.
    registry.At(kSettingsRoot, kMainKey).values.erase("dpi");
    pui.LoadForm(main);
    EXPECT_EQ(main.bounds.Width, 320);
    EXPECT_EQ(list.widths, (std::vector<std::int32_t>{120, 81}));
}

TEST_F(PersistentUITest, AListWithoutColumnsKeepsItsEarlierWidths) {
    FakeComponent list("lvTargets", {"TListView"});
    main.owned = {&list};
    pui.RegisterForm(main, {"TListView"});
    list.widths = {120};
    pui.SaveForm(main);
    list.widths.clear();
    pui.SaveForm(main);
    EXPECT_EQ(registry.Find(kSettingsRoot, kMainKey, "lvTargets")->data.size(), 4u);
}

TEST_F(PersistentUITest, PageAndComboIndexesRoundTripWithinRange) {
    FakeComponent pages("pgcSettings", {"TPageControl"});
    FakeComponent filter("cbFilter", {"TComboBox"});
    main.owned = {&pages, &filter};
    pui.RegisterForm(main, {"TPageControl"});
    pui.SetIncludes(main, {&filter});
    pages.index = 2;
    filter.index = -1;
    pui.SaveForm(main);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kMainKey, "pgcSettings"), 2u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kMainKey, "cbFilter"), 0xFFFFFFFFu);

    pages.index = 0;
    filter.index = 3;
    pui.LoadForm(main);
    EXPECT_EQ(pages.index, 2);
    EXPECT_EQ(filter.index, -1);

    registry.SetDword(kSettingsRoot, kMainKey, "pgcSettings", 9);
    registry.SetDword(kSettingsRoot, kMainKey, "cbFilter", 5);
    pui.LoadForm(main);
    EXPECT_EQ(pages.index, 2) << "an index past the last page is not applied";
    EXPECT_EQ(filter.index, -1);
}

TEST_F(PersistentUITest, OnlyPersistedComponentsAndWhatTheyOwnAreVisited) {
    FakeComponent sheet("tsSites", {"TPageControl"});
    FakeComponent inner("cbInner", {"TComboBox"});
    FakeComponent frame("frmEdit", {"TFrame"});
    FakeComponent hidden("cbHidden", {"TComboBox"});
    FakeComponent loose("cbLoose", {"TComboBox"});
    sheet.owned = {&inner};
    frame.owned = {&hidden};
    main.owned = {&sheet, &frame, &loose};
    pui.RegisterForm(main, {"TPageControl", "TComboBox"});
    pui.SetIncludes(main, {});
    pui.SaveForm(main);
    EXPECT_TRUE(registry.Find(kSettingsRoot, kMainKey, "cbInner"));
    EXPECT_TRUE(registry.Find(kSettingsRoot, kMainKey, "cbLoose"));
    EXPECT_FALSE(registry.Find(kSettingsRoot, kMainKey, "cbHidden")) << "a frame that is not persisted";
    EXPECT_FALSE(registry.Find(kSettingsRoot, kMainKey, "frmEdit"));

    pui.RegisterForm(main, {"TComboBox"});
    pui.SetIncludes(main, {&frame});
    registry.keys.clear();
    pui.SaveForm(main);
    EXPECT_TRUE(registry.Find(kSettingsRoot, kMainKey, "cbHidden"))
        << "an included frame's components are visited";
    EXPECT_FALSE(registry.Find(kSettingsRoot, kMainKey, "cbInner"))
        << "below a page control no longer persisted";
}

TEST_F(PersistentUITest, UnregisteredFormsAreLeftAlone) {
    EXPECT_FALSE(pui.SaveForm(main));
    EXPECT_FALSE(pui.LoadForm(main));
    EXPECT_FALSE(pui.SetOptions(main, 0));
    EXPECT_TRUE(registry.keys.empty());
    pui.RegisterForm(main);
    pui.RegisterForm(main);
    EXPECT_TRUE(pui.UnregisterForm(main));
    EXPECT_FALSE(pui.UnregisterForm(main)) << "registering twice leaves one registration";
    EXPECT_EQ(pui.Find(main), nullptr);
}

TEST_F(PersistentUITest, WriteErrorsReachTheClosingForm) {
    pui.RegisterForm(main);
    registry.At(kSettingsRoot, kMainKey);
    registry.failWrites = true;
    EXPECT_THROW(pui.SaveForm(main), ERegistryError);
    registry.failWrites = false;
    registry.failOpen = true;
    EXPECT_NO_THROW(pui.SaveForm(main)) << "an unopenable key stops silently";
}

} // namespace
} // namespace tsy
