#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/win32/JpegImage.h"

namespace {

using tsy::win32::DecodeJpeg;
using tsy::win32::EJpegError;

std::vector<char> ReadSourceFile(const std::string& relative) {
    std::ifstream in(std::string(TESSALY_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The pixel at (x, y) as 0xRRGGBB, read back through GetDIBits.
std::uint32_t PixelAt(HBITMAP bitmap, int width, int height, int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    HDC dc = GetDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(lines, height);
    return pixels[std::size_t(y) * width + x] & 0xFFFFFF;
}

int Channel(std::uint32_t rgb, int shift) {
    return int(rgb >> shift & 0xFF);
}

TEST(JpegImage, DecodesTheBannerIntoATopDownDibOfItsSize) {
    std::vector<char> data = ReadSourceFile("res/Banner.jpg");
    ASSERT_FALSE(data.empty());
    auto image = DecodeJpeg(data.data(), data.size());
    ASSERT_TRUE(image.Bitmap);
    EXPECT_EQ(image.Width, 320);
    EXPECT_EQ(image.Height, 47);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(image.Handle(), sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidth, 320);

    // The background runs from light blue at the top to dark blue at the bottom; a
    // bottom-up image or swapped channels would show here.
    std::uint32_t top = PixelAt(image.Handle(), image.Width, image.Height, 300, 0);
    std::uint32_t bottom = PixelAt(image.Handle(), image.Width, image.Height, 300, 46);
    EXPECT_NEAR(Channel(top, 16), 34, 8);
    EXPECT_NEAR(Channel(top, 8), 72, 8);
    EXPECT_NEAR(Channel(top, 0), 122, 8);
    EXPECT_NEAR(Channel(bottom, 16), 14, 8);
    EXPECT_NEAR(Channel(bottom, 0), 70, 8);
    EXPECT_GT(Channel(top, 0), Channel(top, 16)) << "blue must dominate";
}

TEST(JpegImage, DecodesTheBackgroundStrip) {
    std::vector<char> data = ReadSourceFile("res/BannerBack.jpg");
    auto image = DecodeJpeg(data.data(), data.size());
    EXPECT_EQ(image.Width, 8);
    EXPECT_EQ(image.Height, 47);
}

TEST(JpegImage, RejectsDataThatIsNoJpeg) {
    const char text[] = "certainly not a JPEG image";
    EXPECT_THROW(DecodeJpeg(text, sizeof text), EJpegError);
    EXPECT_THROW(DecodeJpeg(text, 0), EJpegError);
    EXPECT_THROW(DecodeJpeg(nullptr, 10), EJpegError);
    try {
        DecodeJpeg(text, sizeof text);
    } catch (const EJpegError& e) {
        EXPECT_NE(std::string(e.what()).find("Unable to decode the image"), std::string::npos);
    }
}

TEST(JpegImage, AHeaderCutShortIsAnErrorAndLaterUseStillWorks) {
    std::vector<char> data = ReadSourceFile("res/Banner.jpg");
    ASSERT_GT(data.size(), 100u);
    // Only the start of the headers: the decoder runs out of data before the first scan.
    EXPECT_THROW(DecodeJpeg(data.data(), 40), EJpegError);
    auto image = DecodeJpeg(data.data(), data.size());
    EXPECT_EQ(image.Width, 320);
}

TEST(JpegImage, MissingResourceIsAnError) {
    EXPECT_THROW(tsy::win32::LoadJpegResource(GetModuleHandleA(nullptr), 31999), EJpegError);
}

} // namespace
