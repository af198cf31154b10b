#include "app/CloseLogic.h"

#include <gtest/gtest.h>

namespace tsy {

namespace {

TCloseSettings Settings(bool minimizeOnClose, bool slider, bool activated = true) {
    TCloseSettings s;
    s.MinimizeOnClose = minimizeOnClose;
    s.SliderEnabled = slider;
    s.ActivatedOnce = activated;
    return s;
}

} // namespace

TEST(CloseLogic, CloseButtonFollowsMinimizeOnCloseAndTheSlider) {
    TCloseController close;

    // Esc with MinimizeOnClose off and no slider: save and quit.
    TCloseDecision d = close.Close(Settings(false, false));
    EXPECT_EQ(d.Action, TCloseAction::Destroy);
    EXPECT_TRUE(d.SaveState);
    EXPECT_FALSE(d.MinimizeApplication);
    EXPECT_FALSE(d.HideTrayIconAndApplication);

    // MinimizeOnClose on: minimise, nothing saved, with or without the slider.
    for (bool slider : {false, true}) {
        d = close.Close(Settings(true, slider));
        EXPECT_EQ(d.Action, TCloseAction::Minimize);
        EXPECT_TRUE(d.MinimizeApplication);
        EXPECT_FALSE(d.SaveState);
    }

    // MinimizeOnClose off with the slider: hide, the slider being the way back.
    d = close.Close(Settings(false, true));
    EXPECT_EQ(d.Action, TCloseAction::Hide);
    EXPECT_TRUE(d.HideTrayIconAndApplication);
    EXPECT_FALSE(d.SaveState);
}

TEST(CloseLogic, EndSessionAlwaysSavesAndQuits) {
    for (bool minimize : {false, true}) {
        for (bool slider : {false, true}) {
            TCloseController close;
            close.Request(TCloseRequest::EndSession);
            EXPECT_EQ(close.Reason(), TCloseReason::Quit);
            const TCloseDecision d = close.Close(Settings(minimize, slider));
            EXPECT_EQ(d.Action, TCloseAction::Destroy);
            EXPECT_TRUE(d.SaveState);
        }
    }
}

TEST(CloseLogic, ExitQuitsWithoutSliderAndHidesWithIt) {
    for (bool minimize : {false, true}) {
        TCloseController close;
        close.Request(TCloseRequest::TrayExit);
        EXPECT_EQ(close.Reason(), TCloseReason::Hide);
        const TCloseDecision d = close.Close(Settings(minimize, false));
        EXPECT_EQ(d.Action, TCloseAction::Destroy) << "MinimizeOnClose does not stop Exit";
        EXPECT_TRUE(d.SaveState);
    }
    TCloseController close;
    close.Request(TCloseRequest::TrayExit);
    const TCloseDecision d = close.Close(Settings(false, true));
    EXPECT_EQ(d.Action, TCloseAction::Hide);
    EXPECT_TRUE(d.HideTrayIconAndApplication);
    EXPECT_FALSE(d.SaveState);
}

TEST(CloseLogic, NeverActivatedWindowQuitsWithoutSaving) {
    TCloseController close;
    close.Request(TCloseRequest::EndSession);
    const TCloseDecision d = close.Close(Settings(false, false, false));
    EXPECT_EQ(d.Action, TCloseAction::Destroy);
    EXPECT_FALSE(d.SaveState);
}

TEST(CloseLogic, ReasonIsResetAfterEveryClose) {
    TCloseController close;
    close.Request(TCloseRequest::EndSession);
    close.Close(Settings(true, false));
    EXPECT_EQ(close.Reason(), TCloseReason::None);
    // The next plain close goes through the query again instead of quitting.
    EXPECT_EQ(close.Close(Settings(true, false)).Action, TCloseAction::Minimize);
}

TEST(CloseLogic, RequestsWithoutAReasonKeepAPendingOne) {
    TCloseController close;
    close.Request(TCloseRequest::EndSession);
    close.Request(TCloseRequest::AutoClose);
    close.Request(TCloseRequest::CloseButton);
    EXPECT_EQ(close.Reason(), TCloseReason::Quit);
}

TEST(CloseLogic, PureStepsMatchTheController) {
    EXPECT_EQ(QueryCloseReason(TCloseReason::None, true), TCloseReason::Minimize);
    EXPECT_EQ(QueryCloseReason(TCloseReason::None, false), TCloseReason::Hide);
    EXPECT_EQ(QueryCloseReason(TCloseReason::Hide, true), TCloseReason::Hide);
    EXPECT_EQ(DecideClose(TCloseReason::Hide, false, true).Action, TCloseAction::Destroy);
    EXPECT_EQ(DecideClose(TCloseReason::Hide, true, true).Action, TCloseAction::Hide);
    EXPECT_EQ(DecideClose(TCloseReason::None, false, true).Action, TCloseAction::Keep);
    EXPECT_EQ(ReasonOfRequest(TCloseRequest::CloseButton), TCloseReason::None);
    EXPECT_EQ(ReasonOfRequest(TCloseRequest::AutoClose), TCloseReason::None);
}

} // namespace tsy
