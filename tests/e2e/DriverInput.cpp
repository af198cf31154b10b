#include "ProgramDriver.h"

#include <shellapi.h>

// Windows, controls, keys and message boxes of the program, found and driven from outside.
namespace tsy::e2e {

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
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

} // namespace

HWND FindTopLevel(DWORD processID, std::function<bool(HWND)> accept) {
    TFindWindows find{processID, std::move(accept)};
    EnumWindows(AcceptTopLevel, reinterpret_cast<LPARAM>(&find));
    return find.Found;
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

} // namespace tsy::e2e
