#include "engine/draw/plus_status.h"
#include <memory>

namespace qz {

namespace {

struct GdipFreer {
    void operator()(void* block) const { flat::GdipFree(block); }
};

} // namespace

bool PlusFontFamily::Create(const std::string& name, const PlusFontCollection& collection) {
    std::wstring wide = ToWideText(name);
    Gdiplus::GpFontFamily* handle = nullptr;
    bool ok = PlusRecord(
        flat::GdipCreateFontFamilyFromName(wide.c_str(), collection.GetNative(), &handle));
    native_ = handle;
    return ok;
}

std::string PlusFontFamily::GetName() const {
    WCHAR name[LF_FACESIZE] = {};
    if (!PlusRecord(flat::GdipGetFamilyName(native_, name, 0))) return std::string();
    name[LF_FACESIZE - 1] = L'\0';
    return FromWideText(name);
}

bool PlusFontFamily::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeleteFontFamily(native_));
    native_ = nullptr;
    return ok;
}

bool PlusFont::Create(const std::string& familyName, float emSize, int style, Gdiplus::Unit unit) {
    PlusFontFamily family;
    family.Create(familyName);
    Gdiplus::GpFont* handle = nullptr;
    Gdiplus::Status status = flat::GdipCreateFont(family.GetNative(), emSize, style, unit, &handle);
    family.Delete();
    native_ = handle;
    return PlusRecord(status);
}

bool PlusFont::FromHdc(HDC dc, HFONT font) {
    Gdiplus::GpFont* handle = nullptr;
    std::unique_ptr<void, GdipFreer> logfont;
    if (font != nullptr) logfont.reset(Allocate(sizeof(LOGFONTA)));
    Gdiplus::Status status;
    if (logfont && GetObjectA(font, sizeof(LOGFONTA), logfont.get()) != 0) {
        status =
            flat::GdipCreateFontFromLogfontA(dc, static_cast<LOGFONTA*>(logfont.get()), &handle);
    } else {
        status = flat::GdipCreateFontFromDC(dc, &handle);
    }
    native_ = handle;
    return PlusRecord(status);
}

bool PlusFont::GetFamily(PlusFontFamily& family) const {
    Gdiplus::GpFontFamily* handle = nullptr;
    bool ok = PlusRecord(flat::GdipGetFamily(native_, &handle));
    family.SetNative(handle);
    return ok;
}

int PlusFont::GetStyle() const {
    INT style = 0;
    return PlusRecord(flat::GdipGetFontStyle(native_, &style)) ? style : 0;
}

float PlusFont::GetSize() const {
    Gdiplus::REAL size = 0;
    return PlusRecord(flat::GdipGetFontSize(native_, &size)) ? size : 0.0f;
}

bool PlusFont::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeleteFont(native_));
    native_ = nullptr;
    return ok;
}

bool PlusStringFormat::Create(int flags, LANGID language) {
    Gdiplus::GpStringFormat* handle = nullptr;
    bool ok = PlusRecord(flat::GdipCreateStringFormat(flags, language, &handle));
    native_ = handle;
    return ok;
}

bool PlusStringFormat::GenericTypographic() {
    Gdiplus::GpStringFormat* handle = nullptr;
    bool ok = PlusRecord(flat::GdipStringFormatGetGenericTypographic(&handle));
    native_ = handle;
    return ok;
}

bool PlusStringFormat::SetFlags(int flags) {
    return PlusRecord(flat::GdipSetStringFormatFlags(native_, flags));
}

bool PlusStringFormat::SetAlign(Gdiplus::StringAlignment align) {
    return PlusRecord(flat::GdipSetStringFormatAlign(native_, align));
}

bool PlusStringFormat::SetLineAlign(Gdiplus::StringAlignment align) {
    return PlusRecord(flat::GdipSetStringFormatLineAlign(native_, align));
}

bool PlusStringFormat::SetTrimming(Gdiplus::StringTrimming trimming) {
    return PlusRecord(flat::GdipSetStringFormatTrimming(native_, trimming));
}

bool PlusStringFormat::SetHotkeyPrefix(int prefix) {
    return PlusRecord(flat::GdipSetStringFormatHotkeyPrefix(native_, prefix));
}

bool PlusStringFormat::Delete() {
    if (native_ == nullptr) return false;
    bool ok = PlusRecord(flat::GdipDeleteStringFormat(native_));
    native_ = nullptr;
    return ok;
}

} // namespace qz
