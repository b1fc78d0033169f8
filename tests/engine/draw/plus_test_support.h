#pragma once
// GDI+ for the drawing tests, and small pictures built pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <functional>
#include "engine/draw/plus.h"

namespace qztest {

// Starts GDI+ once for the whole test program and shuts it down after the last test.
class GdiplusSession : public testing::Environment {
  public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    void TearDown() override {
        if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
        token_ = 0;
    }

  private:
    ULONG_PTR token_ = 0;
};

inline testing::Environment* const kGdiplusSession =
    testing::AddGlobalTestEnvironment(new GdiplusSession);

using PixelFunction = std::function<qz::ArgbColor(int x, int y)>;

// A 32bppARGB bitmap whose pixel (x, y) is pixel(x, y).
inline void PaintBitmap(qz::PlusBitmap& bitmap, int width, int height, const PixelFunction& pixel) {
    ASSERT_TRUE(bitmap.CreateEmpty(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, pixel(x, y));
}

// The PNG file of such a bitmap.
inline qz::ByteBuffer MakePng(int width, int height, const PixelFunction& pixel) {
    qz::PlusBitmap bitmap;
    PaintBitmap(bitmap, width, height, pixel);
    return bitmap.SaveToBytes(qz::kPngFormat);
}

inline bool IsPng(const qz::ByteBuffer& bytes) {
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() > sizeof signature &&
           std::equal(signature, signature + sizeof signature, bytes.begin());
}

} // namespace qztest
