#include "controls/HotKey.h"

#include <gtest/gtest.h>

namespace tsy {

namespace {

constexpr std::uint32_t kShift = 16, kCtrl = 17, kAlt = 18, kLWin = 91, kRCtrl = 163;
constexpr std::uint32_t kP = 'P', kQ = 'Q', kF5 = 116;

// Drives the state machine the way the control does, keeping track of which modifiers are down.
class Keyboard {
public:
    THotKeyState state;

    void Down(std::uint32_t vk) {
        held_ |= Bit(vk);
        state.KeyDown(vk, held_);
    }
    void Up(std::uint32_t vk) {
        held_ &= ~Bit(vk);
        state.KeyUp(vk, held_);
    }
    std::string Text() const { return HotKeyToText(state.Modifiers(), state.Key()); }

private:
    static std::uint32_t Bit(std::uint32_t vk) {
        switch (vk) {
        case kShift:
            return kHotKeyShift;
        case kCtrl:
        case kRCtrl:
            return kHotKeyCtrl;
        case kAlt:
            return kHotKeyAlt;
        case kLWin:
            return kHotKeyWin;
        default:
            return 0;
        }
    }
    std::uint32_t held_ = 0;
};

} // namespace

TEST(HotKeyText, NamesModifiersInFixedOrderThenTheKey) {
    EXPECT_EQ(HotKeyToText(0, 0), "None");
    EXPECT_EQ(HotKeyToText(kHotKeyWin, 81), "Win + Q");
    EXPECT_EQ(HotKeyToText(kHotKeyShift | kHotKeyWin | kHotKeyAlt | kHotKeyCtrl, 13),
              "Ctrl + Alt + Win + Shift + Enter");
    EXPECT_EQ(HotKeyToText(kHotKeyCtrl, 0), "Ctrl + ");
    EXPECT_EQ(HotKeyToText(kHotKeyShift | kHotKeyAlt, 0), "Alt + Shift + ");
    EXPECT_EQ(HotKeyToText(0, kF5), "F5");
}

TEST(HotKeyText, FixedKeyNames) {
    const std::pair<std::uint32_t, const char*> names[] = {
        {8, "BkSp"},  {9, "Tab"},  {13, "Enter"}, {27, "Esc"},  {32, "Space"}, {33, "PgUp"},
        {34, "PgDn"}, {35, "End"}, {36, "Home"},  {37, "Left"}, {38, "Up"},    {39, "Right"},
        {40, "Down"}, {45, "Ins"}, {46, "Del"},   {48, "0"},    {57, "9"},     {96, "0"},
        {105, "9"},   {65, "A"},   {90, "Z"},     {112, "F1"},  {123, "F12"},  {135, "F24"}};
    for (const auto& [key, name] : names) {
        EXPECT_EQ(HotKeyKeyName(key), name) << key;
    }
    for (std::uint32_t unnamed : {0u, 41u, 47u, 58u, 64u, 91u, 106u, 111u, 136u, 186u, 255u}) {
        EXPECT_EQ(HotKeyKeyName(unnamed), "") << unnamed;
    }
}

TEST(HotKeyText, OtherKeysTakeThePlatformNameOrNothing) {
    const TKeyNameLookup lookup = [](std::uint32_t key) {
        return key == 186 ? std::string(";") : std::string();
    };
    EXPECT_EQ(HotKeyToText(kHotKeyCtrl, 186, lookup), "Ctrl + ;");
    EXPECT_EQ(HotKeyToText(kHotKeyCtrl, 187, lookup), "Ctrl + ");
    EXPECT_EQ(HotKeyToText(0, 187, lookup), "");
    EXPECT_EQ(HotKeyToText(0, 186), "");
    EXPECT_EQ(HotKeyToText(0, 65, lookup), "A"); // the table wins
}

TEST(HotKeyKeys, ModifierKeysAndBits) {
    for (std::uint32_t vk : {16u, 17u, 18u, 91u, 92u, 160u, 161u, 162u, 163u, 164u, 165u}) {
        EXPECT_TRUE(IsModifierKey(vk)) << vk;
    }
    for (std::uint32_t vk : {15u, 19u, 20u, 90u, 93u, 159u, 166u, 81u}) {
        EXPECT_FALSE(IsModifierKey(vk)) << vk;
    }
    EXPECT_EQ(ModifiersFromKeys(true, true, true, false, false), kHotKeyCtrl | kHotKeyAlt | kHotKeyShift);
    EXPECT_EQ(ModifiersFromKeys(false, false, false, false, true), kHotKeyWin);
    EXPECT_EQ(ModifiersFromKeys(false, false, false, true, true), kHotKeyWin);
    EXPECT_EQ(ModifiersFromKeys(false, false, false, false, false), 0u);
}

TEST(HotKeyEditor, CtrlAltPStaysAfterReleaseAndShiftStartsOver) {
    Keyboard kb;
    kb.Down(kCtrl);
    EXPECT_EQ(kb.Text(), "Ctrl + ");
    kb.Down(kAlt);
    EXPECT_EQ(kb.Text(), "Ctrl + Alt + ");
    kb.Down(kP);
    kb.Up(kP);
    EXPECT_EQ(kb.Text(), "Ctrl + Alt + P");
    EXPECT_TRUE(kb.state.Complete());
    kb.Up(kCtrl);
    EXPECT_EQ(kb.Text(), "Ctrl + Alt + P");
    EXPECT_FALSE(kb.state.Restart());
    kb.Up(kAlt);
    EXPECT_EQ(kb.Text(), "Ctrl + Alt + P");
    EXPECT_TRUE(kb.state.Restart());
    kb.Down(kShift);
    EXPECT_EQ(kb.Text(), "Shift + ");
    EXPECT_EQ(kb.state.Key(), 0u);
}

TEST(HotKeyEditor, ModifierPressedAndReleasedAloneShowsNone) {
    Keyboard kb;
    kb.Down(kCtrl);
    kb.Up(kCtrl);
    EXPECT_EQ(kb.state.Modifiers(), 0u);
    EXPECT_EQ(kb.state.Key(), 0u);
    EXPECT_EQ(kb.Text(), "None");
}

TEST(HotKeyEditor, WinAndQGiveTheDefaultHotkey) {
    Keyboard kb;
    kb.Down(kLWin);
    kb.Down(kQ);
    EXPECT_EQ(kb.state.Modifiers(), 8u);
    EXPECT_EQ(kb.state.Key(), 81u);
    EXPECT_EQ(kb.Text(), "Win + Q");
}

TEST(HotKeyEditor, MainKeyAloneIsAcceptedAndReplacedByTheNextPress) {
    Keyboard kb;
    kb.Down(kF5);
    kb.Up(kF5);
    EXPECT_EQ(kb.state.Modifiers(), 0u);
    EXPECT_EQ(kb.state.Key(), kF5);
    EXPECT_EQ(kb.Text(), "F5");
    EXPECT_TRUE(kb.state.Restart());
    kb.Down(kP);
    EXPECT_EQ(kb.Text(), "P");
    EXPECT_FALSE(kb.state.Complete());
}

TEST(HotKeyEditor, ModifiersPressedAfterACompleteCombinationAreIgnoredUntilAllAreUp) {
    Keyboard kb;
    kb.Down(kCtrl);
    kb.Down(kP);
    kb.Up(kP);
    kb.Down(kShift); // Ctrl still held: complete, so ignored
    EXPECT_EQ(kb.Text(), "Ctrl + P");
    kb.Up(kShift);
    kb.Up(kCtrl);
    EXPECT_EQ(kb.Text(), "Ctrl + P");
    kb.Down(kAlt);
    EXPECT_EQ(kb.Text(), "Alt + ");
}

TEST(HotKeyEditor, AnotherMainKeyWhileHoldingReplacesTheKey) {
    Keyboard kb;
    kb.Down(kCtrl);
    kb.Down(kP);
    kb.Down(kQ); // P still down
    EXPECT_EQ(kb.Text(), "Ctrl + Q");
    kb.Up(kP); // not the stored key: the combination is not finished
    EXPECT_FALSE(kb.state.Complete());
    kb.Up(kCtrl);
    EXPECT_EQ(kb.Text(), "Q");
}

TEST(HotKeyEditor, SettingAHalfKeepsTheOtherAndRestartsOnTheNextPress) {
    THotKeyState state;
    state.SetKey(81);
    state.SetModifiers(kHotKeyWin);
    EXPECT_EQ(state.Key(), 81u);
    EXPECT_EQ(state.Modifiers(), kHotKeyWin);
    EXPECT_TRUE(state.Restart());
    EXPECT_TRUE(state.KeyDown(kCtrl, kHotKeyCtrl));
    EXPECT_EQ(state.Modifiers(), kHotKeyCtrl);
    EXPECT_EQ(state.Key(), 0u);
}

TEST(HotKeyEditor, StepsReportWhetherTheTextChanges) {
    THotKeyState state;
    EXPECT_TRUE(state.KeyDown(kCtrl, kHotKeyCtrl));
    EXPECT_TRUE(state.KeyDown(kP, kHotKeyCtrl));
    EXPECT_FALSE(state.KeyUp(kP, kHotKeyCtrl));
    EXPECT_FALSE(state.KeyDown(kShift, kHotKeyCtrl | kHotKeyShift));
    EXPECT_FALSE(state.KeyUp(kCtrl, 0));
}

TEST(HotKeyNotices, EachTakenCombinationIsReportedOnceWithItsText) {
    THotKeyNotices notices;
    EXPECT_TRUE(notices.FirstTime(kHotKeyWin, 81));
    EXPECT_FALSE(notices.FirstTime(kHotKeyWin, 81));
    EXPECT_TRUE(notices.FirstTime(kHotKeyWin | kHotKeyShift, 81)) << "another combination is news";
    EXPECT_TRUE(notices.FirstTime(kHotKeyWin, 87));
    EXPECT_EQ(HotKeyTakenNotice(HotKeyToText(kHotKeyWin, 81)),
              "Win + Q is in use by another program. Choose another hotkey under Customize > Settings.");
}

} // namespace tsy
