// Stored search histories come from the registry, where anything may have been written.
#include "controls/RegistryEx.h"
#include "controls/SearchHistory.h"
#include "support/AnsiCodePage.h"
#include "support/Unicode.h"

#include <cstdlib>

namespace {

class UnitCollation : public tsy::IWideCollation {
public:
    bool EqualIgnoreCase(std::u16string_view a, std::u16string_view b) const override {
        return CompareIgnoreCase(a, b) == 0;
    }
    int CompareIgnoreCase(std::u16string_view a, std::u16string_view b) const override {
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const int ca = Lower(a[i]);
            const int cb = Lower(b[i]);
            if (ca != cb) {
                return ca - cb;
            }
        }
        return static_cast<int>(a.size()) - static_cast<int>(b.size());
    }

private:
    static int Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UnitCollation collation;
    tsy::TAnsiCodePage codePage;
    const std::vector<std::uint8_t> bytes(data, data + size);
    // The same bytes as a wide text value and as an older value of another type.
    const std::vector<std::u16string> first =
        tsy::DecodeStoredMultiString({tsy::ValueType::MultiString, bytes}, true, collation, codePage);
    (void)tsy::DecodeStoredMultiString({tsy::ValueType::Binary, bytes}, true, collation, codePage);
    const std::vector<std::uint8_t> encoded = tsy::EncodeMultiString(first);
    if (tsy::DecodeMultiString(tsy::Utf16FromLEBytes(encoded), true, collation) != first) {
        std::abort();
    }

    tsy::TSearchHistory history(collation);
    history.Assign(first);
    if (size > 0) {
        history.SetLimit(data[0] % 4);
        const std::u16string added = tsy::Utf16FromLEBytes(std::span(data, size > 16 ? 16 : size));
        history.Add(added, data[size - 1] % 20 - 5);
    }
    (void)tsy::FindCompletion(history.View(true), first.empty() ? u"" : first.front(), collation);
    return 0;
}
