// Start-up, single instance, closing and what each way of closing leaves in the registry.
#include "E2eFixture.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace tsy::e2e {
namespace {

int CountProcesses(const char* exeName) {
    win32::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return -1;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry))
        if (lstrcmpiA(entry.szExeFile, exeName) == 0)
            ++count;
    return count;
}

struct TFormRecord {
    std::int32_t Width, Height, Left, Top;
    unsigned char Panel;
};

std::optional<TFormRecord> ReadMainLayout() {
    auto value = ReadRegistryValue(HKEY_CURRENT_USER, MainLayoutPath, "");
    if (!value || value->Type != REG_BINARY || value->Data.size() != 20)
        return std::nullopt;
    TFormRecord record;
    std::memcpy(&record.Width, &value->Data[0], 4);
    std::memcpy(&record.Height, &value->Data[4], 4);
    std::memcpy(&record.Left, &value->Data[8], 4);
    std::memcpy(&record.Top, &value->Data[12], 4);
    record.Panel = value->Data[16];
    return record;
}

class LifecycleTest : public ProgramTest {
protected:
    // Esc reaches the program through its message loop, as a key press in the focused control.
    void PressEsc(HWND main) { PostKey(FocusOf(main), VK_ESCAPE); }

    std::vector<std::string> SettingNames() {
        auto names = RegistryValueNames(HKEY_CURRENT_USER, SettingsPath);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(LifecycleTest, SecondStartHandsOverToTheFirstAndEnds) {
    TProgram first;
    HWND main = Start(first, "/minimized");
    ASSERT_TRUE(main);
    first.WaitForIdle(10s);
    ASSERT_FALSE(IsWindowVisible(main));

    TProgram second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.WaitForExit(20s)) << "the second start keeps running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(CountProcesses("Tessaly.exe"), 1);
    EXPECT_EQ(FindMainWindow(), main) << "the second start must not open a window of its own";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s))
        << "the hidden first instance is shown";
}

TEST_F(LifecycleTest, TenStartsAtOnceLeaveOneVisibleInstance) {
    for (int round = 1; round <= 3; ++round) {
        std::vector<std::unique_ptr<TProgram>> programs;
        for (int i = 0; i < 10; ++i) {
            programs.push_back(std::make_unique<TProgram>());
            ASSERT_TRUE(programs.back()->Start()) << "round " << round;
        }
        // Every copy but one hands over and ends.
        ASSERT_TRUE(WaitUntil(
            [&] {
                return std::count_if(programs.begin(), programs.end(),
                                     [](const auto& p) { return p->IsRunning(); }) == 1;
            },
            60s))
            << "round " << round;
        auto survivor =
            std::find_if(programs.begin(), programs.end(), [](const auto& p) { return p->IsRunning(); });
        ASSERT_NE(survivor, programs.end());
        HWND main = (*survivor)->WaitForMainWindow(20s);
        ASSERT_TRUE(main) << "round " << round;
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 20s)) << "round " << round;
        EXPECT_EQ(CountProcesses("Tessaly.exe"), 1) << "round " << round;
        EXPECT_EQ(FindMainWindow(), main) << "round " << round;
        for (auto& program : programs) {
            if (program->IsRunning()) {
                EXPECT_EQ(program.get(), survivor->get());
            }
        }
        programs.clear();
        ASSERT_TRUE(WaitUntil([] { return CountProcesses("Tessaly.exe") == 0; }, 20s));
    }
}

class HiddenStartTest : public LifecycleTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HiddenStartTest, RunsWithoutShowingTheWindow) {
    TProgram program;
    HWND main = Start(program, GetParam());
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitForStartUpDone(main));
    EXPECT_TRUE(program.IsRunning());
    EXPECT_FALSE(IsWindowVisible(main));
}

// Slash or hyphen, any letter case.
INSTANTIATE_TEST_SUITE_P(Switches, HiddenStartTest, ::testing::Values("/minimized", "-SLIDER", "-Minimized"));

TEST_F(LifecycleTest, VisibleStartWithAnUnknownArgument) {
    TProgram program;
    HWND main = Start(program, "/minimizedx slider");
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s))
        << "only the exact switches with / or - start hidden";
}

