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

// An absolute move to a screen pixel. The program may move the cursor on its own at once,
// so its place is not checked here.
void MoveMouse(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    // 65536 units span the screen; round up so the unit lands inside the wanted pixel.
    input.mi.dx = LONG((x * 65536LL + w - 1) / w);
    input.mi.dy = LONG((y * 65536LL + h - 1) / h);
    SendInput(1, &input, sizeof input);
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

    // The window that has the mouse captured in the program's thread, if any.
    static HWND CaptureOf(HWND window) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
            return nullptr;
        return info.hwndCapture;
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
        // Wine turns a window into a window-manager window on its first activation and then maps
        // it anew, which takes the activation away again and with it a drag's capture. A click
        // on the strip gets that over with: it is a drag without moves, so the panel goes in.
        MoveMouse(60, 220);
        Click();
        ASSERT_TRUE(WaitForPlace(slider, -58, 200)) << "a click on the strip puts it back; " << Where(slider);
        MoveMouse(3, 220);
        ASSERT_TRUE(WaitForPlace(slider, 0, 200)) << Where(slider);

        // Grab the panel's outer border, at its left, and drag it right in steps small enough
        // that the pointer never leaves the panel that follows it.
        MoveMouse(0, 220);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        // The program reads the cursor when the button goes down: it must still be there.
        ASSERT_TRUE(WaitUntil([&] { return CaptureOf(slider) == slider; }, 5s)) << "the drag did not start";
        MoveMouse(40, 230);
        EXPECT_TRUE(WaitForPlace(slider, 0, 210))
            << "near the left edge it moves along it; " << Where(slider);
        for (int x = 80; x <= screen_.Width - 124; x += 40) {
            MoveMouse(x, 230);
            ASSERT_TRUE(WaitForPlace(slider, x, 210)) << "away from every edge it floats; " << Where(slider);
        }
        MoveMouse(screen_.Width - 100, 230);
        EXPECT_TRUE(WaitForPlace(slider, rightHidden, 210))
            << "it snaps to the right edge; " << Where(slider);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(WaitUntil([&] { return CaptureOf(slider) == nullptr; }, 5s)) << "the drag did not end";
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
