// Times the painting of a skinned window the size of the utility's: a whole repaint, one step of
// a title-button fade, a caption repaint, each against a bare BitBlt of the client area.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "engine/core/engine.h"
#include "engine/core/frame_paint.h"
#include "engine/core/skin_window.h"
#include "engine/core/window_table.h"

namespace {

constexpr int kWidth = 391;
constexpr int kHeight = 152;

double Microseconds(LONGLONG ticks) {
    static LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1e6 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

// Median time of one run of work, over runs runs after a few warm-up runs.
double MedianMicroseconds(int runs, const std::function<void()>& work) {
    for (int i = 0; i < 5; ++i)
        work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Microseconds(end.QuadPart - start.QuadPart));
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND CreateUtilityLikeWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "QzFrameBench";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "Frame bench  - timing window",
                           WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 50, 50, kWidth,
                           kHeight, nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace

int main() {
    qz::StartEngine();
    HWND window = CreateUtilityLikeWindow();
    qz::SkinWindow(window, 20, 0, 0, 0, 1, {}, {}, {}, 0xFFFFFF, {}, 1);
    PumpPending();
    const int index = qz::IndexOfWindow(window);
    if (index < 1) {
        std::printf("the window could not be skinned\n");
        return 1;
    }
    qz::PaintWindowSkin(index, nullptr, true);
    PumpPending();

    HDC screen = GetDC(window);
    const double blit = MedianMicroseconds(2000, [&] {
        BitBlt(screen, 0, 0, kWidth, kHeight, qz::WindowTable.At(index)->background_dc, 0, 0,
               SRCCOPY);
    });
    ReleaseDC(window, screen);
    const double whole = MedianMicroseconds(200, [&] {
        qz::PaintWindowSkin(index, nullptr, true);
        PumpPending();
    });
    const int buttons = qz::WindowTable.At(index)->title_buttons.Count();
    int level = 0;
    const double fade = MedianMicroseconds(1000, [&] {
        level = (level + 30) % (qz::kFullHoverLevel + 30);
        qz::PaintTitleButton(index, buttons, qz::TitleButtonLook::Normal, level);
    });
    const double caption = MedianMicroseconds(1000, [&] { qz::PaintCaption(index); });

    std::printf("%-28s %10s %8s\n", "median of", "us", "x BitBlt");
    auto row = [&](const char* name, double us) {
        std::printf("%-28s %10.1f %8.1f\n", name, us, blit > 0 ? us / blit : 0.0);
    };
    row("BitBlt of the client area", blit);
    row("whole repaint", whole);
    row("title-button fade step", fade);
    row("caption repaint", caption);
    DestroyWindow(window);
    return 0;
}
