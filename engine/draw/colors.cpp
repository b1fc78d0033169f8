#include "engine/draw/colors.h"
#include <algorithm>

namespace qz {

COLORREF ThemeColor = kDefaultThemeColor;

namespace {

int ClampCorner(int corner) {
    return std::clamp(corner, 1, 100);
}

// x + extent in double precision, kept as float like every other path coordinate.
float FarEdge(float origin, float extent) {
    return static_cast<float>(static_cast<double>(origin) + extent);
}

} // namespace

ArgbColor MakeArgb(COLORREF rgb, std::optional<std::uint8_t> alpha) {
    ArgbColor a = alpha.value_or(255);
    ArgbColor red = rgb & 0xFF;
    ArgbColor green = (rgb >> 8) & 0xFF;
    ArgbColor blue = (rgb >> 16) & 0xFF;
    return (a << 24) | (red << 16) | (green << 8) | blue;
}

COLORREF SplitArgb(ArgbColor argb, std::uint8_t& alpha) {
    alpha = static_cast<std::uint8_t>(argb >> 24);
    return SplitArgb(argb);
}

COLORREF SplitArgb(ArgbColor argb) {
    COLORREF red = (argb >> 16) & 0xFF;
    COLORREF green = (argb >> 8) & 0xFF;
    COLORREF blue = argb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

bool AddRoundRect(PlusPath& path, float x, float y, float width, float height, int corner) {
    const auto c = static_cast<float>(ClampCorner(corner));
    const float right = FarEdge(x, width);
    const float bottom = FarEdge(y, height);
    bool ok = path.AddArc(right - c, y, c, c, 270, 90);
    // The bottom-right box reaches one pixel further so that the outline's stroke stays inside.
    ok = path.AddArc(right - c - 1, bottom - c - 1, c + 1, c + 1, 0, 90) && ok;
    ok = path.AddArc(x, bottom - c, c, c, 90, 90) && ok;
    ok = path.AddArc(x, y, c, c, 180, 90) && ok;
    return path.CloseFigure() && ok;
}

bool AddRoundRectI(PlusPath& path, float x, float y, float width, float height, int corner) {
    const int c = ClampCorner(corner);
    const float right = FarEdge(x, width);
    const float bottom = FarEdge(y, height);
    const auto left = static_cast<int>(x);
    const auto top = static_cast<int>(y);
    const auto arcRight = static_cast<int>(right - c);
    const auto arcBottom = static_cast<int>(bottom - c);
    bool ok = path.AddArcI(arcRight, top, c, c, 270, 90);
    ok = path.AddArcI(arcRight, arcBottom, c, c, 0, 90) && ok;
    ok = path.AddArcI(left, arcBottom, c, c, 90, 90) && ok;
    ok = path.AddArcI(left, top, c, c, 180, 90) && ok;
    ok = path.AddLine(x + c, y, right - c / 2.0f, y) && ok;
    return path.CloseFigure() && ok;
}

bool TabShapeTop(PlusPath& path, float x, float y, float width, float height, float e) {
    bool ok = path.AddLine(x, y + height, x, y + e);
    ok = path.AddArc(x, y, e, e, 180, 90) && ok;
    ok = path.AddLine(x + e, y, x + width - e, y) && ok;
    ok = path.AddArc(x + width - e, y, e, e, 270, 90) && ok;
    return path.AddLine(x + width, y + e, x + width, y + height) && ok;
}

RectF MakeRectF(float x, float y, float width, float height) {
    return RectF(x, y, width, height);
}

PointF MakePointF(float x, float y) {
    return PointF(x, y);
}

} // namespace qz
