// The catalogue shipped in data/ is what every new user starts with: it must load
// whole, and every site in it must produce a usable URL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string DataDir = std::string(TESSALY_SOURCE_DIR) + "/data/";

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Sections and keys of an INI text, names lower-cased as the private-profile functions match them.
using TIniSection = std::vector<std::pair<std::string, std::string>>;
using TIniFile = std::map<std::string, TIniSection>;

TIniFile ParseIni(const std::string& text) {
    TIniFile file;
    TIniSection* section = nullptr;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']')
            section = &file[Lower(line.substr(1, line.size() - 2))];
        else if (section && line.find('=') != std::string::npos)
            section->emplace_back(Lower(line.substr(0, line.find('='))), line.substr(line.find('=') + 1));
    }
    return file;
}

const std::string* Find(const TIniFile& file, const std::string& section, const std::string& key) {
    auto s = file.find(section);
    if (s == file.end())
        return nullptr;
    for (const auto& entry : s->second)
        if (entry.first == key)
            return &entry.second;
    return nullptr;
}

std::string Key3(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%.3d", n);
    return text;
}

struct TSite {
    int ID = 0;
    std::string Name, Search, Open;
    int CatID = 0;
};

struct TGroup {
    std::string Name;
    bool Randomize = false;
    std::vector<int> IDs;
};

// Reads the two files by the documented rules: sites 0..maxid, collections 0..count-1,
// categories 0..categories.
struct TStarterCatalogue {
    TIniFile SitesFile, CollectionsFile;
    std::vector<TSite> Sites;
    std::vector<TGroup> Collections;
    std::map<int, std::string> Categories;

    TStarterCatalogue() {
        SitesFile = ParseIni(ReadWhole(DataDir + "targets.dat"));
        CollectionsFile = ParseIni(ReadWhole(DataDir + "Tessaly.dat"));
        const int maxID = ToInt(Find(SitesFile, "main", "maxid"));
        for (int n = 0; n <= maxID; ++n) {
            const std::string k = Key3(n);
            if (!SitesFile.count(k))
                continue;
            TSite site;
            site.ID = n;
            site.Name = Text(Find(SitesFile, k, "name"));
            site.Search = Text(Find(SitesFile, k, "search"));
            site.Open = Text(Find(SitesFile, k, "open"));
            site.CatID = ToInt(Find(SitesFile, k, "catid"));
            Sites.push_back(site);
        }
        const int count = ToInt(Find(CollectionsFile, "main", "collections"));
        for (int i = 0; i < count; ++i) {
            const std::string k = Key3(i);
            TGroup group;
            const std::string* name = Find(CollectionsFile, "collections", k);
            group.Name = name ? *name : k;
            if (!group.Name.empty() && group.Name[0] == '~') {
                group.Randomize = true;
                group.Name.erase(0, 1);
            }
            std::istringstream ids(Text(Find(CollectionsFile, "targets", k)));
            std::string part;
            while (std::getline(ids, part, ','))
                group.IDs.push_back(std::stoi(part));
            Collections.push_back(group);
        }
        const int maxCat = ToInt(Find(CollectionsFile, "main", "categories"));
        for (int n = 0; n <= maxCat; ++n)
            if (const std::string* name = Find(CollectionsFile, "categories", Key3(n)))
                Categories[n] = *name;
    }

    const TSite* SiteByID(int id) const {
        for (const TSite& site : Sites)
            if (site.ID == std::abs(id))
                return &site;
        return nullptr;
    }
    const TGroup* CollectionByName(const std::string& name) const {
        for (const TGroup& group : Collections)
            if (Lower(group.Name) == Lower(name))
                return &group;
        return nullptr;
    }

private:
    static std::string Text(const std::string* value) { return value ? *value : std::string(); }
    static int ToInt(const std::string* value) { return value ? std::atoi(value->c_str()) : 0; }
};

// Expands a template the way Explore does: "%s" takes the text, "%%" is one percent sign,
// every other use of "%" cannot be expanded.
bool ExpandTemplate(const std::string& pattern, const std::string& text, std::string& url) {
    url.clear();
    int placeholders = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            url += pattern[i];
            continue;
        }
        if (i + 1 >= pattern.size())
            return false;
        const char next = pattern[++i];
        if (next == '%')
            url += '%';
        else if (next == 's' && ++placeholders == 1)
            url += text;
        else
            return false;
    }
    return true;
}

bool StartsWithHttp(const std::string& url) {
    return url.rfind("https://", 0) == 0 || url.rfind("http://", 0) == 0;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

} // namespace

TEST(StarterCatalogueFiles, AreCrlfIniTextWithoutStrayLines) {
    for (const char* name : {"targets.dat", "Tessaly.dat"}) {
        SCOPED_TRACE(name);
        const std::string text = ReadWhole(DataDir + name);
        ASSERT_FALSE(text.empty());
        ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            SCOPED_TRACE(line);
            ASSERT_FALSE(line.empty()) << "a bare line feed";
            ASSERT_EQ(line.back(), '\r') << "a line not ended by CR LF";
            line.pop_back();
            const bool section = line.size() > 2 && line.front() == '[' && line.back() == ']';
            const size_t eq = line.find('=');
            EXPECT_TRUE(section || (eq != std::string::npos && eq > 0));
            // Spaces around a value are dropped on reading, so none may be meant.
            if (!section) {
                EXPECT_NE(line.back(), ' ');
                EXPECT_NE(line[eq + 1], ' ');
            }
            for (unsigned char c : line)
                EXPECT_TRUE(c >= 32 && c < 127) << "not plain ASCII";
        }
    }
}

