#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "engine/controls/common/container.h"
#include "engine/core/engine.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/skin_window.h"
#include "engine/draw/compositing.h"
#include "tests/engine/core/skinned_test_window.h"

// Skinned windows whose background DC holds a known picture, for the container tests.
namespace qztest {

inline constexpr int kWindowWidth = 300;
inline constexpr int kWindowHeight = 200;

// A pattern in which neighbouring pixels differ and no pixel is grey, so that no background
// pixel can be mistaken for the button-face colour.
inline COLORREF PatternAt(int x, int y) {
    return RGB((x * 7) & 0xFF, (y * 5) & 0xFF, 0x40);
}

inline COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y) & 0xFFFFFF;
}

// Writes a picture of the window's size into dc: the pattern, or one colour.
inline void FillPicture(HDC dc, int width, int height, const COLORREF* colour) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour ? *colour : PatternAt(x, y);
            bits[static_cast<size_t>(y) * width + x] =
                (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, bits.data(), &info, DIB_RGB_COLORS);
}

class ContainerTest : public testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        StartEngineForTests();
        ParkCursor();
        qz::Engine.first_size = 0;
    }

    // Skins the window without a title bar; when shown, it is shown without activation and its
    // first paints have run. The background DC then holds the pattern (or one colour), and so
    // does the presentation DC.
    qz::WindowSkin& Skin(LoggedWindow& window, bool show, const COLORREF* colour = nullptr) {
        HWND h = window.Handle();
        qz::SkinWindowEx(h, std::nullopt, 0);
        if (show) ShowAndSettle(h);
        qz::WindowSkin& skin = *RecordOf(h);
        if (!skin.background_dc)
            skin.background_dc = qz::CreateMemoryDC(kWindowWidth, kWindowHeight);
        if (!skin.presentation_dc)
            skin.presentation_dc = qz::CreateMemoryDC(kWindowWidth, kWindowHeight);
        FillPicture(skin.background_dc, kWindowWidth, kWindowHeight, colour);
        FillPicture(skin.presentation_dc, kWindowWidth, kWindowHeight, colour);
        return skin;
    }

    static HWND AddChild(HWND parent, const char* cls, const char* text, DWORD style, int x, int y,
                         int w, int h) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

} // namespace qztest
