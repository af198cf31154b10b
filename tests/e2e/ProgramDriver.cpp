#include "ProgramDriver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "win32/FakeBrowsers.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace tsy::e2e {

namespace {

using Clock = std::chrono::steady_clock;

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

struct TFindWindows {
    DWORD ProcessID;
    std::function<bool(HWND)> Accept;
    HWND Found = nullptr;
};

BOOL CALLBACK AcceptTopLevel(HWND window, LPARAM context) {
    auto* find = reinterpret_cast<TFindWindows*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((find->ProcessID == 0 || owner == find->ProcessID) && find->Accept(window)) {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(DWORD processID, std::function<bool(HWND)> accept) {
    TFindWindows find{processID, std::move(accept)};
    EnumWindows(AcceptTopLevel, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

struct TFindChild {
    std::function<bool(HWND)> Accept;
    int Skip;
    HWND Found = nullptr;
};

BOOL CALLBACK AcceptChild(HWND window, LPARAM context) {
    auto* find = reinterpret_cast<TFindChild*>(context);
    if (find->Accept(window) && find->Skip-- == 0) {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND parent, std::function<bool(HWND)> accept, int index) {
    TFindChild find{std::move(accept), index};
    EnumChildWindows(parent, AcceptChild, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

win32::UniqueRegKey OpenKey(HKEY root, const std::string& path, REGSAM access, bool create) {
    win32::UniqueRegKey key;
    LONG result =
        create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, key.Put(), nullptr)
               : RegOpenKeyExA(root, path.c_str(), 0, access, key.Put());
    if (result != ERROR_SUCCESS)
        key.Release();
    return key;
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, Duration timeout, Duration step) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (Clock::now() >= end)
            return false;
        std::this_thread::sleep_for(step);
    }
}

std::string TestProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string ProgramPath() {
    return TestProgramFolder() + "Tessaly.exe";
}

std::string CatalogueFolder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE))
        return {};
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder + "Orvelle\\Tessaly\\";
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DeleteFileIfAny(const std::string& path) {
    DeleteFileA(path.c_str());
}

bool TProgram::Start(const std::string& arguments, const std::string& path) {
    Kill();
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::string folder = TestProgramFolder();
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return false;
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    processID_ = info.dwProcessId;
    return true;
}

bool TProgram::IsRunning() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool TProgram::WaitForExit(Duration timeout) {
    return process_ && WaitForSingleObject(process_.Get(), DWORD(timeout.count())) == WAIT_OBJECT_0;
}

DWORD TProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_)
        GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void TProgram::Kill() {
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10000);
    }
}

HWND TProgram::WaitForMainWindow(Duration timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel(processID_, [](HWND window) {
                return ClassName(window) == "TMainForm" && WindowText(window) == "Tessaly";
            });
            return found != nullptr || !IsRunning();
        },
        timeout);
    return found;
}

bool TProgram::WaitForIdle(Duration timeout) const {
    return process_ && WaitForInputIdle(process_.Get(), DWORD(timeout.count())) == 0;
}

HWND FindMainWindow() {
    return FindWindowA("TMainForm", "Tessaly");
}

bool SingleInstanceMutexExists() {
    win32::UniqueKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, "Kestrova/Tessaly"));
    return bool(mutex);
}

void KillLeftovers() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        HWND window = FindMainWindow();
        if (!window && !SingleInstanceMutexExists())
            return;
        if (window) {
            DWORD processID = 0;
            GetWindowThreadProcessId(window, &processID);
            win32::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processID));
            if (process) {
                TerminateProcess(process.Get(), 1);
                WaitForSingleObject(process.Get(), 5000);
            }
        } else {
            Sleep(250); // the mutex goes with its owner's last handle
        }
    }
}

HWND FindChildByID(HWND parent, int id) {
    return FindChild(
        parent, [id](HWND child) { return GetDlgCtrlID(child) == id; }, 0);
}

HWND FindChildByClass(HWND parent, const char* className, int index, LONG_PTR styleMask, LONG_PTR styleBits) {
    const std::string wanted = LowerAscii(className);
    return FindChild(
        parent,
        [&](HWND child) {
            const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
            return LowerAscii(ClassName(child)) == wanted && (style & styleMask) == styleBits;
        },
        index);
}

HWND FindButtonByText(HWND parent, const std::string& text) {
    return FindChild(
        parent,
        [&](HWND child) { return LowerAscii(ClassName(child)) == "button" && WindowText(child) == text; }, 0);
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    // WM_GETTEXT reaches other processes' windows too, unlike GetWindowText for controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void SetText(HWND control, const std::string& text) {
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        5000, nullptr);
}

