// Member-list text, search-text encoding, template expansion and the collation on arbitrary bytes.
#include "AnsiCollation.h"
#include "browsers/SearchUrl.h"
#include "catalogue/Catalogue.h"
#include "support/WebAddress.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t half = size / 2;
    const std::string_view first = input.substr(0, half);
    const std::string_view second = input.substr(half);

    const tsy::TTargetIDs ids = tsy::TextToIDs(input);
    if (tsy::TextToIDs(tsy::IDsToText(ids)) != ids) {
        std::abort();
    }

    for (const char c : tsy::PrepareSearchText(input)) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                             c == '+' || c == '%';
        if (!allowed) {
            std::abort();
        }
    }

    try {
        tsy::ExpandSearchURL(first, tsy::PrepareSearchText(second));
    } catch (const tsy::ESearchTemplate&) {
    }

    tsy::IsURLLike(input);
    // A web page, once normalised, names http or https itself, so no browser takes it for a switch.
    const std::string normalized = tsy::NormalizeURL(input);
    if (tsy::IsWebPageAddress(input) && (!tsy::AddressScheme(normalized) || !tsy::HasWebScheme(normalized))) {
        std::abort();
    }

    const tsy::TAnsiCollation collation;
    const int forward = collation.CompareIgnoreCase(first, second);
    const int backward = collation.CompareIgnoreCase(second, first);
    if ((forward > 0) - (forward < 0) != -((backward > 0) - (backward < 0))) {
        std::abort();
    }
    if (collation.CompareIgnoreCase(first, first) != 0) {
        std::abort();
    }
    return 0;
}
