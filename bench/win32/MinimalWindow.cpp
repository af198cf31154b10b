// The floor for start-up time: a Win32 program that only registers a class and opens
// one window of the same size as Tessaly's, then runs its message loop.
// Built with BENCH_WITH_CONTROLS (and a manifest asking for visual styles) it is the floor for
// a window like Tessaly's: the main window's controls in the same font, and nothing else (no
// settings, catalogue, banner, tray icon or hotkey).
#include <windows.h>

#ifdef BENCH_WITH_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

#ifdef BENCH_WITH_CONTROLS
struct TControl {
    const char* Class;
    const char* Text;
    DWORD Style;
    RECT Place; // left, top, width, height
};

void CreateControls(HINSTANCE instance, HWND window) {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&lf); // lives as long as the process
    const TControl controls[] = {
        {"STATIC", "&Search for:", SS_LEFT, {166, 6, 58, 13}},
        {"COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, {166, 22, 200, 21 * 16}},
        {"BUTTON", "&Explore", BS_DEFPUSHBUTTON | WS_TABSTOP, {374, 20, 56, 25}},
        {"BUTTON", "&Customize", BS_PUSHBUTTON | WS_TABSTOP, {434, 20, 66, 25}},
        {"BUTTON", "&About", BS_PUSHBUTTON | WS_TABSTOP, {504, 20, 48, 25}},
        {"STATIC", "&Look in:", SS_LEFT, {8, 6, 46, 13}},
        {"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {8, 22, 150, 21 * 16}},
    };
    for (const TControl& c : controls) {
        HWND control =
            CreateWindowExA(0, c.Class, c.Text, WS_CHILD | WS_VISIBLE | c.Style, c.Place.left, c.Place.top,
                            c.Place.right, c.Place.bottom, window, nullptr, instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}
#endif

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef BENCH_WITH_CONTROLS
    // As in Tessaly: the library comes with the program rather than with its first control.
    INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
#endif
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "MinimalWindow";
    if (!RegisterClassExA(&wc))
        return 1;
    HWND window = CreateWindowExA(0, "MinimalWindow", "Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 566, 135, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
#ifdef BENCH_WITH_CONTROLS
    CreateControls(instance, window);
#endif
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
