#pragma once

#include <windows.h>

#include <cstddef>
#include <stdexcept>

#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

class EJpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A decoded image: a 32-bit top-down DIB section (blue, green, red, unused).
struct TJpegImage {
    UniqueGdiObject Bitmap;
    int Width = 0;
    int Height = 0;

    HBITMAP Handle() const noexcept { return static_cast<HBITMAP>(Bitmap.Get()); }
};

// Raises EJpegError for data that is not a JPEG image libjpeg can read
// (CMYK images included) and for images too large to hold.
TJpegImage DecodeJpeg(const void* data, std::size_t size);

// Decodes an RCDATA resource of the module.
TJpegImage LoadJpegResource(HINSTANCE instance, int resourceId);

} // namespace tsy::win32
