#include "support/win32/Win32MessageBoxes.h"

#include "settings/SettingsService.h"
#include "support/win32/RegistryStore.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/WinText.h"

#include "FakeBrowserInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace tsy::win32 {
namespace {

// Watches for one message box by caption from a second thread, notes what it
// looks like and presses one of its buttons.
class BoxWatcher {
public:
    BoxWatcher(const char* caption, int button) : caption_(caption), button_(button) {
        thread_.Reset(::CreateThread(nullptr, 0, &BoxWatcher::Run, this, 0, nullptr));
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    ~BoxWatcher() { Join(); }

    void Join() {
        if (thread_) {
            ::WaitForSingleObject(thread_.Get(), 15000);
            thread_.Reset();
        }
    }

    bool found = false;
    HWND owner = nullptr;
    std::string text;
    bool hasYes = false;
    bool hasNo = false;
    bool hasOk = false;
    HICON icon = nullptr;

private:
    static DWORD WINAPI Run(LPVOID self) {
        static_cast<BoxWatcher*>(self)->Watch();
        return 0;
    }
    void Watch() {
        for (int i = 0; i < 200 && !found; ++i) {
            HWND box = ::FindWindowA("#32770", caption_);
            if (!box) {
                ::Sleep(25);
                continue;
            }
            found = true;
            owner = ::GetWindow(box, GW_OWNER);
            char buffer[1024] = {};
            ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
            text = buffer;
            hasYes = ::GetDlgItem(box, IDYES) != nullptr;
            hasNo = ::GetDlgItem(box, IDNO) != nullptr;
            hasOk = ::GetDlgItem(box, IDOK) != nullptr;
            ::EnumChildWindows(box, &BoxWatcher::FindIcon, reinterpret_cast<LPARAM>(this));
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
        }
    }

    // The box shows its icon in a static control of the icon style.
    static BOOL CALLBACK FindIcon(HWND child, LPARAM self) {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0 ||
            (::GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            return TRUE;
        reinterpret_cast<BoxWatcher*>(self)->icon =
            reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
        return FALSE;
    }

    const char* caption_;
    int button_;
    UniqueKernelHandle thread_;
};

struct WindowTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};

class MessageBoxesTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.Reset(::CreateWindowExA(0, "STATIC", "Box owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(owner);
        owners.Push(ToHandle(owner.Get()));
    }

    TOwnerStack owners{ToHandle(::GetDesktopWindow())};
    TWin32MessageBoxes boxes{owners};
    UniqueHandle<WindowTraits> owner;
};

TEST_F(MessageBoxesTest, WarningIsOwnedByTheTopOfTheOwnerStack) {
    BoxWatcher watcher("Warning", IDOK);
    boxes.Warning("Category name can not be empty.");
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(watcher.owner, owner.Get());
    EXPECT_EQ(watcher.text, "Category name can not be empty.");
    EXPECT_FALSE(watcher.hasYes);
    EXPECT_TRUE(watcher.hasOk);
    EXPECT_EQ(watcher.icon, ::LoadIconA(nullptr, IDI_EXCLAMATION));
}

TEST_F(MessageBoxesTest, ALinkThatIsNoWebPageIsRefusedWithAWarningOfItsOwner) {
    BoxWatcher watcher("Warning", IDOK);
    OpenWithShell(owner.Get(), "file:///C:/windows/system32/notepad.exe");
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(watcher.owner, owner.Get());
    EXPECT_EQ(watcher.text,
              "These addresses were not opened, since they are not web pages:\n\rfile:///C:/windows/system32/"
              "notepad.exe");
    // Without a scheme the shell would look for a file of that name.
    EXPECT_FALSE(IsWebLink("www.orvelle.example"));
    EXPECT_TRUE(IsWebLink("HTTPS://www.orvelle.example/"));
}

TEST_F(MessageBoxesTest, ConfirmIsTrueOnlyForYes) {
    {
        BoxWatcher watcher("Confirm", IDYES);
        EXPECT_TRUE(boxes.Confirm("Delete?"));
        watcher.Join();
        ASSERT_TRUE(watcher.found);
        EXPECT_TRUE(watcher.hasYes);
        EXPECT_TRUE(watcher.hasNo);
        EXPECT_EQ(watcher.owner, owner.Get());
        EXPECT_EQ(watcher.icon, ::LoadIconA(nullptr, IDI_QUESTION));
    }
    BoxWatcher watcher("Confirm", IDNO);
    EXPECT_FALSE(boxes.Confirm("Delete?"));
}

TEST_F(MessageBoxesTest, ErrorBoxCarriesTheProgramTitle) {
    BoxWatcher watcher("Tessaly", IDOK);
    boxes.Error("Unable to detect default browser.");
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(watcher.text, "Unable to detect default browser.");
    EXPECT_EQ(watcher.owner, owner.Get());
}

TEST_F(MessageBoxesTest, InformationIsNeverOwnedByAProgramWindow) {
    BoxWatcher watcher("Information", IDOK);
    boxes.Information("Tessaly is set to use Internet Explorer 6.0.");
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_NE(watcher.owner, owner.Get());
}

class NoCatalogue : public ICatalogueStore {
public:
    void Load() override {}
    bool IsRead() const override { return true; }
    void CheckIntegrity() override {}
    void Save() override {}
};

// A first start on an empty options key shows the real notice, which the user dismisses.
TEST_F(MessageBoxesTest, FirstRunNoticeIsARealInformationBox) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle");
    TRegistryStore registry;
    NoCatalogue catalogue;
    fakes::FakeBrowserInfo browsers;
    browsers.Install(bkFirefox, 2, 0);
    browsers.Install(bkInternetExplorer, 7, 0);
    TAppSettings settings;
    settings.Browser = bkFirefox;

    BoxWatcher watcher("Information", IDOK);
    TSettingsService(registry, catalogue, browsers, boxes, settings).LoadSettings(true, false);
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(watcher.text,
              "Tessaly is set to use FireFox 2.0.\n\r\n\rWe found multiple browsers installed on "
              "your PC.\n\rTo change the browser used with Tessaly click on the Customize button, "
              "select the Settings tab and select the browser you prefer.");
    EXPECT_NE(watcher.owner, owner.Get());
    EXPECT_TRUE(watcher.hasOk);
    EXPECT_FALSE(watcher.hasYes);
    EXPECT_EQ(watcher.icon, ::LoadIconA(nullptr, IDI_EXCLAMATION));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle");
}

TEST_F(MessageBoxesTest, AWindowDestroyedWithoutPoppingNoLongerOwnsBoxes) {
    HWND second = ::CreateWindowExA(0, "STATIC", "Gone", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    owners.Push(ToHandle(second));
    ::DestroyWindow(second);
    EXPECT_EQ(boxes.Owner(), owner.Get());
    BoxWatcher watcher("Warning", IDOK);
    boxes.Warning("still shown");
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(watcher.owner, owner.Get());
}

} // namespace
} // namespace tsy::win32