TEST(StarterCatalogueFiles, EverySiteSectionIsWithinMaxID) {
    TStarterCatalogue catalogue;
    // A section above "maxid" is never read: it would be a site nobody sees.
    size_t numbered = 0;
    for (const auto& section : catalogue.SitesFile)
        if (section.first != "main") {
            ++numbered;
            EXPECT_EQ(section.first.size(), 3u) << section.first;
            EXPECT_EQ(section.first.find_first_not_of("0123456789"), std::string::npos) << section.first;
        }
    EXPECT_EQ(catalogue.Sites.size(), numbered);
    ASSERT_FALSE(catalogue.Sites.empty());
    EXPECT_EQ(catalogue.Sites.back().ID, std::atoi(Find(catalogue.SitesFile, "main", "maxid")->c_str()));
    // Site 0 would be renumbered by the repair after loading; the shipped ids start at 1.
    EXPECT_GE(catalogue.Sites.front().ID, 1);
}

TEST(StarterCatalogueSites, AreManyWellFormedAndInKnownCategories) {
    TStarterCatalogue catalogue;
    EXPECT_GE(catalogue.Sites.size(), 25u);
    std::set<std::string> names;
    for (const TSite& site : catalogue.Sites) {
        SCOPED_TRACE(site.Name);
        EXPECT_FALSE(site.Name.empty());
        EXPECT_TRUE(names.insert(Lower(site.Name)).second) << "duplicate site name";
        EXPECT_TRUE(StartsWithHttp(site.Open)) << site.Open;
        EXPECT_TRUE(StartsWithHttp(site.Search)) << site.Search;
        EXPECT_EQ(Count(site.Open, "%"), 0u) << "an open URL is opened as stored";
        EXPECT_TRUE(catalogue.Categories.count(site.CatID)) << "category " << site.CatID;
    }
}

TEST(StarterCatalogueSites, EverySearchTemplateExpandsOnce) {
    TStarterCatalogue catalogue;
    for (const TSite& site : catalogue.Sites) {
        SCOPED_TRACE(site.Name);
        EXPECT_EQ(Count(site.Search, "%s"), 1u);
        std::string url;
        ASSERT_TRUE(ExpandTemplate(site.Search, "R%26D+tips", url)) << site.Search;
        EXPECT_NE(url.find("R%26D+tips"), std::string::npos);
        EXPECT_EQ(url.find("%s"), std::string::npos);
        // The text goes after the host, never into it.
        EXPECT_LT(url.find('/', 8), url.find("R%26D"));
    }
}

TEST(StarterCatalogueCollections, HaveTheDefaultAndARandomisedOne) {
    TStarterCatalogue catalogue;
    EXPECT_GE(catalogue.Collections.size(), 5u);
    const TGroup* search = catalogue.CollectionByName("Search");
    ASSERT_NE(search, nullptr) << "the default Collection setting names it";
    EXPECT_FALSE(search->Randomize);
    EXPECT_FALSE(search->IDs.empty());
    EXPECT_TRUE(std::any_of(catalogue.Collections.begin(), catalogue.Collections.end(),
                            [](const TGroup& group) { return group.Randomize; }));
}

TEST(StarterCatalogueCollections, NameOnlyExistingSitesAndCoverAllOfThem) {
    TStarterCatalogue catalogue;
    std::set<std::string> names;
    std::set<int> used;
    for (const TGroup& group : catalogue.Collections) {
        SCOPED_TRACE(group.Name);
        EXPECT_TRUE(names.insert(Lower(group.Name)).second) << "duplicate collection name";
        // A name that is only the position key means the "collections" entry is missing.
        EXPECT_NE(group.Name.find_first_not_of("0123456789"), std::string::npos);
        EXPECT_FALSE(group.IDs.empty());
        std::set<int> members;
        for (int id : group.IDs) {
            EXPECT_NE(catalogue.SiteByID(id), nullptr) << "member " << id;
            EXPECT_TRUE(members.insert(std::abs(id)).second) << "member " << id << " twice";
            used.insert(std::abs(id));
        }
    }
    for (const TSite& site : catalogue.Sites)
        EXPECT_TRUE(used.count(site.ID)) << site.Name << " is in no collection";
}

TEST(StarterCatalogueCategories, AreSeveralUniqueNamesWithIDsFromOne) {
    TStarterCatalogue catalogue;
    EXPECT_GE(catalogue.Categories.size(), 6u);
    std::set<std::string> names;
    for (const auto& [id, name] : catalogue.Categories) {
        EXPECT_GE(id, 1) << name;
        EXPECT_TRUE(names.insert(Lower(name)).second) << name;
    }
    EXPECT_EQ(catalogue.Categories.rbegin()->first,
              std::atoi(Find(catalogue.CollectionsFile, "main", "categories")->c_str()));
}
