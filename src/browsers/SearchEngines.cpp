#include "browsers/SearchEngines.h"

#include "browsers/BrowserHistory.h"
#include "browsers/EngineReading.h"
#include "browsers/MozLz4.h"

#include <exception>
#include <utility>

namespace tsy {
namespace {

std::optional<TDatabaseTable> QuerySnapshot(IOpenPagesPlatform& platform, const std::string& path,
                                            const char* query) {
    // The browser holds its database locked while it runs; its files are never written.
    auto snapshot = platform.SnapshotDatabase(path);
    if (!snapshot)
        return std::nullopt;
    return platform.HistoryDatabase().QueryTable(snapshot->DatabasePath(), query);
}

void AddFirefoxEngines(IOpenPagesPlatform& platform, const std::string& language, TSearchEngines& engines,
                       TSkippedEngines& skipped) {
    const std::string profile = FirefoxProfile(platform);
    // Each file on its own: a damaged one leaves the other's engines.
    try {
        if (auto keywords = QuerySnapshot(platform, profile + "\\places.sqlite", kFirefoxKeywordsQuery))
            for (auto& engine : FirefoxKeywordEngines(*keywords, language, skipped))
                engines.push_back(std::move(engine));
    } catch (const std::exception&) {
    }
    try {
        if (auto file = platform.ReadWholeFile(profile + "\\search.json.mozlz4"))
            if (auto json = DecodeMozLz4(*file))
                for (auto& engine : FirefoxAddedEngines(*json, language, skipped))
                    engines.push_back(std::move(engine));
    } catch (const std::exception&) {
    }
}

void AddChromiumEngines(IOpenPagesPlatform& platform, TBrowserKind kind, const std::string& language,
                        TSearchEngines& engines, TSkippedEngines& skipped) {
    try {
        const std::string path = ChromiumProfile(platform, kind) + "\\Web Data";
        if (auto keywords = QuerySnapshot(platform, path, kChromiumKeywordsQuery))
            for (auto& engine : ChromiumEngines(*keywords, kind, language, skipped))
                engines.push_back(std::move(engine));
    } catch (const std::exception&) {
        // A profile that cannot be read offers no engines; the other browsers still do.
    }
}

} // namespace

TSearchEngines FindSearchEngines(IOpenPagesPlatform& platform, TBrowserSet kinds) {
    const std::string language = platform.LanguageTag();
    TSearchEngines engines;
    TSkippedEngines skipped;
    for (TBrowserKind kind : {bkFirefox, bkChrome, bkEdge}) {
        if (!InBrowserSet(kinds, kind))
            continue;
        if (kind == bkFirefox)
            AddFirefoxEngines(platform, language, engines, skipped);
        else
            AddChromiumEngines(platform, kind, language, engines, skipped);
    }
    for (auto& engine : engines) {
        engine.Name = platform.FromUtf8(engine.Name);
        engine.Keyword = platform.FromUtf8(engine.Keyword);
        engine.SearchURL = platform.FromUtf8(engine.SearchURL);
        engine.Charset = platform.FromUtf8(engine.Charset);
    }
    return engines;
}

} // namespace tsy
