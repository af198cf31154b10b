#include "browsers/BrowserHistory.h"

#include "browsers/BrowserDetection.h"
#include "browsers/JsonDocument.h"
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
    const TJsonDocument state = ParseJson(localState);
    const auto name = JsonString(JsonMember(state.get(), "profile"), "last_used");
    return name && IsPlainFolderName(*name) ? std::string(*name) : "Default";
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

std::string FirefoxProfile(IOpenPagesPlatform& platform) {
    const std::string folder = FirefoxFolder(platform);
    std::optional<std::string> ini;
    try {
        ini = platform.ReadWholeFile(folder + "profiles.ini");
    } catch (const std::exception&) {
        // An unreadable profile list is a Firefox without a profile, not an error.
    }
    // Without a profile named, the files are looked for in Firefox's own folder.
    if (!ini)
        return folder;
    return FirefoxProfileFolder(folder, platform.FromUtf8(*ini)).value_or(folder);
}

void AddFirefoxPages(IOpenPagesPlatform& platform, TPageInfos& pages) {
    const std::string profile = FirefoxProfile(platform);
    const std::string places = profile + "\\places.sqlite";
    if (platform.FileExists(places)) {
        AddDatabasePages(platform, places, kFirefoxHistoryQuery, pages);
        return;
    }
    // A Firefox that keeps no history file has nothing to offer; the other browsers still do.
    if (const auto history = platform.ReadWholeFile(profile + "\\history.dat"))
        ParseHistoryDat(*history, pages);
}

std::string ChromiumProfile(IOpenPagesPlatform& platform, TBrowserKind kind) {
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
    return userData + "\\" + profile;
}

void AddChromiumPages(IOpenPagesPlatform& platform, TBrowserKind kind, TPageInfos& pages) {
    AddDatabasePages(platform, ChromiumProfile(platform, kind) + "\\History", kChromiumHistoryQuery, pages);
}

} // namespace tsy
