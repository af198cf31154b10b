#include "browsers/OpenPages.h"

#include "browsers/BrowserDetection.h"
#include "browsers/BrowserHistory.h"
#include "support/Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace tsy {
namespace {

// The parser takes a scheme of letters (those of the ANSI code page included), digits, "+", "-"
// and ".".
bool IsSchemeChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80)
        return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
    switch (byte) {
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB5:
    case 0xBA:
        return true;
    default:
        return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
    }
}

// A file URL's path comes back as a local path: drive letter restored, backslashes, escapes
// decoded; its query and fragment stay in it.
std::string FileUrlPath(std::string_view rest) {
    if (rest.starts_with("//"))
        rest.remove_prefix(2);
    if (rest.size() >= 3 && rest[0] == '/' && IsAsciiLetter(rest[1]) && (rest[2] == ':' || rest[2] == '|'))
        rest.remove_prefix(1);
    std::string path;
    path.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '%' && i + 2 < rest.size() && AsciiHexValue(rest[i + 1]) >= 0 &&
            AsciiHexValue(rest[i + 2]) >= 0) {
            path += char(AsciiHexValue(rest[i + 1]) * 16 + AsciiHexValue(rest[i + 2]));
            i += 2;
        } else if (c == '|' && i == 1 && IsAsciiLetter(rest[0])) {
            path += ':';
        } else {
            path += c == '/' ? '\\' : c;
        }
    }
    return path;
}

std::string DoublePercents(std::string_view text) {
    std::string doubled;
    doubled.reserve(text.size());
    for (char c : text) {
        doubled += c;
        if (c == '%')
            doubled += '%';
    }
    return doubled;
}

// The stored template of url with the search text at [begin, end).
std::string MakeTemplate(std::string_view url, std::size_t begin, std::size_t end) {
    return DoublePercents(url.substr(0, begin)) + "%s" + DoublePercents(url.substr(end));
}

