// Load and save of the catalogue files at growing sizes, with 1,000 collections.
#include "AnsiCollation.h"
#include "catalogue/CatalogueFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace tsy {
namespace {

constexpr int CollectionCount = 1000;
constexpr int CategoryCount = 50;
constexpr int MembersPerCollection = 12;

struct TCatalogue {
    TAnsiCollation collation;
    TTargets targets;
    TCollections collections{collation};
    TCategories categories{collation};
};

// A catalogue shaped like a real one: URL-sized texts, members spread over the sites.
void Fill(TCatalogue& catalogue, int sites) {
    for (int i = 1; i <= CategoryCount; ++i)
        catalogue.categories.Append(TCategory{i, "Category " + std::to_string(i)});
    for (int i = 1; i <= sites; ++i) {
        const std::string host = "site" + std::to_string(i) + ".example.com";
        catalogue.targets.Append(TTarget{i,
                                         "Site number " + std::to_string(i),
                                         "https://" + host + "/search?q=%s",
                                         "https://" + host + "/",
                                         i % (CategoryCount + 1),
                                         false,
                                         {},
                                         {}});
    }
    std::uint32_t state = 12345;
    for (int c = 0; c < CollectionCount; ++c) {
        TCollection& collection = catalogue.collections.Append("Collection " + std::to_string(c));
        collection.Randomize = c % 3 == 0;
        TTargetIDs ids;
        for (int m = 0; m < MembersPerCollection; ++m) {
            state = state * 1664525u + 1013904223u;
            ids.push_back(1 + static_cast<std::int32_t>((state >> 8) % static_cast<std::uint32_t>(sites)));
        }
        collection.SetIDs(ids);
    }
}

void BM_LoadCatalogue(benchmark::State& state) {
    TCatalogue source;
    Fill(source, static_cast<int>(state.range(0)));
    const std::string sites = TargetsFileText(source.targets, false);
    const std::string groups = CollectionsFileText(source.collections, source.categories);
    for (auto _ : state) {
        // The texts stand for what a file read hands over.
        state.PauseTiming();
        std::string sitesCopy = sites;
        std::string groupsCopy = groups;
        state.ResumeTiming();
        TCatalogue loaded;
        ReadTargets(loaded.targets, TIniFile::Adopt(std::move(sitesCopy)), false);
        const TIniFile groupsIni = TIniFile::Adopt(std::move(groupsCopy));
        ReadCollections(loaded.collections, groupsIni);
        ReadCategories(loaded.categories, groupsIni);
        benchmark::DoNotOptimize(loaded.targets.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (sites.size() + groups.size())));
}

void BM_SaveCatalogue(benchmark::State& state) {
    TCatalogue source;
    Fill(source, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string sites = TargetsFileText(source.targets, false);
        std::string groups = CollectionsFileText(source.collections, source.categories);
        benchmark::DoNotOptimize(sites.data());
        benchmark::DoNotOptimize(groups.data());
    }
}

void BM_CheckIntegrity(benchmark::State& state) {
    TCatalogue source;
    Fill(source, static_cast<int>(state.range(0)));
    for (auto _ : state)
        CheckIntegrity(source.targets, source.collections, source.categories);
}

BENCHMARK(BM_LoadCatalogue)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCatalogue)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckIntegrity)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tsy
