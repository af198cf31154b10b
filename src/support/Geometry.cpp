#include "support/Geometry.h"

#include <cstdint>
#include <limits>

namespace tsy {

int MulDivRound(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t divisor = denominator;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) {
        return -1;
    }
    return static_cast<int>(result);
}

int ScaleForDpi(int designPixels, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi) {
        return designPixels;
    }
    return MulDivRound(designPixels, dpi, kDesignDpi);
}

TRect ScaleRect(const TRect& design, int dpi) {
    return TRect{ScaleForDpi(design.Left, dpi), ScaleForDpi(design.Top, dpi), ScaleForDpi(design.Width, dpi),
                 ScaleForDpi(design.Height, dpi)};
}

} // namespace tsy
