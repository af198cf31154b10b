#pragma once

#include "settings/PersistentUI.h"
#include "support/win32/LayoutWindow.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tsy::win32 {

// Common base: a named control of one class chain.
class TWin32PUIControl : public IPUIComponent {
public:
    TWin32PUIControl(HWND control, std::string name, std::vector<std::string> classes)
        : control_(control), name_(std::move(name)), classes_(std::move(classes)) {}
    std::string Name() const override { return name_; }
    bool InheritsFrom(std::string_view className) const override;
    HWND Handle() const { return control_; }

protected:
    HWND control_;

private:
    std::string name_;
    std::vector<std::string> classes_;
};

// A "SysListView32" in report view.
class TWin32PUIListView : public TWin32PUIControl, public IPUIListView {
public:
    TWin32PUIListView(HWND control, std::string name, std::vector<int> autoSizedColumns = {},
                      std::vector<std::string> classes = {std::string(kPUIListViewClass)})
        : TWin32PUIControl(control, std::move(name), std::move(classes)),
          autoSized_(std::move(autoSizedColumns)) {}
    IPUIListView* AsListView() override { return this; }
    int ColumnCount() const override;
    std::int32_t ColumnWidth(int column) const override;
    bool ColumnAutoSize(int column) const override;
    void SetColumnWidth(int column, std::int32_t width) override;

private:
    std::vector<int> autoSized_;
};

// A "SysTabControl32"; onChange runs after a restored selection so the
// dialog can show the matching page.
class TWin32PUIPageControl : public TWin32PUIControl, public IPUIPageControl {
public:
    TWin32PUIPageControl(HWND control, std::string name, std::function<void(int)> onChange = {},
                         std::vector<std::string> classes = {std::string(kPUIPageControlClass)})
        : TWin32PUIControl(control, std::move(name), std::move(classes)), onChange_(std::move(onChange)) {}
    IPUIPageControl* AsPageControl() override { return this; }
    int PageCount() const override;
    int ActivePage() const override;
    void SetActivePage(int index) override;

private:
    std::function<void(int)> onChange_;
};

// A "ComboBox".
class TWin32PUIComboBox : public TWin32PUIControl, public IPUIComboBox {
public:
    TWin32PUIComboBox(HWND control, std::string name,
                      std::vector<std::string> classes = {std::string(kPUIComboBoxClass)})
        : TWin32PUIControl(control, std::move(name), std::move(classes)) {}
    IPUIComboBox* AsComboBox() override { return this; }
    int ItemCount() const override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
};

} // namespace tsy::win32
