#include "browsers/Charsets.h"

#include "support/Text.h"

namespace tsy {

namespace {

struct TCharsetName {
    std::string_view Name;
    std::uint32_t CodePage;
    // Another name of the encoding just above.
    bool Alias = false;
};

constexpr TCharsetName kCharsets[] = {
    {"utf-8", kUtf8CodePage}, {"windows-874", 874},   {"windows-1250", 1250}, {"windows-1251", 1251},
    {"windows-1252", 1252},   {"windows-1253", 1253}, {"windows-1254", 1254}, {"windows-1255", 1255},
    {"windows-1256", 1256},   {"windows-1257", 1257}, {"windows-1258", 1258}, {"iso-8859-1", 28591},
    {"iso-8859-2", 28592},    {"iso-8859-3", 28593},  {"iso-8859-4", 28594},  {"iso-8859-5", 28595},
    {"iso-8859-6", 28596},    {"iso-8859-7", 28597},  {"iso-8859-8", 28598},  {"iso-8859-9", 28599},
    {"iso-8859-13", 28603},   {"iso-8859-15", 28605}, {"koi8-r", 20866},      {"koi8-u", 21866},
    {"shift_jis", 932},       {"sjis", 932, true},    {"x-sjis", 932, true},  {"euc-jp", 20932},
    {"gb2312", 936},          {"gbk", 936, true},     {"gb18030", 54936},     {"big5", 950},
    {"euc-kr", 949},
};

} // namespace

std::optional<std::uint32_t> CodePageOfCharset(std::string_view charset) {
    for (const TCharsetName& entry : kCharsets) {
        if (EqualIgnoreAsciiCase(charset, entry.Name))
            return entry.CodePage;
    }
    return std::nullopt;
}

std::vector<std::string_view> EncodingNames() {
    std::vector<std::string_view> names;
    for (const TCharsetName& entry : kCharsets) {
        if (!entry.Alias && entry.CodePage != kUtf8CodePage)
            names.push_back(entry.Name);
    }
    return names;
}

} // namespace tsy