bool Contains(const auto& list, std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

constexpr std::array<std::string_view, 2> kHostWords = {"search", "searchresults"};
constexpr std::array<std::string_view, 3> kPathWords = {"search", "query", "results"};
constexpr std::array<std::string_view, 13> kLongParameters = {"q",
                                                              "query",
                                                              "p",
                                                              "k",
                                                              "kw",
                                                              "ss",
                                                              "searchtext",
                                                              "search",
                                                              "search_query",
                                                              "search_string",
                                                              "searchterm",
                                                              "keywords",
                                                              "form_keyword"};
constexpr std::array<std::string_view, 3> kShortParameters = {"q", "query", "keywords"};

bool LooksLikeSearchSite(const TUrlParts& parts) {
    const std::string host = AsciiLowerCase(parts.HostName);
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = host.find('.', start);
        if (Contains(kHostWords, std::string_view(host).substr(start, dot - start)))
            return true;
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    const std::string path = AsciiLowerCase(parts.UrlPath);
    auto isWordChar = [](char c) {
        return c == '-' || c == '_' || IsAsciiDigit(c) || (c >= 'a' && c <= 'z');
    };
    for (std::size_t i = 0; i < path.size();) {
        if (!isWordChar(path[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < path.size() && isWordChar(path[end]))
            ++end;
        if (Contains(kPathWords, std::string_view(path).substr(i, end - i)))
            return true;
        i = end;
    }
    return false;
}

bool ReplaceProbeWord(std::string& url) {
    const std::string lower = AsciiLowerCase(url);
    const std::string probe = AsciiLowerCase(kProbeWord);
    const std::size_t at = lower.find(probe);
    if (at == std::string::npos)
        return false;
    // A template takes the text once; a second "%s" could never be expanded.
    url = MakeTemplate(url, at, at + probe.size());
    return true;
}

bool ReplaceSearchParameter(std::string& url) {
    const std::string_view parsed(url.c_str());
    const auto parts = CrackUrl(parsed);
    if (!parts)
        return false;
    const std::span<const std::string_view> names =
        LooksLikeSearchSite(*parts) ? std::span<const std::string_view>(kLongParameters) : kShortParameters;
    const std::string extra = AsciiLowerCase(parts->ExtraInfo);
    const std::size_t question = extra.find('?');
    if (question == std::string::npos || question + 1 == extra.size())
        return false;
    // The extra information is the tail of the URL, so positions carry over.
    const std::size_t base = parsed.size() - extra.size() + question + 1;
    const std::string_view query = std::string_view(extra).substr(question + 1);
    std::size_t pos = 0;
    while (true) {
        const std::size_t nameEnd = query.find_first_of("&#=", pos);
        if (nameEnd == std::string_view::npos || query[nameEnd] == '#')
            return false;
        if (query[nameEnd] == '&') {
            pos = nameEnd + 1;
            continue;
        }
        const std::size_t valueBegin = nameEnd + 1;
        std::size_t valueEnd = query.find_first_of("&#=", valueBegin);
        if (valueEnd == std::string_view::npos)
            valueEnd = query.size();
        if (Contains(names, query.substr(pos, nameEnd - pos))) {
            url = MakeTemplate(url, base + valueBegin, base + valueEnd);
            return true;
        }
        if (valueEnd == query.size())
            return false;
        pos = valueEnd + 1;
    }
}

// The text of the cell whose identifier is two above the URL cell's; empty when there is none.
std::optional<std::string> HistoryTitle(std::string_view segment, std::size_t open, std::size_t equals,
                                        std::size_t urlClose) {
    const std::string_view id = segment.substr(open + 1, equals - open - 1);
    if (id.empty())
        return std::nullopt;
    std::uint32_t number = 0;
    for (char c : id) {
        const int digit = AsciiHexValue(c);
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + std::uint32_t(digit);
    }
    number += 2;
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[number % 16]);
        number /= 16;
    } while (number != 0);
    const std::string marker = "(" + digits;
    const std::size_t cell = segment.find(marker, urlClose + 1);
    if (cell == std::string_view::npos)
        return std::nullopt;
    const std::size_t titleEquals = segment.find('=', cell + marker.size());
    if (titleEquals == std::string_view::npos)
        return std::nullopt;
    const std::size_t titleClose = segment.find(')', titleEquals + 1);
    if (titleClose == std::string_view::npos)
        return std::nullopt;
    return std::string(segment.substr(titleEquals + 1, titleClose - titleEquals - 1));
}

TPageInfo ParseHistorySegment(std::string_view segment) {
    TPageInfo page;
    const std::size_t equals = segment.find("=http:");
    if (equals == std::string_view::npos)
        return page;
    const std::size_t close = segment.find(')', equals);
    if (close == std::string_view::npos)
        return page;
    // Cell identifiers have up to five hexadecimal digits.
    const std::size_t windowStart = equals >= 6 ? equals - 6 : 0;
    const std::size_t open = segment.substr(windowStart, equals - windowStart).find('(');
    if (open == std::string_view::npos)
        return page;
    page.URL = std::string(segment.substr(equals + 1, close - equals - 1));
    page.Title = HistoryTitle(segment, windowStart + open, equals, close).value_or(page.URL);
    return page;
}

bool IsInternetExplorerWindow(IShellWindow& window) {
    return window.Name().find("Internet") != std::string::npos;
}

} // namespace

