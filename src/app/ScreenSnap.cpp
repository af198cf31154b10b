#include "app/ScreenSnap.h"

#include <cstdlib>

namespace tsy {

int SnapToEdges(int position, int size, int areaStart, int areaEnd, int distance) {
    if (std::abs(position - areaStart) <= distance)
        return areaStart;
    if (std::abs(position + size - areaEnd) <= distance)
        return areaEnd - size;
    return position;
}

} // namespace tsy
