#pragma once

#include <functional>

#include "support/win32/JpegImage.h"
#include "support/win32/Window.h"

namespace tsy::win32 {

// The clickable strip under the main window's controls: a background image
// stretched over the whole panel with the banner image drawn at its left.
class TBannerPanel : public TWindow {
public:
    TBannerPanel(HINSTANCE instance, HWND parent, int id, TJpegImage background, TJpegImage banner);

    std::function<void()> OnClick;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc, const RECT& client) const;

    TJpegImage background_;
    TJpegImage banner_;
};

} // namespace tsy::win32
