#include "ui/win32/FrmSlider.h"

#include <utility>

#include "resource.h"
#include "support/win32/ScreenDpi.h"

namespace tsy::win32 {

namespace {

constexpr UINT_PTR kSlideTimerId = 1;
// The panel's colour, a medium green.
constexpr COLORREF kSliderColour = RGB(0, 160, 0);

TJpegImage LoadLogoOrNothing(HINSTANCE instance) {
    // Without its picture the panel still slides and still takes clicks.
    try {
        return LoadJpegResource(instance, IDR_LOGO);
    } catch (const EJpegError&) {
        return {};
    }
}

POINT PointOf(LPARAM lParam) {
    // Coordinates are signed: left of or above the window they are negative.
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

int SignedParam(WPARAM wParam) {
    return static_cast<int>(static_cast<INT_PTR>(wParam));
}

} // namespace

TSliderMessages RegisterSliderMessages() {
    return {RegisterWindowMessageA(kSlideStepMessageName), RegisterWindowMessageA(kSlideEndMessageName)};
}

TSliderForm::TSliderForm(TSliderFormContext context)
    : context_(std::move(context)), slider_(*this, *context_.Settings, ScaleSliderMetrics(SystemDpi())) {}

TSliderForm::~TSliderForm() {
    SetTimerEnabled(false);
}

void TSliderForm::Create() {
    logo_ = LoadLogoOrNothing(context_.Instance);
    TWindowClass wc;
    wc.Name = kSliderFormClassName;
    wc.Instance = context_.Instance;
    wc.Cursor = LoadCursorA(nullptr, IDC_ARROW);
    TWindowPlacement placement;
    placement.Style = WS_POPUP | WS_CLIPCHILDREN;
    // A tool window owned by the desktop: no taskbar button, and above everything.
    placement.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    placement.Parent = GetDesktopWindow();
    placement.Left = 0;
    placement.Top = 0;
    placement.Width = 0;
    placement.Height = 0;
    TWindow::Create(wc, "Tessaly Quick Access Panel", placement);
    slider_.FormShow();
    paintedEdge_ = slider_.Edge();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

TRect TSliderForm::Bounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TSliderForm::SetBounds(const TRect& b) {
    const TRect old = Bounds();
    SetWindowPos(Handle(), nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (old.Width != b.Width || old.Height != b.Height)
        InvalidateRect(Handle(), nullptr, FALSE);
}

TPoint TSliderForm::CursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void TSliderForm::SetCursorPos(TPoint position) {
    ::SetCursorPos(position.X, position.Y);
}

TSize TSliderForm::ScreenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void TSliderForm::SetTimerEnabled(bool on) {
    if (on == timerOn_ || !Handle())
        return;
    timerOn_ = on;
    if (on)
        SetTimer(Handle(), kSlideTimerId, UINT(kSliderTimerInterval), nullptr);
    else
        KillTimer(Handle(), kSlideTimerId);
}

void TSliderForm::ActivateMainWindow() {
    if (context_.ActivateMainWindow)
        context_.ActivateMainWindow();
}

bool TSliderForm::OverLogo(LPARAM clientPoint) const {
    const POINT p = PointOf(clientPoint);
    const TRect h = slider_.HolderRect();
    return p.x >= h.Left && p.x < h.Right() && p.y >= h.Top && p.y < h.Top + h.Height;
}

void TSliderForm::Paint(HDC dc) const {
    RECT client;
    GetClientRect(Handle(), &client);
    HBRUSH green = CreateSolidBrush(kSliderColour);
    FillRect(dc, &client, green);
    DeleteObject(green);
    if (!logo_.Bitmap || logo_.Width <= 0 || logo_.Height <= 0)
        return;
    // The picture fills the holder at its own proportions, centred.
    const TRect h = slider_.HolderRect();
    int width = h.Width, height = MulDiv(logo_.Height, h.Width, logo_.Width);
    if (height > h.Height) {
        height = h.Height;
        width = MulDiv(logo_.Width, h.Height, logo_.Height);
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, logo_.Bitmap.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, h.Left + (h.Width - width) / 2, h.Top + (h.Height - height) / 2, width, height, source, 0,
               0, logo_.Width, logo_.Height, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void TSliderForm::RepaintOnEdgeChange() {
    if (slider_.Edge() != paintedEdge_) {
        paintedEdge_ = slider_.Edge();
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void TSliderForm::ButtonDown(LPARAM point) {
    SetCapture(Handle());
    if (OverLogo(point)) {
        logoPressed_ = true;
        return;
    }
    slider_.MouseDown();
}

void TSliderForm::ButtonUp(LPARAM point) {
    // The capture may have ended the leave tracking silently; the next move counts as an enter,
    // which checks where the cursor really is.
    mouseInside_ = false;
    if (slider_.Dragging()) {
        slider_.MouseUp();
        RepaintOnEdgeChange();
        ReleaseCapture();
        return;
    }
    const bool click = logoPressed_ && OverLogo(point);
    logoPressed_ = false;
    ReleaseCapture();
    if (click)
        slider_.LogoClick();
}

LRESULT TSliderForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != 0 && message == context_.Messages.Step) {
        slider_.Step(SignedParam(wParam));
        return 0;
    }
    if (message != 0 && message == context_.Messages.End) {
        slider_.SlideEnd(SignedParam(wParam));
        return 0;
    }
    switch (message) {
    case kDpiChangedMessage: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested)
            SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        slider_.SetMetrics(ScaleSliderMetrics(LOWORD(wParam)));
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT p{};
            GetCursorPos(&p);
            ScreenToClient(Handle(), &p);
            const bool hand = OverLogo(MAKELPARAM(p.x, p.y));
            SetCursor(LoadCursorA(nullptr, hand ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        return TWindow::HandleMessage(message, wParam, lParam);
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            slider_.MouseEnter();
        }
        if (slider_.Dragging()) {
            slider_.MouseMove();
            RepaintOnEdgeChange();
        }
        return 0;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        slider_.MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        ButtonDown(lParam);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (another window, a system dialog): drop the panel
        // where it is rather than drag on without a button.
        logoPressed_ = false;
        mouseInside_ = false;
        if (slider_.Dragging() && reinterpret_cast<HWND>(lParam) != Handle()) {
            slider_.MouseUp();
            RepaintOnEdgeChange();
        }
        return 0;
    case WM_TIMER:
        if (wParam == kSlideTimerId) {
            slider_.TimerTick();
            return 0;
        }
        return TWindow::HandleMessage(message, wParam, lParam);
    case WM_SETTINGCHANGE:
        slider_.SettingChange();
        RepaintOnEdgeChange();
        return 0;
    case WM_USER:
        slider_.StartSlide(-1);
        return 0;
    case WM_DESTROY:
        SetTimerEnabled(false);
        return 0;
    default:
        return TWindow::HandleMessage(message, wParam, lParam);
    }
}

} // namespace tsy::win32
