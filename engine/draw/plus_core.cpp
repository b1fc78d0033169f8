#include "engine/draw/plus_status.h"
#include <memory>

namespace qz {

Gdiplus::Status PlusLastStatus = Gdiplus::Ok;

std::wstring ToWideText(const std::string& text) {
    int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (units <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], units);
    wide.resize(static_cast<std::size_t>(units) - 1);
    return wide;
}

std::string FromWideText(const wchar_t* wide) {
    if (wide == nullptr) return std::string();
    int bytes = WideCharToMultiByte(CP_OEMCP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, wide, -1, &text[0], bytes, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(bytes) - 1);
    return text;
}

std::string GuidText(const GUID& guid) {
    wchar_t text[39] = {};
    if (StringFromGUID2(guid, text, static_cast<int>(sizeof text / sizeof text[0])) == 0)
        return std::string();
    return FromWideText(text);
}

std::string FindEncoderClsid(const std::string& formatId) {
    UINT count = 0;
    UINT size = 0;
    if (!PlusRecord(flat::GdipGetImageEncodersSize(&count, &size)) || size == 0)
        return std::string();
    // The codec records are followed by the strings they point to, in the same block.
    std::vector<Gdiplus::ImageCodecInfo> block(size / sizeof(Gdiplus::ImageCodecInfo) + 1);
    if (!PlusRecord(flat::GdipGetImageEncoders(count, size, block.data()))) return std::string();
    for (UINT i = 0; i < count; ++i) {
        if (GuidText(block[i].FormatID) == formatId) return GuidText(block[i].Clsid);
    }
    return std::string();
}

} // namespace qz
