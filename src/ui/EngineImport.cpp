#include "ui/EngineImport.h"

#include "support/Text.h"

namespace tsy {

namespace {

// The template with scheme and host in lower case, without a final "/" and without the "/"
// that may stand between the host and a query or fragment.
std::string Comparable(std::string_view url) {
    std::string result(url);
    const std::size_t schemeEnd = result.find("://");
    if (schemeEnd != std::string::npos) {
        const std::size_t hostEnd = result.find_first_of("/?#", schemeEnd + 3);
        const std::size_t end = hostEnd == std::string::npos ? result.size() : hostEnd;
        for (std::size_t i = 0; i < end; ++i)
            result[i] = AsciiLower(result[i]);
        if (hostEnd != std::string::npos && result[hostEnd] == '/' &&
            (hostEnd + 1 == result.size() || result[hostEnd + 1] == '?' || result[hostEnd + 1] == '#'))
            result.erase(hostEnd, 1);
    }
    if (!result.empty() && result.back() == '/')
        result.pop_back();
    return result;
}

} // namespace

bool SameSearchTemplate(std::string_view a, std::string_view b) {
    return Comparable(a) == Comparable(b);
}

bool InCatalogue(const TTargets& targets, std::string_view searchTemplate) {
    for (const TTarget& site : targets)
        if (!site.Search.empty() && SameSearchTemplate(site.Search, searchTemplate))
            return true;
    return false;
}

std::string HomePageOf(std::string_view searchTemplate) {
    const std::size_t schemeEnd = searchTemplate.find("://");
    if (schemeEnd == std::string_view::npos)
        return {};
    const std::size_t hostEnd = searchTemplate.find_first_of("/?#", schemeEnd + 3);
    return std::string(searchTemplate.substr(0, hostEnd)) + "/";
}

TTarget SiteOfEngine(const TSearchEngine& engine, std::int32_t catID) {
    TTarget site;
    site.Name = engine.Name;
    site.Search = engine.SearchURL;
    site.Open = HomePageOf(engine.SearchURL);
    site.CatID = catID;
    // The catalogue writes encoding names in lower case, as the site editor does.
    site.Charset = AsciiLowerCase(engine.Charset);
    return site;
}

std::vector<std::int32_t> AddEngineSites(TTargets& targets, TCollection* collection,
                                         const TSearchEngines& engines, std::int32_t catID,
                                         const TKeywordContext& keywords) {
    std::vector<std::int32_t> added;
    for (const TSearchEngine& engine : engines) {
        TTarget site = SiteOfEngine(engine, catID);
        // Chrome's automatic keywords are host names, which no keyword can be.
        if (IsValidKeyword(engine.Keyword, keywords.CodePage) && !KeywordOwner(keywords, engine.Keyword))
            site.Keyword = engine.Keyword;
        targets.Add(site);
        added.push_back(site.ID);
        if (collection)
            collection->Add(site.ID);
    }
    return added;
}

} // namespace tsy
