#include "browsers/SearchEngines.h"

#include "browsers/BrowserHistory.h"
#include "browsers/EngineReading.h"
#include "browsers/MozLz4.h"

#include <exception>
#include <utility>

namespace tsy {
namespace {

std::optional<TDatabaseTable> QuerySnapshot(const TBrowserSystem& system, const std::string& path,
                                            const char* query) {
    // The browser holds its database locked while it runs; its files are never written.
    auto snapshot = system.Snapshots.Snapshot(path);
    if (!snapshot)
        return std::nullopt;
    return system.Database.QueryTable(snapshot->DatabasePath(), query);
}

void AddFirefoxEngines(const TBrowserSystem& system, const std::string& language, TSearchEngines& engines,
                       TSkippedEngines& skipped) {
    const std::string profile = FirefoxProfile(system);
    // Each file on its own: a damaged one leaves the other's engines.
    try {
        if (auto keywords = QuerySnapshot(system, profile + "\\places.sqlite", kFirefoxKeywordsQuery))
            for (auto& engine : FirefoxKeywordEngines(*keywords, language, skipped))
                engines.push_back(std::move(engine));
    } catch (const std::exception&) {
    }
    try {
        if (auto file = system.Files.ReadFile(profile + "\\search.json.mozlz4"))
            if (auto json = DecodeMozLz4(*file))
                for (auto& engine : FirefoxAddedEngines(*json, language, skipped))
                    engines.push_back(std::move(engine));
    } catch (const std::exception&) {
    }
}

void AddChromiumEngines(const TBrowserSystem& system, TBrowserKind kind, const std::string& language,
                        TSearchEngines& engines, TSkippedEngines& skipped) {
    try {
        const std::string path = ChromiumProfile(system, kind) + "\\Web Data";
        if (auto keywords = QuerySnapshot(system, path, kChromiumKeywordsQuery))
            for (auto& engine : ChromiumEngines(*keywords, kind, language, skipped))
                engines.push_back(std::move(engine));
    } catch (const std::exception&) {
        // A profile that cannot be read offers no engines; the other browsers still do.
    }
}

} // namespace

TSearchEngines FindSearchEngines(const TBrowserSystem& system, TBrowserSet kinds) {
    const std::string language = system.Windows.LanguageTag();
    TSearchEngines engines;
    TSkippedEngines skipped;
    for (TBrowserKind kind : {bkFirefox, bkChrome, bkEdge}) {
        if (!InBrowserSet(kinds, kind))
            continue;
        if (kind == bkFirefox)
            AddFirefoxEngines(system, language, engines, skipped);
        else
            AddChromiumEngines(system, kind, language, engines, skipped);
    }
    for (auto& engine : engines) {
        engine.Name = FromUtf8(system.CodePage, engine.Name);
        engine.Keyword = FromUtf8(system.CodePage, engine.Keyword);
        engine.SearchURL = FromUtf8(system.CodePage, engine.SearchURL);
        engine.Charset = FromUtf8(system.CodePage, engine.Charset);
    }
    return engines;
}

} // namespace tsy
