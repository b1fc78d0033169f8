#pragma once
// Thin wrappers over the GDI+ flat interface: one class per kind of GDI+ object, each owning one
// handle. Every operation that reaches GDI+ records its status in PlusLastStatus; operations
// return true exactly when that status is Ok, getters return 0 when the call failed. Nothing
// raises. An empty wrapper passes a null handle, which GDI+ takes as "the default" where it has
// one (the default string format, the installed font collection).
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "engine/draw/hglobal_stream.h"
#include "engine/draw/image_bytes.h"

namespace qz {

// 0xAARRGGBB, as GDI+ takes colours.
using ArgbColor = Gdiplus::ARGB;
using RectF = Gdiplus::RectF;
using PointF = Gdiplus::PointF;

// Status of the most recent wrapper call that reached GDI+.
extern Gdiplus::Status PlusLastStatus;

// GBK text to UTF-16 through the ANSI code page; always zero-terminated.
std::wstring ToWideText(const std::string& text);
// UTF-16 to 8-bit text through the OEM code page.
std::string FromWideText(const wchar_t* wide);

// The image-format identifiers as StringFromGUID2 writes them.
inline constexpr const char* kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kBmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
// Braced upper-case text of a GUID.
std::string GuidText(const GUID& guid);
// Clsid text of the first installed encoder whose format is formatId; empty when none.
std::string FindEncoderClsid(const std::string& formatId);

// One encoder parameter as SaveToBytes packs it: the parameter's GUID as text, then its values.
struct PlusEncoderParameter {
    std::string guid;
    ULONG count = 0;
    ULONG type = 0;
    void* values = nullptr;
};

template <class Handle> class PlusObject {
  public:
    PlusObject() = default;
    PlusObject(const PlusObject&) = delete;
    PlusObject& operator=(const PlusObject&) = delete;

    Handle* GetNative() const { return native_; }
    // Stores a handle without disposing of the one held before.
    void SetNative(Handle* handle) { native_ = handle; }
    bool IsEmpty() const { return native_ == nullptr; }
    static void* Allocate(std::size_t size) { return Gdiplus::DllExports::GdipAlloc(size); }
    static void Free(void* block) { Gdiplus::DllExports::GdipFree(block); }

  protected:
    Handle* native_ = nullptr;
};

class PlusImage : public PlusObject<Gdiplus::GpImage> {
  public:
    PlusImage() = default;
    ~PlusImage();

    // Decodes a PNG (or any format GDI+ reads); the bytes are copied and kept for as long as
    // the image lives.
    bool LoadFromBytes(const unsigned char* bytes, std::size_t count, bool useIcm = false);
    bool LoadFromBytes(const ImageBytes& image, bool useIcm = false) {
        return LoadFromBytes(image.Data(), image.Size(), useIcm);
    }
    bool LoadFromBytes(const ByteBuffer& bytes, bool useIcm = false) {
        return LoadFromBytes(bytes.data(), bytes.size(), useIcm);
    }
    bool LoadFromFile(const std::string& fileName, bool useIcm = false);
    bool Dispose();

    UINT GetWidth() const;
    UINT GetHeight() const;
    bool RotateFlip(Gdiplus::RotateFlipType type);
    // Braced text of the image's own format GUID; empty on failure.
    std::string GetRawFormat() const;
    // Encodes the image; format empty: its own raw format. Empty when no encoder matches.
    ByteBuffer SaveToBytes(const std::string& format = "",
                           const std::vector<PlusEncoderParameter>& parameters = {}) const;
    // format empty: BMP.
    bool SaveToFile(const std::string& fileName, const std::string& format = "",
                    const std::vector<PlusEncoderParameter>& parameters = {}) const;

  protected:
    // Keeps the decoding stream alive with the handle, or releases it when decoding failed.
    bool FinishLoad(Gdiplus::Status status, Gdiplus::GpImage* handle);

    HGlobalStream stream_;
};

class PlusBitmap : public PlusImage {
  public:
    Gdiplus::GpBitmap* GetNative() const { return static_cast<Gdiplus::GpBitmap*>(native_); }

