#include "browsers/BrowserHistory.h"

#include "browsers/BrowserDetection.h"
#include "support/Text.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tsy {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct TIniSection {
    std::string_view Name;
    std::vector<std::pair<std::string_view, std::string_view>> Values;

    // The first value of the key, in any letter case, as the system's INI reading finds it.
    std::optional<std::string_view> Value(std::string_view key) const {
        for (const auto& [name, value] : Values)
            if (EqualIgnoreAsciiCase(name, key))
                return value;
        return std::nullopt;
    }
};

std::vector<TIniSection> ParseIni(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<TIniSection> sections;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({Trim(line.substr(1, line.size() - 2)), {}});
        } else if (!sections.empty() && !line.empty() && line.front() != ';') {
            const std::size_t equals = line.find('=');
            if (equals != std::string_view::npos)
                sections.back().Values.emplace_back(Trim(line.substr(0, equals)),
                                                    Trim(line.substr(equals + 1)));
        }
    }
    return sections;
}

const TIniSection* FindSection(const std::vector<TIniSection>& sections, auto&& matches) {
    auto it = std::find_if(sections.begin(), sections.end(), matches);
    return it == sections.end() ? nullptr : &*it;
}

bool LooksAbsolute(std::string_view path) {
    return (path.size() >= 2 && path[1] == ':') || path.starts_with("\\\\") || path.starts_with("//");
}

// A profile stays inside Firefox's folder, or is a folder of a local drive: never a share or a
// device, whose name alone can make the system reach out or open what is no file.
bool IsSafeProfilePath(std::string_view path, bool relative) {
    if (relative)
        return path.find("..") == std::string_view::npos && !LooksAbsolute(path);
    return IsDrivePath(path);
}

// A minimal reader of JSON text, enough to find one member without building the document.
class TJsonReader {
public:
    explicit TJsonReader(std::string_view text) : text_(text) {}

    // The string member `path[0]`, then within it `path[1]` and so on, of the top-level object.
    std::optional<std::string> FindString(std::initializer_list<std::string_view> path) {
        for (auto name = path.begin(); name != path.end(); ++name) {
            if (!Skip('{') || !FindMember(*name))
                return std::nullopt;
        }
        SkipSpace();
        return ReadString();
    }

private:
    static constexpr int kMaxDepth = 64;

    void SkipSpace() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }
    bool Skip(char c) {
        SkipSpace();
        if (pos_ >= text_.size() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }
    // Just after "{": moves to the value of the member, or answers false at the object's end.
    bool FindMember(std::string_view name) {
        if (Skip('}'))
            return false;
        for (;;) {
            SkipSpace();
            auto key = ReadString();
            if (!key || !Skip(':'))
                return false;
            if (*key == name)
                return true;
            if (!SkipValue(0))
                return false;
            if (!Skip(','))
                return false;
        }
    }
    bool SkipValue(int depth) {
        if (depth > kMaxDepth)
            return false;
        SkipSpace();
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        if (c == '"')
            return ReadString().has_value();
        if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            ++pos_;
            if (Skip(close))
                return true;
            for (;;) {
                if (c == '{') {
                    SkipSpace();
                    if (!ReadString() || !Skip(':'))
                        return false;
                }
                if (!SkipValue(depth + 1))
                    return false;
                if (Skip(close))
                    return true;
                if (!Skip(','))
                    return false;
            }
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               std::string_view(",}] \t\r\n").find(text_[pos_]) == std::string_view::npos)
            ++pos_;
        return pos_ > start;
    }
    std::optional<unsigned> ReadHex4() {
        if (text_.size() - pos_ < 4)
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = AsciiHexValue(text_[pos_++]);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + unsigned(digit);
        }
        return value;
    }
    static void AppendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | code >> 6);
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | code >> 12);
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | code >> 18);
            out += char(0x80 | (code >> 12 & 0x3F));
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    // At the opening quote; the text decoded to UTF-8.
    std::optional<std::string> ReadString() {
        if (pos_ >= text_.size() || text_[pos_] != '"')
            return std::nullopt;
        ++pos_;
        std::string value;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"')
                return value;
            if (c != '\\') {
                value += c;
                continue;
            }
            if (pos_ >= text_.size())
                return std::nullopt;
            const char escape = text_[pos_++];
            switch (escape) {
            case 'b':
                value += '\b';
                break;
            case 'f':
                value += '\f';
                break;
            case 'n':
                value += '\n';
                break;
            case 'r':
                value += '\r';
                break;
            case 't':
                value += '\t';
                break;
            case 'u': {
                auto code = ReadHex4();
                if (!code)
                    return std::nullopt;
                std::uint32_t point = *code;
                if (point >= 0xD800 && point < 0xDC00) {
                    if (!text_.substr(pos_).starts_with("\\u"))
                        return std::nullopt;
                    pos_ += 2;
                    auto low = ReadHex4();
                    if (!low || *low < 0xDC00 || *low >= 0xE000)
                        return std::nullopt;
                    point = 0x10000 + ((point - 0xD800) << 10) + (*low - 0xDC00);
                } else if (point >= 0xDC00 && point < 0xE000) {
                    return std::nullopt;
                }
                AppendUtf8(value, point);
                break;
            }
            default:
                value += escape;
            }
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsPlainFolderName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

std::string ChromiumUserDataFolder(IOpenPagesPlatform& platform, TBrowserKind kind) {
    return platform.LocalAppDataFolder() +
           (kind == bkChrome ? "\\Google\\Chrome\\User Data" : "\\Microsoft\\Edge\\User Data");
}

} // namespace

