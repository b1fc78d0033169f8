#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "engine/core/engine.h"
#include "engine/controls/buttons/push_button.h"
#include "engine/core/window_table.h"
#include "engine/draw/compositing.h"
#include "engine/draw/colors.h"

namespace {

using qz::Engine;

constexpr char kChildFlag[] = "QZ_ENGINE_START_CHILD";

// A 32-bit memory DC to draw into and read pixels back from.
class PixelDc {
  public:
    PixelDc(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~PixelDc() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    PixelDc(const PixelDc&) = delete;
    PixelDc& operator=(const PixelDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The two bitmaps GetIconInfo hands out.
struct IconBitmaps {
    ICONINFO info{};
    ~IconBitmaps() {
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
};

void StartEngineOnce() {
    static bool started = (qz::StartEngine(), true);
    (void)started;
}

// Runs one test of this program in a fresh process and returns its exit code.
DWORD RunInFreshProcess(const char* test_name) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string cmd = std::string("\"") + exe + "\" --gtest_filter=" + test_name;
    SetEnvironmentVariableA(kChildFlag, "1");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    BOOL created =
        CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(kChildFlag, nullptr);
    if (!created) return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFE;
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// In a process of its own, where nothing has started the engine yet: every engine-wide value
// is 0 (so installers stay inert) until StartEngine, which sets them.
TEST(EngineStartup, EngineStartedFlagIsZeroUntilStartEngine) {
    if (!std::getenv(kChildFlag)) {
        EXPECT_EQ(0u, RunInFreshProcess("EngineStartup.EngineStartedFlagIsZeroUntilStartEngine"));
        return;
    }
    EXPECT_EQ(0, Engine.started);
    EXPECT_EQ(0, Engine.first_size);
    EXPECT_EQ(nullptr, Engine.small_icon);
    EXPECT_EQ(0u, Engine.gdiplus_token);
    EXPECT_EQ(0, qz::CheckStrip.GetCount());

    qz::StartEngine();

    EXPECT_EQ(1, Engine.started);
}

// What the application's release hook saw of the engine when it ran.
struct HookView {
    int calls = 0;
    int windows = -1;
    int cells = -1;
};
HookView g_hook_view;

void RecordEngineAtHook() {
    ++g_hook_view.calls;
    g_hook_view.windows = qz::WindowTable.Count();
    g_hook_view.cells = qz::CheckStrip.GetCount();
}

// In a process of its own, as at program exit: the application's part goes first, while the
// engine is still whole; then the window records, the engine-wide lists and the strip go.
TEST(EngineRelease, RunsTheApplicationHookFirstThenEmptiesTheEngine) {
    if (!std::getenv(kChildFlag)) {
        EXPECT_EQ(
            0u, RunInFreshProcess("EngineRelease.RunsTheApplicationHookFirstThenEmptiesTheEngine"));
        return;
    }
    qz::CreateEngineGlobals();
    qz::SetAppReleaseHook(RecordEngineAtHook);
    qz::StartEngine();
    qz::WindowTable.Append(qz::MakeWindowSkin(GetDesktopWindow()));
    qz::WindowTable.At(1)->title_buttons.Append();
    qz::MemoryDcRegistry.Append();
    qz::FadeList.Append();

    qz::ReleaseEngine();

    EXPECT_EQ(1, g_hook_view.calls);
    EXPECT_EQ(1, g_hook_view.windows);
    EXPECT_EQ(6, g_hook_view.cells);
    EXPECT_EQ(0, qz::WindowTable.Count());
    EXPECT_EQ(0, qz::MemoryDcRegistry.Count());
    EXPECT_EQ(0, qz::FadeList.Count());
    EXPECT_EQ(0, qz::CheckStrip.GetCount());
}

TEST(EngineStartup, SetsTheEngineWideDefaults) {
    StartEngineOnce();

    EXPECT_EQ(1, Engine.started);
    EXPECT_EQ(1, Engine.first_size);
    EXPECT_EQ(160, Engine.veil_alpha);
    EXPECT_EQ(0x00DDCA22u, qz::ThemeColor);
    EXPECT_EQ(1, Engine.track_bar_option);
    EXPECT_EQ(0, Engine.list_hover_option);
    EXPECT_NE(0u, Engine.gdiplus_token);
}

TEST(EngineStartup, LoadsTheSmallIconFromTheDefaultIconGroup) {
    StartEngineOnce();
    HMODULE module = GetModuleHandleA(nullptr);
    ASSERT_EQ(nullptr, FindResourceA(module, MAKEINTRESOURCEA(129), RT_GROUP_ICON));
    ASSERT_NE(nullptr, FindResourceA(module, "DEFAULT_ICON", RT_GROUP_ICON));
    ASSERT_NE(nullptr, Engine.small_icon);

    IconBitmaps icon;
    ASSERT_TRUE(GetIconInfo(Engine.small_icon, &icon.info));
    BITMAP bm{};
    GetObjectA(icon.info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(16, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
}

// The program icon is a theme-coloured key: drawn on white, its middle top edge shows the theme
// colour and its corner (outside the rounded key) stays white.
TEST(EngineStartup, SmallIconShowsTheProgramPicture) {
    StartEngineOnce();
    PixelDc dc(16, 16);
    RECT all{0, 0, 16, 16};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    ASSERT_TRUE(DrawIconEx(dc.Get(), 0, 0, Engine.small_icon, 16, 16, 0, nullptr, DI_NORMAL));

    EXPECT_EQ(RGB(0x22, 0xCA, 0xDD), GetPixel(dc.Get(), 8, 2));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), GetPixel(dc.Get(), 0, 0));
}

TEST(EngineStartup, CutsTheCheckStripIntoSixCells) {
    StartEngineOnce();

    ASSERT_EQ(6, qz::CheckStrip.GetCount());
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(21, qz::CheckStrip.GetCellWidth(i)) << "cell " << i;
        EXPECT_EQ(16, qz::CheckStrip.GetCellHeight(i)) << "cell " << i;
    }
}

// Shutting GDI+ down through the engine, on a session of the test's own so that the engine's
// session stays up for the other tests.
class GdiplusShutdownTest : public testing::Test {
  protected:
    void SetUp() override {
        StartEngineOnce();
        saved_ = Engine;
    }
    void TearDown() override {
        Engine.gdiplus_token = saved_.gdiplus_token;
        Engine.gdiplus_shutdown_token = saved_.gdiplus_shutdown_token;
    }
    qz::EngineValues saved_;
};

TEST_F(GdiplusShutdownTest, StartKeepsTheTokenForShutdown) {
    ULONG_PTR token = qz::StartGdiplus();

    EXPECT_NE(0u, token);
    EXPECT_EQ(token, Engine.gdiplus_shutdown_token);
    qz::StopGdiplus();
}

TEST_F(GdiplusShutdownTest, SecondCallWithoutTokenDoesNothing) {
    qz::StartGdiplus();

    qz::StopGdiplus();
    EXPECT_EQ(0u, Engine.gdiplus_shutdown_token);
    qz::StopGdiplus();
    EXPECT_EQ(0u, Engine.gdiplus_shutdown_token);
}

TEST_F(GdiplusShutdownTest, GivenTokenIsShutDownOnceWhicheverCallComesFirst) {
    Engine.gdiplus_token = qz::StartGdiplus();

    qz::StopGdiplus(Engine.gdiplus_token, true);
    EXPECT_EQ(0u, Engine.gdiplus_token);
    EXPECT_EQ(0u, Engine.gdiplus_shutdown_token);
    qz::StopGdiplus(); // nothing left to shut down
    qz::StopGdiplus(Engine.gdiplus_token, true);
    EXPECT_EQ(0u, Engine.gdiplus_shutdown_token);
}

} // namespace
