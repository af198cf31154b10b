#include "browsers/SearchEngines.h"
#include "FakeOpenPagesPlatform.h"
#include "browsers/EngineReading.h"
#include "browsers/EngineTemplate.h"
#include "browsers/MozLz4.h"

#include <gtest/gtest.h>
#include <lz4.h>

#include <cstdint>
#include <string>

namespace tsy {
namespace {

std::string Template(std::string_view address, TSearchMark mark = TSearchMark::Placeholder,
                     std::string encoding = "UTF-8") {
    return EngineTemplate(address, mark, {std::move(encoding), "de-AT"}).value_or("(unusable)");
}

TEST(EngineTemplate, PercentsDoubledPlaceholdersReplacedOthersRemovedAmpersandsTidied) {
    EXPECT_EQ(
        Template("{google:baseURL}search?q={searchTerms}&{google:RLZ}{google:originalQueryForSuggestion}"
                 "{google:assistedQueryStats}{google:searchFieldtrialParameter}{google:language}"
                 "{google:prefetchSource}{google:searchClient}{google:sourceId}{google:searchSource}"
                 "{google:contextualSearchVersion}ie={inputEncoding}"),
        "https://www.google.com/search?q=%s&ie=UTF-8");
    EXPECT_EQ(Template("http://s.example/a%20b?q={searchTerms}&p=100%&{x}&&oe={outputEncoding}&{y}",
                       TSearchMark::Placeholder, "windows-1252"),
              "http://s.example/a%%20b?q=%s&p=100%%&oe=UTF-8");
    EXPECT_EQ(Template("{google:baseSuggestURL}?{a}&hl={language}&n={count}&s={startIndex}&p={startPage?}&"
                       "e={inputEncoding}&q={searchTerms}",
                       TSearchMark::Placeholder, "ISO-8859-1"),
              "https://www.google.com/?hl=de-AT&n=10&s=1&p=1&e=ISO-8859-1&q=%s");
    // A literal "%s" of the address is no search mark.
    EXPECT_EQ(Template("https://s.example/%s?q={searchTerms}"), "https://s.example/%%s?q=%s");
    // A "{" without its "}", no search text, or the search text twice.
    for (const char* address : {"https://s.example/?q={searchTerms}&x={open", "https://s.example/?q={other}",
                                "https://s.example/{searchTerms}?q={searchTerms}"})
        EXPECT_EQ(Template(address), "(unusable)") << address;
}

TEST(EngineTemplate, KeywordAddressesMarkTheSearchTextWithPercentS) {
    EXPECT_EQ(Template("https://k.example/?q=%S&x=%41%", TSearchMark::Percent),
              "https://k.example/?q=%s&x=%%41%%");
    EXPECT_EQ(Template("https://k.example/?q=%s&l={language}", TSearchMark::Percent),
              "https://k.example/?q=%s&l=de-AT");
    EXPECT_EQ(Template("https://k.example/%s/%S", TSearchMark::Percent), "(unusable)");
    EXPECT_EQ(Template("https://k.example/home", TSearchMark::Percent), "(unusable)");
}

std::string Listed(const TSearchEngines& engines) {
    std::string text;
    for (const auto& engine : engines)
        text += (text.empty() ? "" : " ; ") + engine.Name + "|" + engine.Keyword + "|" + engine.SearchURL +
                "|" + engine.Charset + "|" + std::to_string(engine.Browser);
    return text;
}

TEST(ChromiumEngines, WebSearchesOfActiveGetRowsByColumnName) {
    TDatabaseTable keywords{
        {"id", "short_name", "keyword", "url", "input_encodings", "search_url_post_params", "is_active",
         "starter_pack_id"},
        {{"1", "Ddg", "d.example", "https://d.example/?q={searchTerms}", "", "", "0", "0"},
         {"2", "Marks", "@bookmarks", "chrome://bookmarks/?q={searchTerms}", "", "", "1", ""},
         {"3", "Helper", "@helper", "https://h.example/?q={searchTerms}", "", "", "1", "4"},
         {"4", "Img", "i.example", "https://i.example/?q={searchTerms}", "", "q={searchTerms}", "0", "0"},
         {"5", "Off", "o.example", "https://o.example/?q={searchTerms}", "", "", "2", "0"},
         {"6", "Home", "h.example", "https://h.example/", "", "", "0", "0"},
         {"7", "Open", "u.example", "https://u.example/?q={searchTerms}{x", "", "", "0", "0"},
         {"8", "Latin", "l.example", "http://l.example/?q={searchTerms}&ie={inputEncoding}",
          "ISO-8859-1;UTF-8", "", "1", "0"}}};
    TSkippedEngines skipped;
    EXPECT_EQ(Listed(ChromiumEngines(keywords, bkEdge, "en-US", skipped)),
              "Ddg|d.example|https://d.example/?q=%s|UTF-8|4 ; "
              "Latin|l.example|http://l.example/?q=%s&ie=ISO-8859-1|ISO-8859-1|4");
    EXPECT_EQ(skipped.NotWeb, 1);
    EXPECT_EQ(skipped.StarterPack, 1);
    EXPECT_EQ(skipped.Posted, 1);
    EXPECT_EQ(skipped.Inactive, 1);
    EXPECT_EQ(skipped.NoSearch, 1);
    EXPECT_EQ(skipped.Unusable, 1);
    // An older schema, without the columns that came later, in another order.
    TDatabaseTable old{{"URL", "Short_Name", "Keyword"}, {{"http://o.example/{searchTerms}", "Old", "o"}}};
    EXPECT_EQ(Listed(ChromiumEngines(old, bkChrome, "en-US", skipped)), "Old|o|http://o.example/%s|UTF-8|3");
}

TEST(FirefoxEngines, KeywordBookmarksWithoutFormData) {
    TDatabaseTable keywords{{"keyword", "url", "post_data", "name"},
                            {{"w", "https://w.example/wiki/Special:Search?search=%S&go=Go", "", "Wiki"},
                             {"p", "https://p.example/search", "q=%s", "Posted"},
                             {"h", "https://h.example/", "", "Home"}}};
    TSkippedEngines skipped;
    EXPECT_EQ(Listed(FirefoxKeywordEngines(keywords, "en-US", skipped)),
              "Wiki|w|https://w.example/wiki/Special:Search?search=%s&go=Go|UTF-8|1");
    EXPECT_EQ(skipped.Posted, 1);
    EXPECT_EQ(skipped.Unusable, 1);
}

constexpr const char* kSearchJson = R"({"version":9,"engines":[
 {"id":"google@search.mozilla.orgdefault","_name":"Google","_isConfigEngine":true,"_metaData":{"order":1}},
 {"id":"a","_name":"Added","_metaData":{"alias":"ad"},"_definedAliases":["@x"],"queryCharset":"windows-1252",
  "_urls":[{"type":"application/x-suggestions+json","template":"https://a.example/suggest?q={searchTerms}"},
           {"params":[{"name":"q","value":"{searchTerms}"},{"name":"lang","value":"{moz:locale}"},
                      {"name":"src","value":"ff"},{"name":7}],"rels":[],"template":"https://a.example/find"}]},
 {"id":"b","_name":"Posted","_urls":[{"template":"https://b.example/","method":"POST",
  "params":[{"name":"q","value":"{searchTerms}"}]}]},
 {"id":"c","_name":"Plain","_definedAliases":["@plain"],"_urls":[{"type":"text/html","method":"get",
  "template":"https://c.example/s?x=1&q={searchTerms}"}]}]})";