std::optional<TUrlParts> CrackUrl(std::string_view url) {
    // The parser reads up to the first NUL.
    url = url.substr(0, url.find('\0'));
    std::size_t colon = 0;
    while (colon < url.size() && IsSchemeChar(url[colon]))
        ++colon;
    if (colon == url.size() || url[colon] != ':')
        return std::nullopt;
    const std::string_view scheme = url.substr(0, colon);
    const std::string_view rest = url.substr(colon + 1);

    std::size_t extraStart = rest.find('?');
    if (extraStart == std::string_view::npos)
        extraStart = std::min(rest.find('#'), rest.size());

    TUrlParts parts;
    std::size_t pathStart = 0;
    if (rest.starts_with("//")) {
        const std::size_t netEnd = std::min(rest.find('/', 2), extraStart);
        std::string_view hostPort = rest.substr(2, netEnd - 2);
        const std::size_t at = hostPort.find('@');
        if (at != std::string_view::npos)
            hostPort.remove_prefix(at + 1);
        parts.HostName = std::string(hostPort.substr(0, hostPort.rfind(':')));
        pathStart = netEnd;
    }
    if (EqualIgnoreAsciiCase(scheme, "file"))
        parts.UrlPath = FileUrlPath(rest);
    else
        parts.UrlPath = std::string(rest.substr(pathStart, extraStart - pathStart));
    parts.ExtraInfo = std::string(rest.substr(extraStart));
    if (parts.HostName.size() > kMaxCrackedHostName || parts.UrlPath.size() > kMaxCrackedUrlPart ||
        parts.ExtraInfo.size() > kMaxCrackedUrlPart)
        return std::nullopt;
    return parts;
}

bool RecognizeSearchURL(std::string& url) {
    return ReplaceProbeWord(url) || ReplaceSearchParameter(url);
}

void ParseHistoryDat(std::string_view bytes, TPageInfos& pages) {
    static constexpr std::string_view kMarker = "@$$";
    while (true) {
        const std::size_t marker = bytes.find(kMarker);
        if (marker == std::string_view::npos)
            return;
        bytes.remove_prefix(marker + kMarker.size());
        const std::size_t open = bytes.find('<');
        const std::size_t close = bytes.find('>');
        if (open == std::string_view::npos || close == std::string_view::npos)
            return;
        const std::string_view segment =
            close > open ? bytes.substr(open + 1, close - open - 1) : std::string_view();
        bytes.remove_prefix(close + 1);
        if (segment.find('/') != std::string_view::npos)
            pages.push_back(ParseHistorySegment(segment));
    }
}

std::string FirefoxFolder(IBrowserWindows& windows) {
    return windows.AppDataFolder() + "\\Mozilla\\FireFox\\";
}

bool IsBrowserRunning(IBrowserWindows& windows, TBrowserKind kind) {
    if (kind == bkInternetExplorer) {
        bool found = false;
        windows.ForEachShellWindow([&](IShellWindow& window) {
            found = IsInternetExplorerWindow(window);
            return !found;
        });
        return found;
    }
    if (kind == bkFirefox)
        return windows.TopLevelWindowExists("MozillaWindowClass") ||
               windows.TopLevelWindowExists("MozillaUIWindowClass");
    if (IsChromium(kind))
        return windows.VisibleWindowOfProgram("Chrome_WidgetWin_1", std::string(BrowserExecutableName(kind)));
    return false;
}

void AddBrowserPages(const TBrowserSystem& system, TBrowserKind kind, TPageInfos& pages) {
    if (kind == bkInternetExplorer) {
        system.Windows.ForEachShellWindow([&](IShellWindow& window) {
            if (!IsInternetExplorerWindow(window))
                return true;
            TPageInfo page;
            page.URL = TrimText(window.LocationURL());
            auto title = window.DocumentTitle();
            page.Title = title ? std::move(*title) : std::string(TrimText(window.LocationName()));
            pages.push_back(std::move(page));
            return true;
        });
    } else if (kind == bkFirefox) {
        AddFirefoxPages(system, pages);
    } else if (IsChromium(kind)) {
        AddChromiumPages(system, kind, pages);
    }
}

void ListOpenPages(const TBrowserSystem& system, TBrowserSet kinds, TPageInfos& pages) {
    pages.clear();
    for (TBrowserKind kind = 0; kind < 8; ++kind) {
        if (InBrowserSet(kinds, kind) && IsBrowserRunning(system.Windows, kind))
            AddBrowserPages(system, kind, pages);
    }
}

} // namespace tsy
