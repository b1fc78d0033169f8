#include "engine/draw/plus_status.h"

namespace qz {

bool PlusBrush::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeleteBrush(native_));
    native_ = nullptr;
    return ok;
}

bool PlusBrush::Clone(PlusBrush& target) const {
    Gdiplus::GpBrush* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCloneBrush(native_, &handle));
    target.SetNative(handle);
    return ok;
}

Gdiplus::BrushType PlusBrush::GetType() const {
    Gdiplus::BrushType type = Gdiplus::BrushTypeSolidColor;
    if (!PlusRecord(flat::GdipGetBrushType(native_, &type))) return Gdiplus::BrushTypeSolidColor;
    return type;
}

bool PlusSolidBrush::Create(ArgbColor color) {
    Gdiplus::GpSolidFill* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateSolidFill(color, &handle));
    native_ = handle;
    return ok;
}

bool PlusLinearGradientBrush::Create(const PointF& start, const PointF& end, ArgbColor startColor,
                                     ArgbColor endColor) {
    Gdiplus::GpLineGradient* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateLineBrush(&start, &end, startColor, endColor,
                                                   Gdiplus::WrapModeTile, &handle));
    native_ = handle;
    return ok;
}

bool PlusLinearGradientBrush::SetLinearBlend(float focus, float scale) {
    return PlusRecord(flat::GdipSetLineLinearBlend(GetNative(), focus, scale));
}

bool PlusPathGradientBrush::FromPath(const PlusPath& path) {
    Gdiplus::GpPathGradient* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreatePathGradientFromPath(path.GetNative(), &handle));
    native_ = handle;
    return ok;
}

bool PlusPathGradientBrush::SetCenterColor(ArgbColor color) {
    return PlusRecord(flat::GdipSetPathGradientCenterColor(GetNative(), color));
}

bool PlusPathGradientBrush::SetSurroundColors(const std::vector<ArgbColor>& colors) {
    return SetSurroundColors(colors.data(), static_cast<int>(colors.size()));
}

bool PlusPathGradientBrush::SetSurroundColors(const ArgbColor* colors, int count) {
    INT used = count;
    return PlusRecord(flat::GdipSetPathGradientSurroundColorsWithCount(GetNative(), colors, &used));
}

bool PlusPathGradientBrush::SetFocusScales(float xScale, float yScale) {
    return PlusRecord(flat::GdipSetPathGradientFocusScales(GetNative(), xScale, yScale));
}

bool PlusTextureBrush::Create(const PlusImage& image, Gdiplus::WrapMode wrap) {
    Gdiplus::GpTexture* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateTexture(image.GetNative(), wrap, &handle));
    native_ = handle;
    return ok;
}

bool PlusTextureBrush::TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order) {
    return PlusRecord(flat::GdipTranslateTextureTransform(GetNative(), dx, dy, order));
}

bool PlusPen::Create(ArgbColor color, float width, Gdiplus::Unit unit) {
    Gdiplus::GpPen* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreatePen1(color, width, unit, &handle));
    native_ = handle;
    return ok;
}

bool PlusPen::CreateFromBrush(const PlusBrush& brush, float width, Gdiplus::Unit unit) {
    Gdiplus::GpPen* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreatePen2(brush.GetNative(), width, unit, &handle));
    native_ = handle;
    return ok;
}

bool PlusPen::SetWidth(float width) {
    return PlusRecord(flat::GdipSetPenWidth(native_, width));
}

bool PlusPen::SetDashStyle(Gdiplus::DashStyle style) {
    return PlusRecord(flat::GdipSetPenDashStyle(native_, style));
}

bool PlusPen::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeletePen(native_));
    native_ = nullptr;
    return ok;
}

} // namespace qz
