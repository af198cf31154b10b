// The main window at another DPI: a picture for the layout check, and a change of monitor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "LayoutCheck.h"
#include "MainFormFixture.h"
#include "ModalDriver.h"
#include "app/MainLayout.h"
#include "support/Geometry.h"
#include "support/win32/ScreenDpi.h"

namespace {

using namespace tsy;
using tsy::testing::MainFormTest;

using MainFormPictures = MainFormTest;

TEST_F(MainFormPictures, TheMainWindowIsSaved) {
    if (!std::getenv("TESSALY_SCREENSHOTS"))
        GTEST_SKIP() << "pictures are taken by the screenshot run";
    auto form = MakeForm(false);
    tsy::testing::Pump();
    tsy::testing::SavePicture(form->Handle(), "main-form");
}

LONG FontHeight(HWND control) {
    LOGFONTA face{};
    GetObjectA(HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof face, &face);
    return face.lfHeight;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bits{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits.bmWidth;
}

TEST_F(MainFormTest, MovedToAMonitorOfAnotherDpiItTakesTheSuggestedPlaceAndScalesItsControls) {
    auto form = MakeForm(false);
    HWND main = form->Handle();
    const int dpi = win32::WindowDpi(main) == 144 ? 96 : 144;
    RECT window;
    GetWindowRect(main, &window);
    const RECT suggested{window.left + 20, window.top + 10,
                         window.left + 20 + MulDiv(window.right - window.left, dpi, win32::WindowDpi(main)),
                         window.top + 10 + ScaleForDpi(kMainFormHeight, dpi)};
    SendMessageA(main, win32::kDpiChangedMessage, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    RECT now;
    GetWindowRect(main, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    MINMAXINFO limits{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, LPARAM(&limits));
    EXPECT_EQ(limits.ptMaxTrackSize.y, ScaleForDpi(kMainFormHeight, dpi)) << "the fixed height follows";
    for (int id : {IDC_EXPLORE, IDC_LOOKIN_LABEL, IDC_COLLECTIONS})
        EXPECT_EQ(FontHeight(form->Control(id)), -MulDiv(8, dpi, 72)) << id;
    RECT explore;
    GetWindowRect(form->Control(IDC_EXPLORE), &explore);
    EXPECT_EQ(explore.right - explore.left, ScaleForDpi(DesignedMainFormLayout().Explore.Width, dpi));
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_SMALL, 0))),
              win32::SystemMetricForDpi(SM_CXSMICON, dpi));
    EXPECT_TRUE(tsy::testing::LayoutFaults(main).empty());
    EXPECT_TRUE(errors.empty());
}

} // namespace
