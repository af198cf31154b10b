// The search box gives any UTF-16, lone surrogates included; every site must still get a
// text made only of ASCII letters, digits, "+" and upper-case escapes.
#include "browsers/SearchUrl.h"
#include "support/AnsiCodePage.h"
#include "support/Text.h"
#include "support/Unicode.h"

#include <cstdlib>

namespace {

bool IsEncoded(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+';
        if (plain) {
            continue;
        }
        auto hex = [&](std::size_t at) {
            return at < text.size() &&
                   ((text[at] >= '0' && text[at] <= '9') || (text[at] >= 'A' && text[at] <= 'F'));
        };
        if (c != '%' || !hex(i + 1) || !hex(i + 2)) {
            return false;
        }
        i += 2;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = tsy::Utf16FromLEBytes(std::span(data, size));
    const tsy::TEncodedSearch search = tsy::PrepareSearchText(text, tsy::TAnsiCodePage());
    if (!IsEncoded(search.Utf8) || !IsEncoded(search.CodePage) ||
        search.Utf8.empty() != tsy::TrimText(text).empty()) {
        std::abort();
    }
    return 0;
}