    bool LoadFromBytes(const unsigned char* bytes, std::size_t count, bool useIcm = false);
    bool LoadFromBytes(const ImageBytes& image, bool useIcm = false) {
        return LoadFromBytes(image.Data(), image.Size(), useIcm);
    }
    bool LoadFromBytes(const ByteBuffer& bytes, bool useIcm = false) {
        return LoadFromBytes(bytes.data(), bytes.size(), useIcm);
    }
    bool LoadFromFile(const std::string& fileName, bool useIcm = false);
    bool CreateEmpty(int width, int height, Gdiplus::PixelFormat format = PixelFormat32bppARGB);
    bool FromIcon(HICON icon);
    // A new HBITMAP that the caller owns; nullptr on failure.
    HBITMAP GetHbitmap(ArgbColor background) const;
    // target receives the cut-out bitmap (its previous handle is not disposed of).
    bool CloneArea(const RectF& area, Gdiplus::PixelFormat format, PlusBitmap& target) const;
    ArgbColor GetPixel(int x, int y) const;
    bool SetPixel(int x, int y, ArgbColor color);
};

class PlusPath;
class PlusBrush;
class PlusPen;
class PlusFont;
class PlusStringFormat;

class PlusGraphics : public PlusObject<Gdiplus::GpGraphics> {
  public:
    PlusGraphics() = default;
    ~PlusGraphics() { Delete(); }

    bool FromHdc(HDC dc, HANDLE device = nullptr);
    bool FromImage(const PlusImage& image);
    bool Delete();

    bool SetCompositingQuality(Gdiplus::CompositingQuality quality);
    bool SetSmoothingMode(Gdiplus::SmoothingMode mode);
    bool SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
    bool SetInterpolationMode(Gdiplus::InterpolationMode mode);
    bool SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
    bool Clear(ArgbColor color);

    bool DrawLine(const PlusPen& pen, float x1, float y1, float x2, float y2);
    bool DrawRectangle(const PlusPen& pen, float x, float y, float width, float height);
    bool DrawEllipse(const PlusPen& pen, float x, float y, float width, float height);
    bool DrawPath(const PlusPen& pen, const PlusPath& path);
    bool FillRectangle(const PlusBrush& brush, float x, float y, float width, float height);
    bool FillEllipse(const PlusBrush& brush, float x, float y, float width, float height);
    bool FillPath(const PlusBrush& brush, const PlusPath& path);

    bool DrawString(const std::string& text, const PlusFont& font, const PlusBrush& brush,
                    const RectF& layout, const PlusStringFormat& format);
    bool MeasureString(const std::string& text, const PlusFont& font, const RectF& layout,
                       const PlusStringFormat& format, RectF& bounds);

    bool DrawImage(const PlusImage& image, float x, float y);
    // Scales the whole source image into the destination rectangle.
    bool DrawImageRectRect(const PlusImage& image, float x, float y, float width, float height,
                           Gdiplus::Unit sourceUnit = Gdiplus::UnitPixel);