TEST_F(LifecycleTest, EscWithMinimizeOnCloseOffSavesAndEnds) {
    SetSetting("MinimizeOnClose", 0);
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main), explore = ExploreButton(main);
    ASSERT_TRUE(search);
    ASSERT_TRUE(explore);
    SetText(search, "first");
    PostClick(explore);
    ASSERT_EQ(WaitForFirefoxCalls(1).size(), 1u);
    SetText(search, "second");
    PostClick(explore);
    ASSERT_EQ(WaitForFirefoxCalls(2).size(), 2u);
    SetText(search, "typed, not explored");
    RECT rect{};
    GetWindowRect(main, &rect);

    PressEsc(main);
    ASSERT_TRUE(program.WaitForExit(15s)) << "Esc did not end the program";

    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsPath, "Search"), "typed, not explored");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsPath, "Collection"), "Search");
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "MinimizeOnClose"), 0u);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "Browser"), 1u);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "Hotkey.Key"), 81u);
    auto mru = ReadRegistryValue(HKEY_CURRENT_USER, SettingsPath, "SearchMRU");
    ASSERT_TRUE(mru);
    EXPECT_EQ(mru->Type, DWORD(REG_MULTI_SZ));
    // Most recent first, each entry NUL-ended, one more NUL at the end.
    const std::string expected("second\0first\0\0", 14);
    EXPECT_EQ(std::string(mru->Data.begin(), mru->Data.end()), expected);
    auto layout = ReadMainLayout();
    ASSERT_TRUE(layout) << "no 20-byte form record under PUI\\Dialogs\\MainForm";
    EXPECT_EQ(layout->Width, rect.right - rect.left);
    EXPECT_EQ(layout->Height, rect.bottom - rect.top);
    EXPECT_EQ(layout->Left, rect.left);
    EXPECT_EQ(layout->Top, rect.top);
    EXPECT_EQ(layout->Panel, 0);
    // The catalogue is written only by the settings dialog.
    EXPECT_EQ(ReadTextFile(CatalogueFolder() + "Tessaly.dat"), TestCollectionsFile());
    EXPECT_EQ(ReadTextFile(CatalogueFolder() + "targets.dat"), TestSitesFile());
}

TEST_F(LifecycleTest, EscWithMinimizeOnCloseOnMinimisesAndWritesNothing) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    SetText(search, "not saved");
    const auto before = SettingNames();

    PressEsc(main);
    // With MinimizeToTray on (the default) minimising hides the window as well.
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) || !IsWindowVisible(main); }, 10s))
        << "the window neither minimised nor hid";
    EXPECT_FALSE(program.WaitForExit(1s)) << "the program ended";
    EXPECT_EQ(SettingNames(), before);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, MainLayoutPath));
}

TEST_F(LifecycleTest, EndOfSessionSavesAndEndsEvenWithMinimizeOnClose) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    SetText(search, "logoff");
    SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    ASSERT_TRUE(program.WaitForExit(15s)) << "the end of the session did not end the program";
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsPath, "Search"), "logoff");
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "MinimizeOnClose"), 1u);
    EXPECT_TRUE(ReadMainLayout());
}

TEST_F(LifecycleTest, WindowKeepsItsSizeAndPlaceAcrossRuns) {
    SetSetting("MinimizeOnClose", 0);
    RECT moved{};
    {
        TProgram program;
        HWND main = StartShown(program);
        ASSERT_TRUE(main);
        RECT rect{};
        GetWindowRect(main, &rect);
        const int width = rect.right - rect.left + 120;
        ASSERT_TRUE(SetWindowPos(main, nullptr, 137, 91, width, rect.bottom - rect.top, SWP_NOZORDER));
        ASSERT_TRUE(WaitUntil(
            [&] {
                GetWindowRect(main, &moved);
                return moved.left == 137 && moved.top == 91;
            },
            5s));
        EXPECT_EQ(moved.right - moved.left, width) << "a wider window is allowed";
        PressEsc(main);
        ASSERT_TRUE(program.WaitForExit(15s));
    }
    auto layout = ReadMainLayout();
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->Left, 137);
    EXPECT_EQ(layout->Top, 91);
    EXPECT_EQ(layout->Width, moved.right - moved.left);

    TProgram again;
    HWND main = StartShown(again);
    ASSERT_TRUE(main);
    RECT restored{};
    GetWindowRect(main, &restored);
    EXPECT_EQ(restored.left, moved.left);
    EXPECT_EQ(restored.top, moved.top);
    EXPECT_EQ(restored.right, moved.right);
    EXPECT_EQ(restored.bottom, moved.bottom);
}

} // namespace
} // namespace tsy::e2e
