#pragma once
#include "engine/draw/plus.h"

namespace qz {

// Records a flat call's status as the layer's last status; true when it is Ok.
inline bool PlusRecord(Gdiplus::Status status) {
    PlusLastStatus = status;
    return status == Gdiplus::Ok;
}

// Flat calls that differ only by their handle type are spelled once through these.
namespace flat = Gdiplus::DllExports;

} // namespace qz