void PostClick(HWND button) {
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void FocusDialogControl(HWND control) {
    SendMessageA(GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, WPARAM(control), TRUE);
}

void PostToggle(HWND checkBox, bool checked) {
    SendMessageA(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    PostClick(checkBox);
}

namespace {

// A block of memory in the process that owns a window, for messages that carry pointers.
class TRemoteBuffer {
public:
    TRemoteBuffer(HWND window, size_t size) : size_(size) {
        DWORD processID = 0;
        GetWindowThreadProcessId(window, &processID);
        process_.Reset(
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processID));
        if (process_)
            address_ =
                VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    TRemoteBuffer(const TRemoteBuffer&) = delete;
    TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;
    ~TRemoteBuffer() {
        if (address_)
            VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
    }
    void* Address() const { return address_; }
    bool Write(const void* data, size_t size, size_t offset = 0) const {
        return address_ && offset + size <= size_ &&
               WriteProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    bool Read(void* data, size_t size, size_t offset = 0) const {
        return address_ && offset + size <= size_ &&
               ReadProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    win32::UniqueKernelHandle process_;
    void* address_ = nullptr;
    size_t size_;
};

} // namespace

void SetListItemState(HWND list, int row, UINT state, UINT mask) {
    TRemoteBuffer remote(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    if (remote.Write(&item, sizeof item))
        SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(remote.Address()));
}

std::string ListCellText(HWND list, int row, int column) {
    constexpr size_t textSize = 1024;
    TRemoteBuffer remote(list, sizeof(LVITEMA) + textSize);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote.Address()) + sizeof(LVITEMA);
    item.cchTextMax = int(textSize);
    char text[textSize] = {};
    if (!remote.Write(&item, sizeof item))
        return {};
    SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(remote.Address()));
    remote.Read(text, textSize - 1, sizeof(LVITEMA));
    return text;
}

int FindListRow(HWND list, const std::string& text) {
    for (int row = 0; row < ListRowCount(list); ++row)
        for (int column = 0; column < 3; ++column)
            if (ListCellText(list, row, column) == text)
                return row;
    return -1;
}

void SelectListRow(HWND list, int row) {
    SetListItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CheckListRow(HWND list, int row, bool checked) {
    SetListItemState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int ListRowCount(HWND list) {
    return int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, virtualKey, LPARAM(1 | scan << 16));
    PostMessageA(window, WM_KEYUP, virtualKey, LPARAM(1 | scan << 16 | 3u << 30));
}

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 3s);
}

void TypeKeys(const std::vector<WORD>& modifiers, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers)
        add(modifier, false);
    add(key, false);
    add(key, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        add(*it, true);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool HasTrayIcon(DWORD processID) {
    std::vector<HWND> windows;
    auto collect = [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processID)
            windows.push_back(window);
    };
    FindTopLevel(processID, [&](HWND window) {
        windows.push_back(window);
        return false;
    });
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        collect(window);
    for (HWND window : windows)
        for (UINT id = 0; id < 64; ++id) {
            NOTIFYICONDATAA data{};
            data.cbSize = sizeof data;
            data.hWnd = window;
            data.uID = id;
            if (Shell_NotifyIconA(NIM_MODIFY, &data))
                return true;
        }
    return false;
}

HWND WaitForMessageBox(DWORD processID, const std::string& caption, Duration timeout) {
    return WaitForDialog(processID, caption, timeout);
}

HWND WaitForDialog(DWORD processID, const std::string& caption, Duration timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel(processID, [&](HWND window) {
                return ClassName(window) == "#32770" && WindowText(window) == caption &&
                       IsWindowVisible(window);
            });
            return found != nullptr;
        },
        timeout);
    return found;
}

std::string MessageBoxText(HWND box) {
    // The message of a message box is its static control with id 0xFFFF.
    HWND text = FindChildByID(box, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

void DismissMessageBox(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void AnswerMessageBox(HWND box, const std::string& text) {
    if (HWND button = FindButtonByText(box, text))
        PostClick(button);
}

void DeleteRegistryTree(HKEY root, const std::string& path) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

void WriteRegistryString(HKEY root, const std::string& path, const std::string& name,
                         const std::string& value) {
    auto key = OpenKey(root, path, KEY_SET_VALUE, true);
    if (key)
        RegSetValueExA(key.Get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
}

void WriteRegistryDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    auto key = OpenKey(root, path, KEY_SET_VALUE, true);
    if (key)
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
}

std::optional<TRegistryValue> ReadRegistryValue(HKEY root, const std::string& path, const std::string& name) {
    auto key = OpenKey(root, path, KEY_QUERY_VALUE, false);
    if (!key)
        return std::nullopt;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    TRegistryValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &value.Type, value.Data.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    return value;
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& path, const std::string& name) {
    auto value = ReadRegistryValue(root, path, name);
    if (!value || value->Type != REG_SZ)
        return std::nullopt;
    std::string text(value->Data.begin(), value->Data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& path, const std::string& name) {
    auto value = ReadRegistryValue(root, path, name);
    if (!value || value->Type != REG_DWORD || value->Data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD result;
    std::memcpy(&result, value->Data.data(), sizeof result);
    return result;
}

std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    auto key = OpenKey(root, path, KEY_QUERY_VALUE, false);
    if (!key)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

bool RegistryKeyExists(HKEY root, const std::string& path) {
    return bool(OpenKey(root, path, KEY_READ, false));
}

std::string FakeFirefoxPath(const std::string& fake) {
    return TestProgramFolder() + "fakes\\" + fake;
}

std::string FakeFirefoxLogPath() {
    return TestProgramFolder() + "e2e-firefox.log";
}

void RouteFakeBrowserLog() {
    // The program and the browsers it starts inherit this from the tests.
    SetEnvironmentVariableA(TSY_FAKE_BROWSER_LOG_VARIABLE, FakeFirefoxLogPath().c_str());
}

std::vector<std::string> FakeFirefoxCalls() {
    std::vector<std::string> calls;
    std::istringstream lines(ReadTextFile(FakeFirefoxLogPath()));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        // The log holds whole command lines; keep what follows the program's own name.
        size_t end = line[0] == '"' ? line.find('"', 1) : line.find(' ');
        end = end == std::string::npos ? line.size() : end + (line[0] == '"' ? 1 : 0);
        calls.push_back(line.substr(std::min(line.size(), line.find_first_not_of(' ', end))));
    }
    return calls;
}

} // namespace tsy::e2e
