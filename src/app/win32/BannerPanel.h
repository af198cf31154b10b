#pragma once

#include <functional>

#include "support/win32/JpegImage.h"
#include "support/win32/Window.h"

namespace tsy::win32 {

// The clickable strip under the main window's controls: a background image
// stretched over the whole panel with the banner image drawn at its left.
// Both are decoded at the first paint, once, and drawn into one picture of the
// panel's size, which every paint copies until the size changes.
class TBannerPanel : public TWindow {
public:
    // The images are JPEG resources of the module.
    TBannerPanel(HINSTANCE instance, HWND parent, int id, int backgroundId, int bannerId);

    std::function<void()> OnClick;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Compose(HDC dc, int width, int height);

    HINSTANCE instance_;
    int backgroundId_;
    int bannerId_;
    bool decoded_ = false;
    TJpegImage background_;
    TJpegImage banner_;
    UniqueGdiObject picture_;
    SIZE pictureSize_{};
};

} // namespace tsy::win32
