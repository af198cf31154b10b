#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <mutex>
#include <vector>

namespace tsy {

// An opaque window handle as the portable code sees it (a HWND on Windows).
using TWindowHandle = std::uintptr_t;

// The windows that own message boxes: the last entry owns the next box. The
// bottom entry (the desktop window) is never removed, so there is always an owner.
// Guarded because the update check shows its boxes from a worker thread.
class TOwnerStack {
public:
    explicit TOwnerStack(TWindowHandle desktop) : windows_{desktop} {}
    TOwnerStack(const TOwnerStack&) = delete;
    TOwnerStack& operator=(const TOwnerStack&) = delete;

    void Push(TWindowHandle window) {
        std::lock_guard lock(mutex_);
        windows_.push_back(window);
    }
    // Removes the window's topmost entry wherever it sits; a window that is not
    // on the stack (or the desktop) is ignored.
    void Pop(TWindowHandle window) {
        std::lock_guard lock(mutex_);
        auto it = std::find(windows_.rbegin(), std::prev(windows_.rend()), window);
        if (it != std::prev(windows_.rend()))
            windows_.erase(std::next(it).base());
    }
    TWindowHandle Top() const {
        std::lock_guard lock(mutex_);
        return windows_.back();
    }
    // The topmost entry for which `alive` holds, so a window destroyed without
    // popping itself cannot own a box; the desktop when none does.
    template <typename Predicate> TWindowHandle TopWhere(Predicate alive) const {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(windows_.rbegin(), std::prev(windows_.rend()), alive);
        return it != std::prev(windows_.rend()) ? *it : windows_.front();
    }
    TWindowHandle Desktop() const {
        std::lock_guard lock(mutex_);
        return windows_.front();
    }
    bool Contains(TWindowHandle window) const {
        std::lock_guard lock(mutex_);
        return std::find(std::next(windows_.begin()), windows_.end(), window) != windows_.end();
    }
    std::size_t Size() const {
        std::lock_guard lock(mutex_);
        return windows_.size();
    }

private:
    mutable std::mutex mutex_;
    std::vector<TWindowHandle> windows_;
};

} // namespace tsy
