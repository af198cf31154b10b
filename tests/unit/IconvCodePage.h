#pragma once
// The Windows-1252 stand-in, with the other code pages converted by the C library the way Windows
// converts them: a character without its own bytes does not fit.
#include "support/AnsiCodePage.h"

#include <iconv.h>

#include <string>

namespace tsy {

class TIconvCodePage : public TAnsiCodePage {
public:
    std::optional<std::string> FromWideIn(std::uint32_t codePage, std::u16string_view text) const override {
        const iconv_t converter = iconv_open(NameOf(codePage).c_str(), "UTF-16LE");
        if (converter == reinterpret_cast<iconv_t>(-1))
            return std::nullopt;
        std::string in(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        std::string out(text.size() * 4 + 4, '\0');
        char* from = in.data();
        char* to = out.data();
        std::size_t left = in.size(), room = out.size();
        const std::size_t done = iconv(converter, &from, &left, &to, &room);
        iconv_close(converter);
        if (done == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - room);
        return out;
    }

private:
    static std::string NameOf(std::uint32_t codePage) {
        if (codePage >= 28591 && codePage <= 28605)
            return "ISO-8859-" + std::to_string(codePage - 28590);
        switch (codePage) {
        case 54936:
            return "GB18030";
        case 20866:
            return "KOI8-R";
        default:
            return "CP" + std::to_string(codePage);
        }
    }
};

} // namespace tsy
