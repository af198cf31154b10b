#include "support/win32/Win32MessageBoxes.h"

#include "support/win32/UniqueHandle.h"

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
            char buffer[512] = {};
            ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
            text = buffer;
            hasYes = ::GetDlgItem(box, IDYES) != nullptr;
            hasNo = ::GetDlgItem(box, IDNO) != nullptr;
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
        }
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
