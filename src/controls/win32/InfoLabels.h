#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/win32/Subclass.h"
#include "support/VersionInfo.h"
#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

// A static control that draws its own text in a font and colour of its choosing; the
// dialog's font is the base.
class TInfoLabel : public TSubclass {
public:
    bool Attach(HWND window);

    void SetFontFace(std::string face, int pixelHeight);
    void SetBold(bool bold);
    void SetUnderline(bool underline);
    bool Underlined() const noexcept { return underline_; }
    void SetColour(COLORREF colour);
    COLORREF Colour() const noexcept { return colour_; }

    // The text as drawn, and its width in pixels.
    virtual std::string DrawnText() const;
    int TextWidth() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HFONT Font() const;

private:
    void Paint();
    void Refresh();

    std::string face_;
    int pixelHeight_ = 0;
    bool bold_ = false;
    bool underline_ = false;
    COLORREF colour_ = CLR_INVALID;
    mutable UniqueGdiObject font_;
};

// Draws its caption with the placeholders of the program's name and version put in.
class TAboutLabel : public TInfoLabel {
public:
    TAboutLabel(std::string appTitle, const TVersionInfo& version)
        : appTitle_(std::move(appTitle)), version_(version) {}

    std::string DrawnText() const override;

private:
    std::string appTitle_;
    const TVersionInfo& version_;
};

// A link: blue, underlined, the hand cursor; a click opens its URL.
class TURLLabel : public TInfoLabel {
public:
    using TOpen = std::function<void(HWND owner, const std::string& url)>;

    // `name` is the control's name, the caption it starts with when it has none of its own.
    explicit TURLLabel(std::string name, TOpen open = {});

    const std::string& URL() const noexcept { return url_; }
    void SetURL(const std::string& url);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string name_;
    std::string url_;
    TOpen open_;
    bool tracking_ = false;
    bool savedUnderline_ = false;
};

} // namespace tsy::win32
