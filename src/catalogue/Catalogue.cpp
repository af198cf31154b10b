#include "catalogue/Catalogue.h"

#include "support/Format.h"
#include "support/Text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tsy {

namespace {

// Magnitude without the overflow of negating the smallest integer.
std::int64_t Magnitude(std::int32_t entry) {
    return entry < 0 ? -std::int64_t(entry) : std::int64_t(entry);
}

template <class TRecord> std::int32_t LargestID(const std::vector<TRecord>& records) {
    std::int32_t largest = 0;
    for (const TRecord& record : records) {
        largest = std::max(largest, record.ID);
    }
    return largest;
}

std::int32_t NextID(std::int32_t maxID, const char* className) {
    if (maxID == std::numeric_limits<std::int32_t>::max()) {
        throw EBriefcase(Format("No id is left after %d in %s object.", maxID, className));
    }
    return maxID + 1;
}

// Decimal with an optional sign; anything else, or a value beyond 32 bits, is not an entry.
bool ParseEntry(std::string_view part, std::int32_t& entry) {
    if (!part.empty() && part.front() == '+') {
        part.remove_prefix(1);
        if (!part.empty() && part.front() == '-') {
            return false;
        }
    }
    const char* last = part.data() + part.size();
    const auto [end, error] = std::from_chars(part.data(), last, entry);
    return error == std::errc() && end == last && !part.empty();
}

} // namespace

void TCommonCollection::CheckIndex(std::int64_t index) const {
    if (index < Low() || index > High()) {
        throw EBriefcase(Format("Index %s is out of bounds (%d, %d) in %s object.",
                                std::to_string(index).c_str(), Low(), High(), ClassName()));
    }
}

bool TEnumerator::MoveNext() {
    if (owner_->High() > index_) {
        ++index_;
        return true;
    }
    return false;
}

TTargetsEnumerator::TTargetsEnumerator(const TTargets& owner) : TEnumerator(owner) {}
TTarget TTargetsEnumerator::Current() const {
    return static_cast<const TTargets&>(Owner()).GetItem(Index());
}

TCollectionEnumerator::TCollectionEnumerator(const TCollection& owner) : TEnumerator(owner) {}
std::int32_t TCollectionEnumerator::Current() const {
    return static_cast<const TCollection&>(Owner()).GetID(Index());
}

TCollectionsEnumerator::TCollectionsEnumerator(const TCollections& owner) : TEnumerator(owner) {}
TCollection& TCollectionsEnumerator::Current() const {
    return static_cast<const TCollections&>(Owner()).GetItem(Index());
}

TCategoriesEnumerator::TCategoriesEnumerator(const TCategories& owner) : TEnumerator(owner) {}
TCategory TCategoriesEnumerator::Current() const {
    return static_cast<const TCategories&>(Owner()).GetItem(Index());
}

std::int32_t TTargets::IndexOf(std::int32_t id) const {
    const std::int64_t wanted = Magnitude(id);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].ID == wanted) {
            return static_cast<std::int32_t>(i);
        }
    }
    return NotFound;
}

std::int32_t TTargets::MaxID() const {
    return LargestID(items_);
}

std::int32_t TTargets::NewID() const {
    return NextID(MaxID(), ClassName());
}

std::int32_t TTargets::Add(TTarget& target) {
    target.ID = NewID();
    return Append(target);
}

std::int32_t TTargets::Append(const TTarget& target) {
    items_.push_back(target);
    return High();
}

bool TTargets::Delete(std::int32_t index) {
    if (At(index).ReadOnly) {
        return false;
    }
    EraseAt(index);
    return true;
}

void TTargets::ReplaceCategoryID(std::int32_t oldID, std::int32_t newID) {
    for (TTarget& target : items_) {
        if (target.CatID == oldID) {
            target.CatID = newID;
        }
    }
}

std::int32_t TCollection::IndexOf(std::int32_t entry) const {
    const auto found = std::find(items_.begin(), items_.end(), entry);
    return found == items_.end() ? NotFound : static_cast<std::int32_t>(found - items_.begin());
}

void TCollection::Add(std::int32_t entry) {
    if (!Contains(entry)) {
        items_.push_back(entry);
    }
}

