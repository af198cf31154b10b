// Stored search histories come from the registry, where anything may have been written.
#include "controls/RegistryEx.h"
#include "controls/SearchHistory.h"

#include <cstdlib>

namespace {

class ByteCollation : public tsy::ICollation {
public:
    int CompareIgnoreCase(std::string_view a, std::string_view b) const override {
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const int ca = Lower(static_cast<unsigned char>(a[i]));
            const int cb = Lower(static_cast<unsigned char>(b[i]));
            if (ca != cb) {
                return ca - cb;
            }
        }
        return static_cast<int>(a.size()) - static_cast<int>(b.size());
    }
    int Compare(std::string_view a, std::string_view b) const override { return a.compare(b); }

private:
    static int Lower(int c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteCollation collation;
    const std::vector<std::string> first = tsy::DecodeMultiString({data, size}, true, collation);
    const std::vector<std::uint8_t> encoded = tsy::EncodeMultiString(first);
    if (tsy::DecodeMultiString(encoded, true, collation) != first) {
        std::abort();
    }

    tsy::TSearchHistory history(collation);
    history.Assign(first);
    if (size > 0) {
        history.SetLimit(data[0] % 4);
        history.Add(std::string(reinterpret_cast<const char*>(data), size > 8 ? 8 : size),
                    data[size - 1] % 20 - 5);
    }
    (void)tsy::FindCompletion(history.View(true), first.empty() ? "" : first.front(), collation);
    return 0;
}
