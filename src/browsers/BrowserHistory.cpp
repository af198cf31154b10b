#include "browsers/BrowserHistory.h"

#include "browsers/BrowserDetection.h"
#include "browsers/JsonDocument.h"
#include "catalogue/IniFile.h"
#include "support/Text.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tsy {
namespace {

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

std::string ChromiumUserDataFolder(IBrowserWindows& windows, TBrowserKind kind) {
    return windows.LocalAppDataFolder() +
           (kind == bkChrome ? "\\Google\\Chrome\\User Data" : "\\Microsoft\\Edge\\User Data");
}

} // namespace

std::optional<std::string> FirefoxProfileFolder(std::string_view firefoxFolder,
                                                std::string_view profilesIni) {
    const TIniFile ini(profilesIni);
    const std::vector<std::string_view> sections = ini.SectionNames();
    const auto find = [&](auto&& matches) -> std::optional<std::string_view> {
        auto it = std::find_if(sections.begin(), sections.end(), matches);
        return it == sections.end() ? std::nullopt : std::optional(*it);
    };
    const auto value = [&](std::string_view section, std::string_view key) {
        return ini.ReadString(section, key, "");
    };
    const auto isProfile = [](std::string_view section) {
        return StartsWithIgnoreAsciiCase(section, "Profile");
    };
    std::string path;
    std::optional<std::string_view> profile;
    // Firefox 67 and later keep a default profile per installation.
    if (auto install = find([&](std::string_view section) {
            return StartsWithIgnoreAsciiCase(section, "Install") && !value(section, "Default").empty();
        })) {
        path = value(*install, "Default");
        profile = find(
            [&](std::string_view section) { return isProfile(section) && value(section, "Path") == path; });
    } else {
        profile = find(
            [&](std::string_view section) { return isProfile(section) && value(section, "Default") == "1"; });
        if (!profile)
            profile =
                find([](std::string_view section) { return EqualIgnoreAsciiCase(section, "Profile0"); });
        if (profile)
            path = value(*profile, "Path");
    }
    if (path.empty())
        return std::nullopt;
    std::replace(path.begin(), path.end(), '/', '\\');
    const bool relative = profile ? ini.ReadString(*profile, "IsRelative", "1") != "0" : !LooksAbsolute(path);
    if (!IsSafeProfilePath(path, relative))
        return std::nullopt;
    if (relative)
        path.insert(0, firefoxFolder);
    while (path.size() > 1 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string ChromiumProfileName(std::string_view localState) {
    const TJsonDocument state = ParseJson(localState);
    const auto name = JsonString(JsonMember(state.get(), "profile"), "last_used");
    return name && IsPlainFolderName(*name) ? std::string(*name) : "Default";
}

bool IsWebPage(std::string_view url) {
    return StartsWithIgnoreAsciiCase(url, "http://") || StartsWithIgnoreAsciiCase(url, "https://");
}

void AddDatabasePages(const TBrowserSystem& system, const std::string& path, const std::string& query,
                      TPageInfos& pages) {
    auto snapshot = system.Snapshots.Snapshot(path);
    if (!snapshot)
        return;
    auto rows = system.Database.Query(snapshot->DatabasePath(), query);
    if (!rows)
        return;
    std::unordered_set<std::string> listed;
    for (const auto& page : pages)
        listed.insert(page.URL);
    for (auto& row : *rows) {
        if (!IsWebPage(row.URL))
            continue;
        TPageInfo page{FromUtf8(system.CodePage, row.URL), FromUtf8(system.CodePage, row.Title)};
        if (!listed.insert(page.URL).second)
            continue;
        // Pages without a title show their address, as the old history file's do.
        if (page.Title.empty())
            page.Title = page.URL;
        pages.push_back(std::move(page));
    }
}

std::string FirefoxProfile(const TBrowserSystem& system) {
    const std::string folder = FirefoxFolder(system.Windows);
    const std::optional<std::string> ini = system.Files.ReadFile(folder + "profiles.ini");
    // Without a profile named, the files are looked for in Firefox's own folder.
    if (!ini)
        return folder;
    return FirefoxProfileFolder(folder, FromUtf8(system.CodePage, *ini)).value_or(folder);
}

void AddFirefoxPages(const TBrowserSystem& system, TPageInfos& pages) {
    const std::string profile = FirefoxProfile(system);
    const std::string places = profile + "\\places.sqlite";
    if (system.Files.FileExists(places)) {
        AddDatabasePages(system, places, kFirefoxHistoryQuery, pages);
        return;
    }
    // A Firefox that keeps no history file has nothing to offer; the other browsers still do.
    const std::string history = profile + "\\history.dat";
    if (const auto bytes = system.Files.ReadFile(history))
        ParseHistoryDat(*bytes, pages);
    else if (system.Files.FileExists(history))
        throw EFileError("Unable to read \"" + history + "\".");
}

std::string ChromiumProfile(const TBrowserSystem& system, TBrowserKind kind) {
    const std::string userData = ChromiumUserDataFolder(system.Windows, kind);
    std::string profile = "Default";
    // Checked again in the code page: a look-alike put in for a character it lacks could make a
    // name such as ".." of one that was none. A state file being written just now leaves the
    // default profile.
    if (auto localState = system.Files.ReadFile(userData + "\\Local State"))
        if (auto name = FromUtf8Exactly(system.CodePage, ChromiumProfileName(*localState));
            name && IsPlainFolderName(*name))
            profile = *name;
    return userData + "\\" + profile;
}

void AddChromiumPages(const TBrowserSystem& system, TBrowserKind kind, TPageInfos& pages) {
    AddDatabasePages(system, ChromiumProfile(system, kind) + "\\History", kChromiumHistoryQuery, pages);
}

} // namespace tsy