    bool SetClipPath(const PlusPath& path, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
    bool SetClipRect(float x, float y, float width, float height,
                     Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
    bool ResetClip();
};

// Base of the four brush kinds; the handle is stored as the common GpBrush.
class PlusBrush : public PlusObject<Gdiplus::GpBrush> {
  public:
    PlusBrush() = default;
    ~PlusBrush() { Delete(); }
    bool Delete();
    // target receives a copy of this brush (its previous handle is not disposed of).
    bool Clone(PlusBrush& target) const;
    Gdiplus::BrushType GetType() const;
};

class PlusSolidBrush : public PlusBrush {
  public:
    bool Create(ArgbColor color);
};

class PlusLinearGradientBrush : public PlusBrush {
  public:
    Gdiplus::GpLineGradient* GetNative() const {
        return static_cast<Gdiplus::GpLineGradient*>(native_);
    }
    bool Create(const PointF& start, const PointF& end, ArgbColor startColor, ArgbColor endColor);
    bool SetLinearBlend(float focus, float scale);
};

class PlusPathGradientBrush : public PlusBrush {
  public:
    Gdiplus::GpPathGradient* GetNative() const {
        return static_cast<Gdiplus::GpPathGradient*>(native_);
    }
    bool FromPath(const PlusPath& path);
    bool SetCenterColor(ArgbColor color);
    bool SetSurroundColors(const std::vector<ArgbColor>& colors);
    bool SetSurroundColors(const ArgbColor* colors, int count);
    bool SetFocusScales(float xScale, float yScale);
};

class PlusTextureBrush : public PlusBrush {
  public:
    Gdiplus::GpTexture* GetNative() const { return static_cast<Gdiplus::GpTexture*>(native_); }
    bool Create(const PlusImage& image, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
    bool TranslateTransform(float dx, float dy,
                            Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
};

class PlusPen : public PlusObject<Gdiplus::GpPen> {
  public:
    PlusPen() = default;
    ~PlusPen() { Delete(); }
    bool Create(ArgbColor color, float width, Gdiplus::Unit unit = Gdiplus::UnitWorld);
    bool CreateFromBrush(const PlusBrush& brush, float width,
                         Gdiplus::Unit unit = Gdiplus::UnitWorld);
    bool SetWidth(float width);
    bool SetDashStyle(Gdiplus::DashStyle style);
    bool Delete();
};

// The installed fonts stand for an empty collection; nothing is ever created or released.
class PlusFontCollection : public PlusObject<Gdiplus::GpFontCollection> {};

// Not released with the wrapper: a family must be deleted explicitly.
class PlusFontFamily : public PlusObject<Gdiplus::GpFontFamily> {
  public:
    bool Create(const std::string& name,
                const PlusFontCollection& collection = PlusFontCollection());
    // The family name; empty on failure.
    std::string GetName() const;
    bool Delete();
};

class PlusFont : public PlusObject<Gdiplus::GpFont> {
  public:
    PlusFont() = default;
    ~PlusFont() { Delete(); }
    // A font of the named installed family; the status is that of creating the font.
    bool Create(const std::string& familyName, float emSize, int style = 0,
                Gdiplus::Unit unit = Gdiplus::UnitWorld);
    // With a font handle: that font as the DC would draw it; without: the DC's current font.
    bool FromHdc(HDC dc, HFONT font = nullptr);
    // family receives the font's family handle; the caller deletes it.
    bool GetFamily(PlusFontFamily& family) const;
    int GetStyle() const;
    float GetSize() const;
    bool Delete();
};

class PlusStringFormat : public PlusObject<Gdiplus::GpStringFormat> {
  public:
    PlusStringFormat() = default;
    ~PlusStringFormat() { Delete(); }
    bool Create(int flags = 0, LANGID language = 0);
    bool GenericTypographic();
    bool SetFlags(int flags);
    bool SetAlign(Gdiplus::StringAlignment align);
    bool SetLineAlign(Gdiplus::StringAlignment align);
    bool SetTrimming(Gdiplus::StringTrimming trimming);
    bool SetHotkeyPrefix(int prefix);
    bool Delete();
};

class PlusPath : public PlusObject<Gdiplus::GpPath> {
  public:
    PlusPath() = default;
    ~PlusPath() { Delete(); }
    bool Create(Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
    bool Delete();
    bool Reset();
    bool CloseFigure();
    bool AddLine(float x1, float y1, float x2, float y2);
    bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    bool AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle);
    bool AddRectangle(float x, float y, float width, float height);
    bool AddEllipse(float x, float y, float width, float height);
    // Rounded rectangle whose corner boxes are percent of the width and of the height.
    bool AddRoundRectPercent(float x, float y, float width, float height, int percent);

    int GetPointCount() const;
    std::vector<PointF> GetPoints() const;
    std::vector<BYTE> GetTypes() const;
    // Bounds of the path's points; zero rectangle on failure.
    RectF GetBounds() const;
};

class PlusRegion : public PlusObject<Gdiplus::GpRegion> {
  public:
    PlusRegion() = default;
    ~PlusRegion() { Delete(); }
    // An infinite region.
    bool Create();
    bool FromRect(const RectF& rect);
    bool FromPath(const PlusPath& path);
    bool Delete();
};

} // namespace qz
