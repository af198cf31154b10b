#pragma once

namespace tsy {

// Where a window edge lands while the user drags it: within `distance` pixels of the
// work area's start or end it sticks to that edge (the start wins when both are near).
int SnapToEdges(int position, int size, int areaStart, int areaEnd, int distance);

} // namespace tsy
