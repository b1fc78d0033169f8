#include "engine/core/engine.h"

#include "engine/controls/buttons/push_button.h"

#include <gdiplus.h>

#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/images.h"

namespace qz {

ImageStrip CheckStrip;

namespace {

void (*g_app_release)() = nullptr;

constexpr int kVeilAlpha = 160;
constexpr int kSmallIconId = 129;

HICON LoadSmallIcon() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    auto load = [module](LPCSTR name) {
        return static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    };
    HICON icon = load(MAKEINTRESOURCEA(kSmallIconId));
    return icon ? icon : load("DEFAULT_ICON");
}

} // namespace

ULONG_PTR StartGdiplus(UINT32 version, bool version_given) {
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = version_given ? version : 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Engine.gdiplus_shutdown_token = token;
    return token;
}

void StopGdiplus(ULONG_PTR token, bool token_given) {
    if (!token_given) token = Engine.gdiplus_shutdown_token;
    if (!token) return;
    // Every copy of the token is forgotten, so that no later call shuts the same session down
    // a second time.
    if (Engine.gdiplus_shutdown_token == token) Engine.gdiplus_shutdown_token = 0;
    if (Engine.gdiplus_token == token) Engine.gdiplus_token = 0;
    Gdiplus::GdiplusShutdown(token);
}

int StartEngine() {
    Engine.gdiplus_token = StartGdiplus();
    Engine.small_icon = LoadSmallIcon();
    Engine.first_size = 1;
    Engine.started = 1;
    Engine.veil_alpha = kVeilAlpha;
    ThemeColor = kDefaultThemeColor;
    Engine.track_bar_option = 1;
    Engine.list_hover_option = 0;
    CheckStrip.LoadStrip(images::CheckStripImage);
    return 0;
}

void SetAppReleaseHook(void (*release)()) {
    g_app_release = release;
}

void ReleaseEngine() {
    if (g_app_release) g_app_release();
    WindowTable.Clear();
    // Running fades hold memory DCs of the registry: they go first, while it still exists.
    StopAllFades();
    MemoryDcRegistry.Clear();
    CheckStrip.Clear();
}

} // namespace qz
