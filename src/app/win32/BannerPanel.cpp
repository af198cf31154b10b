#include "app/win32/BannerPanel.h"

#include "support/StartupTrace.h"

namespace tsy::win32 {

namespace {

TJpegImage LoadImageOrNothing(HINSTANCE instance, int id) {
    // A damaged banner is not worth a failed start: the panel then shows its plain colour.
    try {
        return LoadJpegResource(instance, id);
    } catch (const EJpegError&) {
        return {};
    }
}

void DrawImage(HDC dc, const TJpegImage& image, int left, int top, int width, int height) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image.Bitmap.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, left, top, width, height, source, 0, 0, image.Width, image.Height, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace

TBannerPanel::TBannerPanel(HINSTANCE instance, HWND parent, int id, int backgroundId, int bannerId)
    : instance_(instance), backgroundId_(backgroundId), bannerId_(bannerId) {
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

void TBannerPanel::Compose(HDC dc, int width, int height) {
    if (!decoded_) {
        background_ = LoadImageOrNothing(instance_, backgroundId_);
        banner_ = LoadImageOrNothing(instance_, bannerId_);
        decoded_ = true;
        MarkStartupStep("banner decode");
    }
    picture_.Reset(CreateCompatibleBitmap(dc, width, height));
    pictureSize_ = {width, height};
    HDC target = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(target, picture_.Get());
    const RECT all{0, 0, width, height};
    if (background_.Bitmap)
        DrawImage(target, background_, 0, 0, width, height);
    else
        FillRect(target, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (banner_.Bitmap && banner_.Height > 0) {
        // Keep the banner's proportions at the panel's height.
        DrawImage(target, banner_, 0, 0, MulDiv(banner_.Width, height, banner_.Height), height);
    }
    SelectObject(target, old);
    DeleteDC(target);
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
        if (client.right > 0 && client.bottom > 0) {
            if (!picture_ || pictureSize_.cx != client.right || pictureSize_.cy != client.bottom)
                Compose(dc, client.right, client.bottom);
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, picture_.Get());
            BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
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
