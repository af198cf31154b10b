#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tsy::win32 {

// A drop-down list of a dialog; it does not own the control.
class TComboBox {
public:
    void Attach(HWND control) noexcept { control_ = control; }
    HWND Handle() const noexcept { return control_; }

    void Clear();
    int Add(const std::string& text, LPARAM data = 0);
    int Count() const;
    // -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string ItemText(int index) const;
    // Replaces every item without repainting between them.
    void SetItems(const std::vector<std::string>& texts, int selected);
    // The rows the drop-down shows before it scrolls.
    void SetMinVisible(int count);
    LPARAM ItemData(int index) const;
    // The selected entry's text, empty for none.
    std::string Text() const;
    int IndexOf(const std::string& text) const;

private:
    HWND control_ = nullptr;
};

// Where a check box or radio button puts a caption of several lines.
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A check box or radio button whose caption sits at the top, middle or bottom of the
// control. The alignment is a creation style, so a new layout makes the window anew.
class TButtonEx {
public:
    void Attach(HWND control) noexcept { control_ = control; }
    HWND Handle() const noexcept { return control_; }
    TTextLayout Layout() const noexcept { return layout_; }
    void SetLayout(TTextLayout layout);
    bool Checked() const { return SendMessageA(control_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) {
        SendMessageA(control_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

private:
    HWND control_ = nullptr;
    TTextLayout layout_ = TTextLayout::tlCenter;
};

using TCheckBoxEx = TButtonEx;
using TRadioButtonEx = TButtonEx;

} // namespace tsy::win32
