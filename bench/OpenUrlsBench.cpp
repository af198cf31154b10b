// How long Explore takes to turn a large collection into Firefox command lines, how many starts
// the list needs and how long the longest gets against the Windows limit for a command line.
#include "AnsiCollation.h"
#include "FakeClock.h"
#include "FakeRandom.h"
#include "WideCaseCollation.h"
#include "app/Explore.h"
#include "browsers/OpenUrls.h"
#include "browsers/SearchUrl.h"
#include "support/AnsiCodePage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace tsy {
namespace {

constexpr int kSites = 1000;
const std::string kFirefoxPath = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";

// Builds the Firefox parameters where the real opener would start the process.
class ParametersOpener : public IUrlOpener {
public:
    void OpenURL(TBrowserKind, const std::string& url) override { starts = {FirefoxNewTabParameters(url)}; }
    void OpenURLs(TBrowserKind, const std::vector<std::string>& urls) override {
        starts = FirefoxStartParameters(urls, ParameterBudget(kFirefoxPath)).parameters;
    }
    std::vector<std::string> starts;
};

class NoMessages : public IMessageBoxes {
public:
    void Warning(std::string_view) override {}
    bool Confirm(std::string_view) override { return false; }
    void Information(std::string_view) override {}
    void Error(std::string_view) override {}
};

struct Catalogue {
    Catalogue() {
        for (int i = 0; i < kSites; ++i) {
            TTarget target;
            target.Name = "Site " + std::to_string(i);
            target.Search = "http://www.site" + std::to_string(i) + ".example/search?q=%s&lang=en";
            target.Open = "www.site" + std::to_string(i) + ".example";
            ids.push_back(targets.Add(target) + 1);
        }
        settings.Browser = bkFirefox;
    }
    TAnsiCollation collation;
    TTargets targets;
    TCollections collections{collation};
    TTargetIDs ids;
    TAppSettings settings;
    ParametersOpener opener;
    NoMessages messages;
    fakes::TFakeRandom random;
    fakes::TFakeClock clock;
    TAnsiCodePage codePage;
    fakes::WideCaseCollation wideCollation;
    TExplorer explorer{targets, collections, settings, opener,       messages,
                       random,  clock,       codePage, wideCollation};
};

void Explore(benchmark::State& state, const TEncodedSearch& searchText, const char* what) {
    Catalogue catalogue;
    for (auto _ : state) {
        catalogue.explorer.ExploreTargets(catalogue.ids, searchText);
        benchmark::DoNotOptimize(catalogue.opener.starts.data());
    }
    // The executable's quoted path comes in front of each on the command line.
    std::size_t longest = 0, total = 0;
    for (const auto& start : catalogue.opener.starts) {
        longest = std::max(longest, start.size() + kFirefoxPath.size() + 3);
        total += start.size();
    }
    state.counters["starts"] = double(catalogue.opener.starts.size());
    state.counters["longest"] = double(longest);
    state.counters["limit"] = double(kMaxCommandLine);
    static std::set<std::string> reported;
    if (reported.insert(what).second)
        std::fprintf(
            stderr,
            "%d sites, %s: %zu characters of Firefox parameters over %zu starts; the longest command "
            "line is %zu characters, the Windows limit %zu (%s)\n",
            kSites, what, total, catalogue.opener.starts.size(), longest, kMaxCommandLine,
            longest < kMaxCommandLine ? "within" : "over");
}

void BM_ExploreFirefoxSearch(benchmark::State& state) {
    Explore(state, PrepareSearchText(u"open source tools", TAnsiCodePage()), "search URLs");
}
BENCHMARK(BM_ExploreFirefoxSearch)->Unit(benchmark::kMicrosecond);

void BM_ExploreFirefoxHomePages(benchmark::State& state) {
    Explore(state, TEncodedSearch{}, "home pages");
}
BENCHMARK(BM_ExploreFirefoxHomePages)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tsy
