#pragma once

namespace tsy {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }
    bool operator==(const TRect&) const = default;
};

// Sizes are designed at this DPI.
inline constexpr int kDesignDpi = 96;

// The platform's MulDiv: number * numerator / denominator with a 64-bit intermediate, rounded
// half away from zero; -1 when the denominator is 0 or the result does not fit.
int MulDivRound(int number, int numerator, int denominator);

// A designed pixel size at the given DPI (96 leaves it unchanged).
int ScaleForDpi(int designPixels, int dpi);
TRect ScaleRect(const TRect& design, int dpi);

} // namespace tsy
