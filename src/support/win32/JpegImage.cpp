#include "support/win32/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace tsy::win32 {

namespace {

constexpr JDIMENSION kMaxSide = 16384;

// libjpeg reports fatal errors through error_exit, which must not return. A
// C++ exception cannot be thrown through the library's C frames, so this
// jumps back into DecodeInto, which holds nothing that needs a destructor.
struct TErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ExitOnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<TErrorManager*>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

struct TDecodeResult {
    HBITMAP bitmap;
    int width;
    int height;
    char error[JMSG_LENGTH_MAX];
};

// Plain C-style on purpose: see TErrorManager.
void DecodeInto(const unsigned char* data, unsigned long size, TDecodeResult* result) {
    jpeg_decompress_struct info;
    TErrorManager errors;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitOnError;
    errors.base.emit_message = IgnoreMessage;
    errors.message[0] = '\0';
    result->bitmap = nullptr;
    result->error[0] = '\0';
    if (setjmp(errors.jump)) {
        std::snprintf(result->error, sizeof result->error, "Unable to decode the image: %s", errors.message);
        jpeg_destroy_decompress(&info);
        if (result->bitmap)
            DeleteObject(result->bitmap);
        result->bitmap = nullptr;
        return;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        std::snprintf(result->error, sizeof result->error,
                      "Unable to decode the image: CMYK is not supported.");
        jpeg_destroy_decompress(&info);
        return;
    }
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    if (info.output_width == 0 || info.output_height == 0 || info.output_width > kMaxSide ||
        info.output_height > kMaxSide || info.output_components != 4) {
        std::snprintf(result->error, sizeof result->error, "Unable to decode the image: unsupported size.");
        jpeg_destroy_decompress(&info);
        return;
    }
    BITMAPINFO header;
    std::memset(&header, 0, sizeof header);
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = LONG(info.output_width);
    header.bmiHeader.biHeight = -LONG(info.output_height); // top-down, rows in decoding order
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    result->bitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!result->bitmap || !bits) {
        std::snprintf(result->error, sizeof result->error, "Unable to decode the image: out of memory.");
        jpeg_destroy_decompress(&info);
        return;
    }
    const std::size_t stride = std::size_t(info.output_width) * 4;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    result->width = int(header.bmiHeader.biWidth);
    result->height = int(-header.bmiHeader.biHeight);
}

} // namespace

TJpegImage DecodeJpeg(const void* data, std::size_t size) {
    if (!data || size == 0)
        throw EJpegError("Unable to decode the image: no data.");
    if (size > 0x7FFFFFFF)
        throw EJpegError("Unable to decode the image: too large.");
    TDecodeResult result{};
    DecodeInto(static_cast<const unsigned char*>(data), static_cast<unsigned long>(size), &result);
    if (!result.bitmap)
        throw EJpegError(result.error);
    TJpegImage image;
    image.Bitmap.Reset(result.bitmap);
    image.Width = result.width;
    image.Height = result.height;
    return image;
}

TJpegImage LoadJpegResource(HINSTANCE instance, int resourceId) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw EJpegError("Unable to find the image resource.");
    return DecodeJpeg(data, SizeofResource(instance, found));
}

} // namespace tsy::win32
