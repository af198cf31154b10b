#pragma once

#include "settings/SettingsStore.h"
#include "support/Layouts.h"

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
// Beside the form record: the DPI its sizes and the column widths were measured at.
inline constexpr std::string_view kPUIDpiValueName = "DPI";

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

protected:
    // Restored pixel sizes were stored at `storedDpi` and are wanted at `currentDpi` (0: as stored).
    void SetRescaling(int storedDpi, int currentDpi) {
        storedDpi_ = storedDpi;
        currentDpi_ = currentDpi;
    }
    std::int32_t Rescaled(std::int32_t stored) const;

private:
    int storedDpi_ = 0;
    int currentDpi_ = 0;
};

class TPersistentUI;

// One form's registration: what of it is remembered and how.
class TPUIForm : public TPUIStore {
public:
    using PanelVisible = ILayoutStore::PanelVisible;
    using PanelRestore = ILayoutStore::PanelRestore;

    TPUIForm(TPersistentUI& owner, IKeyValueStore& store, IPUIWindow& form, std::vector<std::string> classes);

    IPUIWindow& Form() const { return form_; }
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
class TPersistentUI : public ILayoutStore {
public:
    TPersistentUI(IKeyValueStore& store, RootKey root = kSettingsRoot,
                  std::string path = std::string(kSettingsPath))
        : store_(store), root_(root), path_(std::move(path)) {}
    TPersistentUI(const TPersistentUI&) = delete;
    TPersistentUI& operator=(const TPersistentUI&) = delete;

    // Registering a form again starts its registration afresh.
    void RegisterForm(IPUIWindow& form, std::vector<std::string> classes = {}) override;
    bool SetOptions(IPUIWindow& form, std::uint8_t options) override;
    bool SetIncludes(IPUIWindow& form, std::vector<const IPUIComponent*> components) override;
    bool SetDetailPanel(IPUIWindow& form, PanelVisible visible, PanelRestore restore) override;
    bool LoadForm(IPUIWindow& form) override;
    bool SaveForm(IPUIWindow& form) override;
    bool UnregisterForm(IPUIWindow& form) override;

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
