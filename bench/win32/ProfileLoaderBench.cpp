// The catalogue load through GetPrivateProfileStringA, one call per value, beside
// the in-memory reader, on the same files. Prints both times and their ratio.
// Usage: ProfileLoaderBench [--sites N] [--runs N]
#include "AnsiCollation.h"
#include "catalogue/CatalogueFile.h"
#include "support/win32/Win32FileSystem.h"

#include "CatalogueSamples.h"
#include "ProfileCatalogueReader.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

using namespace tsy;

double Milliseconds(const std::function<void()>& action, int runs) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        QueryPerformanceCounter(&start);
        action();
        QueryPerformanceCounter(&end);
        best = std::min(best, double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    int sites = 2000;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sites") == 0)
            sites = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
    }

    TAnsiCollation collation;
    TTargets targets;
    TCollections collections(collation);
    TCategories categories(collation);
    fakes::MakeSampleCatalogue(2026, {sites, std::max(1, sites / 20), 25}, targets, collections, categories);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "tsy-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    win32::TWin32FileSystem files;
    files.CreateDirectories(folder);
    const std::string sitesPath = folder + "targets.dat";
    const std::string groupsPath = folder + "ProfileLoaderBench.dat";
    TCatalogueFiles source(targets, collections, categories, files, sitesPath, groupsPath);
    source.Save();

    std::string ours, theirs;
    const double profile = Milliseconds(
        [&] {
            TTargets t;
            TCollections c(collation);
            TCategories k(collation);
            win32::ProfileLoadTargets(t, sitesPath, false);
            win32::ProfileLoadCollections(c, groupsPath);
            win32::ProfileLoadCategories(k, groupsPath);
            theirs = fakes::Describe(t, c, k);
        },
        runs);
    const double memory = Milliseconds(
        [&] {
            TTargets t;
            TCollections c(collation);
            TCategories k(collation);
            TCatalogueFiles store(t, c, k, files, sitesPath, groupsPath);
            store.Load();
            ours = fakes::Describe(t, c, k);
        },
        runs * 5);

    DeleteFileA(sitesPath.c_str());
    DeleteFileA(groupsPath.c_str());
    RemoveDirectoryA(folder.c_str());

    std::printf("catalogue load, %d sites, %d collections, %d categories (best of %d)\n", sites,
                collections.Count(), categories.Count(), runs);
    std::printf("  GetPrivateProfileStringA loader: %10.2f ms\n", profile);
    std::printf("  in-memory INI reader:            %10.2f ms\n", memory);
    std::printf("  ratio:                           %10.1f x\n", memory > 0 ? profile / memory : 0.0);
    std::printf("  same catalogue: %s\n", ours == theirs ? "yes" : "NO");
    return ours == theirs ? 0 : 1;
}
