#include "controls/TrayLogic.h"

namespace tsy {

TToggleAction DecideToggle(bool modalOpen, bool shown, bool bringUpFirst, bool fromIcon,
                           bool mainWindowInFront) {
    if (modalOpen) {
        return TToggleAction::None;
    }
    if (!shown) {
        return TToggleAction::Show;
    }
    if (bringUpFirst && !fromIcon && !mainWindowInFront) {
        return TToggleAction::BringToFront;
    }
    return TToggleAction::Hide;
}

bool TrayIconVisibleOnApply(bool minimizeToTray, bool startedForSlider) {
    return minimizeToTray && !startedForSlider;
}

TTrayMouseActions RouteTrayMouse(std::uint32_t mouseMessage, bool autoToggle) {
    TTrayMouseActions actions;
    if (mouseMessage == kTrayLeftDoubleClick) {
        actions.Toggle = autoToggle;
        actions.DoubleClick = true;
    } else if (mouseMessage == kTrayRightButtonUp) {
        actions.ContextMenu = true;
    }
    return actions;
}

} // namespace tsy
