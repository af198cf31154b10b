#include "controls/win32/InfoLabels.h"

#include <shellapi.h>

#include <utility>
#include <vector>

#include "controls/LabelText.h"
#include "support/win32/WinText.h"

namespace tsy::win32 {

bool TInfoLabel::Attach(HWND window) {
    if (!TSubclass::Attach(window))
        return false;
    Refresh();
    return true;
}

void TInfoLabel::SetFontFace(std::string face, int pixelHeight) {
    face_ = std::move(face);
    pixelHeight_ = pixelHeight;
    Refresh();
}

void TInfoLabel::SetBold(bool bold) {
    bold_ = bold;
    Refresh();
}

void TInfoLabel::SetUnderline(bool underline) {
    underline_ = underline;
    Refresh();
}

void TInfoLabel::SetColour(COLORREF colour) {
    colour_ = colour;
    Refresh();
}

std::string TInfoLabel::DrawnText() const {
    return WindowText(Window());
}

void TInfoLabel::Refresh() {
    font_.Reset();
    if (Window())
        InvalidateRect(Window(), nullptr, TRUE);
}

HFONT TInfoLabel::Font() const {
    if (!font_ && Window()) {
        LOGFONTA description{};
        auto base = reinterpret_cast<HFONT>(SendMessageA(GetParent(Window()), WM_GETFONT, 0, 0));
        if (!base)
            base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        GetObjectA(base, sizeof description, &description);
        if (!face_.empty()) {
            lstrcpynA(description.lfFaceName, face_.c_str(), LF_FACESIZE);
            description.lfHeight = -pixelHeight_;
            description.lfWidth = 0;
        }
        if (bold_)
            description.lfWeight = FW_BOLD;
        description.lfUnderline = underline_ ? TRUE : FALSE;
        font_.Reset(CreateFontIndirectA(&description));
    }
    return static_cast<HFONT>(font_.Get());
}

int TInfoLabel::TextWidth() const {
    const std::string text = DrawnText();
    HDC dc = GetDC(Window());
    const HGDIOBJ old = SelectObject(dc, Font());
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), int(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(Window(), dc);
    return bounds.right - bounds.left;
}

void TInfoLabel::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Window(), &paint);
    RECT client;
    GetClientRect(Window(), &client);
    // The dialog's own background, as a plain static would get it.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(Window()), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(Window())));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    if (colour_ != CLR_INVALID)
        SetTextColor(dc, colour_);
    const HGDIOBJ old = SelectObject(dc, Font());
    const std::string text = DrawnText();
    DrawTextA(dc, text.c_str(), int(text.size()), &client, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(Window(), &paint);
}

LRESULT TInfoLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_GETFONT: // the font it draws with, so its text is measured as shown
        return reinterpret_cast<LRESULT>(Font());
    case WM_SETTEXT: {
        const LRESULT result = CallOriginal(message, wParam, lParam);
        InvalidateRect(Window(), nullptr, TRUE);
        return result;
    }
    default:
        return CallOriginal(message, wParam, lParam);
    }
}

std::string TAboutLabel::DrawnText() const {
    return ExpandAboutPlaceholders(TInfoLabel::DrawnText(), appTitle_, version_);
}

TURLLabel::TURLLabel(std::string name, TOpen open) : name_(std::move(name)), open_(std::move(open)) {
    if (!open_)
        open_ = [](HWND owner, const std::string& url) { OpenWithShell(owner, url); };
    SetColour(RGB(0, 0, 255));
    SetUnderline(true);
}

void TURLLabel::SetURL(const std::string& url) {
    const std::string caption = URLLabelCaption(TInfoLabel::DrawnText(), name_, url_, url);
    if (Window() && caption != TInfoLabel::DrawnText())
        SetWindowTextA(Window(), caption.c_str());
    url_ = url;
}

LRESULT TURLLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONUP: {
        const LRESULT result = TInfoLabel::WindowProc(message, wParam, lParam);
        open_(GetParent(Window()), url_);
        return result;
    }
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window(), 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
            savedUnderline_ = Underlined();
            SetUnderline(true);
        }
        return TInfoLabel::WindowProc(message, wParam, lParam);
    case WM_MOUSELEAVE:
        tracking_ = false;
        SetUnderline(savedUnderline_);
        return 0;
    default:
        return TInfoLabel::WindowProc(message, wParam, lParam);
    }
}

} // namespace tsy::win32
