#pragma once
#include <windows.h>
#include <cstddef>
#include <vector>
#include "engine/draw/hglobal_stream.h"
#include "engine/draw/image_bytes.h"

namespace qz {

// One picture cut out of a strip, kept as PNG bytes so that painters decode it per paint.
struct StripCell {
    ByteBuffer png;
    int width = 0;
    int height = 0;
};

// The cells of one PNG strip, cut at separator columns. Cell indexes are 1-based.
class ImageStrip {
  public:
    static constexpr COLORREF kDefaultSeparator = 0x00FF00FF;

    // Removes all cells, then cuts the PNG at every column whose third-row pixel is the
    // opaque separator colour; returns the number of cells.
    int LoadStrip(const unsigned char* bytes, std::size_t count,
                  COLORREF separator = kDefaultSeparator);
    int LoadStrip(const ImageBytes& image, COLORREF separator = kDefaultSeparator) {
        return LoadStrip(image.Data(), image.Size(), separator);
    }
    int LoadStrip(const ByteBuffer& png, COLORREF separator = kDefaultSeparator) {
        return LoadStrip(png.data(), png.size(), separator);
    }

    // Appends a cell; its size is read by decoding the bytes. Returns the new count.
    int AddCell(const ByteBuffer& png);
    bool RemoveCell(int index);
    void Clear();
    // A copy of the cell's PNG bytes; empty for an index outside 1..count.
    ByteBuffer GetCell(int index) const;
    int GetCount() const { return static_cast<int>(cells_.size()); }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetCellWidth(int index) const;
    int GetCellHeight(int index) const;
    COLORREF GetSeparator() const { return separator_; }

  private:
    const StripCell* Cell(int index) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<StripCell> cells_;
    COLORREF separator_ = kDefaultSeparator;
};

} // namespace qz
