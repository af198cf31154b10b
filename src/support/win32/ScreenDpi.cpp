#include "support/win32/ScreenDpi.h"

namespace tsy::win32 {

namespace {

// Looked up at run time: the program starts on systems older than these functions.
template <typename TFunction> TFunction User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

} // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? int(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<TGetSystemMetricsForDpi>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, UINT(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

HFONT ScaledFont(HFONT font, int fromDpi, int toDpi) {
    LOGFONTA face{};
    if (!font || !GetObjectA(font, sizeof face, &face))
        return nullptr;
    face.lfHeight = MulDiv(face.lfHeight, toDpi, fromDpi);
    face.lfWidth = MulDiv(face.lfWidth, toDpi, fromDpi);
    return CreateFontIndirectA(&face);
}

} // namespace tsy::win32
