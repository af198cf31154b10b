#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace tsy {

// An opaque window handle as the portable code sees it (a HWND on Windows).
using TWindowHandle = std::uintptr_t;

// The windows that own message boxes: the last entry owns the next box. The
// bottom entry (the desktop window) is never removed, so there is always an owner.
class TOwnerStack {
public:
    explicit TOwnerStack(TWindowHandle desktop) : windows_{desktop} {}

    void Push(TWindowHandle window) { windows_.push_back(window); }
    // Removes the window's topmost entry wherever it sits; a window that is not
    // on the stack (or the desktop) is ignored.
    void Pop(TWindowHandle window) {
        auto it = std::find(windows_.rbegin(), windows_.rend() - 1, window);
        if (it != windows_.rend() - 1)
            windows_.erase(std::next(it).base());
    }
    TWindowHandle Top() const { return windows_.back(); }
    TWindowHandle Desktop() const { return windows_.front(); }
    bool Contains(TWindowHandle window) const {
        return std::find(windows_.begin() + 1, windows_.end(), window) != windows_.end();
    }
    // Drops entries above the desktop for which `alive` is false, so a window
    // destroyed without popping itself cannot own a box.
    template <typename Predicate> void Prune(Predicate alive) {
        windows_.erase(std::remove_if(windows_.begin() + 1, windows_.end(),
                                      [&](TWindowHandle window) { return !alive(window); }),
                       windows_.end());
    }
    std::size_t Size() const { return windows_.size(); }

private:
    std::vector<TWindowHandle> windows_;
};

} // namespace tsy
