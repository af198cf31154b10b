#include "browsers/EngineReading.h"

#include "browsers/BrowserHistory.h"
#include "browsers/EngineTemplate.h"
#include "browsers/JsonDocument.h"
#include "support/Text.h"

#include <optional>
#include <utility>

namespace tsy {
namespace {

// A row's value by column name; empty where the schema has no such column.
class TRowReader {
public:
    TRowReader(const TDatabaseTable& table, const std::vector<std::string>& row) : table_(table), row_(row) {}
    std::string_view operator[](std::string_view name) const {
        const auto column = table_.Column(name);
        return column && *column < row_.size() ? std::string_view(row_[*column]) : std::string_view();
    }

private:
    const TDatabaseTable& table_;
    const std::vector<std::string>& row_;
};

// Adds the engine when its address gives a template that a web page answers.
void AddEngine(TSearchEngines& engines, TSkippedEngines& skipped, std::string_view address, TSearchMark mark,
               TSearchEngine engine, const std::string& language) {
    const auto stored = EngineTemplate(address, mark, {engine.Charset, language});
    if (!stored) {
        ++skipped.Unusable;
        return;
    }
    if (!IsWebPage(*stored)) {
        ++skipped.NotWeb;
        return;
    }
    engine.SearchURL = *stored;
    engines.push_back(std::move(engine));
}

std::string FirstEncoding(std::string_view encodings) {
    const std::string_view first = encodings.substr(0, encodings.find(';'));
    return first.empty() ? "UTF-8" : std::string(first);
}

// The first address of the engine's that opens a results page with GET, with its parameters.
std::optional<std::string> FirefoxSearchAddress(const cJSON* urls) {
    const cJSON* url = nullptr;
    cJSON_ArrayForEach(url, JsonArray(urls)) {
        const auto type = JsonString(url, "type");
        const auto method = JsonString(url, "method");
        const auto address = JsonString(url, "template");
        if ((type && *type != "text/html") || (method && !EqualIgnoreAsciiCase(*method, "GET")) || !address)
            continue;
        std::string full(*address);
        const cJSON* param = nullptr;
        const cJSON* params = JsonMember(url, "params");
        cJSON_ArrayForEach(param, JsonArray(params)) {
            const auto name = JsonString(param, "name");
            const auto value = JsonString(param, "value");
            if (!name || !value)
                continue;
            if (!full.ends_with('?') && !full.ends_with('&'))
                full += full.find('?') == std::string::npos ? '?' : '&';
            full.append(*name).append("=").append(*value);
        }
        return full;
    }
    return std::nullopt;
}

std::string FirefoxAlias(const cJSON* engine) {
    if (auto alias = JsonString(JsonMember(engine, "_metaData"), "alias"); alias && !alias->empty())
        return std::string(*alias);
    const cJSON* defined = JsonMember(engine, "_definedAliases");
    const cJSON* first = cJSON_IsArray(defined) ? defined->child : nullptr;
    return cJSON_IsString(first) && first->valuestring ? first->valuestring : "";
}

} // namespace

TSearchEngines ChromiumEngines(const TDatabaseTable& keywords, TBrowserKind kind, const std::string& language,
                               TSkippedEngines& skipped) {
    TSearchEngines engines;
    for (const auto& values : keywords.Rows) {
        const TRowReader row(keywords, values);
        const std::string_view url = row["url"];
        const std::string_view starterPack = row["starter_pack_id"];
        if (url.find("{searchTerms}") == std::string_view::npos) {
            ++skipped.NoSearch;
        } else if (!starterPack.empty() && starterPack != "0") {
            ++skipped.StarterPack;
        } else if (!row["search_url_post_params"].empty()) {
            ++skipped.Posted;
        } else if (row["is_active"] == "2") {
            ++skipped.Inactive;
        } else {
            AddEngine(engines, skipped, url, TSearchMark::Placeholder,
                      {std::string(row["short_name"]),
                       std::string(row["keyword"]),
                       {},
                       FirstEncoding(row["input_encodings"]),
                       kind},
                      language);
        }
    }
    return engines;
}

TSearchEngines FirefoxKeywordEngines(const TDatabaseTable& keywords, const std::string& language,
                                     TSkippedEngines& skipped) {
    TSearchEngines engines;
    for (const auto& values : keywords.Rows) {
        const TRowReader row(keywords, values);
        if (!row["post_data"].empty())
            ++skipped.Posted;
        else
            AddEngine(engines, skipped, row["url"], TSearchMark::Percent,
                      {std::string(row["name"]), std::string(row["keyword"]), {}, "UTF-8", bkFirefox},
                      language);
    }
    return engines;
}

TSearchEngines FirefoxAddedEngines(std::string_view searchJson, const std::string& language,
                                   TSkippedEngines& skipped) {
    TSearchEngines engines;
    const TJsonDocument document = ParseJson(searchJson);
    const cJSON* list = JsonMember(document.get(), "engines");
    const cJSON* engine = nullptr;
    cJSON_ArrayForEach(engine, JsonArray(list)) {
        // Engines that come with Firefox keep only their id here.
        const auto address = FirefoxSearchAddress(JsonMember(engine, "_urls"));
        if (!address) {
            ++skipped.NoSearch;
            continue;
        }
        const auto charset = JsonString(engine, "queryCharset");
        AddEngine(engines, skipped, *address, TSearchMark::Placeholder,
                  {std::string(JsonString(engine, "_name").value_or("")),
                   FirefoxAlias(engine),
                   {},
                   charset && !charset->empty() ? std::string(*charset) : "UTF-8",
                   bkFirefox},
                  language);
    }
    return engines;
}

} // namespace tsy
