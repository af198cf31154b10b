#include "ui/Slider.h"

#include <gtest/gtest.h>

#include "settings/Settings.h"

namespace tsy {

namespace {

constexpr TSize kScreen{1024, 768};

class TFakeSliderHost : public ISliderHost {
public:
    TRect Bounds() const override { return bounds; }
    void SetBounds(const TRect& b) override { bounds = b; }
    TPoint CursorPos() const override { return cursor; }
    void SetCursorPos(TPoint p) override {
        cursor = p;
        ++cursorWarps;
    }
    TSize ScreenSize() const override { return screen; }
    bool TimerEnabled() const override { return timer; }
    void SetTimerEnabled(bool on) override { timer = on; }
    void ActivateMainWindow() override { ++activations; }

    TRect bounds;
    TPoint cursor{500, 500};
    TSize screen = kScreen;
    bool timer = false;
    int cursorWarps = 0;
    int activations = 0;
};

class SliderStateTest : public ::testing::Test {
protected:
    SliderStateTest() : slider(host, settings) {}

    void Show(std::int32_t edge, std::int32_t x, std::int32_t y) {
        settings.SliderEdge = edge;
        settings.SliderX = x;
        settings.SliderY = y;
        slider.FormShow();
    }
    // Runs the timer until it stops; the number of ticks it ran.
    int RunTimer() {
        int ticks = 0;
        while (host.timer && ticks < 1000) {
            slider.TimerTick();
            ++ticks;
        }
        return ticks;
    }
    void DragTo(TPoint p) {
        host.cursor = p;
        slider.MouseMove();
    }