TEST(FirefoxEngines, AddedEnginesWithAnHtmlSearchByGet) {
    TSkippedEngines skipped;
    EXPECT_EQ(Listed(FirefoxAddedEngines(kSearchJson, "en-US", skipped)),
              "Added|ad|https://a.example/find?q=%s&lang=&src=ff|windows-1252|1 ; "
              "Plain|@plain|https://c.example/s?x=1&q=%s|UTF-8|1");
    EXPECT_EQ(skipped.NoSearch, 2);
    for (const char* broken :
         {"", "{\"engines\":{}}", "[1,2]", "{\"engines\":[1,\"x\",null]}", "{\"engines\":[{"})
        EXPECT_EQ(Listed(FirefoxAddedEngines(broken, "en-US", skipped)), "") << broken;
}

std::string MozLz4(const std::string& content, std::uint32_t claimed) {
    std::string block(std::size_t(LZ4_compressBound(int(content.size()))), '\0');
    block.resize(std::size_t(
        LZ4_compress_default(content.data(), block.data(), int(content.size()), int(block.size()))));
    std::string file("mozLz40\0", 8);
    for (int i = 0; i < 4; ++i)
        file += char(claimed >> (8 * i) & 0xFF);
    return file + block;
}

TEST(MozLz4, DecodesExactlyTheSizeItClaimsWithinTheBounds) {
    const std::string content(5000, 'a');
    const std::string file = MozLz4(content, 5000);
    EXPECT_EQ(DecodeMozLz4(file), content);
    EXPECT_EQ(DecodeMozLz4(MozLz4(content, 4999)), std::nullopt);
    EXPECT_EQ(DecodeMozLz4(MozLz4(content, 5001)), std::nullopt);
    EXPECT_EQ(DecodeMozLz4(file.substr(0, file.size() - 1)), std::nullopt);
    EXPECT_EQ(DecodeMozLz4("mozLz41" + file.substr(7)), std::nullopt);
    // A size beyond 255 bytes for each compressed one is refused before anything is allocated.
    const std::string tiny = MozLz4("x", 1);
    std::string huge = tiny;
    huge[8] = char(0xFF), huge[9] = char(0xFF), huge[10] = char(0xFF), huge[11] = char(0x7F);
    EXPECT_EQ(DecodeMozLz4(huge), std::nullopt);
    EXPECT_EQ(DecodeMozLz4(MozLz4(std::string(kMaxMozLz4Content + 1, 'b'), kMaxMozLz4Content + 1)),
              std::nullopt);
}

