#pragma once

#include "settings/Settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// Class names for the kinds of control whose state is remembered.
inline constexpr std::string_view kPUIListViewClass = "TListView";
inline constexpr std::string_view kPUIPageControlClass = "TPageControl";
inline constexpr std::string_view kPUIComboBoxClass = "TComboBox";

// The form keys live below the settings key.
inline constexpr std::string_view kPUIFormsPath = "PUI\\Dialogs\\";

// Registration options.
inline constexpr std::uint8_t kPUIRestorePosition = 1;
inline constexpr std::uint8_t kPUIRestoreSize = 2;

struct TPUIRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// A form's stored placement, kept as 20 bytes in the form key's unnamed value:
// width, height, left, top (32-bit signed, little-endian), the panel byte, 3 reserved.
struct TPUIFormRecord {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    bool PanelVisible = false;
};
inline constexpr std::size_t kPUIFormRecordSize = 20;
std::array<std::uint8_t, kPUIFormRecordSize> EncodeFormRecord(const TPUIFormRecord& record);
// nullopt unless exactly 20 bytes.
std::optional<TPUIFormRecord> DecodeFormRecord(std::span<const std::uint8_t> bytes);

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
    virtual std::vector<IPUIComponent*> OwnedComponents() const { return {}; }
};

// Reads and writes control states in the open key, one value per control name.
class TPUIStore : public TSettings {
public:
    using TSettings::TSettings;

    virtual void RestoreComboBox(IPUIComponent& control);
    virtual void RestoreListView(IPUIComponent& control);
    virtual void RestorePageControl(IPUIComponent& control);
    virtual void StoreComboBox(IPUIComponent& control);
    virtual void StoreListView(IPUIComponent& control);
    virtual void StorePageControl(IPUIComponent& control);
};

class TPersistentUI;

// One form's registration: what of it is remembered and how.
class TPUIForm : public TPUIStore {
public:
    using PanelVisible = std::function<bool()>;
    using PanelRestore = std::function<void(IPUIWindow& form, bool visible)>;

    TPUIForm(TPersistentUI& owner, IKeyValueStore& store, IPUIWindow& form, std::vector<std::string> classes);

    IPUIWindow& Form() const { return form_; }
    std::uint8_t Options() const { return options_; }
    void SetOptions(std::uint8_t options) { options_ = options; }
    void SetIncludes(std::vector<const IPUIComponent*> includes) { includes_ = std::move(includes); }
    void SetDetailPanel(PanelVisible visible, PanelRestore restore);

    bool IsPersisted(const IPUIComponent& component) const;
    void Load();
    void Save();

private:
    bool OpenFormKey(bool create);
    void Place(const TPUIFormRecord& record);
    void Walk(const std::vector<IPUIComponent*>& components, bool restore);

    TPersistentUI& owner_;
    IPUIWindow& form_;
    std::uint8_t options_ = kPUIRestorePosition | kPUIRestoreSize;
    std::vector<std::string> classes_;
    std::vector<const IPUIComponent*> includes_;
    PanelVisible panelVisible_;
    PanelRestore panelRestore_;
};

// The registrations of every form that remembers its layout, rooted at the settings key.
// Operations on a form that is not registered do nothing (and return false).
class TPersistentUI {
public:
    TPersistentUI(IKeyValueStore& store, RootKey root = kSettingsRoot,
                  std::string path = std::string(kSettingsPath))
        : store_(store), root_(root), path_(std::move(path)) {}
    TPersistentUI(const TPersistentUI&) = delete;
    TPersistentUI& operator=(const TPersistentUI&) = delete;

    // Registering a form again starts its registration afresh.
    TPUIForm& RegisterForm(IPUIWindow& form, std::vector<std::string> classes = {});
    bool SetOptions(IPUIWindow& form, std::uint8_t options);
    bool SetIncludes(IPUIWindow& form, std::vector<const IPUIComponent*> components);
    bool SetDetailPanel(IPUIWindow& form, TPUIForm::PanelVisible visible, TPUIForm::PanelRestore restore);
    bool LoadForm(IPUIWindow& form);
    bool SaveForm(IPUIWindow& form);
    bool UnregisterForm(IPUIWindow& form);

    TPUIForm* Find(const IPUIWindow& form) const;
    RootKey Root() const { return root_; }
    const std::string& Path() const { return path_; }

private:
    IKeyValueStore& store_;
    RootKey root_;
    std::string path_;
    std::vector<std::unique_ptr<TPUIForm>> forms_;
};

} // namespace tsy
