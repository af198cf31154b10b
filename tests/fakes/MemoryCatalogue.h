#pragma once

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueStore.h"

namespace tsy::fakes {

// A catalogue "file" in memory: a load hands back what was last saved (or set), a save keeps a
// copy. A failing load throws as an unreadable file would.
class TMemoryCatalogue : public ICatalogueStore {
public:
    TMemoryCatalogue(TTargets& targets, TCollections& collections, TCategories& categories)
        : targets_(targets), collections_(collections), categories_(categories) {}
    void Load() override {
        ++loads;
        read = !failLoad;
        if (failLoad)
            throw std::runtime_error("The sites file cannot be read.");
        targets_.Clear();
        collections_.Clear();
        categories_.Clear();
        for (const auto& t : sites)
            targets_.Append(t);
        for (const auto& [name, ids, random] : groups) {
            auto& c = collections_.Append(name);
            c.SetIDs(ids);
            c.Randomize = random;
        }
        for (const auto& c : kinds)
            categories_.Append(c);
    }
    bool IsRead() const override { return read; }
    void CheckIntegrity() override {}
    void Save() override {
        ++saves;
        sites.clear();
        for (const TTarget& t : targets_)
            sites.push_back(t);
        groups.clear();
        for (const TCollection& c : collections_)
            groups.emplace_back(c.Name(), c.IDs(), c.Randomize);
        kinds.clear();
        for (const TCategory& c : categories_)
            kinds.push_back(c);
    }

    std::vector<TTarget> sites;
    std::vector<std::tuple<std::string, TTargetIDs, bool>> groups;
    std::vector<TCategory> kinds;
    int loads = 0, saves = 0;
    bool read = false, failLoad = false;

private:
    TTargets& targets_;
    TCollections& collections_;
    TCategories& categories_;
};

} // namespace tsy::fakes
