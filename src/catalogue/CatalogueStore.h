#pragma once

namespace tsy {

// Where the settings load and save reach the catalogue files.
class ICatalogueStore {
public:
    virtual ~ICatalogueStore() = default;
    // Clears and re-reads sites, collections and categories; no repair.
    virtual void Load() = 0;
    // True when the last load read the files: until then the catalogue in memory is not theirs.
    virtual bool IsRead() const = 0;
    // The repair that follows every load.
    virtual void CheckIntegrity() = 0;
    // Writes sites, then collections and categories; errors reach the caller. Refuses while
    // the files were not read.
    virtual void Save() = 0;
};

} // namespace tsy
