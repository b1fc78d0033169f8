#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qz {

// A constant byte buffer as the engine stores pictures: int32 1, int32 length N, then N bytes.
struct ImageBytes {
    const unsigned char* raw;

    std::uint32_t Size() const {
        std::uint32_t n;
        std::memcpy(&n, raw + 4, sizeof n);
        return n;
    }
    const unsigned char* Data() const { return raw + 8; }
};

} // namespace qz
