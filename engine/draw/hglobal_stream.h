#pragma once
#include <windows.h>
#include <objidl.h>
#include <cstddef>
#include <vector>

namespace qz {

// Counted byte data as the engine passes it around (PNG files, cells of an image strip).
using ByteBuffer = std::vector<unsigned char>;

// A COM memory stream over a movable global memory block. Images are decoded from and encoded
// into byte buffers through it. Not copyable: it owns one stream reference and, unless the
// stream came from Attach, the block.
class HGlobalStream {
  public:
    HGlobalStream() = default;
    ~HGlobalStream();
    HGlobalStream(const HGlobalStream&) = delete;
    HGlobalStream& operator=(const HGlobalStream&) = delete;

    // Replaces what is held by a new zero-filled block holding a copy of the bytes and a
    // stream on it; returns the stream, or nullptr when memory or the stream cannot be had.
    IStream* SetBytes(const void* bytes, std::size_t count);
    IStream* SetBytes(const ByteBuffer& bytes) { return SetBytes(bytes.data(), bytes.size()); }
    // Takes over the caller's reference to stream (the block stays the stream owner's to
    // free); true when the stream's block could be obtained.
    bool Attach(IStream* stream);
    void Release();

    SIZE_T GetSize() const;
    IStream* GetStream() const { return stream_; }
    HGLOBAL GetHglobal() const;
    // A copy of the stream's contents.
    ByteBuffer GetBytes() const;

  private:
    HGLOBAL block_ = nullptr;
    void* locked_ = nullptr;
    IStream* stream_ = nullptr;
    bool ownsBlock_ = false;
};

} // namespace qz
