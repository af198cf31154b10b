#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// Registration options.
inline constexpr std::uint8_t kPUIRestorePosition = 1;
inline constexpr std::uint8_t kPUIRestoreSize = 2;

struct TPUIRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

class IPUIListView {
public:
    virtual ~IPUIListView() = default;
    virtual int ColumnCount() const = 0;
    virtual std::int32_t ColumnWidth(int column) const = 0;
    // Columns that size themselves keep their width on restore.
    virtual bool ColumnAutoSize(int column) const = 0;
    virtual void SetColumnWidth(int column, std::int32_t width) = 0;
};

class IPUIPageControl {
public:
    virtual ~IPUIPageControl() = default;
    virtual int PageCount() const = 0;
    virtual int ActivePage() const = 0;
    virtual void SetActivePage(int index) = 0;
};

class IPUIComboBox {
public:
    virtual ~IPUIComboBox() = default;
    virtual int ItemCount() const = 0;
    virtual int ItemIndex() const = 0; // -1 for none
    virtual void SetItemIndex(int index) = 0;
};

// A component of a form as the layout store sees it.
class IPUIComponent {
public:
    virtual ~IPUIComponent() = default;
    virtual std::string Name() const = 0;
    // True when the component's class is `className` or derives from it.
    virtual bool InheritsFrom(std::string_view className) const = 0;
    // The components this one owns, in their order.
    virtual std::vector<IPUIComponent*> OwnedComponents() const { return {}; }
    virtual IPUIListView* AsListView() { return nullptr; }
    virtual IPUIPageControl* AsPageControl() { return nullptr; }
    virtual IPUIComboBox* AsComboBox() { return nullptr; }
};

// What a window implements to have its layout remembered.
class IPUIWindow {
public:
    virtual ~IPUIWindow() = default;
    // The component name that names its key ("MainForm", "SettingsForm", ...).
    virtual std::string Name() const = 0;
    // The restored (not minimised or maximised) bounds in screen coordinates.
    virtual TPUIRect GetBounds() const = 0;
    virtual void SetPosition(std::int32_t left, std::int32_t top) = 0;
    // The window may enforce its own minimum size.
    virtual void SetSize(std::int32_t width, std::int32_t height) = 0;
    // Whether a window with these bounds would be visible on some monitor.
    virtual bool IsOnScreen(const TPUIRect& bounds) const = 0;
    // The pixels per inch its sizes are measured in.
    virtual int Dpi() const { return 96; }
    virtual std::vector<IPUIComponent*> OwnedComponents() const { return {}; }
};

// Where windows keep their layouts between showings. Operations on a window that is not
// registered do nothing (and return false).
class ILayoutStore {
public:
    using PanelVisible = std::function<bool()>;
    using PanelRestore = std::function<void(IPUIWindow& form, bool visible)>;

    virtual ~ILayoutStore() = default;
    virtual void RegisterForm(IPUIWindow& form, std::vector<std::string> classes = {}) = 0;
    virtual bool SetOptions(IPUIWindow& form, std::uint8_t options) = 0;
    // The components saved and restored although their classes are not registered.
    virtual bool SetIncludes(IPUIWindow& form, std::vector<const IPUIComponent*> components) = 0;
    virtual bool SetDetailPanel(IPUIWindow& form, PanelVisible visible, PanelRestore restore) = 0;
    virtual bool LoadForm(IPUIWindow& form) = 0;
    virtual bool SaveForm(IPUIWindow& form) = 0;
    virtual bool UnregisterForm(IPUIWindow& form) = 0;
};

} // namespace tsy
