#include "update/win32/UpdateCheck.h"

#include <exception>
#include <memory>
#include <stdexcept>

#include "settings/PersistentUI.h"
#include "support/OwnerStack.h"
#include "support/win32/ComPtr.h"
#include "support/win32/DebugOutput.h"
#include "support/win32/RegistryStore.h"
#include "support/win32/Win32MessageBoxes.h"
#include "update/UpdateServices.h"
#include "update/win32/WinINetClient.h"

namespace tsy::win32 {

namespace {

// The boxes of a check: owned by the program's window on top of the check's own owner
// stack, never by the desktop, so they cannot fall behind the program.
class TCheckUI : public IUpdateUI {
public:
    explicit TCheckUI(TWin32MessageBoxes& boxes) : boxes_(boxes) {}
    void Warning(std::string_view text) override { boxes_.Warning(text); }
    void Message(std::string_view text) override {
        const std::string message(text);
        MessageBoxA(boxes_.Owner(), message.c_str(), kProductName, MB_OK);
    }

private:
    TWin32MessageBoxes& boxes_;
};

DWORD WINAPI CheckThread(LPVOID parameter) {
    std::unique_ptr<TUpdateCheckStart> start(static_cast<TUpdateCheckStart*>(parameter));
    // The shell wants an apartment on the thread that opens pages.
    ComApartment apartment;
    RunUpdateCheck(*start);
    return 0;
}

} // namespace

TDateTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DateTimeFromCivil(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                             now.wMilliseconds);
}

void RunUpdateCheck(const TUpdateCheckStart& start) {
    // Everything here belongs to this thread: the owner stack, the layout store and the
    // registry access are not shared with the user-interface thread.
    TOwnerStack owners(ToHandle(start.MainWindow ? start.MainWindow : GetDesktopWindow()));
    TWin32MessageBoxes boxes(owners);
    TCheckUI ui(boxes);
    TRegistryStore registry;
    IKeyValueStore& options = start.Options ? *start.Options : registry;
    TPersistentUI layouts(options);
    TWinINetClient http;
    TDebugOutput debug;

    TUpdateServicesContext context;
    context.Registry = &options;
    context.Http = &http;
    context.UI = &ui;
    context.Debug = &debug;
    context.Now = start.Now ? start.Now : LocalNow;
    context.Running = start.Running;

    TDialogEnvironment dialogs;
    dialogs.Instance = start.Instance;
    dialogs.Owners = &owners;
    dialogs.Layouts = &layouts;
    dialogs.Boxes = &boxes;

    const bool force = start.CallingForm != start.MainWindow;
    try {
        tsy::RunUpdateCheck(context, start.BaseURL, force, [&](TKVUpdateServices& service) {
            if (start.ShowDialog)
                start.ShowDialog(dialogs, start.MainWindow, service);
        });
    } catch (const std::exception& error) {
        // Only the store of the check time can get here; the thread must not end the program.
        boxes.Error(error.what());
    } catch (...) {
        boxes.Error(kUpdateFailedMessage);
    }
}

UniqueKernelHandle StartUpdateCheck(TUpdateCheckStart start) {
    auto owned = std::make_unique<TUpdateCheckStart>(std::move(start));
    HANDLE thread = CreateThread(nullptr, 0, CheckThread, owned.get(), 0, nullptr);
    if (!thread)
        throw std::runtime_error("The update check could not be started.");
    owned.release();
    return UniqueKernelHandle(thread);
}

} // namespace tsy::win32
