#include "engine/draw/plus_status.h"

namespace qz {

bool PlusGraphics::FromHdc(HDC dc, HANDLE device) {
    Gdiplus::GpGraphics* handle = nullptr;
    bool ok = PlusRecord(device ? flat::GdipCreateFromHDC2(dc, device, &handle)
                                : flat::GdipCreateFromHDC(dc, &handle));
    native_ = handle;
    return ok;
}

bool PlusGraphics::FromImage(const PlusImage& image) {
    Gdiplus::GpGraphics* handle = nullptr;
    bool ok = PlusRecord(flat::GdipGetImageGraphicsContext(image.GetNative(), &handle));
    native_ = handle;
    return ok;
}

bool PlusGraphics::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeleteGraphics(native_));
    native_ = nullptr;
    return ok;
}

bool PlusGraphics::SetCompositingQuality(Gdiplus::CompositingQuality quality) {
    return PlusRecord(flat::GdipSetCompositingQuality(native_, quality));
}

bool PlusGraphics::SetSmoothingMode(Gdiplus::SmoothingMode mode) {
    return PlusRecord(flat::GdipSetSmoothingMode(native_, mode));
}

bool PlusGraphics::SetTextRenderingHint(Gdiplus::TextRenderingHint hint) {
    return PlusRecord(flat::GdipSetTextRenderingHint(native_, hint));
}

bool PlusGraphics::SetInterpolationMode(Gdiplus::InterpolationMode mode) {
    return PlusRecord(flat::GdipSetInterpolationMode(native_, mode));
}

bool PlusGraphics::SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode) {
    return PlusRecord(flat::GdipSetPixelOffsetMode(native_, mode));
}

bool PlusGraphics::Clear(ArgbColor color) {
    return PlusRecord(flat::GdipGraphicsClear(native_, color));
}

bool PlusGraphics::DrawLine(const PlusPen& pen, float x1, float y1, float x2, float y2) {
    return PlusRecord(flat::GdipDrawLine(native_, pen.GetNative(), x1, y1, x2, y2));
}

bool PlusGraphics::DrawRectangle(const PlusPen& pen, float x, float y, float width, float height) {
    return PlusRecord(flat::GdipDrawRectangle(native_, pen.GetNative(), x, y, width, height));
}

bool PlusGraphics::DrawEllipse(const PlusPen& pen, float x, float y, float width, float height) {
    return PlusRecord(flat::GdipDrawEllipse(native_, pen.GetNative(), x, y, width, height));
}

bool PlusGraphics::DrawPath(const PlusPen& pen, const PlusPath& path) {
    return PlusRecord(flat::GdipDrawPath(native_, pen.GetNative(), path.GetNative()));
}

bool PlusGraphics::FillRectangle(const PlusBrush& brush, float x, float y, float width,
                                 float height) {
    return PlusRecord(flat::GdipFillRectangle(native_, brush.GetNative(), x, y, width, height));
}

bool PlusGraphics::FillEllipse(const PlusBrush& brush, float x, float y, float width,
                               float height) {
    return PlusRecord(flat::GdipFillEllipse(native_, brush.GetNative(), x, y, width, height));
}

bool PlusGraphics::FillPath(const PlusBrush& brush, const PlusPath& path) {
    return PlusRecord(flat::GdipFillPath(native_, brush.GetNative(), path.GetNative()));
}

bool PlusGraphics::DrawString(const std::string& text, const PlusFont& font, const PlusBrush& brush,
                              const RectF& layout, const PlusStringFormat& format) {
    std::wstring wide = ToWideText(text);
    return PlusRecord(flat::GdipDrawString(native_, wide.c_str(), lstrlenW(wide.c_str()),
                                           font.GetNative(), &layout, format.GetNative(),
                                           brush.GetNative()));
}

bool PlusGraphics::MeasureString(const std::string& text, const PlusFont& font, const RectF& layout,
                                 const PlusStringFormat& format, RectF& bounds) {
    std::wstring wide = ToWideText(text);
    return PlusRecord(flat::GdipMeasureString(native_, wide.c_str(), lstrlenW(wide.c_str()),
                                              font.GetNative(), &layout, format.GetNative(),
                                              &bounds, nullptr, nullptr));
}

bool PlusGraphics::DrawImage(const PlusImage& image, float x, float y) {
    return PlusRecord(flat::GdipDrawImage(native_, image.GetNative(), x, y));
}

bool PlusGraphics::DrawImageRectRect(const PlusImage& image, float x, float y, float width,
                                     float height, Gdiplus::Unit sourceUnit) {
    auto sourceWidth = static_cast<float>(image.GetWidth());
    auto sourceHeight = static_cast<float>(image.GetHeight());
    return PlusRecord(flat::GdipDrawImageRectRect(native_, image.GetNative(), x, y, width, height,
                                                  0, 0, sourceWidth, sourceHeight, sourceUnit,
                                                  nullptr, nullptr, nullptr));
}

bool PlusGraphics::SetClipPath(const PlusPath& path, Gdiplus::CombineMode mode) {
    return PlusRecord(flat::GdipSetClipPath(native_, path.GetNative(), mode));
}

bool PlusGraphics::SetClipRect(float x, float y, float width, float height,
                               Gdiplus::CombineMode mode) {
    return PlusRecord(flat::GdipSetClipRect(native_, x, y, width, height, mode));
}

bool PlusGraphics::ResetClip() {
    return PlusRecord(flat::GdipResetClip(native_));
}

} // namespace qz
