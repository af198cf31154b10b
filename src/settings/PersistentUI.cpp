#include "settings/PersistentUI.h"

#include <algorithm>

#include "support/Geometry.h"

namespace tsy {
namespace {

void PutInt32(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetInt32(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t(in[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

} // namespace

std::array<std::uint8_t, kPUIFormRecordSize> EncodeFormRecord(const TPUIFormRecord& record) {
    std::array<std::uint8_t, kPUIFormRecordSize> bytes{};
    PutInt32(&bytes[0], record.Width);
    PutInt32(&bytes[4], record.Height);
    PutInt32(&bytes[8], record.Left);
    PutInt32(&bytes[12], record.Top);
    bytes[16] = record.PanelVisible ? 1 : 0;
    return bytes;
}

std::optional<TPUIFormRecord> DecodeFormRecord(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kPUIFormRecordSize)
        return std::nullopt;
    TPUIFormRecord record;
    record.Width = GetInt32(&bytes[0]);
    record.Height = GetInt32(&bytes[4]);
    record.Left = GetInt32(&bytes[8]);
    record.Top = GetInt32(&bytes[12]);
    record.PanelVisible = bytes[16] != 0;
    return record;
}

std::int32_t TPUIStore::Rescaled(std::int32_t stored) const {
    if (storedDpi_ <= 0 || currentDpi_ <= 0 || storedDpi_ == currentDpi_)
        return stored;
    return MulDivRound(stored, currentDpi_, storedDpi_);
}

void TPUIStore::RestoreComboBox(IPUIComponent& control) {
    auto* combo = control.AsComboBox();
    auto index = ReadInteger(control.Name());
    // An index the list no longer has would select nothing useful; keep the current one.
    if (combo && index && *index >= -1 && *index < combo->ItemCount())
        combo->SetItemIndex(*index);
}

void TPUIStore::RestoreListView(IPUIComponent& control) {
    auto* list = control.AsListView();
    auto data = ReadBinary(control.Name());
    if (!list || !data)
        return;
    const int stored = static_cast<int>(data->size() / 4);
    const int columns = std::min(stored, list->ColumnCount());
    for (int i = 0; i < columns; ++i) {
        const std::int32_t width = GetInt32(data->data() + 4 * i);
        // Negative widths are the list control's auto-size requests, never a stored size.
        if (width >= 0 && !list->ColumnAutoSize(i))
            list->SetColumnWidth(i, Rescaled(width));
    }
}

void TPUIStore::RestorePageControl(IPUIComponent& control) {
    auto* pages = control.AsPageControl();
    auto index = ReadInteger(control.Name());
    if (pages && index && *index >= 0 && *index < pages->PageCount())
        pages->SetActivePage(*index);
}

void TPUIStore::StoreComboBox(IPUIComponent& control) {
    if (auto* combo = control.AsComboBox())
        WriteInteger(control.Name(), combo->ItemIndex());
}

void TPUIStore::StoreListView(IPUIComponent& control) {
    auto* list = control.AsListView();
    if (!list || list->ColumnCount() <= 0)
        return;
    std::vector<std::uint8_t> data(4 * static_cast<std::size_t>(list->ColumnCount()));
    for (int i = 0; i < list->ColumnCount(); ++i)
        PutInt32(data.data() + 4 * i, list->ColumnWidth(i));
    WriteBinary(control.Name(), data);
}

void TPUIStore::StorePageControl(IPUIComponent& control) {
    if (auto* pages = control.AsPageControl())
        WriteInteger(control.Name(), pages->ActivePage());
}

TPUIForm::TPUIForm(TPersistentUI& owner, IKeyValueStore& store, IPUIWindow& form,
                   std::vector<std::string> classes)
    : TPUIStore(store), owner_(owner), form_(form), classes_(std::move(classes)) {}

void TPUIForm::SetDetailPanel(PanelVisible visible, PanelRestore restore) {
    panelVisible_ = std::move(visible);
    panelRestore_ = std::move(restore);
}

bool TPUIForm::IsPersisted(const IPUIComponent& component) const {
    if (std::find(includes_.begin(), includes_.end(), &component) != includes_.end())
        return true;
    return std::any_of(classes_.begin(), classes_.end(),
                       [&](const std::string& name) { return component.InheritsFrom(name); });
}

bool TPUIForm::OpenFormKey(bool create) {
    const bool open =
        create ? OpenForWrite(owner_.Root(), owner_.Path()) : OpenForRead(owner_.Root(), owner_.Path());
    return open && OpenSubKey(std::string(kPUIFormsPath) + form_.Name(), create);
}

void TPUIForm::Walk(const std::vector<IPUIComponent*>& components, bool restore) {
    for (IPUIComponent* component : components) {
        if (!component || !IsPersisted(*component))
            continue;
        if (component->AsListView())
            restore ? RestoreListView(*component) : StoreListView(*component);
        else if (component->AsPageControl())
            restore ? RestorePageControl(*component) : StorePageControl(*component);
        else if (component->AsComboBox())
            restore ? RestoreComboBox(*component) : StoreComboBox(*component);
        Walk(component->OwnedComponents(), restore);
    }
}

void TPUIForm::Place(const TPUIFormRecord& record) {
    if (panelRestore_)
        panelRestore_(form_, record.PanelVisible);
    const TPUIRect current = form_.GetBounds();
    const bool restoreSize = (options_ & kPUIRestoreSize) && record.Width > 0 && record.Height > 0;
    const std::int32_t width = Rescaled(record.Width), height = Rescaled(record.Height);
    const TPUIRect target{record.Left, record.Top, restoreSize ? width : current.Width,
                          restoreSize ? height : current.Height};
    // A monitor that has since gone away must not leave the window out of reach.
    if ((options_ & kPUIRestorePosition) && form_.IsOnScreen(target))
        form_.SetPosition(record.Left, record.Top);
    if (restoreSize)
        form_.SetSize(width, height);
}

void TPUIForm::Load() {
    if (!OpenFormKey(false)) {
        CloseKey();
        return;
    }
    // A record of another size or type is not ours: the form keeps its designed
    // placement, while the controls are still restored.
    // Layouts stored before the DPI was stored with them are taken as they are.
    SetRescaling(ReadInteger(kPUIDpiValueName).value_or(0), form_.Dpi());
    auto bytes = ReadBinary("");
    if (auto decoded = bytes ? DecodeFormRecord(*bytes) : std::nullopt)
        Place(*decoded);
    Walk(form_.OwnedComponents(), true);
    CloseKey();
}

void TPUIForm::Save() {
    if (!OpenFormKey(true)) {
        CloseKey();
        return;
    }
    const TPUIRect bounds = form_.GetBounds();
    TPUIFormRecord record{bounds.Width, bounds.Height, bounds.Left, bounds.Top,
                          panelVisible_ ? panelVisible_() : false};
    WriteBinary("", EncodeFormRecord(record));
    WriteInteger(kPUIDpiValueName, form_.Dpi());
    Walk(form_.OwnedComponents(), false);
    CloseKey();
}

void TPersistentUI::RegisterForm(IPUIWindow& form, std::vector<std::string> classes) {
    UnregisterForm(form);
    forms_.push_back(std::make_unique<TPUIForm>(*this, store_, form, std::move(classes)));
}

TPUIForm* TPersistentUI::Find(const IPUIWindow& form) const {
    for (const auto& registration : forms_)
        if (&registration->Form() == &form)
            return registration.get();
    return nullptr;
}

bool TPersistentUI::SetOptions(IPUIWindow& form, std::uint8_t options) {
    auto* registration = Find(form);
    if (registration)
        registration->SetOptions(options);
    return registration != nullptr;
}

bool TPersistentUI::SetIncludes(IPUIWindow& form, std::vector<const IPUIComponent*> components) {
    auto* registration = Find(form);
    if (registration)
        registration->SetIncludes(std::move(components));
    return registration != nullptr;
}

bool TPersistentUI::SetDetailPanel(IPUIWindow& form, TPUIForm::PanelVisible visible,
                                   TPUIForm::PanelRestore restore) {
    auto* registration = Find(form);
    if (registration)
        registration->SetDetailPanel(std::move(visible), std::move(restore));
    return registration != nullptr;
}

bool TPersistentUI::LoadForm(IPUIWindow& form) {
    auto* registration = Find(form);
    if (registration)
        registration->Load();
    return registration != nullptr;
}

bool TPersistentUI::SaveForm(IPUIWindow& form) {
    auto* registration = Find(form);
    if (registration)
        registration->Save();
    return registration != nullptr;
}

bool TPersistentUI::UnregisterForm(IPUIWindow& form) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const std::unique_ptr<TPUIForm>& registration) {
        return &registration->Form() == &form;
    });
    if (it == forms_.end())
        return false;
    forms_.erase(it);
    return true;
}

} // namespace tsy
