#include "engine/draw/image_strip.h"
#include "engine/draw/colors.h"
#include "engine/draw/plus.h"

namespace qz {

namespace {

// Cuts columns start .. start + width - 1 out of the strip as a PNG cell; false when there is
// nothing to cut (two adjacent separators, a separator in the last column) or GDI+ fails.
bool CutCell(const PlusBitmap& strip, int start, int width, int height, StripCell& cell) {
    if (width <= 0 || height <= 0) return false;
    PlusBitmap piece;
    RectF area(static_cast<float>(start), 0, static_cast<float>(width), static_cast<float>(height));
    if (!strip.CloneArea(area, PixelFormat32bppARGB, piece)) return false;
    cell.png = piece.SaveToBytes(kPngFormat);
    cell.width = width;
    cell.height = height;
    return !cell.png.empty();
}

} // namespace

int ImageStrip::LoadStrip(const unsigned char* bytes, std::size_t count, COLORREF separator) {
    Clear();
    separator_ = separator;
    PlusBitmap strip;
    if (!strip.LoadFromBytes(bytes, count)) return 0;
    width_ = static_cast<int>(strip.GetWidth());
    height_ = static_cast<int>(strip.GetHeight());
    const ArgbColor mark = MakeArgb(separator);
    StripCell cell;
    int start = 0;
    // Column 0 is never a separator: a strip starts with a cell.
    for (int x = 1; x < width_; ++x) {
        if (strip.GetPixel(x, 2) != mark) continue;
        if (CutCell(strip, start, x - start, height_, cell)) cells_.push_back(cell);
        start = x + 1;
    }
    if (CutCell(strip, start, width_ - start, height_, cell)) cells_.push_back(cell);
    return GetCount();
}

int ImageStrip::AddCell(const ByteBuffer& png) {
    PlusImage image;
    image.LoadFromBytes(png);
    StripCell cell;
    cell.png = png;
    cell.width = static_cast<int>(image.GetWidth());
    cell.height = static_cast<int>(image.GetHeight());
    cells_.push_back(cell);
    return GetCount();
}

bool ImageStrip::RemoveCell(int index) {
    if (Cell(index) == nullptr) return false;
    cells_.erase(cells_.begin() + (index - 1));
    return true;
}

void ImageStrip::Clear() {
    cells_.clear();
    width_ = 0;
    height_ = 0;
}

ByteBuffer ImageStrip::GetCell(int index) const {
    const StripCell* cell = Cell(index);
    return cell ? cell->png : ByteBuffer();
}

int ImageStrip::GetCellWidth(int index) const {
    const StripCell* cell = Cell(index);
    return cell ? cell->width : 0;
}

int ImageStrip::GetCellHeight(int index) const {
    const StripCell* cell = Cell(index);
    return cell ? cell->height : 0;
}

const StripCell* ImageStrip::Cell(int index) const {
    if (index < 1 || index > GetCount()) return nullptr;
    return &cells_[static_cast<std::size_t>(index - 1)];
}

} // namespace qz
