#include "controls/TrayLogic.h"

#include <gtest/gtest.h>

namespace tsy {

TEST(TrayLogic, HotkeyBringsACoveredWindowForwardThenHidesIt) {
    EXPECT_EQ(DecideToggle(false, true, true, false, false), TToggleAction::BringToFront);
    EXPECT_EQ(DecideToggle(false, true, true, false, true), TToggleAction::Hide);
    EXPECT_EQ(DecideToggle(false, false, true, false, false), TToggleAction::Show);
}

TEST(TrayLogic, ModalDialogBlocksEveryToggle) {
    for (bool shown : {false, true}) {
        for (bool inFront : {false, true}) {
            EXPECT_EQ(DecideToggle(true, shown, true, false, inFront), TToggleAction::None);
        }
    }
}

TEST(TrayLogic, FromTheIconOrWithoutBringUpFirstAShownApplicationHides) {
    EXPECT_EQ(DecideToggle(false, true, true, true, false), TToggleAction::Hide);
    EXPECT_EQ(DecideToggle(false, true, false, false, false), TToggleAction::Hide);
    EXPECT_EQ(DecideToggle(false, false, false, true, false), TToggleAction::Show);
}

TEST(TrayLogic, MouseNotificationsRouteToToggleDoubleClickAndMenu) {
    TTrayMouseActions a = RouteTrayMouse(kTrayLeftDoubleClick, false);
    EXPECT_FALSE(a.Toggle);
    EXPECT_TRUE(a.DoubleClick);
    EXPECT_FALSE(a.ContextMenu);
    a = RouteTrayMouse(kTrayLeftDoubleClick, true);
    EXPECT_TRUE(a.Toggle);
    EXPECT_TRUE(a.DoubleClick);
    a = RouteTrayMouse(kTrayRightButtonUp, true);
    EXPECT_TRUE(a.ContextMenu);
    EXPECT_FALSE(a.Toggle);
    EXPECT_FALSE(a.DoubleClick);
    for (std::uint32_t other : {0x0200u, 0x0201u, 0x0202u, 0x0204u}) {
        a = RouteTrayMouse(other, true);
        EXPECT_FALSE(a.Toggle || a.DoubleClick || a.ContextMenu) << other;
    }
}

} // namespace tsy
