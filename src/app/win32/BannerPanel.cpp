#include "app/win32/BannerPanel.h"

#include <utility>

namespace tsy::win32 {

namespace {

void DrawImage(HDC dc, const TJpegImage& image, int left, int top, int width, int height) {
    if (!image.Bitmap)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image.Bitmap.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, left, top, width, height, source, 0, 0, image.Width, image.Height, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace

TBannerPanel::TBannerPanel(HINSTANCE instance, HWND parent, int id, TJpegImage background, TJpegImage banner)
    : background_(std::move(background)), banner_(std::move(banner)) {
    TWindowClass wc;
    wc.Name = "TsyBannerPanel";
    wc.Instance = instance;
    wc.Cursor = LoadCursorA(nullptr, IDC_HAND);
    TWindowPlacement placement;
    placement.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    placement.Left = 0;
    placement.Top = 0;
    placement.Width = 0;
    placement.Height = 0;
    placement.Parent = parent;
    placement.Menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    Create(wc, "", placement);
}

void TBannerPanel::Paint(HDC dc, const RECT& client) const {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (background_.Bitmap)
        DrawImage(dc, background_, 0, 0, width, height);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (banner_.Bitmap && banner_.Height > 0) {
        // Keep the banner's proportions at the panel's height.
        const int bannerWidth = MulDiv(banner_.Width, height, banner_.Height);
        DrawImage(dc, banner_, 0, 0, bannerWidth, height);
    }
}

LRESULT TBannerPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client;
        GetClientRect(Handle(), &client);
        Paint(dc, client);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_SIZE:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        if (OnClick)
            OnClick();
        return 0;
    default:
        return TWindow::HandleMessage(message, wParam, lParam);
    }
}

} // namespace tsy::win32
