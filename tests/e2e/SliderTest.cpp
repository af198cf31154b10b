// The quick-access panel of slider mode: where it rests, how it follows the mouse, how it is
// dragged to another edge and remembered, and how its logo brings the program up.
#include "E2eFixture.h"

namespace tsy::e2e {
namespace {

constexpr const char* RunPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct TScreen {
    int Width = GetSystemMetrics(SM_CXSCREEN);
    int Height = GetSystemMetrics(SM_CYSCREEN);
};

RECT Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Real mouse input, so the program sees it the way it sees the user's.
void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// The program may move the cursor on its own at once, so its place is not checked here.
void MoveMouse(int x, int y) {
    SetCursorPos(x, y);
    // A zero relative move makes the move an input event of its own.
    SendMouse(MOUSEEVENTF_MOVE);
}

class SliderTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        savedRun_ = ReadRegistryString(HKEY_CURRENT_USER, RunPath, "TSY");
        // The autorun entry in its slider form is what turns slider mode on.
        WriteRegistryString(HKEY_CURRENT_USER, RunPath, "TSY", "\"" + ProgramPath() + "\" /slider");
        MoveMouse(screen_.Width / 2, screen_.Height / 2);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        if (savedRun_)
            WriteRegistryString(HKEY_CURRENT_USER, RunPath, "TSY", *savedRun_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, RunPath, "TSY");
    }

    // The program's panel, once it exists.
    HWND WaitForSlider(const TProgram& program) {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w = FindWindowExA(nullptr, nullptr, "TSliderForm", nullptr); w;
                     w = FindWindowExA(nullptr, w, "TSliderForm", nullptr)) {
                    DWORD owner = 0;
                    GetWindowThreadProcessId(w, &owner);
                    if (owner == program.ProcessID() && IsWindowVisible(w))
                        found = w;
                }
                return found != nullptr;
            },
            20s);
        return found;
    }

    bool WaitForPlace(HWND slider, int left, int top, Duration timeout = 5s) {
        return WaitUntil(
            [&] {
                const RECT r = Rect(slider);
                return r.left == left && r.top == top;
            },
            timeout);
    }

    static std::string Where(HWND slider) {
        const RECT r = Rect(slider);
        return "the panel is at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
               std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
    }

    void Click() {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }

    TScreen screen_;

private:
    std::optional<std::string> savedRun_;
};

TEST_F(SliderTest, RestsHiddenFollowsTheMouseAndItsLogoShowsTheProgram) {
    TProgram program;
    HWND main = Start(program, "-slider");
    ASSERT_TRUE(main);
    HWND slider = WaitForSlider(program);
    ASSERT_TRUE(slider) << "no panel in slider mode";

    // Defaults: left edge, 200 down, only 6 pixels on screen.
    ASSERT_TRUE(WaitForPlace(slider, -58, 200)) << Where(slider);
    const RECT rest = Rect(slider);
    EXPECT_EQ(rest.right - rest.left, 64);
    EXPECT_EQ(rest.bottom - rest.top, 56);
    const LONG_PTR ex = GetWindowLongPtrA(slider, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrA(slider, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_FALSE(IsWindowVisible(main));

    MoveMouse(3, 220);
    EXPECT_TRUE(WaitForPlace(slider, 0, 200)) << "touching the strip slides it out; " << Where(slider);
    MoveMouse(300, 400);
    EXPECT_TRUE(WaitForPlace(slider, -58, 200)) << "leaving it slides it back; " << Where(slider);

    MoveMouse(3, 220);
    ASSERT_TRUE(WaitForPlace(slider, 0, 200)) << Where(slider);
    MoveMouse(28, 228); // the middle of the logo
    Click();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s))
        << "the logo brings up the main window";
    EXPECT_TRUE(WaitForPlace(slider, -58, 200)) << "after the click the panel slides in; " << Where(slider);
    EXPECT_EQ(WaitForSlider(program), slider) << "still one panel";
}

TEST_F(SliderTest, DraggedToTheRightEdgeItStaysThereAcrossStarts) {
    const int rightHidden = screen_.Width - 64 + 58;
    {
        TProgram program;
        HWND main = Start(program, "/slider");
        ASSERT_TRUE(main);
        HWND slider = WaitForSlider(program);
        ASSERT_TRUE(slider);
        ASSERT_TRUE(WaitForPlace(slider, -58, 200)) << Where(slider);
        MoveMouse(3, 220);
        ASSERT_TRUE(WaitForPlace(slider, 0, 200)) << Where(slider);

        // Grab the strip beside the logo, 60 pixels in and 20 down.
        MoveMouse(60, 220);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        MoveMouse(200, 230);
        EXPECT_TRUE(WaitForPlace(slider, 140, 210)) << "away from every edge it floats; " << Where(slider);
        MoveMouse(screen_.Width - 24, 230);
        // Snapped to the right edge: hidden there, the cursor held back by the grab.
        EXPECT_TRUE(WaitForPlace(slider, rightHidden, 210)) << Where(slider);
        EXPECT_TRUE(WaitUntil(
            [&] {
                POINT p{};
                return GetCursorPos(&p) && p.x == screen_.Width - 60;
            },
            3s));
        SendMouse(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(WaitForPlace(slider, rightHidden, 210)) << Where(slider);

        // Out again from the right edge; its logo shows the program, so quitting saves.
        MoveMouse(screen_.Width - 2, 240);
        ASSERT_TRUE(WaitForPlace(slider, screen_.Width - 64, 210)) << Where(slider);
        MoveMouse(screen_.Width - 28, 238);
        Click();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s));
        program.WaitForIdle(10s);

        SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        ASSERT_TRUE(program.WaitForExit(15s));
    }
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "Slider.Edge"), 1u);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "Slider.X"), DWORD(rightHidden));
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "Slider.Y"), 210u);

    TProgram again;
    HWND main = Start(again, "/slider");
    ASSERT_TRUE(main);
    HWND slider = WaitForSlider(again);
    ASSERT_TRUE(slider);
    EXPECT_TRUE(WaitForPlace(slider, rightHidden, 210)) << "back hidden where it was left; " << Where(slider);
    EXPECT_FALSE(IsWindowVisible(main));
}

} // namespace
} // namespace tsy::e2e
