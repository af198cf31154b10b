#pragma once
// Drives the real Tessaly.exe from outside: starts it, finds its windows and controls,
// sends input, reads what it left in the registry and what the fake Firefox was given.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/win32/UniqueHandle.h"

namespace tsy::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

inline constexpr const char* SettingsPath = "SOFTWARE\\Orvelle\\Tessaly";
inline constexpr const char* MainLayoutPath = "SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\MainForm";
inline constexpr const char* AppPathsFirefox =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\firefox.exe";

// Polls until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, Duration timeout, Duration step = 50ms);

// Folder of this test program, with a trailing separator.
std::string TestProgramFolder();
std::string ProgramPath();
// %APPDATA%\Orvelle\Tessaly\ with a trailing separator.
std::string CatalogueFolder();

void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path); // empty when missing
void DeleteFileIfAny(const std::string& path);

// One running copy of the program; ends it when it goes out of scope.
class TProgram {
public:
    // Starts the program (ProgramPath() unless another copy is given) with the arguments;
    // false when it cannot be started.
    bool Start(const std::string& arguments = "", const std::string& path = ProgramPath());
    TProgram() = default;
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;
    ~TProgram() { Kill(); }

    DWORD ProcessID() const { return processID_; }
    bool IsRunning() const;
    // True when the process ended in time; the exit code is then kept.
    bool WaitForExit(Duration timeout);
    DWORD ExitCode() const;
    void Kill();
    // The process's top-level window of class "TMainForm" captioned "Tessaly", visible or not.
    HWND WaitForMainWindow(Duration timeout) const;
    // Lets the program go idle (its start-up work done) before input is sent.
    bool WaitForIdle(Duration timeout) const;

private:
    win32::UniqueKernelHandle process_;
    DWORD processID_ = 0;
};

// The first top-level window of the process (of any process for 0) that accept takes.
HWND FindTopLevel(DWORD processID, std::function<bool(HWND)> accept);
// Top-level windows of any process; the main window that FindWindowA sees.
HWND FindMainWindow();
// Ends whatever program still owns a main window or the single-instance mutex, by its process id.
void KillLeftovers();
bool SingleInstanceMutexExists();

// Child controls.
HWND FindChildByID(HWND parent, int id);
// The index-th child (depth-first) of the class whose style has every bit of styleBits set
// and none of styleMask & ~styleBits.
HWND FindChildByClass(HWND parent, const char* className, int index = 0, LONG_PTR styleMask = 0,
                      LONG_PTR styleBits = 0);
HWND FindButtonByText(HWND parent, const std::string& text);
std::string WindowText(HWND window);
std::string ClassName(HWND window);
// Sets a control's text from outside; combo boxes pass it on to their edit.
void SetText(HWND control, const std::string& text);
void PostClick(HWND button);
// Gives a control of a dialog the keyboard focus, as clicking into it would.
void FocusDialogControl(HWND control);
// Sets a check box's state and tells its parent, as a click on it would.
void PostToggle(HWND checkBox, bool checked);
// List views of another process: the item state is written into that process's memory.
void SetListItemState(HWND list, int row, UINT state, UINT mask);
void SelectListRow(HWND list, int row);
void CheckListRow(HWND list, int row, bool checked);
int ListRowCount(HWND list);
std::string ListCellText(HWND list, int row, int column);
// The first row with the text in one of its first three columns; -1 when none has it.
int FindListRow(HWND list, const std::string& text);
// Posts a key press (down and up) to a window through its message queue.
void PostKey(HWND window, UINT virtualKey);
// Real keyboard input to the foreground window, optionally with modifier keys held.
bool BringToFront(HWND window);
void TypeKeys(const std::vector<WORD>& modifiers, WORD key);

// Whether a notification-area icon belongs to one of the process's windows (top-level or
// message-only), with an id below 64. The shell answers a modification that changes nothing
// exactly when the icon exists, whoever asks.
bool HasTrayIcon(DWORD processID);

// A visible dialog of the process with exactly this caption.
HWND WaitForDialog(DWORD processID, const std::string& caption, Duration timeout);
// Message boxes: the dialog with the given caption shown by the process, and its text.
HWND WaitForMessageBox(DWORD processID, const std::string& caption, Duration timeout);
std::string MessageBoxText(HWND box);
void DismissMessageBox(HWND box);
// Answers a question box with the button captioned `text` ("&Yes", "&No").
void AnswerMessageBox(HWND box, const std::string& text);

// Registry of the current user (relative to HKEY_CURRENT_USER unless a root is given).
void DeleteRegistryTree(HKEY root, const std::string& path);
void WriteRegistryString(HKEY root, const std::string& path, const std::string& name,
                         const std::string& value);
void WriteRegistryDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& path, const std::string& name);
// Raw bytes and type of a value; nullopt when it does not exist.
struct TRegistryValue {
    DWORD Type = 0;
    std::vector<unsigned char> Data;
};
std::optional<TRegistryValue> ReadRegistryValue(HKEY root, const std::string& path, const std::string& name);
// Names of the values in a key (empty when the key does not exist).
std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path);
bool RegistryKeyExists(HKEY root, const std::string& path);

// A fake Firefox (by default version 2.0): its path beside the tests, and the log of the command
// lines it was started with.
std::string FakeFirefoxPath(const std::string& fake = "fake_firefox.exe");
std::string FakeFirefoxLogPath();
// Makes programs started from now on log their browser starts to FakeFirefoxLogPath().
void RouteFakeBrowserLog();
// Each start's parameters (the command line after the program's own name), oldest first.
std::vector<std::string> FakeFirefoxCalls();

} // namespace tsy::e2e
