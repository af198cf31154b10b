#include "ModalDriver.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tsy::testing {

namespace {

TModalDriver* g_driver = nullptr;
constexpr UINT kTickMs = 25;
constexpr int kPatienceTicks = 15000 / kTickMs;

bool IsDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

} // namespace

TModalDriver::TModalDriver(std::deque<TStep> steps) : steps_(std::move(steps)) {
    g_driver = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, &TModalDriver::Tick);
}

TModalDriver::~TModalDriver() {
    KillTimer(nullptr, timer_);
    g_driver = nullptr;
}

void CALLBACK TModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver)
        g_driver->Run();
}

struct TDialogSearch {
    const std::set<HWND>* Driven;
    HWND Found;
};

BOOL CALLBACK FindTopDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TDialogSearch*>(data);
    if (IsDialog(window) && IsWindowVisible(window) && IsWindowEnabled(window) &&
        !search.Driven->count(window)) {
        search.Found = window;
        return FALSE;
    }
    return TRUE;
}

// The modal dialog on top: visible and enabled (the dialogs below it are disabled), not
// driven yet. Activation is not waited for: without a window manager it can lag.
HWND TopDialog(const std::set<HWND>& driven) {
    TDialogSearch search{&driven, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindTopDialog, LPARAM(&search));
    return search.Found;
}

void TModalDriver::Run() {
    HWND active = TopDialog(driven_);
    if (!active) {
        if (!steps_.empty() && ++idleTicks_ > kPatienceTicks) {
            timedOut_ = true;
            steps_.clear();
            if (HWND stuck = GetActiveWindow(); stuck && IsDialog(stuck))
                EndDialog(stuck, IDCANCEL);
        }
        return;
    }
    if (steps_.empty())
        return;
    idleTicks_ = 0;
    driven_.insert(active);
    TStep step = std::move(steps_.front());
    steps_.pop_front();
    step(active);
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

std::string Text(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void SetText(HWND dialog, int id, const std::string& text) {
    SetWindowTextA(GetDlgItem(dialog, id), text.c_str());
}

namespace {

struct TDescendantSearch {
    int id;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK AcceptDescendant(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TDescendantSearch*>(data);
    if (GetDlgCtrlID(window) != search.id || (search.visibleOnly && !IsWindowVisible(window)))
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND Descendant(HWND root, int id, bool visibleOnly) {
    TDescendantSearch search{id, visibleOnly, nullptr};
    EnumChildWindows(root, AcceptDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Pump() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(0);
    }
}

bool SaveScreenshot(HWND window, const std::string& name) {
    const char* folder = std::getenv("TESSALY_SCREENSHOTS");
    if (!folder || !*folder)
        return false;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
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
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + DWORD(stride * height);
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    bool written = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  std::fwrite(bits, std::size_t(stride * height), 1, out) == 1;
        std::fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

} // namespace tsy::testing
