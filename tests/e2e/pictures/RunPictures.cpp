// Pictures of a program's windows from inside the desktop it runs on, so that frames and title
// bars are drawn as a user sees them, and its buttons pressed the way a click would.
//   RunPictures shot TITLE FILE.bmp  saves the screen once a window titled TITLE shows
//   RunPictures press TITLE ID       presses the button ID of that window, waits until it closes
// Both wait up to thirty seconds; a failure says what on stderr and ends with status 1.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWaitMs = 30000;
constexpr int kPollMs = 100;

struct TSearch {
    const char* Title;
    HWND Found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TSearch*>(data);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (!IsWindowVisible(window) || std::string(text) != search.Title)
        return TRUE;
    search.Found = window;
    return FALSE;
}

HWND VisibleWindow(const char* title) {
    TSearch search{title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A window counts as shown once its thread answers, which it does only after creating it.
HWND WaitForWindow(const char* title) {
    for (int waited = 0; waited < kWaitMs; waited += kPollMs) {
        DWORD_PTR answer = 0;
        if (HWND window = VisibleWindow(title);
            window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
            return window;
        Sleep(kPollMs);
    }
    return nullptr;
}

BOOL CALLBACK Repaint(HWND window, LPARAM) {
    // Painting another thread's window now waits until it has painted.
    if (IsWindowVisible(window))
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

bool SaveScreen(const std::string& path) {
    EnumWindows(Repaint, 0);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool written = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        const DWORD size = DWORD(((width * 3 + 3) & ~3) * height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + size;
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                      std::fwrite(bits, size, 1, out) == 1;
            written = std::fclose(out) == 0 && written;
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

bool Press(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
    for (int waited = 0; waited < kWaitMs; waited += kPollMs) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(kPollMs);
    }
    return false;
}

int Fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() != 3 || (args[0] != "shot" && args[0] != "press"))
        return Fail("usage: RunPictures shot TITLE FILE.bmp | press TITLE ID");
    HWND window = WaitForWindow(args[1].c_str());
    if (!window)
        return Fail("no window \"" + args[1] + "\" showed within 30 seconds");
    if (args[0] == "shot")
        return SaveScreen(args[2]) ? 0 : Fail("could not save the picture " + args[2]);
    return Press(window, std::atoi(args[2].c_str()))
               ? 0
               : Fail("\"" + args[1] + "\" stayed open after its button " + args[2] + " was pressed");
}
