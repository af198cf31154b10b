// Stored option, layout and autorun values of any type and content: reading them never fails.
#include "settings/Autorun.h"
#include "settings/PersistentUI.h"
#include "settings/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <map>

namespace {

using namespace tsy;

// One key holding whatever the input describes; every path opens it.
class OneKeyStore : public IKeyValueStore, public IKey {
public:
    std::unique_ptr<IKey> Open(RootKey, std::string_view, bool) override {
        struct View : IKey {
            explicit View(OneKeyStore& s) : store(s) {}
            std::optional<RawValue> Read(std::string_view name) const override { return store.Read(name); }
            std::optional<RawValue> ReadWide(std::string_view name) const override {
                return store.Read(name);
            }
            void WriteWide(std::string_view name, const RawValue& value) override {
                store.Write(name, value);
            }
            bool HasSubKey(std::string_view) const override { return true; }
            void Write(std::string_view name, const RawValue& value) override { store.Write(name, value); }
            bool DeleteValue(std::string_view name) override { return store.DeleteValue(name); }
            OneKeyStore& store;
        };
        return std::make_unique<View>(*this);
    }
    std::optional<RawValue> Read(std::string_view name) const override {
        auto it = values.find(std::string(name));
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    // The data is whatever either width's call would give.
    std::optional<RawValue> ReadWide(std::string_view name) const override { return Read(name); }
    void WriteWide(std::string_view name, const RawValue& value) override { Write(name, value); }
    bool HasSubKey(std::string_view) const override { return true; }
    void Write(std::string_view name, const RawValue& value) override { values[std::string(name)] = value; }
    bool DeleteValue(std::string_view name) override { return values.erase(std::string(name)) != 0; }

    std::map<std::string, RawValue> values;
};

class Column : public IPUIComponent, public IPUIListView, public IPUIPageControl, public IPUIComboBox {
public:
    explicit Column(std::string name) : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    bool InheritsFrom(std::string_view) const override { return true; }
    IPUIListView* AsListView() override { return name_ == "lv" ? this : nullptr; }
    IPUIPageControl* AsPageControl() override { return name_ == "pg" ? this : nullptr; }
    IPUIComboBox* AsComboBox() override { return name_ == "cb" ? this : nullptr; }
    int ColumnCount() const override { return 3; }
    std::int32_t ColumnWidth(int column) const override { return widths[column]; }
    bool ColumnAutoSize(int) const override { return false; }
    void SetColumnWidth(int column, std::int32_t width) override {
        if (column < 0 || column >= 3 || width < 0)
            std::abort();
        widths[column] = width;
    }
    int PageCount() const override { return 4; }
    int ActivePage() const override { return index; }
    void SetActivePage(int i) override {
        if (i < 0 || i >= 4)
            std::abort();
        index = i;
    }
    int ItemCount() const override { return 4; }
    int ItemIndex() const override { return index; }
    void SetItemIndex(int i) override {
        if (i < -1 || i >= 4)
            std::abort();
        index = i;
    }
    std::int32_t widths[3] = {};
    int index = 0;

private:
    std::string name_;
};

class Window : public IPUIWindow {
public:
    std::string Name() const override { return "MainForm"; }
    TPUIRect GetBounds() const override { return bounds; }
    void SetPosition(std::int32_t left, std::int32_t top) override {
        bounds.Left = left;
        bounds.Top = top;
    }
    void SetSize(std::int32_t width, std::int32_t height) override {
        if (width <= 0 || height <= 0)
            std::abort();
        bounds.Width = width;
        bounds.Height = height;
    }
    bool IsOnScreen(const TPUIRect& r) const override { return r.Left > -1000 && r.Left < 2000; }
    std::vector<IPUIComponent*> OwnedComponents() const override { return owned; }
    TPUIRect bounds{0, 0, 100, 100};
    std::vector<IPUIComponent*> owned;
};

const char* const kNames[] = {"Search",   "Collection", "AutoClose", "Browser", "Hotkey.Key", "UseHotkey",
                              "Slider.X", "",           "lv",        "pg",      "cb",         "TSY"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OneKeyStore store;
    // Records of: name index, type, length, bytes.
    std::size_t at = 0;
    while (at + 3 <= size) {
        const char* name = kNames[data[at] % std::size(kNames)];
        const auto type = static_cast<ValueType>(data[at + 1] % 8);
        std::size_t length = std::min<std::size_t>(data[at + 2], size - at - 3);
        store.values[name] = RawValue{type, std::vector<std::uint8_t>(data + at + 3, data + at + 3 + length)};
        at += 3 + length;
    }

    TSettings settings(store);
    if (!settings.OpenForRead(kSettingsRoot, kSettingsPath))
        std::abort();
    TAppSettings options;
    ReadSettings(settings, options);

    Column lv("lv"), pg("pg"), cb("cb");
    Window window;
    window.owned = {&lv, &pg, &cb};
    TPersistentUI pui(store);
    pui.RegisterForm(window, {"TListView"});
    pui.LoadForm(window);

    TAutorun autorun(store, "C:\\Tessaly.exe");
    if (autorun.IsAutorunMinimized() && autorun.IsAutorunSlider())
        std::abort();
    return 0;
}
