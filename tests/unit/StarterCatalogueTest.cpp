// The catalogue shipped in data/ is what every new user starts with: it must load
// whole, and every site in it must produce a usable URL.
#include <gtest/gtest.h>

#include "AnsiCollation.h"
#include "MemoryFileSystem.h"
#include "browsers/SearchUrl.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/IniFile.h"
#include "support/AnsiCodePage.h"

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

using namespace tsy;

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

// The shipped files beside the program, seeded into a new user's data folder and loaded
// the way the program does at start-up, repair included.
struct TStarterCatalogue {
    TAnsiCollation Collation;
    fakes::MemoryFileSystem Files;
    TIniFile SitesFile{ReadWhole(DataDir + "targets.dat")};
    TIniFile CollectionsFile{ReadWhole(DataDir + "Tessaly.dat")};
    TTargets Sites;
    TCollections Collections{Collation};
    TCategories Categories{Collation};

    static constexpr const char* ProgramFolder = "C:\\Program Files\\Tessaly\\";
    static constexpr const char* DataFolder = "C:\\Users\\user\\AppData\\Roaming\\Orvelle\\Tessaly\\";

    TStarterCatalogue() {
        Files.AddFile(std::string(ProgramFolder) + "targets.dat", ReadWhole(DataDir + "targets.dat"));
        Files.AddFile(std::string(ProgramFolder) + "Tessaly.dat", ReadWhole(DataDir + "Tessaly.dat"));
        const std::string collections = SeedDataFile(Files, DataFolder, ProgramFolder, "Tessaly.dat");
        const std::string sites = SeedDataFile(Files, DataFolder, ProgramFolder, TargetsFileName);
        TCatalogueFiles store(Sites, Collections, Categories, Files, sites, collections);
        store.Load();
        store.CheckIntegrity();
    }

    std::vector<TTarget> SiteList() const {
        std::vector<TTarget> list;
        for (std::int32_t i = 0; i < Sites.Count(); ++i)
            list.push_back(Sites.GetItem(i));
        return list;
    }
};

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

TEST(StarterCatalogueFiles, AreExactlyWhatTheProgramWouldWrite) {
    TStarterCatalogue catalogue;
    // Same sections, keys, order and line ends as a save of the loaded catalogue: the
    // shipped files hold nothing the program would not read back or would drop.
    EXPECT_EQ(TargetsFileText(catalogue.Sites, false), ReadWhole(DataDir + "targets.dat"));
    EXPECT_EQ(CollectionsFileText(catalogue.Collections, catalogue.Categories),
              ReadWhole(DataDir + "Tessaly.dat"));
}

TEST(StarterCatalogueFiles, EverySiteSectionIsWithinMaxID) {
    TStarterCatalogue catalogue;
    // A section above "maxid" is never read: it would be a site nobody sees.
    size_t numbered = 0;
    for (std::string_view name : catalogue.SitesFile.SectionNames())
        if (const std::string section(name); Lower(section) != "main" && !section.empty()) {
            ++numbered;
            EXPECT_EQ(section.size(), 3u) << section;
            EXPECT_EQ(section.find_first_not_of("0123456789"), std::string::npos) << section;
        }
    EXPECT_EQ(size_t(catalogue.Sites.Count()), numbered);
    ASSERT_GT(catalogue.Sites.Count(), 0);
    EXPECT_EQ(catalogue.Sites.MaxID(), catalogue.SitesFile.ReadInteger("main", "maxid", 0));
    // Site 0 would be renumbered by the repair after loading; the shipped ids start at 1.
    EXPECT_GE(catalogue.Sites.GetItem(0).ID, 1);
}

TEST(StarterCatalogueSites, AreManyWellFormedAndInKnownCategories) {
    TStarterCatalogue catalogue;
    EXPECT_GE(catalogue.Sites.Count(), 25);
    std::set<std::string> names;
    for (const TTarget& site : catalogue.SiteList()) {
        SCOPED_TRACE(site.Name);
        EXPECT_FALSE(site.Name.empty());
        EXPECT_TRUE(names.insert(Lower(site.Name)).second) << "duplicate site name";
        EXPECT_TRUE(StartsWithHttp(site.Open)) << site.Open;
        EXPECT_TRUE(StartsWithHttp(site.Search)) << site.Search;
        EXPECT_EQ(Count(site.Open, "%"), 0u) << "an open URL is opened as stored";
        EXPECT_NE(catalogue.Categories.IndexOfID(site.CatID), NotFound) << "category " << site.CatID;
    }
}

