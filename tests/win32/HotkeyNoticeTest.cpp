// The main window tells the user when another program holds its hotkey.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HotkeyHolder.h"
#include "MainFormFixture.h"
#include "ModalDriver.h"
#include "controls/win32/TrayIconEx.h"

namespace {

using namespace tsy;
using tsy::testing::MainFormTest;
using tsy::testing::Pump;
using tsy::testing::THotkeyHolder;

constexpr UINT kTakenOther = MOD_CONTROL | MOD_ALT;
const std::string kWinQNotice =
    "Win + Q is in use by another program. Choose another hotkey under Customize > Settings.";

class HotkeyNoticeTest : public MainFormTest {
protected:
    HotkeyNoticeTest() {
        settings.UseHotkey = true;
        settings.HotkeyMod = MOD_WIN;
        settings.HotkeyKey = 'Q';
        trayNotify = [this](DWORD message, NOTIFYICONDATAA* data) {
            if (data->uFlags & NIF_INFO)
                balloons.push_back({data->szInfoTitle, data->szInfo, data->dwInfoFlags, message});
            return TRUE;
        };
    }
    struct TBalloon {
        std::string title, text;
        DWORD flags, message;
    };
    std::vector<TBalloon> balloons;
    THotkeyHolder holder{{{MOD_WIN, 'Q'}, {kTakenOther, VK_F12}}};
};

TEST_F(HotkeyNoticeTest, ATakenHotkeyIsAWarningBalloonOncePerCombinationAndItsClickOpensTheSettingsTab) {
    ASSERT_TRUE(holder.Holding());
    auto form = MakeForm();
    Pump();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].title, "Tessaly");
    EXPECT_EQ(balloons[0].text, kWinQNotice);
    EXPECT_EQ(balloons[0].flags, DWORD(NIIF_WARNING));
    EXPECT_TRUE(boxes.shown.empty());

    // The dialog closing again, with the same combination: already told.
    Click(*form, IDC_SETTINGS);
    Pump();
    EXPECT_EQ(balloons.size(), 1u);
    // A newly chosen combination that is taken too is news.
    settings.HotkeyMod = kTakenOther;
    settings.HotkeyKey = VK_F12;
    dialogs.answer = true;
    Click(*form, IDC_SETTINGS);
    Pump();
    ASSERT_EQ(balloons.size(), 2u);
    EXPECT_EQ(
        balloons[1].text,
        "Ctrl + Alt + F12 is in use by another program. Choose another hotkey under Customize > Settings.");

    SendMessageA(form->TrayIcon().MessageWindow(), win32::kTrayCallbackMessage, win32::kTrayIconId,
                 NIN_BALLOONUSERCLICK);
    Pump();
    EXPECT_EQ(dialogs.startPages.back(), win32::kSettingsOptionsPage);
    EXPECT_TRUE(form->ApplicationShown()) << "the click brings the program up with the dialog";

    settings.HotkeyKey = VK_F11; // free
    Click(*form, IDC_SETTINGS);
    Pump();
    EXPECT_EQ(balloons.size(), 2u);
    EXPECT_TRUE(UnregisterHotKey(form->Handle(), 0)) << "a free combination is registered";
    EXPECT_TRUE(errors.empty());
}

TEST_F(HotkeyNoticeTest, WithoutATrayIconTheNoticeIsAWarningBox) {
    ASSERT_TRUE(holder.Holding());
    settings.MinimizeToTray = false;
    {
        auto form = MakeForm();
        Pump();
        EXPECT_EQ(boxes.Texts(fakes::RecordingMessageBoxes::Kind::Warning),
                  std::vector<std::string>{kWinQNotice});
    }
    // Started for the slider, the icon stays away whatever the option says.
    settings.MinimizeToTray = true;
    boxes.shown.clear();
    auto slider = MakeForm(true, true);
    Pump();
    EXPECT_EQ(boxes.Texts(fakes::RecordingMessageBoxes::Kind::Warning),
              std::vector<std::string>{kWinQNotice});
    EXPECT_TRUE(balloons.empty());
}

TEST_F(HotkeyNoticeTest, NothingIsSaidWhenTheHotkeyIsOff) {
    ASSERT_TRUE(holder.Holding());
    settings.UseHotkey = false;
    auto form = MakeForm();
    Pump();
    EXPECT_TRUE(balloons.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