void TCollection::Remove(std::int32_t entry) {
    const std::int32_t index = IndexOf(entry);
    if (index != NotFound) {
        EraseAt(index);
    }
}

void TCollection::Exchange(std::int32_t index, std::int32_t distance) {
    const std::int64_t other = std::int64_t(index) + distance;
    CheckIndex(other);
    CheckIndex(index);
    std::swap(items_[static_cast<std::size_t>(index)], items_[static_cast<std::size_t>(other)]);
}

void TCollection::RemoveUnknownTargets(const TTargets& targets) {
    std::erase_if(items_, [&targets](std::int32_t entry) { return targets.IndexOf(entry) == NotFound; });
}

void TCollection::ReplaceEntry(std::int32_t oldEntry, std::int32_t newEntry) {
    std::replace(items_.begin(), items_.end(), oldEntry, newEntry);
}

std::int32_t TCollections::IndexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (collation_.EqualIgnoreCase(items_[i]->Name(), name)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return NotFound;
}

std::int32_t TCollections::Add(std::string name) {
    if (IndexOfName(name) != NotFound) {
        return NotFound;
    }
    Append(std::move(name));
    return High();
}

TCollection& TCollections::Append(std::string name) {
    items_.push_back(std::make_unique<TCollection>(std::move(name)));
    return *items_.back();
}

bool TCollections::Rename(std::int32_t index, std::string newName) {
    TCollection& collection = GetItem(index);
    // Byte equality: only an unchanged name skips the uniqueness test, not a change of letter case.
    if (collection.name_ != newName && IndexOfName(newName) != NotFound) {
        return false;
    }
    collection.name_ = std::move(newName);
    return true;
}

void TCollections::ReplaceTargetID(std::int32_t oldID, std::int32_t newID) {
    for (const auto& collection : items_) {
        collection->ReplaceEntry(oldID, newID);
    }
}

std::int32_t TCategories::IndexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (collation_.EqualIgnoreCase(items_[i].Name, name)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return NotFound;
}

std::int32_t TCategories::IndexOfID(std::int32_t id) const {
    if (id == 0) {
        return NotFound;
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].ID == id) {
            return static_cast<std::int32_t>(i);
        }
    }
    return NotFound;
}

std::int32_t TCategories::MaxID() const {
    return LargestID(items_);
}

std::int32_t TCategories::NewID() const {
    return NextID(MaxID(), ClassName());
}

std::int32_t TCategories::Add(std::string name) {
    if (IndexOfName(name) != NotFound) {
        return NotFound;
    }
    return Append(TCategory{NewID(), std::move(name)});
}

std::int32_t TCategories::Append(const TCategory& category) {
    items_.push_back(category);
    return High();
}

bool TCategories::Delete(std::int32_t index) {
    EraseAt(index);
    return true;
}

std::int32_t TCategories::IDOfName(std::string_view name) {
    std::int32_t index = IndexOfName(name);
    if (index != NotFound) {
        return items_[static_cast<std::size_t>(index)].ID;
    }
    if (name == GeneralCategoryName) {
        return 0;
    }
    index = Add(std::string(name));
    return GetItem(index).ID;
}

std::string TCategories::NameOfID(std::int32_t id) const {
    if (id == 0) {
        return GeneralCategoryName;
    }
    return GetItem(IndexOfID(id)).Name;
}

bool TCategories::Rename(std::int32_t index, std::string newName) {
    CheckIndex(index);
    if (IndexOfName(newName) != NotFound) {
        return false;
    }
    At(index).Name = std::move(newName);
    return true;
}

std::string IDsToText(const TTargetIDs& ids) {
    std::string text;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        text += std::to_string(ids[i]);
    }
    return text;
}

// A part that is not a 32-bit integer (an empty one included, as in "1,,2") is skipped and the
// rest is still read: one damaged entry must not cost the collection its other members, nor the
// collections that follow it in the file.
TTargetIDs TextToIDs(std::string_view text) {
    TTargetIDs ids;
    while (true) {
        const std::size_t comma = text.find(',');
        std::int32_t entry = 0;
        if (ParseEntry(TrimText(text.substr(0, comma)), entry)) {
            ids.push_back(entry);
        }
        if (comma == std::string_view::npos) {
            return ids;
        }
        text.remove_prefix(comma + 1);
    }
}

} // namespace tsy
