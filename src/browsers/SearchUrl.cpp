#include "browsers/SearchUrl.h"

#include "browsers/Charsets.h"
#include "support/Format.h"
#include "support/Text.h"
#include "support/Unicode.h"
#include "support/WebAddress.h"

namespace tsy {

namespace {

bool IsAsciiAlnum(char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c);
}

[[noreturn]] void RaiseTemplateError(std::string_view searchURL, const std::string& reason) {
    throw ESearchTemplate(Format("The search URL \"%.*s\" cannot be expanded: %s.",
                                 static_cast<int>(searchURL.size()), searchURL.data(), reason.c_str()));
}

// One-based, as a person counts; templates are far shorter than an int.
int Position(std::size_t index) {
    return static_cast<int>(index + 1);
}

} // namespace

std::string TEncodedSearch::For(const TTarget& target) const {
    const std::optional<std::uint32_t> codePage = CodePageOfCharset(target.Charset);
    if (!codePage)
        return CodePage;
    if (*codePage == kUtf8CodePage)
        return Utf8;
    if (!Conversion)
        return CodePage;
    // Trimming the bytes again changes nothing: these code pages keep codes below 33 as they are
    // and use none of them inside a character.
    const std::optional<std::string> bytes = Conversion->FromWideIn(*codePage, Text);
    return bytes ? PrepareSearchText(*bytes) : Utf8;
}

bool IsUtf8Charset(std::string_view charset) {
    return EqualIgnoreAsciiCase(charset, kUtf8Charset);
}

TEncodedSearch PrepareSearchText(std::u16string_view text, const ICodePage& codePage) {
    TEncodedSearch search;
    search.Text = TrimText(text);
    search.Conversion = &codePage;
    search.Utf8 = PrepareSearchText(Utf16ToUtf8(search.Text));
    // Trimming the bytes again changes nothing: the code page keeps codes below 33 as they are.
    const std::optional<std::string> bytes = codePage.FromWide(search.Text);
    search.CodePage = bytes ? PrepareSearchText(*bytes) : search.Utf8;
    return search;
}

std::string EncodeSearchText(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char c : text) {
        if (IsAsciiAlnum(c)) {
            encoded += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string PrepareSearchText(std::string_view text) {
    const std::string encoded = EncodeSearchText(TrimText(text));
    // Every "%" of the encoded text starts an escape, so "%20" can only be an encoded space.
    std::string prepared;
    prepared.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded.compare(i, 3, "%20") == 0) {
            prepared += '+';
            i += 2;
        } else {
            prepared += encoded[i];
        }
    }
    return prepared;
}

std::string ExpandSearchURL(std::string_view searchURL, std::string_view encodedText) {
    std::string url;
    url.reserve(searchURL.size() + encodedText.size());
    bool textUsed = false;
    for (std::size_t i = 0; i < searchURL.size(); ++i) {
        const char c = searchURL[i];
        if (c != '%') {
            url += c;
            continue;
        }
        if (i + 1 == searchURL.size()) {
            RaiseTemplateError(searchURL, Format("the percent sign at position %d ends it", Position(i)));
        }
        const char next = searchURL[i + 1];
        if (next == '%') {
            url += '%';
        } else if (next == 's') {
            if (textUsed) {
                RaiseTemplateError(searchURL, Format("a second \"%%s\" stands at position %d", Position(i)));
            }
            url += encodedText;
            textUsed = true;
        } else {
            RaiseTemplateError(searchURL, Format("\"%%%c\" at position %d is neither \"%%s\" nor \"%%%%\"",
                                                 next, Position(i)));
        }
        ++i;
    }
    return url;
}

bool BuildTargetURL(const TTarget& target, std::string_view encodedText, std::string& url) {
    if (encodedText.empty()) {
        url = target.Open;
    } else if (target.Search.empty()) {
        url.clear();
    } else {
        url = ExpandSearchURL(target.Search, encodedText);
    }
    return !url.empty();
}

bool BuildTargetURL(const TTargets& targets, std::int32_t targetID, std::string_view encodedText,
                    std::string& url) {
    return BuildTargetURL(targets.ByID(targetID), encodedText, url);
}

bool BuildTargetURL(const TTargets& targets, std::int32_t targetID, const TEncodedSearch& search,
                    std::string& url) {
    const TTarget target = targets.ByID(targetID);
    return BuildTargetURL(target, search.For(target), url);
}

std::string NormalizeURL(std::string_view url) {
    std::string normalized(url);
    if (normalized.find('/') == std::string::npos) {
        normalized += '/';
    }
    // A ":" of a path, a query or a port names no scheme.
    if (!AddressScheme(url)) {
        normalized.insert(0, "http://");
    }
    return normalized;
}

bool UrlIsURL(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size()) {
        const char c = text[length];
        if (!IsAsciiAlnum(c) && c != '-' && c != '+' && c != '.') {
            break;
        }
        ++length;
    }
    return length >= 2 && length < text.size() && text[length] == ':';
}

bool IsURLLike(std::string_view text) {
    const std::string lower = AsciiLowerCase(text);
    if (UrlIsURL(lower)) {
        return true;
    }
    const std::string_view host = std::string_view(lower).substr(0, lower.find('/'));
    for (const char c : host) {
        if (c != '.' && !IsAsciiAlnum(c)) {
            return false;
        }
    }
    const std::size_t size = host.size();
    return (size > 3 && host[size - 4] == '.') || (size > 2 && host[size - 3] == '.');
}

} // namespace tsy
