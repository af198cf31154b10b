#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tsy {

// Every index-of lookup answers this when nothing matches.
inline constexpr std::int32_t NotFound = 2147483647;

// The catalogue's one error: an index out of bounds or an id that cannot be given.
class EBriefcase : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Root of every catalogue container. Count, Low and High are the shared virtual operations.
class TCommonCollection {
public:
    TCommonCollection() = default;
    TCommonCollection(const TCommonCollection&) = delete;
    TCommonCollection& operator=(const TCommonCollection&) = delete;
    virtual ~TCommonCollection() = default;

    virtual std::int32_t Count() const = 0;
    virtual std::int32_t Low() const = 0;
    virtual std::int32_t High() const = 0;

    // The name the out-of-bounds message gives the container.
    virtual const char* ClassName() const = 0;

    // Raises EBriefcase "Index %d is out of bounds (%d, %d) in %s object." unless Low <= index <= High.
    // Wide so that a sum such as index + distance is reported as it is rather than wrapped.
    void CheckIndex(std::int64_t index) const;
};

// A container over one std::vector of elements.
template <class TElement> class TArrCollection : public TCommonCollection {
public:
    std::int32_t Count() const override { return static_cast<std::int32_t>(items_.size()); }
    std::int32_t Low() const override { return 0; }
    std::int32_t High() const override { return Count() - 1; }

protected:
    // Validated access for the descendants.
    TElement& At(std::int32_t index) {
        CheckIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    const TElement& At(std::int32_t index) const {
        CheckIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    void EraseAt(std::int32_t index) {
        CheckIndex(index);
        items_.erase(items_.begin() + index);
    }

    std::vector<TElement> items_;
};

// Walks a container by position; High is asked afresh on every step, so a container that shrinks
// under the walk ends it early instead of reading past its end.
class TEnumerator {
public:
    bool MoveNext();
    std::int32_t Index() const { return index_; }
    const TCommonCollection& Owner() const { return *owner_; }

protected:
    explicit TEnumerator(const TCommonCollection& owner) : owner_(&owner), index_(owner.Low() - 1) {}

private:
    const TCommonCollection* owner_;
    std::int32_t index_;
};

// Lets range-for drive an enumerator, so both walks behave alike.
struct TEnumEnd {};

template <class TEnum> class TEnumIterator {
public:
    explicit TEnumIterator(TEnum enumerator) : enum_(std::move(enumerator)) { valid_ = enum_.MoveNext(); }
    decltype(auto) operator*() const { return enum_.Current(); }
    TEnumIterator& operator++() {
        valid_ = enum_.MoveNext();
        return *this;
    }
    bool operator==(TEnumEnd) const { return !valid_; }

private:
    TEnum enum_;
    bool valid_ = false;
};

} // namespace tsy