    TFakeSliderHost host;
    TAppSettings settings;
    TSlider slider;
};

} // namespace

TEST(SliderGeometry, EdgeTableSizesAndHolder) {
    const TSliderMetrics m;
    EXPECT_EQ(SliderSize(TSliderEdge::Left, m), (TSize{64, 56}));
    EXPECT_EQ(SliderSize(TSliderEdge::Right, m), (TSize{64, 56}));
    EXPECT_EQ(SliderSize(TSliderEdge::Top, m), (TSize{56, 64}));
    EXPECT_EQ(SliderSize(TSliderEdge::Bottom, m), (TSize{56, 64}));
    EXPECT_EQ(SliderHolderRect(TSliderEdge::Left, m), (TRect{1, 1, 54, 54}));
    EXPECT_EQ(SliderHolderRect(TSliderEdge::Right, m), (TRect{9, 1, 54, 54}));
    EXPECT_EQ(SliderHolderRect(TSliderEdge::Top, m), (TRect{1, 1, 54, 54}));
    EXPECT_EQ(SliderHolderRect(TSliderEdge::Bottom, m), (TRect{1, 9, 54, 54}));
    // Twice the DPI, twice the panel.
    EXPECT_EQ(SliderSize(TSliderEdge::Left, ScaleSliderMetrics(192)), (TSize{128, 112}));
    EXPECT_EQ(ScaleSliderMetrics(192).NearEdge, 124);
}

TEST(SliderGeometry, NearEdgeFlagsAndEdgeChoice) {
    const TSliderMetrics m;
    EXPECT_EQ(NearEdgeFlags({62, 62}, kScreen, m), 0u);
    EXPECT_EQ(NearEdgeFlags({1024 - 124, 768 - 124}, kScreen, m), 0u);
    EXPECT_EQ(NearEdgeFlags({61, 300}, kScreen, m), 1u);
    EXPECT_EQ(NearEdgeFlags({1024 - 123, 300}, kScreen, m), 2u);
    EXPECT_EQ(NearEdgeFlags({300, 61}, kScreen, m), 4u);
    EXPECT_EQ(NearEdgeFlags({-58, 768 - 123}, kScreen, m), 1u | 8u);

    EXPECT_EQ(ChooseEdge(1 | 8, TSliderEdge::Bottom), TSliderEdge::Bottom);
    EXPECT_EQ(ChooseEdge(2 | 8, TSliderEdge::Left), TSliderEdge::Right);
    EXPECT_EQ(ChooseEdge(4 | 8, TSliderEdge::Right), TSliderEdge::Top);
    EXPECT_EQ(ChooseEdge(0, TSliderEdge::Top), TSliderEdge::Top);
}

TEST(SliderGeometry, GrabDragAndClampPerEdge) {
    const TSize w{64, 56};
    const TSliderGrab right = GrabAt(TSliderEdge::Right, {10, 20}, w);
    EXPECT_EQ(right, (TSliderGrab{20, 54}));
    // The grabbed point stays under the cursor.
    EXPECT_EQ(DragPosition(TSliderEdge::Right, {900, 300}, right, w), (TPoint{890, 280}));
    EXPECT_EQ(ClampDragCursor(TSliderEdge::Right, {1000, 300}, right, kScreen), (TPoint{970, 300}));
    EXPECT_EQ(ClampDragCursor(TSliderEdge::Right, {900, 300}, right, kScreen), (TPoint{900, 300}));

    const TSize h{56, 64};
    const TSliderGrab bottom = GrabAt(TSliderEdge::Bottom, {30, 5}, h);
    EXPECT_EQ(bottom, (TSliderGrab{30, 59}));
    EXPECT_EQ(DragPosition(TSliderEdge::Bottom, {400, 760}, bottom, h), (TPoint{370, 755}));
    EXPECT_EQ(ClampDragCursor(TSliderEdge::Bottom, {400, 760}, bottom, kScreen), (TPoint{400, 709}));
    const TSliderGrab top = GrabAt(TSliderEdge::Top, {30, 5}, h);
    EXPECT_EQ(ClampDragCursor(TSliderEdge::Top, {400, 2}, top, kScreen), (TPoint{400, 5}));
}

TEST_F(SliderStateTest, ShowsHiddenAtTheStoredPlaceOnEachEdge) {
    Show(0, 500, 200);
    EXPECT_EQ(host.bounds, (TRect{-58, 200, 64, 56})) << "6 pixels of the left panel show";
    EXPECT_TRUE(slider.Snapped());

    Show(1, 0, 300);
    EXPECT_EQ(host.bounds, (TRect{1024 - 64 + 58, 300, 64, 56}));
    EXPECT_EQ(slider.ShownPosition(), 1024 - 64);

    Show(2, 400, 0);
    EXPECT_EQ(host.bounds, (TRect{400, -58, 56, 64}));
    Show(3, 400, 0);
    EXPECT_EQ(host.bounds, (TRect{400, 768 - 64 + 58, 56, 64}));

    Show(9, 7, 123);
    EXPECT_EQ(slider.Edge(), TSliderEdge::Left);
    EXPECT_EQ(host.bounds, (TRect{-58, 123, 64, 56}));
}

TEST_F(SliderStateTest, MouseOnTheStripSlidesOutAndLeavingSlidesBackIn) {
    Show(0, 0, 200);
    host.cursor = {6, 210}; // the far border of the strip counts for entering
    slider.MouseEnter();
    EXPECT_TRUE(host.timer);
    EXPECT_EQ(slider.Direction(), 1);
    EXPECT_EQ(RunTimer(), 12) << "58 pixels at five a tick";
    EXPECT_EQ(host.bounds.Left, 0);

    // From the strip onto the logo: still inside, nothing starts.
    host.cursor = {30, 210};
    slider.MouseLeave();
    EXPECT_FALSE(host.timer);

    // The far border is outside for leaving.
    host.cursor = {64, 210};
    slider.MouseLeave();
    EXPECT_EQ(slider.Direction(), -1);
    RunTimer();
    EXPECT_EQ(host.bounds.Left, -58);
}

TEST_F(SliderStateTest, EnterMidwayReversesTheSlide) {
    Show(3, 300, 0);
    host.cursor = {310, 767};
    slider.MouseEnter();
    slider.TimerTick();
    slider.TimerTick();
    EXPECT_EQ(host.bounds.Top, 768 + 58 - 64 - 10);
    host.cursor = {310, 500};
    slider.MouseLeave();
    EXPECT_EQ(slider.Direction(), -1);
    EXPECT_TRUE(host.timer);
    RunTimer();
    EXPECT_EQ(host.bounds.Top, 768 + 58 - 64);
    // A hidden panel cannot slide further in: the timer stays off.
    slider.StartSlide(-1);
    EXPECT_FALSE(host.timer);
}

TEST_F(SliderStateTest, DragFromTheLeftFloatsFreeThenSnapsRightAndIsStored) {
    Show(0, 0, 200);
    host.cursor = {3, 220};
    slider.MouseDown();
    EXPECT_EQ(slider.Grab(), (TSliderGrab{20, 61}));
    slider.MouseEnter();
    EXPECT_FALSE(host.timer) << "a drag suspends sliding";

    // Still near the left edge: it moves along it only, and the cursor is held back.
    DragTo({30, 300});
    EXPECT_EQ(host.bounds, (TRect{-58, 280, 64, 56}));
    EXPECT_EQ(host.cursor, (TPoint{61, 300}));
    EXPECT_EQ(host.cursorWarps, 1);
    DragTo({200, 300});
    EXPECT_EQ(host.bounds.Left, -58) << "the move caused by the warp is skipped";

    DragTo({200, 300});
    EXPECT_FALSE(slider.Snapped());
    EXPECT_EQ(host.bounds, (TRect{139, 280, 64, 56}));
    DragTo({1024 - 124 + 61, 300});
    EXPECT_FALSE(slider.Snapped()) << "at screen width - 124 it still floats";

    DragTo({1000, 310});
    EXPECT_TRUE(slider.Snapped());
    EXPECT_EQ(slider.Edge(), TSliderEdge::Right);
    EXPECT_EQ(host.bounds, (TRect{1024 - 64 + 58, 290, 64, 56}));
    EXPECT_EQ(host.cursor, (TPoint{1024 - 61, 310}));

    slider.MouseUp();
    EXPECT_FALSE(slider.Dragging());
    EXPECT_EQ(host.bounds, (TRect{1024 - 64 + 58, 290, 64, 56}));
    EXPECT_EQ(settings.SliderEdge, 1);
    EXPECT_EQ(settings.SliderX, 1024 - 64 + 58);
    EXPECT_EQ(settings.SliderY, 290);
}

TEST_F(SliderStateTest, DragAlongTheLeftEdgeIntoTheCornerKeepsTheLeftEdge) {
    Show(0, 0, 200);
    host.cursor = {3, 220};
    slider.MouseDown();
    DragTo({61, 760});
    slider.MouseUp();
    EXPECT_EQ(slider.Edge(), TSliderEdge::Left);
    EXPECT_EQ(host.bounds, (TRect{-58, 740, 64, 56}));

    // Floating first and then into the corner: the own flag still wins.
    host.cursor = {3, 760};
    slider.MouseDown();
    DragTo({300, 400});
    EXPECT_FALSE(slider.Snapped());
    DragTo({61, 760});
    EXPECT_TRUE(slider.Snapped());
    slider.MouseUp();
    EXPECT_EQ(slider.Edge(), TSliderEdge::Left);
}

TEST_F(SliderStateTest, SettingChangeFollowsTheScreenButNotTheCursor) {
    Show(1, 0, 300);
    host.cursor = {1020, 320};
    slider.MouseDown();
    slider.MouseUp();
    host.screen = {1280, 1024};
    host.cursor = {10, 10};
    slider.SettingChange();
    EXPECT_EQ(host.bounds, (TRect{1280 - 64 + 58, 300, 64, 56}));
}

TEST_F(SliderStateTest, SlideEndAndLogoClick) {
    Show(0, 0, 200);
    host.cursor = {600, 600};
    slider.SlideEnd(-1);
    EXPECT_FALSE(host.timer) << "outside, only a slide out is started";
    slider.SlideEnd(+1);
    EXPECT_EQ(slider.Direction(), 1);
    RunTimer();
    host.cursor = {20, 220};
    slider.SlideEnd(+1);
    EXPECT_FALSE(host.timer);
    slider.LogoClick();
    EXPECT_EQ(host.activations, 1);
    EXPECT_EQ(slider.Direction(), -1);
    RunTimer();
    EXPECT_EQ(host.bounds.Left, -58);
}

} // namespace tsy
