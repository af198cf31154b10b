#include "support/win32/WinText.h"

#include <shellapi.h>

namespace tsy::win32 {

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(std::size_t(length > 0 ? length : 0) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), int(text.size()));
    text.resize(std::size_t(copied > 0 ? copied : 0));
    return text;
}

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length != 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    if (message.empty())
        message = "System error " + std::to_string(error) + ".";
    return message;
}

RECT PlaceIn(HWND parent, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void OpenWithShell(HWND owner, const std::string& url, int show) {
    ShellExecuteA(owner, "open", url.c_str(), nullptr, nullptr, show);
}

} // namespace tsy::win32
