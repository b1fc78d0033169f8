#include "engine/draw/hglobal_stream.h"
#include <algorithm>
#include <cstring>

namespace qz {

HGlobalStream::~HGlobalStream() {
    Release();
}

IStream* HGlobalStream::SetBytes(const void* bytes, std::size_t count) {
    Release();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, count);
    if (block == nullptr) return nullptr;
    if (count > 0 && bytes != nullptr) {
        locked_ = GlobalLock(block);
        if (locked_ == nullptr) {
            GlobalFree(block);
            return nullptr;
        }
        std::memcpy(locked_, bytes, count);
        GlobalUnlock(block);
        locked_ = nullptr;
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream))) {
        GlobalFree(block);
        return nullptr;
    }
    block_ = block;
    stream_ = stream;
    ownsBlock_ = true;
    return stream_;
}

bool HGlobalStream::Attach(IStream* stream) {
    Release();
    stream_ = stream;
    HGLOBAL block = nullptr;
    if (stream == nullptr || FAILED(GetHGlobalFromStream(stream, &block))) block = nullptr;
    block_ = block;
    ownsBlock_ = false;
    return block_ != nullptr;
}

void HGlobalStream::Release() {
    if (stream_ != nullptr) {
        HGLOBAL block = GetHglobal();
        stream_->Release();
        if (ownsBlock_ && block != nullptr) GlobalFree(block);
    }
    block_ = nullptr;
    locked_ = nullptr;
    stream_ = nullptr;
    ownsBlock_ = false;
}

HGLOBAL HGlobalStream::GetHglobal() const {
    // Writing past the end reallocates the block, which may give it a new handle.
    HGLOBAL block = nullptr;
    if (stream_ != nullptr && SUCCEEDED(GetHGlobalFromStream(stream_, &block))) return block;
    return block_;
}

SIZE_T HGlobalStream::GetSize() const {
    HGLOBAL block = GetHglobal();
    return block ? GlobalSize(block) : 0;
}

ByteBuffer HGlobalStream::GetBytes() const {
    HGLOBAL block = GetHglobal();
    if (block == nullptr) return ByteBuffer();
    SIZE_T size = GlobalSize(block);
    // A block may be larger than what was written into it; the stream knows the real length.
    STATSTG stat = {};
    if (stream_ != nullptr && SUCCEEDED(stream_->Stat(&stat, STATFLAG_NONAME)))
        size = std::min<SIZE_T>(size, static_cast<SIZE_T>(stat.cbSize.QuadPart));
    if (size == 0) return ByteBuffer();
    const void* data = GlobalLock(block);
    if (data == nullptr) return ByteBuffer();
    ByteBuffer bytes(static_cast<const unsigned char*>(data),
                     static_cast<const unsigned char*>(data) + size);
    GlobalUnlock(block);
    return bytes;
}

} // namespace qz
