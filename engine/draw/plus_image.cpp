#include "engine/draw/plus_status.h"

namespace qz {

namespace {

// An EncoderParameters block: a count followed by that many parameter records.
class EncoderBlock {
  public:
    explicit EncoderBlock(const std::vector<PlusEncoderParameter>& parameters) {
        if (parameters.empty()) return;
        bytes_.resize(sizeof(Gdiplus::EncoderParameters) +
                      (parameters.size() - 1) * sizeof(Gdiplus::EncoderParameter));
        auto* block = Get();
        block->Count = static_cast<UINT>(parameters.size());
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            Gdiplus::EncoderParameter& out = block->Parameter[i];
            CLSIDFromString(ToWideText(parameters[i].guid).c_str(), &out.Guid);
            out.NumberOfValues = parameters[i].count;
            out.Type = parameters[i].type;
            out.Value = parameters[i].values;
        }
    }
    Gdiplus::EncoderParameters* Get() {
        return bytes_.empty() ? nullptr : reinterpret_cast<Gdiplus::EncoderParameters*>(&bytes_[0]);
    }

  private:
    ByteBuffer bytes_;
};

bool EncoderFor(const std::string& format, CLSID& clsid) {
    std::string text = FindEncoderClsid(format);
    return !text.empty() && SUCCEEDED(CLSIDFromString(ToWideText(text).c_str(), &clsid));
}

} // namespace

PlusImage::~PlusImage() {
    Dispose();
}

bool PlusImage::FinishLoad(Gdiplus::Status status, Gdiplus::GpImage* handle) {
    if (status != Gdiplus::Ok) {
        handle = nullptr;
        stream_.Release();
    }
    native_ = handle;
    return PlusRecord(status);
}

bool PlusImage::LoadFromBytes(const unsigned char* bytes, std::size_t count, bool useIcm) {
    // The decoder keeps reading the stream that the old image was made from.
    Dispose();
    IStream* stream = stream_.SetBytes(bytes, count);
    Gdiplus::GpImage* handle = nullptr;
    Gdiplus::Status status = useIcm ? flat::GdipLoadImageFromStreamICM(stream, &handle)
                                    : flat::GdipLoadImageFromStream(stream, &handle);
    return FinishLoad(status, handle);
}

bool PlusImage::LoadFromFile(const std::string& fileName, bool useIcm) {
    Dispose();
    std::wstring name = ToWideText(fileName);
    Gdiplus::GpImage* handle = nullptr;
    Gdiplus::Status status = useIcm ? flat::GdipLoadImageFromFileICM(name.c_str(), &handle)
                                    : flat::GdipLoadImageFromFile(name.c_str(), &handle);
    return FinishLoad(status, handle);
}

bool PlusImage::Dispose() {
    if (native_ == nullptr) return false;
    // The image goes first: GDI+ may still read the stream until it is disposed of.
    bool ok = PlusRecord(flat::GdipDisposeImage(native_));
    native_ = nullptr;
    stream_.Release();
    return ok;
}

UINT PlusImage::GetWidth() const {
    UINT width = 0;
    return PlusRecord(flat::GdipGetImageWidth(native_, &width)) ? width : 0;
}

UINT PlusImage::GetHeight() const {
    UINT height = 0;
    return PlusRecord(flat::GdipGetImageHeight(native_, &height)) ? height : 0;
}

bool PlusImage::RotateFlip(Gdiplus::RotateFlipType type) {
    return PlusRecord(flat::GdipImageRotateFlip(native_, type));
}

std::string PlusImage::GetRawFormat() const {
    GUID format = {};
    if (!PlusRecord(flat::GdipGetImageRawFormat(native_, &format))) return std::string();
    return GuidText(format);
}

ByteBuffer PlusImage::SaveToBytes(const std::string& format,
                                  const std::vector<PlusEncoderParameter>& parameters) const {
    CLSID clsid;
    if (!EncoderFor(format.empty() ? GetRawFormat() : format, clsid)) return ByteBuffer();
    EncoderBlock block(parameters);
    HGlobalStream out;
    IStream* stream = out.SetBytes(nullptr, 0);
    if (stream == nullptr) return ByteBuffer();
    if (!PlusRecord(flat::GdipSaveImageToStream(native_, stream, &clsid, block.Get())))
        return ByteBuffer();
    return out.GetBytes();
}

bool PlusImage::SaveToFile(const std::string& fileName, const std::string& format,
                           const std::vector<PlusEncoderParameter>& parameters) const {
    CLSID clsid;
    if (!EncoderFor(format.empty() ? kBmpFormat : format, clsid)) return false;
    EncoderBlock block(parameters);
    std::wstring name = ToWideText(fileName);
    return PlusRecord(flat::GdipSaveImageToFile(native_, name.c_str(), &clsid, block.Get()));
}

bool PlusBitmap::LoadFromBytes(const unsigned char* bytes, std::size_t count, bool useIcm) {
    Dispose();
    IStream* stream = stream_.SetBytes(bytes, count);
    Gdiplus::GpBitmap* handle = nullptr;
    Gdiplus::Status status = useIcm ? flat::GdipCreateBitmapFromStreamICM(stream, &handle)
                                    : flat::GdipCreateBitmapFromStream(stream, &handle);
    return FinishLoad(status, handle);
}

bool PlusBitmap::LoadFromFile(const std::string& fileName, bool useIcm) {
    Dispose();
    std::wstring name = ToWideText(fileName);
    Gdiplus::GpBitmap* handle = nullptr;
    Gdiplus::Status status = useIcm ? flat::GdipCreateBitmapFromFileICM(name.c_str(), &handle)
                                    : flat::GdipCreateBitmapFromFile(name.c_str(), &handle);
    return FinishLoad(status, handle);
}

bool PlusBitmap::CreateEmpty(int width, int height, Gdiplus::PixelFormat format) {
    Gdiplus::GpBitmap* handle = nullptr;
    bool ok =
        PlusRecord(flat::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &handle));
    native_ = handle;
    return ok;
}

bool PlusBitmap::FromIcon(HICON icon) {
    Gdiplus::GpBitmap* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateBitmapFromHICON(icon, &handle));
    native_ = handle;
    return ok;
}

HBITMAP PlusBitmap::GetHbitmap(ArgbColor background) const {
    HBITMAP bitmap = nullptr;
    if (!PlusRecord(flat::GdipCreateHBITMAPFromBitmap(GetNative(), &bitmap, background)))
        return nullptr;
    return bitmap;
}

bool PlusBitmap::CloneArea(const RectF& area, Gdiplus::PixelFormat format,
                           PlusBitmap& target) const {
    Gdiplus::GpBitmap* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCloneBitmapArea(area.X, area.Y, area.Width, area.Height, format,
                                                   GetNative(), &handle));
    target.SetNative(handle);
    return ok;
}

ArgbColor PlusBitmap::GetPixel(int x, int y) const {
    Gdiplus::ARGB color = 0;
    return PlusRecord(flat::GdipBitmapGetPixel(GetNative(), x, y, &color)) ? color : 0;
}

bool PlusBitmap::SetPixel(int x, int y, ArgbColor color) {
    return PlusRecord(flat::GdipBitmapSetPixel(GetNative(), x, y, color));
}

} // namespace qz