class SearchEngines : public ::testing::Test {
protected:
    SearchEngines() {
        platform.RunFirefox("Profiles/e.default", std::nullopt);
        platform.RunChromium(bkChrome, "Profile 3", {});
        platform.files.AddFile(places, "");
        platform.files.AddFile(chrome, "");
        platform.databases.tables[places]["moz_keywords"] = {{"keyword", "url", "post_data", "name"},
                                                             {{"k", "http://k.example/?q=%s", "", "K"}}};
        platform.files.AddFile(profile + "search.json.mozlz4",
                               MozLz4(kSearchJson, std::uint32_t(std::string(kSearchJson).size())));
        platform.databases.tables[chrome]["keywords"] = {{"short_name", "keyword", "url"},
                                                         {{"C", "c", "https://c.example/?q={searchTerms}"}}};
    }
    fakes::FakeOpenPagesPlatform platform;
    const std::string profile = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\FireFox\\Profiles\\e.default\\";
    const std::string places = profile + "places.sqlite";
    const std::string chrome =
        "C:\\Users\\me\\AppData\\Local\\Google\\Chrome\\User Data\\Profile 3\\Web Data";
    const TBrowserSet all = (1 << bkFirefox) | (1 << bkChrome) | (1 << bkEdge);
};

TEST_F(SearchEngines, EachBrowsersCurrentProfileInOrder) {
    EXPECT_EQ(Listed(FindSearchEngines(platform.System(), all)),
              "K|k|http://k.example/?q=%s|UTF-8|1 ; "
              "Added|ad|https://a.example/find?q=%s&lang=&src=ff|windows-1252|1 ; "
              "Plain|@plain|https://c.example/s?x=1&q=%s|UTF-8|1 ; C|c|https://c.example/?q=%s|UTF-8|3");
    EXPECT_EQ(Listed(FindSearchEngines(platform.System(), 1 << bkChrome)),
              "C|c|https://c.example/?q=%s|UTF-8|3");
}

TEST_F(SearchEngines, MissingLockedOrCorruptFilesGiveNothingFromThem) {
    platform.databases.corrupt.insert(places);
    platform.files.AddFile(profile + "search.json.mozlz4", "mozLz40");
    platform.Unreadable({chrome});
    EXPECT_EQ(Listed(FindSearchEngines(platform.System(), all)), "");
    platform.databases.corrupt.clear();
    platform.Unreadable(
        {profile + "search.json.mozlz4", "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\FireFox\\profiles.ini"});
    // Without its profile list Firefox's own folder is looked in, which holds nothing.
    EXPECT_EQ(Listed(FindSearchEngines(platform.System(), all)), "C|c|https://c.example/?q=%s|UTF-8|3");
}

} // namespace
} // namespace tsy
