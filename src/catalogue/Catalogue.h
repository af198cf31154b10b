#pragma once

#include "catalogue/CatalogueBase.h"
#include "support/Collation.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// One site.
struct TTarget {
    std::int32_t ID = 0;
    std::string Name;
    std::string Search; // template; "%s" stands for the encoded search text
    std::string Open;
    std::int32_t CatID = 0; // 0 is "(general)"
    bool ReadOnly = false;
    // How the site reads its search text: "utf-8", or empty for the code page. Other values
    // are kept as found and count as empty.
    std::string Charset;
    // Names the site from the search box ("!w paris"); empty for none.
    std::string Keyword;

    bool operator==(const TTarget&) const = default;
};

struct TCategory {
    std::int32_t ID = 0;
    std::string Name;

    bool operator==(const TCategory&) const = default;
};

// A collection's members in submission order; an entry's magnitude is a site id.
using TTargetIDs = std::vector<std::int32_t>;

// The built-in category that id 0 stands for; never stored.
inline constexpr const char* GeneralCategoryName = "(general)";

class TTargets;
class TCollection;
class TCollections;
class TCategories;

class TTargetsEnumerator : public TEnumerator {
public:
    explicit TTargetsEnumerator(const TTargets& owner);
    TTarget Current() const;
};

class TCollectionEnumerator : public TEnumerator {
public:
    explicit TCollectionEnumerator(const TCollection& owner);
    std::int32_t Current() const;
};

class TCollectionsEnumerator : public TEnumerator {
public:
    explicit TCollectionsEnumerator(const TCollections& owner);
    TCollection& Current() const;
};

class TCategoriesEnumerator : public TEnumerator {
public:
    explicit TCategoriesEnumerator(const TCategories& owner);
    TCategory Current() const;
};

class TTargets : public TArrCollection<TTarget> {
public:
    const char* ClassName() const override { return "TTargets"; }

    TTarget GetItem(std::int32_t index) const { return At(index); }
    void SetItem(std::int32_t index, const TTarget& target) { At(index) = target; }
    // Matches the magnitude of id, so a negative member entry finds its site.
    std::int32_t IndexOf(std::int32_t id) const;
    TTarget ByID(std::int32_t id) const { return GetItem(IndexOf(id)); }
    std::int32_t MaxID() const;
    // MaxID + 1; raises EBriefcase when MaxID is already the largest id.
    std::int32_t NewID() const;
    // Gives target the id NewID (the caller's record too) and appends it; returns its index.
    std::int32_t Add(TTarget& target);
    // Appends the record with its own id, as the file reader needs.
    std::int32_t Append(const TTarget& target);
    // False, and nothing changes, for a ReadOnly site.
    bool Delete(std::int32_t index);
    void ClearCategory(std::int32_t catID) { ReplaceCategoryID(catID, 0); }
    void ReplaceCategoryID(std::int32_t oldID, std::int32_t newID);
    void Clear() { items_.clear(); }

    TTargetsEnumerator GetEnumerator() const { return TTargetsEnumerator(*this); }
    TEnumIterator<TTargetsEnumerator> begin() const { return TEnumIterator(GetEnumerator()); }
    TEnumEnd end() const { return {}; }
};

// A named group of sites; its elements are the member entries.
class TCollection : public TArrCollection<std::int32_t> {
public:
    explicit TCollection(std::string name) : name_(std::move(name)) {}

    const char* ClassName() const override { return "TCollection"; }

    // Renaming goes through TCollections, which keeps names unique.
    const std::string& Name() const { return name_; }
    const TTargetIDs& IDs() const { return items_; }
    void SetIDs(TTargetIDs ids) { items_ = std::move(ids); }
    bool Randomize = false;
    // Names the collection from the search box; empty for none.
    std::string Keyword;

