#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tsy::win32 {

// The whole text of a window or control.
std::string WindowText(HWND window);
std::wstring WindowTextW(HWND window);
// The system's description of an error code (the module's own texts first, where one is
// given), without the line break it ends with; empty for a code it does not know.
std::string ErrorMessageText(DWORD error, HMODULE module = nullptr);
// ErrorMessageText, or "System error N." for a code without a text.
std::string SystemErrorText(DWORD error);
// The text of a combo box's item; empty for none.
std::string ComboItemText(HWND box, int index);
std::wstring ComboItemTextW(HWND box, int index);
// A control's rectangle in the client coordinates of `parent`.
RECT PlaceIn(HWND parent, HWND control);
// Whether a link may go to the shell: an http or https address with its scheme written out.
bool IsWebLink(std::string_view url);
// Opens a web address with the shell's "open", in the apartment the shell needs, on any thread;
// what the shell then does is not inspected. Any other address is refused with a warning owned
// by `owner`.
void OpenWithShell(HWND owner, const std::string& url, int show = SW_SHOWDEFAULT);

} // namespace tsy::win32
