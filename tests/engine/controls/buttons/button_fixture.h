#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>

#include "engine/controls/buttons/check_radio.h"
#include "engine/controls/buttons/push_button.h"
#include "engine/core/engine.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/skin_window.h"
#include "engine/core/window_table.h"
#include "engine/draw/compositing.h"
#include "tests/support/win_helpers.h"

// A skinned window whose background and presentation DCs hold one known colour, with buttons
// placed on it, for the tests of the button-family skins.
namespace qztest {

inline constexpr COLORREF kGrey = RGB(128, 128, 128);
inline constexpr int kKeyWidth = 100;
inline constexpr int kKeyHeight = 30;
inline constexpr int kBoxWidth = 120;
inline constexpr int kBoxHeight = 20;

inline COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y) & 0xFFFFFF;
}

// How far a colour leans towards the theme colour (cyan: much more blue than red).
inline int ThemeLean(COLORREF c) {
    return GetBValue(c) - GetRValue(c);
}

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

inline void FillDC(HDC dc, int width, int height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

inline LRESULT SendAt(HWND hwnd, UINT message, int x = 5, int y = 5, WPARAM wParam = 0) {
    return SendMessageA(hwnd, message, wParam, MAKELPARAM(x, y));
}

class ButtonTest : public testing::Test {
  protected:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;

    void SetUp() override {
        if (!qz::Engine.started) qz::StartEngine();
        // The pointer rests far from the test windows, so the system reports no hover of its
        // own; the tests send the mouse messages themselves.
        SetCursorPos(1010, 750);
        qz::Engine.first_size = 0;
        qz::StopAllFades();
    }
    void TearDown() override {
        qz::StopAllFades();
        qz::ObserveClickFrames(nullptr);
    }

    HWND Add(const char* text, DWORD style, int x, int y, int w = kKeyWidth, int h = kKeyHeight) {
        return window_.AddChild("BUTTON", text, style, x, y, w, h);
    }
    HWND AddBox(const char* text, DWORD style, int x, int y) {
        return Add(text, style, x, y, kBoxWidth, kBoxHeight);
    }

    // Skins the window (its children added so far are taken over), shows it without activation
    // and, once its first paints have run, fills both of its DCs with background.
    qz::WindowSkin& Skin(COLORREF background = kGrey) {
        qz::SkinWindowEx(window_.Handle(), std::nullopt, 0);
        ShowWindow(window_.Handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(window_.Handle());
        PumpPending();
        SetBackground(background);
        return *Record();
    }

    void SetBackground(COLORREF background) {
        qz::WindowSkin& skin = *Record();
        if (!skin.background_dc) skin.background_dc = qz::CreateMemoryDC(kWidth, kHeight);
        if (!skin.presentation_dc) skin.presentation_dc = qz::CreateMemoryDC(kWidth, kHeight);
        FillDC(skin.background_dc, kWidth, kHeight, background);
        FillDC(skin.presentation_dc, kWidth, kHeight, background);
    }

    qz::WindowSkin* Record() { return qz::WindowTable.At(Index()); }
    int Index() { return qz::IndexOfWindow(window_.Handle()); }
    HWND Window() { return window_.Handle(); }

    static qz::ButtonSkin* ButtonOf(HWND control) {
        return qz::FindControlRecord(control, &qz::WindowSkin::buttons);
    }

    // A pixel of the control's last finished image, as the window's presentation DC holds it
    // (control client coordinates).
    COLORREF Presented(HWND control, int x, int y) {
        RECT place = qz::ClientRectInWindow(control);
        return PixelAt(Record()->presentation_dc, place.left + x, place.top + y);
    }

    // What the control shows on the screen.
    static COLORREF OnScreen(HWND control, int x, int y) {
        HDC dc = GetDC(control);
        COLORREF c = PixelAt(dc, x, y);
        ReleaseDC(control, dc);
        return c;
    }

    static void PaintKey(HWND control, UINT state) {
        HDC dc = GetDC(control);
        RECT rect{};
        GetClientRect(control, &rect);
        qz::PaintPushButton(control, dc, state, rect);
        ReleaseDC(control, dc);
    }

    TestWindow window_{kWidth, kHeight, WS_POPUP};
};

} // namespace qztest
