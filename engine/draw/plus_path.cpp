#include "engine/draw/plus_status.h"
#include <algorithm>

namespace qz {

bool PlusPath::Create(Gdiplus::FillMode mode) {
    Gdiplus::GpPath* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreatePath(mode, &handle));
    native_ = handle;
    return ok;
}

bool PlusPath::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeletePath(native_));
    native_ = nullptr;
    return ok;
}

bool PlusPath::Reset() {
    return PlusRecord(flat::GdipResetPath(native_));
}

bool PlusPath::CloseFigure() {
    return PlusRecord(flat::GdipClosePathFigure(native_));
}

bool PlusPath::AddLine(float x1, float y1, float x2, float y2) {
    return PlusRecord(flat::GdipAddPathLine(native_, x1, y1, x2, y2));
}

bool PlusPath::AddArc(float x, float y, float width, float height, float startAngle,
                      float sweepAngle) {
    return PlusRecord(flat::GdipAddPathArc(native_, x, y, width, height, startAngle, sweepAngle));
}

bool PlusPath::AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle) {
    return PlusRecord(flat::GdipAddPathArcI(native_, x, y, width, height, startAngle, sweepAngle));
}

bool PlusPath::AddRectangle(float x, float y, float width, float height) {
    return PlusRecord(flat::GdipAddPathRectangle(native_, x, y, width, height));
}

bool PlusPath::AddEllipse(float x, float y, float width, float height) {
    return PlusRecord(flat::GdipAddPathEllipse(native_, x, y, width, height));
}

bool PlusPath::AddRoundRectPercent(float x, float y, float width, float height, int percent) {
    percent = std::clamp(percent, 1, 100);
    auto right = static_cast<float>(static_cast<double>(x) + width);
    auto bottom = static_cast<float>(static_cast<double>(y) + height);
    auto cornerWidth =
        static_cast<float>(static_cast<int>(static_cast<double>(width) * percent / 100));
    auto cornerHeight =
        static_cast<float>(static_cast<int>(static_cast<double>(height) * percent / 100));
    AddArc(right - cornerWidth, y, cornerWidth, cornerHeight, 270, 90);
    AddArc(right - cornerWidth, bottom - cornerHeight, cornerWidth, cornerHeight, 0, 90);
    AddArc(x, bottom - cornerHeight, cornerWidth, cornerHeight, 90, 90);
    AddArc(x, y, cornerWidth, cornerHeight, 180, 90);
    return CloseFigure();
}

int PlusPath::GetPointCount() const {
    INT count = 0;
    return PlusRecord(flat::GdipGetPointCount(native_, &count)) ? count : 0;
}

std::vector<PointF> PlusPath::GetPoints() const {
    std::vector<PointF> points(static_cast<std::size_t>(GetPointCount()));
    if (points.empty()) return points;
    if (!PlusRecord(
            flat::GdipGetPathPoints(native_, points.data(), static_cast<INT>(points.size()))))
        points.clear();
    return points;
}

std::vector<BYTE> PlusPath::GetTypes() const {
    std::vector<BYTE> types(static_cast<std::size_t>(GetPointCount()));
    if (types.empty()) return types;
    if (!PlusRecord(flat::GdipGetPathTypes(native_, types.data(), static_cast<INT>(types.size()))))
        types.clear();
    return types;
}

RectF PlusPath::GetBounds() const {
    RectF bounds;
    if (!PlusRecord(flat::GdipGetPathWorldBounds(native_, &bounds, nullptr, nullptr)))
        return RectF();
    return bounds;
}

bool PlusRegion::Create() {
    Gdiplus::GpRegion* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateRegion(&handle));
    native_ = handle;
    return ok;
}

bool PlusRegion::FromRect(const RectF& rect) {
    Gdiplus::GpRegion* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateRegionRect(&rect, &handle));
    native_ = handle;
    return ok;
}

bool PlusRegion::FromPath(const PlusPath& path) {
    Gdiplus::GpRegion* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateRegionPath(path.GetNative(), &handle));
    native_ = handle;
    return ok;
}

bool PlusRegion::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeleteRegion(native_));
    native_ = nullptr;
    return ok;
}

} // namespace qz
