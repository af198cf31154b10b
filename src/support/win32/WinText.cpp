#include "support/win32/WinText.h"

#include <objbase.h>
#include <shellapi.h>

#include "support/Text.h"
#include "support/WebAddress.h"
#include "support/win32/OleLibraries.h"

namespace tsy::win32 {

namespace {

template <class TChar>
std::basic_string<TChar> WindowTextOf(HWND window, int(WINAPI* length)(HWND),
                                      int(WINAPI* get)(HWND, TChar*, int)) {
    const int size = length(window);
    std::basic_string<TChar> text(std::size_t(size > 0 ? size : 0) + 1, TChar());
    const int copied = get(window, text.data(), int(text.size()));
    text.resize(std::size_t(copied > 0 ? copied : 0));
    return text;
}

template <class TChar>
std::basic_string<TChar> ItemTextOf(HWND box, int index, LRESULT(WINAPI* send)(HWND, UINT, WPARAM, LPARAM)) {
    const LRESULT length = send(box, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length < 0)
        return {};
    std::basic_string<TChar> text(std::size_t(length) + 1, TChar());
    const LRESULT copied = send(box, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(copied > 0 ? copied : 0));
    return text;
}

} // namespace

std::string WindowText(HWND window) {
    return WindowTextOf<char>(window, &GetWindowTextLengthA, &GetWindowTextA);
}

std::wstring WindowTextW(HWND window) {
    return WindowTextOf<wchar_t>(window, &GetWindowTextLengthW, &GetWindowTextW);
}

std::string ErrorMessageText(DWORD error, HMODULE module) {
    char* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                        FORMAT_MESSAGE_IGNORE_INSERTS | (module ? FORMAT_MESSAGE_FROM_HMODULE : 0);
    const DWORD length = FormatMessageA(flags, module, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length != 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && IsBlank(message.back()))
        message.pop_back();
    return message;
}

std::string SystemErrorText(DWORD error) {
    const std::string message = ErrorMessageText(error);
    return message.empty() ? "System error " + std::to_string(error) + "." : message;
}

std::string ComboItemText(HWND box, int index) {
    return ItemTextOf<char>(box, index, &SendMessageA);
}

std::wstring ComboItemTextW(HWND box, int index) {
    return ItemTextOf<wchar_t>(box, index, &SendMessageW);
}

RECT PlaceIn(HWND parent, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool IsWebLink(std::string_view url) {
    // The shell takes an address without a scheme for a file name.
    return AddressScheme(url) && IsWebPageAddress(url);
}

void OpenWithShell(HWND owner, const std::string& url, int show) {
    if (!IsWebLink(url)) {
        MessageBoxA(owner, NotOpenedMessage({url}).c_str(), "Warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The shell may hand the address to extensions that need a single-threaded apartment; the
    // call waits for them, so the apartment can be left right after it.
    const HRESULT com = ole::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = url.c_str();
    info.nShow = show;
    ShellExecuteExA(&info);
    if (SUCCEEDED(com))
        ole::CoUninitialize();
}

} // namespace tsy::win32