std::optional<std::string> FirefoxProfileFolder(std::string_view firefoxFolder,
                                                std::string_view profilesIni) {
    const auto sections = ParseIni(profilesIni);
    const auto isProfile = [](const TIniSection& section) {
        return StartsWithIgnoreAsciiCase(section.Name, "Profile");
    };
    std::optional<std::string_view> path;
    const TIniSection* profile = nullptr;
    // Firefox 67 and later keep a default profile per installation.
    if (auto install = FindSection(sections, [](const TIniSection& section) {
            return StartsWithIgnoreAsciiCase(section.Name, "Install") &&
                   !section.Value("Default").value_or("").empty();
        })) {
        path = install->Value("Default");
        profile = FindSection(sections, [&](const TIniSection& section) {
            return isProfile(section) && section.Value("Path") == path;
        });
    } else {
        profile = FindSection(sections, [&](const TIniSection& section) {
            return isProfile(section) && section.Value("Default") == "1";
        });
        if (!profile)
            profile = FindSection(sections, [](const TIniSection& section) {
                return EqualIgnoreAsciiCase(section.Name, "Profile0");
            });
        if (profile)
            path = profile->Value("Path");
    }
    if (!path || path->empty())
        return std::nullopt;
    std::string folder(*path);
    std::replace(folder.begin(), folder.end(), '/', '\\');
    const bool relative =
        profile ? profile->Value("IsRelative").value_or("1") != "0" : !LooksAbsolute(folder);
    if (!IsSafeProfilePath(folder, relative))
        return std::nullopt;
    if (relative)
        folder.insert(0, firefoxFolder);
    while (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string ChromiumProfileName(std::string_view localState) {
    auto name = TJsonReader(localState).FindString({"profile", "last_used"});
    return name && IsPlainFolderName(*name) ? *name : "Default";
}

bool IsWebPage(std::string_view url) {
    return StartsWithIgnoreAsciiCase(url, "http://") || StartsWithIgnoreAsciiCase(url, "https://");
}

void AddDatabasePages(IOpenPagesPlatform& platform, const std::string& path, const std::string& query,
                      TPageInfos& pages) {
    auto snapshot = platform.SnapshotDatabase(path);
    if (!snapshot)
        return;
    auto rows = platform.HistoryDatabase().Query(snapshot->DatabasePath(), query);
    if (!rows)
        return;
    std::unordered_set<std::string> listed;
    for (const auto& page : pages)
        listed.insert(page.URL);
    for (auto& row : *rows) {
        if (!IsWebPage(row.URL))
            continue;
        TPageInfo page{platform.FromUtf8(row.URL), platform.FromUtf8(row.Title)};
        if (!listed.insert(page.URL).second)
            continue;
        // Pages without a title show their address, as the old history file's do.
        if (page.Title.empty())
            page.Title = page.URL;
        pages.push_back(std::move(page));
    }
}

void AddFirefoxPages(IOpenPagesPlatform& platform, TPageInfos& pages) {
    const std::string folder = FirefoxFolder(platform);
    std::optional<std::string> ini;
    try {
        ini = platform.ReadWholeFile(folder + "profiles.ini");
    } catch (const std::exception&) {
        // An unreadable profile list is a Firefox without pages, not an error.
    }
    // Without a profile named, the files are looked for in Firefox's own folder.
    std::string profile = folder;
    if (ini)
        profile = FirefoxProfileFolder(folder, platform.FromUtf8(*ini)).value_or(folder);
    const std::string places = profile + "\\places.sqlite";
    if (platform.FileExists(places)) {
        AddDatabasePages(platform, places, kFirefoxHistoryQuery, pages);
        return;
    }
    // A Firefox that keeps no history file has nothing to offer; the other browsers still do.
    if (const auto history = platform.ReadWholeFile(profile + "\\history.dat"))
        ParseHistoryDat(*history, pages);
}

void AddChromiumPages(IOpenPagesPlatform& platform, TBrowserKind kind, TPageInfos& pages) {
    const std::string userData = ChromiumUserDataFolder(platform, kind);
    std::string profile = "Default";
    try {
        // Checked again in the code page: a look-alike put in for a character it lacks could
        // make a name such as ".." of one that was none.
        if (auto localState = platform.ReadWholeFile(userData + "\\Local State"))
            if (auto name = platform.FromUtf8Exactly(ChromiumProfileName(*localState));
                name && IsPlainFolderName(*name))
                profile = *name;
    } catch (const std::exception&) {
        // A browser writing its state just now keeps its default profile for this listing.
    }
    AddDatabasePages(platform, userData + "\\" + profile + "\\History", kChromiumHistoryQuery, pages);
}

} // namespace tsy
