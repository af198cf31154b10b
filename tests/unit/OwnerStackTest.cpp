#include "support/OwnerStack.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

constexpr TWindowHandle kDesktop = 0x10;

TEST(OwnerStack, StartsWithTheDesktopAndKeepsItWhateverIsPopped) {
    TOwnerStack stack(kDesktop);
    EXPECT_EQ(stack.Top(), kDesktop);
    stack.Pop(kDesktop);
    stack.Pop(0x99);
    EXPECT_EQ(stack.Top(), kDesktop);
    EXPECT_EQ(stack.Size(), 1u);
}

TEST(OwnerStack, LastPushedOwnsAndPopRemovesAWindowWhereverItIs) {
    TOwnerStack stack(kDesktop);
    stack.Push(1); // main window
    stack.Push(2); // settings dialog
    stack.Push(3); // site editor
    EXPECT_EQ(stack.Top(), 3u);
    stack.Pop(2); // closed out of order
    EXPECT_EQ(stack.Top(), 3u);
    EXPECT_FALSE(stack.Contains(2));
    stack.Pop(3);
    EXPECT_EQ(stack.Top(), 1u);
    stack.Pop(1);
    EXPECT_EQ(stack.Top(), kDesktop);
}

TEST(OwnerStack, PopTakesOnlyTheTopmostEntryOfAWindowPushedTwice) {
    TOwnerStack stack(kDesktop);
    stack.Push(1);
    stack.Push(2);
    stack.Push(1);
    stack.Pop(1);
    EXPECT_EQ(stack.Top(), 2u);
    EXPECT_TRUE(stack.Contains(1));
}

TEST(OwnerStack, TopWhereSkipsDeadWindowsAndFallsBackToTheDesktop) {
    TOwnerStack stack(kDesktop);
    stack.Push(1);
    stack.Push(2);
    stack.Push(3);
    EXPECT_EQ(stack.TopWhere([](TWindowHandle w) { return w == 1; }), 1u);
    EXPECT_EQ(stack.TopWhere([](TWindowHandle w) { return w != 3; }), 2u);
    EXPECT_EQ(stack.TopWhere([](TWindowHandle) { return false; }), kDesktop);
    EXPECT_EQ(stack.Size(), 4u) << "looking does not change the stack";
}

} // namespace
} // namespace tsy