TEST(StarterCatalogueSites, EverySearchTemplateExpandsOnce) {
    TStarterCatalogue catalogue;
    const std::string text = PrepareSearchText("R&D tips");
    for (const TTarget& site : catalogue.SiteList()) {
        SCOPED_TRACE(site.Name);
        EXPECT_EQ(Count(site.Search, "%s"), 1u);
        std::string url;
        ASSERT_NO_THROW(ASSERT_TRUE(BuildTargetURL(catalogue.Sites, site.ID, text, url))) << site.Search;
        EXPECT_NE(url.find("R%26D+tips"), std::string::npos) << url;
        EXPECT_EQ(url.find("%s"), std::string::npos) << url;
        // The text goes after the host, never into it.
        EXPECT_LT(url.find('/', 8), url.find("R%26D")) << url;
        // Without a text the home page is opened as stored.
        ASSERT_TRUE(BuildTargetURL(catalogue.Sites, site.ID, "", url));
        EXPECT_EQ(url, site.Open);
    }
}

TEST(StarterCatalogueSites, AllReadTheirSearchTextAsUtf8) {
    TStarterCatalogue catalogue;
    const TEncodedSearch search = PrepareSearchText(u"caf\u00e9", TAnsiCodePage());
    for (const TTarget& site : catalogue.SiteList()) {
        SCOPED_TRACE(site.Name);
        EXPECT_EQ(site.Charset, "utf-8");
        EXPECT_EQ(search.For(site), "caf%C3%A9");
    }
}

TEST(StarterCatalogueCollections, HaveTheDefaultAndARandomisedOne) {
    TStarterCatalogue catalogue;
    EXPECT_GE(catalogue.Collections.Count(), 5);
    const std::int32_t search = catalogue.Collections.IndexOfName("Search");
    ASSERT_NE(search, NotFound) << "the default Collection setting names it";
    EXPECT_EQ(catalogue.Collections.GetItem(search).Name(), "Search");
    EXPECT_FALSE(catalogue.Collections.GetItem(search).Randomize);
    EXPECT_GT(catalogue.Collections.GetItem(search).Count(), 0);
    bool randomised = false;
    for (const TCollection& collection : catalogue.Collections)
        randomised = randomised || collection.Randomize;
    EXPECT_TRUE(randomised);
}

TEST(StarterCatalogueCollections, NameOnlyExistingSitesAndCoverAllOfThem) {
    TStarterCatalogue catalogue;
    std::set<std::string> names;
    std::set<std::int32_t> used;
    for (const TCollection& collection : catalogue.Collections) {
        SCOPED_TRACE(collection.Name());
        EXPECT_TRUE(names.insert(Lower(collection.Name())).second) << "duplicate collection name";
        // A name that is only the position key means the "collections" entry is missing.
        EXPECT_NE(collection.Name().find_first_not_of("0123456789"), std::string::npos);
        EXPECT_GT(collection.Count(), 0);
        std::set<std::int32_t> members;
        for (std::int32_t id : collection.IDs()) {
            EXPECT_NE(catalogue.Sites.IndexOf(id), NotFound) << "member " << id;
            EXPECT_TRUE(members.insert(std::abs(id)).second) << "member " << id << " twice";
            used.insert(std::abs(id));
        }
    }
    // The repair after loading drops members that name no site: nothing may have gone.
    for (std::int32_t i = 0; i < catalogue.Collections.Count(); ++i)
        EXPECT_EQ(catalogue.Collections.GetItem(i).IDs(),
                  TextToIDs(catalogue.CollectionsFile.ReadString("targets", RecordKey(i), "")))
            << catalogue.Collections.GetItem(i).Name();
    for (const TTarget& site : catalogue.SiteList())
        EXPECT_TRUE(used.count(site.ID)) << site.Name << " is in no collection";
}

TEST(StarterCatalogueCategories, AreSeveralUniqueNamesWithIDsFromOne) {
    TStarterCatalogue catalogue;
    EXPECT_GE(catalogue.Categories.Count(), 6);
    std::set<std::string> names;
    for (const TCategory& category : catalogue.Categories) {
        EXPECT_GE(category.ID, 1) << category.Name;
        EXPECT_TRUE(names.insert(Lower(category.Name)).second) << category.Name;
    }
    EXPECT_EQ(catalogue.Categories.MaxID(), catalogue.CollectionsFile.ReadInteger("main", "categories", 0));
}