    std::int32_t GetID(std::int32_t index) const { return At(index); }
    // Exact comparison, sign included.
    std::int32_t IndexOf(std::int32_t entry) const;
    bool Contains(std::int32_t entry) const { return IndexOf(entry) != NotFound; }
    // Appends unless the exact entry is present.
    void Add(std::int32_t entry);
    void Remove(std::int32_t entry);
    // Swaps the entries at index and index + distance; both must be valid.
    void Exchange(std::int32_t index, std::int32_t distance);
    // Drops every entry whose magnitude names no site of targets.
    void RemoveUnknownTargets(const TTargets& targets);
    void ReplaceEntry(std::int32_t oldEntry, std::int32_t newEntry);

    TCollectionEnumerator GetEnumerator() const { return TCollectionEnumerator(*this); }
    TEnumIterator<TCollectionEnumerator> begin() const { return TEnumIterator(GetEnumerator()); }
    TEnumEnd end() const { return {}; }

private:
    friend class TCollections;
    std::string name_;
};

// Owns its collections. A const list still hands out its collections for editing, as an owning
// pointer would: constness covers the list, not the objects.
class TCollections : public TArrCollection<std::unique_ptr<TCollection>> {
public:
    explicit TCollections(const ICollation& collation) : collation_(collation) {}

    const char* ClassName() const override { return "TCollections"; }

    TCollection& GetItem(std::int32_t index) const { return *At(index); }
    // First collection whose name equals name ignoring case.
    std::int32_t IndexOfName(std::string_view name) const;
    TCollection& ByName(std::string_view name) const { return GetItem(IndexOfName(name)); }
    // NotFound, and nothing changes, when the name exists ignoring case.
    std::int32_t Add(std::string name);
    // Appends without the uniqueness test, as the file reader needs.
    TCollection& Append(std::string name);
    void Delete(std::int32_t index) { EraseAt(index); }
    // A byte-identical name is accepted; any other name must be unused, this collection included.
    bool Rename(std::int32_t index, std::string newName);
    void ReplaceTargetID(std::int32_t oldID, std::int32_t newID);
    void Clear() { items_.clear(); }

    TCollectionsEnumerator GetEnumerator() const { return TCollectionsEnumerator(*this); }
    TEnumIterator<TCollectionsEnumerator> begin() const { return TEnumIterator(GetEnumerator()); }
    TEnumEnd end() const { return {}; }

private:
    const ICollation& collation_;
};

class TCategories : public TArrCollection<TCategory> {
public:
    explicit TCategories(const ICollation& collation) : collation_(collation) {}

    const char* ClassName() const override { return "TCategories"; }

    TCategory GetItem(std::int32_t index) const { return At(index); }
    std::int32_t IndexOfName(std::string_view name) const;
    // 0 is never found: it is "(general)", which is not stored.
    std::int32_t IndexOfID(std::int32_t id) const;
    std::int32_t MaxID() const;
    // MaxID + 1; raises EBriefcase when MaxID is already the largest id.
    std::int32_t NewID() const;
    // NotFound when the name exists ignoring case; otherwise the new record's index.
    std::int32_t Add(std::string name);
    // Appends the record with its own id and no uniqueness test, as the file reader needs.
    std::int32_t Append(const TCategory& category);
    bool Delete(std::int32_t index);
    // The id of the category of that name; "(general)" gives 0; a new name is added.
    std::int32_t IDOfName(std::string_view name);
    std::string NameOfID(std::int32_t id) const;
    // Refused when any category, this one included, has the name ignoring case.
    bool Rename(std::int32_t index, std::string newName);
    // Renumbering during the repair after a load.
    void SetID(std::int32_t index, std::int32_t id) { At(index).ID = id; }
    void Clear() { items_.clear(); }

    TCategoriesEnumerator GetEnumerator() const { return TCategoriesEnumerator(*this); }
    TEnumIterator<TCategoriesEnumerator> begin() const { return TEnumIterator(GetEnumerator()); }
    TEnumEnd end() const { return {}; }

private:
    const ICollation& collation_;
};

// Member list as the collections file holds it: decimal entries joined by "," with no spaces.
std::string IDsToText(const TTargetIDs& ids);
TTargetIDs TextToIDs(std::string_view text);

} // namespace tsy
