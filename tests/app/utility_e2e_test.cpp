// The real utility under Wine, driven by real input from this process.
#include "app/skin_switch.h"
#include "tests/support/app_process.h"
#include "tests/support/win_helpers.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using qztest::AppProcess;
using qztest::WindowText;

const char kMainClass[] = "QzSkinMainWindow";
const char kOnStatus[] = "您的QQ已是透明皮肤！";
const char kOffStatus[] = "您的QQ不是透明皮肤！";

class Utility : public testing::Test {
  protected:
    void SetUp() override {
        path = qz::app::UserSkinFilePath();
        skins = path.substr(0, path.rfind('\\'));
        qztest::RemoveTree(path);
        qztest::MakeDirs(skins);
    }
    void TearDown() override { qztest::RemoveTree(path); }

    // Starts the utility and finds its window and controls.
    void Start() {
        app = std::make_unique<AppProcess>(qztest::BuiltProgram("app\\QzSkin.exe"));
        ASSERT_TRUE(app->Started());
        main = app->WaitForWindow(kMainClass);
        ASSERT_NE(nullptr, main);
        // Real input is sent only once the window is skinned, shown and painted.
        ASSERT_TRUE(app->WaitForIdle());
        button = qztest::ChildAt(main, "Button", 225, 60, 138, 32);
        edit = qztest::ChildAt(main, "Edit", 24, 60, 192, 32);
        ASSERT_NE(nullptr, button);
        ASSERT_NE(nullptr, edit);
    }

    void ClickButton() {
        RECT r;
        GetWindowRect(button, &r);
        qztest::ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    POINT ScreenPoint(int client_x, int client_y) const {
        POINT p{client_x, client_y};
        ClientToScreen(main, &p);
        return p;
    }

    bool WaitForStatus(const char* status) {
        return qztest::PumpUntil([&] { return WindowText(edit) == status; });
    }

    std::string path, skins;
    std::unique_ptr<AppProcess> app;
    HWND main = nullptr, button = nullptr, edit = nullptr;
};

TEST_F(Utility, ShowsItsWindowAt50x50WithTheFourControls) {
    Start();
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(50, r.left);
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(391, r.right - r.left);
    EXPECT_EQ(152, r.bottom - r.top);
    EXPECT_EQ("Lumo丶QQ透明皮肤  - Lumo丶技术交流群 10000", WindowText(main));
    EXPECT_NE(nullptr, qztest::ChildAt(main, "Static", 16, 120, 360, 27));
    EXPECT_NE(nullptr, qztest::ChildAt(main, "Button", 14, 32, 362, 80));
    EXPECT_EQ(kOffStatus, WindowText(edit));
    EXPECT_EQ("启动皮肤", WindowText(button));
}

TEST_F(Utility, ClicksCreateAndDeleteTheSkinFile) {
    Start();
    ClickButton();
    ASSERT_TRUE(WaitForStatus(kOnStatus));
    EXPECT_EQ("恢复原版", WindowText(button));
    EXPECT_TRUE(qztest::PathExists(path));

    ClickButton();
    ASSERT_TRUE(WaitForStatus(kOffStatus));
    EXPECT_EQ("启动皮肤", WindowText(button));
    EXPECT_FALSE(qztest::PathExists(path));
}

TEST_F(Utility, StartingWithTheFilePresentShowsSkinOnAtOnce) {
    qztest::WriteFileBytes(path, "");
    Start();
    EXPECT_EQ(kOnStatus, WindowText(edit));
    EXPECT_EQ("恢复原版", WindowText(button));
}

TEST_F(Utility, AltF4EndsTheProcessWithExitCodeZero) {
    Start();
    SetForegroundWindow(main);
    qztest::PumpUntil([&] { return GetForegroundWindow() == main; }, 2000);
    qztest::PressChord({VK_MENU, VK_F4});
    EXPECT_EQ(0u, app->WaitForExit());
}

TEST_F(Utility, CloseMessagesEndTheProcessWithExitCodeZero) {
    for (UINT msg : {UINT(WM_CLOSE), UINT(WM_SYSCOMMAND)}) {
        Start();
        PostMessageA(main, msg, msg == WM_SYSCOMMAND ? SC_CLOSE : 0, 0);
        EXPECT_EQ(0u, app->WaitForExit()) << "message " << msg;
    }
}

// The skinned look: the engine owner-draws the switch button and marks it as its own.
TEST_F(Utility, SwitchButtonIsSkinned) {
    Start();
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_GE(reinterpret_cast<INT_PTR>(GetPropA(button, "Qz_lbID")), 1);
    EXPECT_EQ(1, reinterpret_cast<INT_PTR>(GetPropA(button, "Qz_FuID")));
    EXPECT_NE(nullptr, GetPropA(button, "Qz_hProc"));
    EXPECT_EQ(0x606060, reinterpret_cast<INT_PTR>(GetPropA(button, "Kj_Jzzts")));
    EXPECT_EQ(1, reinterpret_cast<INT_PTR>(GetPropA(main, "Qz_lbID")));
}

// What the screen shows of the button, as one row of pixels through its middle.
std::string ButtonRow(HWND button) {
    RECT r;
    GetWindowRect(button, &r);
    HDC screen = GetDC(nullptr);
    std::string row;
    for (int x = r.left + 4; x < r.right - 4; x += 3) {
        const COLORREF c = GetPixel(screen, x, (r.top + r.bottom) / 2 - 6);
        row.append(reinterpret_cast<const char*>(&c), sizeof c);
    }
    ReleaseDC(nullptr, screen);
    return row;
}

TEST_F(Utility, HoveringTheButtonWithRealInputChangesItsLookAndLeavingRestoresIt) {
    Start();
    qztest::MoveTo(ScreenPoint(200, 135));
    ASSERT_TRUE(qztest::PumpUntil([&] { return !ButtonRow(button).empty(); }));
    const std::string rest = ButtonRow(button);
    RECT r;
    GetWindowRect(button, &r);
    qztest::MoveTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(qztest::PumpUntil([&] { return ButtonRow(button) != rest; }));
    qztest::MoveTo(ScreenPoint(200, 135));
    EXPECT_TRUE(qztest::PumpUntil([&] { return ButtonRow(button) == rest; }));
}

TEST_F(Utility, DragsByItsBodyWithRealInput) {
    Start();
    const POINT from = ScreenPoint(383, 137);
    qztest::PressAt(from);
    ASSERT_TRUE(qztest::PumpUntil([&] { return qztest::InMoveOrSize(main); }));
    qztest::MoveTo({from.x + 50, from.y + 40});
    qztest::MoveTo({from.x + 100, from.y + 80});
    qztest::ReleaseAt({from.x + 100, from.y + 80});
    EXPECT_TRUE(qztest::PumpUntil([&] {
        RECT r;
        GetWindowRect(main, &r);
        return r.left == 150 && r.top == 130;
    }));
}

TEST_F(Utility, MinimisesAndClosesThroughItsTitleButtons) {
    Start();
    qztest::ClickAt(ScreenPoint(346, 10));
    ASSERT_TRUE(qztest::PumpUntil([&] { return IsIconic(main) != FALSE; }));
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(qztest::PumpUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }));
    qztest::ClickAt(ScreenPoint(372, 10));
    EXPECT_EQ(0u, app->WaitForExit());
}

} // namespace
