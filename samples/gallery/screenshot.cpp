#include "samples/gallery/screenshot.h"

#include "engine/draw/plus.h"

#include <cstdio>
#include <memory>

namespace gallery {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bmp;
    ~Bitmap() { DeleteObject(bmp); }
};

bool WriteFile(const std::string& path, const qz::ByteBuffer& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    return f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

} // namespace

bool SaveWindowScreenshot(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    ScreenDc screen;
    MemoryDc mem(screen.dc);
    Bitmap bmp{CreateCompatibleBitmap(screen.dc, w, h)};
    HGDIOBJ old = SelectObject(mem.dc, bmp.bmp);
    BitBlt(mem.dc, 0, 0, w, h, screen.dc, r.left, r.top, SRCCOPY);
    SelectObject(mem.dc, old);

    qz::PlusBitmap image;
    Gdiplus::GpBitmap* native = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bmp.bmp, nullptr, &native) != Gdiplus::Ok)
        return false;
    image.SetNative(native);
    const qz::ByteBuffer png = image.SaveToBytes(qz::kPngFormat);
    return !png.empty() && WriteFile(path, png);
}

} // namespace gallery
