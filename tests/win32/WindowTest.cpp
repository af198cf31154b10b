#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/win32/Dialog.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/Window.h"

namespace {

using tsy::win32::TDialog;
using tsy::win32::TScopedErrorHandler;
using tsy::win32::TWindow;
using tsy::win32::TWindowClass;
using tsy::win32::TWindowPlacement;

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kCount = WM_APP + 2;
constexpr UINT kThrowUnknown = WM_APP + 3;

class TThrowingWindow : public TWindow {
public:
    TThrowingWindow() {
        TWindowClass wc;
        wc.Name = "TsyThrowingWindow";
        wc.Instance = GetModuleHandleA(nullptr);
        TWindowPlacement placement;
        placement.Style = WS_OVERLAPPEDWINDOW;
        Create(wc, "Throwing", placement);
    }
    int counted = 0;
    bool destroyed = false;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrow)
            throw std::runtime_error("Handler failed: " + std::to_string(wParam));
        if (message == kThrowUnknown)
            throw 42;
        if (message == kCount)
            return ++counted;
        return TWindow::HandleMessage(message, wParam, lParam);
    }
    void HandleDestroyed() noexcept override { destroyed = true; }
};

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST(WindowBoundary, ErrorOfAHandlerReachesTheHandlerAndTheWindowKeepsWorking) {
    std::vector<std::string> errors;
    TScopedErrorHandler scope([&](std::string_view text) { errors.emplace_back(text); });
    TThrowingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(TWindow::FromHandle(window.Handle()), &window);

    EXPECT_EQ(SendMessageA(window.Handle(), kThrow, 7, 0), 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Handler failed: 7");

    // Posted messages take the path through the message loop.
    PostMessageA(window.Handle(), kThrow, 8, 0);
    PumpPending();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "Handler failed: 8");

    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(SendMessageA(window.Handle(), kCount, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window.Handle(), kCount, 0, 0), 2);
}

TEST(WindowBoundary, AnythingThrownIsReportedAndAFailingHandlerIsSwallowed) {
    std::vector<std::string> errors;
    {
        TScopedErrorHandler scope([&](std::string_view text) { errors.emplace_back(text); });
        TThrowingWindow window;
        SendMessageA(window.Handle(), kThrowUnknown, 0, 0);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], "Unknown error.");
        {
            TScopedErrorHandler failing([](std::string_view) { throw std::runtime_error("again"); });
            EXPECT_EQ(SendMessageA(window.Handle(), kThrow, 1, 0), 0);
        }
        // The outer handler is back in place.
        SendMessageA(window.Handle(), kThrow, 2, 0);
        EXPECT_EQ(errors.size(), 2u);
        EXPECT_EQ(SendMessageA(window.Handle(), kCount, 0, 0), 1);
    }
}

TEST(WindowLifetime, DestroyingTheWindowDetachesTheObjectAndTheObjectDestroysItsWindow) {
    HWND handle = nullptr;
    {
        TThrowingWindow window;
        handle = window.Handle();
        DestroyWindow(handle);
        EXPECT_TRUE(window.destroyed);
        EXPECT_EQ(window.Handle(), nullptr);
        EXPECT_EQ(TWindow::FromHandle(handle), nullptr);
    }
    {
        TThrowingWindow window;
        handle = window.Handle();
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(WindowLifetime, ForeignWindowsAreNotTakenForOurs) {
    HWND button =
        CreateWindowExA(0, "BUTTON", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    SetWindowLongPtrA(button, GWLP_USERDATA, 1234);
    EXPECT_EQ(TWindow::FromHandle(button), nullptr);
    DestroyWindow(button);
    EXPECT_EQ(TWindow::FromHandle(nullptr), nullptr);
}

// An in-memory template: one dialog with no controls, so the test needs no resource.
struct TEmptyTemplate {
    DLGTEMPLATE head{};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

class TThrowingDialog : public TDialog {
public:
    explicit TThrowingDialog(const DLGTEMPLATE* dialogTemplate)
        : TDialog({.Instance = GetModuleHandleA(nullptr)}, dialogTemplate) {}
    std::vector<int> seen;

protected:
    void HandleInit() override {
        PostMessageA(Handle(), kThrow, 0, 0);
        PostMessageA(Handle(), kCount, 0, 0);
    }
    bool HandleMessage(UINT message, WPARAM, LPARAM) override {
        if (message == kThrow)
            throw std::runtime_error("dialog handler failed");
        if (message == kCount) {
            // Still alive after the failure: finish the showing with a known result.
            seen.push_back(1);
            EndModal(77);
            return true;
        }
        return false;
    }
};

TEST(DialogBoundary, ErrorOfAHandlerIsReportedAndTheModalDialogGoesOn) {
    std::vector<std::string> errors;
    TScopedErrorHandler scope([&](std::string_view text) { errors.emplace_back(text); });
    TEmptyTemplate tpl;
    tpl.head.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    tpl.head.cx = 100;
    tpl.head.cy = 50;
    TThrowingDialog dialog(&tpl.head);
    EXPECT_EQ(dialog.ShowModal(nullptr), 77);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "dialog handler failed");
    EXPECT_EQ(dialog.seen.size(), 1u);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

} // namespace
