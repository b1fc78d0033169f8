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

} // namespace
