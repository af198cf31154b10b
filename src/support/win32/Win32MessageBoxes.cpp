#include "support/win32/Win32MessageBoxes.h"

#include <string>

namespace tsy::win32 {
namespace {

int Show(HWND owner, std::string_view text, const char* caption, UINT type) {
    const std::string message(text);
    return ::MessageBoxA(owner, message.c_str(), caption, type);
}

} // namespace

HWND TWin32MessageBoxes::Owner() const {
    return ToHwnd(owners_.TopWhere([](TWindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }));
}

void TWin32MessageBoxes::Warning(std::string_view text) {
    Show(Owner(), text, "Warning", MB_OK | MB_ICONEXCLAMATION);
}

bool TWin32MessageBoxes::Confirm(std::string_view text) {
    return Show(Owner(), text, "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TWin32MessageBoxes::Information(std::string_view text) {
    Show(::GetDesktopWindow(), text, "Information", MB_OK | MB_ICONEXCLAMATION);
}

void TWin32MessageBoxes::Error(std::string_view text) {
    Show(Owner(), text, kErrorCaption, MB_OK | MB_ICONERROR);
}

} // namespace tsy::win32
