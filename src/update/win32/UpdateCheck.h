#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/VersionInfo.h"
#include "support/WebAddresses.h"
#include "support/win32/Dialog.h"
#include "support/win32/UniqueHandle.h"
#include "update/UpdateRules.h"
#include "update/UpdateServices.h"

namespace tsy::win32 {

// One update check as the settings dialog's "Check &Now" button starts it.
struct TUpdateCheckStart {
    HINSTANCE Instance = nullptr;
    // The window that asked; a check asked by any window but the main one is forced.
    HWND CallingForm = nullptr;
    // Owns the check's message boxes and its dialog.
    HWND MainWindow = nullptr;
    std::string BaseURL = kUpdateBaseURL;
    // Where the time of the check and the dialog's layout go; the registry when none is given.
    // Shared with the user-interface thread, so it must be safe to use from two threads.
    IKeyValueStore* Options = nullptr;
    TVersionRecord Running;
    // Shows the update dialog for the details the server gave, owned by `owner`, in the
    // check's own dialog environment; the dialog belongs to the user interface.
    std::function<void(const TDialogEnvironment& dialogs, HWND owner, const TKVUpdateServices& service)>
        ShowDialog;
    // The local date and time; the system's by default.
    std::function<TDateTime()> Now;
};

// The whole check on the calling thread. Nothing escapes it: a failure is shown in a
// warning, and the time of the check is stored whatever happened.
void RunUpdateCheck(const TUpdateCheckStart& start);

// Runs the check on a new thread and returns at once with the thread's handle (which the
// caller may close). Raises std::runtime_error when no thread can be made.
UniqueKernelHandle StartUpdateCheck(TUpdateCheckStart start);

// The local date and time now, as the registry value holds it.
TDateTime LocalNow();

} // namespace tsy::win32
