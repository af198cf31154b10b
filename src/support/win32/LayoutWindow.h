#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/Layouts.h"

namespace tsy::win32 {

// Plugs a top-level window into the layout store. The owner lists the
// components whose state is remembered (usually the adapters below).
class TWin32PUIWindow : public IPUIWindow {
public:
    TWin32PUIWindow(HWND window, std::string name) : window_(window), name_(std::move(name)) {}

    std::string Name() const override { return name_; }
    // The normal placement, also while the window is minimised or maximised.
    TPUIRect GetBounds() const override;
    void SetPosition(std::int32_t left, std::int32_t top) override;
    void SetSize(std::int32_t width, std::int32_t height) override;
    bool IsOnScreen(const TPUIRect& bounds) const override;
    int Dpi() const override;
    std::vector<IPUIComponent*> OwnedComponents() const override { return components; }

    std::vector<IPUIComponent*> components;

private:
    HWND window_;
    std::string name_;
};

} // namespace tsy::win32
