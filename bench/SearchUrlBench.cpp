#include "browsers/SearchUrl.h"

#include <benchmark/benchmark.h>

#include <string>

namespace tsy {
namespace {

// One Explore over a large collection: prepare the text once, build one URL per site.
void BM_BuildThousandURLs(benchmark::State& state) {
    TTargets targets;
    for (int i = 0; i < 1000; ++i) {
        TTarget target;
        target.Name = "Site " + std::to_string(i);
        target.Search = "http://www.example" + std::to_string(i) + ".com/search?q=%s&lang=en&n=100%%";
        target.Open = "http://www.example" + std::to_string(i) + ".com/";
        targets.Add(target);
    }
    std::string url;
    for (auto _ : state) {
        const std::string text = PrepareSearchText("  caf\xE9 & r\xE9sum\xE9 tips 2008  ");
        for (std::int32_t id = 1; id <= 1000; ++id) {
            BuildTargetURL(targets, id, text, url);
            benchmark::DoNotOptimize(url.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_BuildThousandURLs);

} // namespace
} // namespace tsy
