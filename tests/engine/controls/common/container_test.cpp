#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "tests/engine/controls/common/container_fixture.h"

namespace {

using namespace qztest;
using qz::ContainerSkin;
using qz::ControlSkin;
using qz::WindowSkin;

struct StyleCase {
    const char* cls;
    DWORD type;
    bool groupBox;
};

// Every button type with bit 0x4 counts, BS_GROUPBOX or not; BS_AUTORADIOBUTTON (9) does not,
// and no other class does.
const StyleCase kStyleCases[] = {
    {"Button", BS_PUSHBUTTON, false},
    {"Button", BS_DEFPUSHBUTTON, false},
    {"Button", BS_CHECKBOX, false},
    {"Button", BS_AUTOCHECKBOX, false},
    {"Button", BS_RADIOBUTTON, true},
    {"Button", BS_3STATE, true},
    {"Button", BS_AUTO3STATE, true},
    {"Button", BS_GROUPBOX, true},
    {"Button", BS_USERBUTTON, false},
    {"Button", BS_AUTORADIOBUTTON, false},
    {"Button", 0xA, false},
    {"Button", BS_OWNERDRAW, false},
    {"Button", 0xC, true},
    {"Button", 0xD, true},
    {"Button", 0xE, true},
    {"Button", 0xF, true},
    {"Static", BS_GROUPBOX, false},
};

TEST_F(ContainerTest, IsGroupBoxTakesEveryButtonWithStyleBit4) {
    LoggedWindow window;
    for (const StyleCase& c : kStyleCases) {
        // Created plain: the class may refuse some types at creation.
        HWND control = AddChild(window.Handle(), c.cls, "", 0, 0, 0, 50, 20);
        SetWindowLongPtrA(control, GWL_STYLE, WS_CHILD | c.type);
        EXPECT_EQ(c.groupBox, qz::IsGroupBox(control)) << c.cls << " type " << c.type;
        DestroyWindow(control);
    }
}

TEST_F(ContainerTest, ControlWithoutChildrenJoinsOnlyTheControlList) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    HWND group = AddChild(window.Handle(), "Button", "Frame", BS_GROUPBOX, 10, 10, 150, 100);

    qz::SkinContainer(group);

    EXPECT_EQ(1, skin.controls.Count());
    ASSERT_EQ(group, skin.controls.At(1)->window);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), skin.controls.At(1)->back_color);
    EXPECT_EQ(1, qz::GetPropValue(group, qz::props::Kj_lbID));
    EXPECT_EQ(qz::IndexOfWindow(window.Handle()), qz::GetPropValue(group, qz::props::Kj_FuID));
    EXPECT_EQ(0, skin.containers.IndexOfWindow(group));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&qz::ControlProc), GetWindowLongPtrA(group, GWLP_WNDPROC));

    // A second call leaves the one record and the one subclass in place.
    qz::SkinContainer(group);
    EXPECT_EQ(1, skin.controls.Count());
    EXPECT_NE(reinterpret_cast<INT_PTR>(&qz::ControlProc),
              qz::GetPropValue(group, qz::props::Kj_hProc));
}

TEST_F(ContainerTest, ControlWithChildrenBecomesAContainerInFrontOfTheControlProcedure) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    HWND group = AddChild(window.Handle(), "Button", "Frame", BS_GROUPBOX, 10, 10, 150, 100);
    AddChild(group, "Static", "inside", 0, 10, 20, 60, 20);

    qz::SkinContainer(group, std::nullopt, RGB(255, 0, 0), 60);

    const int index = skin.containers.IndexOfWindow(group);
    ASSERT_EQ(1, index);
    const ContainerSkin& record = *skin.containers.At(index);
    EXPECT_EQ(qz::kGroupBoxContainer, record.kind);
    EXPECT_EQ(1, record.painted); // forced for group boxes
    EXPECT_EQ(RGB(255, 0, 0), record.tint_color);
    EXPECT_EQ(60, record.tint_alpha);
    EXPECT_EQ(150, record.width);
    EXPECT_EQ(100, record.height);
    EXPECT_EQ(1, record.repaint);
    EXPECT_EQ(1, record.attached.Count());
    EXPECT_EQ(index, qz::GetPropValue(group, qz::props::Qz_lbID));
    EXPECT_EQ(0, qz::GetPropValue(group, qz::props::Mb_zpf));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&qz::ContainerProc),
              GetWindowLongPtrA(group, GWLP_WNDPROC));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(&qz::ControlProc),
              qz::GetPropValue(group, qz::props::Qz_hProc));
}

TEST_F(ContainerTest, ControlOfAnUnskinnedWindowIsLeftAlone) {
    LoggedWindow window;
    HWND group = AddChild(window.Handle(), "Button", "Frame", BS_GROUPBOX, 10, 10, 150, 100);
    AddChild(group, "Static", "inside", 0, 10, 20, 60, 20);
    WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(group, GWLP_WNDPROC));

    qz::SkinContainer(group);
    qz::RegisterContainer(group);

    EXPECT_EQ(reinterpret_cast<LONG_PTR>(own), GetWindowLongPtrA(group, GWLP_WNDPROC));
    EXPECT_EQ(0, qz::GetPropValue(group, qz::props::Kj_lbID));
    EXPECT_EQ(0, qz::GetPropValue(group, qz::props::Qz_lbID));
}

TEST_F(ContainerTest, LayerHostIsTheNearestMarkedAncestor) {
    LoggedWindow window;
    HWND outer = AddChild(window.Handle(), "Static", "", 0, 0, 0, 200, 150);
    HWND middle = AddChild(outer, "Static", "", 0, 0, 0, 150, 100);
    HWND inner = AddChild(middle, "Static", "", 0, 0, 0, 100, 50);
    EXPECT_EQ(nullptr, qz::FindLayerHost(inner));
    qz::SetPropValue(outer, qz::props::Wxk_Zpf, 1);
    EXPECT_EQ(outer, qz::FindLayerHost(inner));
    qz::SetPropValue(middle, qz::props::Wxk_Zpf, 2); // only the value 1 marks a host
    EXPECT_EQ(outer, qz::FindLayerHost(inner));
    qz::SetPropValue(middle, qz::props::Wxk_Zpf, 1);
    EXPECT_EQ(middle, qz::FindLayerHost(inner));
    EXPECT_EQ(outer, qz::FindLayerHost(middle)); // the climb starts at the parent
}

TEST_F(ContainerTest, RemovingTheSecondOfThreeContainersRenumbersTheThird) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    HWND panels[3];
    for (int i = 0; i < 3; ++i) {
        panels[i] = AddChild(window.Handle(), "Static", "", 0, 10 + 90 * i, 10, 80, 80);
        qz::RegisterContainer(panels[i]);
        EXPECT_EQ(i + 1, qz::GetPropValue(panels[i], qz::props::Qz_lbID));
    }
    ASSERT_EQ(3, skin.containers.Count()); // the first took the blank slot

    DestroyWindow(panels[1]);

    ASSERT_EQ(2, skin.containers.Count());
    EXPECT_EQ(panels[0], skin.containers.At(1)->window);
    EXPECT_EQ(panels[2], skin.containers.At(2)->window);
    EXPECT_EQ(1, qz::GetPropValue(panels[0], qz::props::Qz_lbID));
    EXPECT_EQ(2, qz::GetPropValue(panels[2], qz::props::Qz_lbID));
    // The renumbered container still finds its own record.
    EXPECT_EQ(skin.containers.At(2), qz::FindContainer(panels[2]));
}

TEST_F(ContainerTest, RepaintMarksReachEveryContainerAndListedControl) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    HWND panel = AddChild(window.Handle(), "Static", "", 0, 10, 10, 80, 80);
    HWND listed = AddChild(window.Handle(), "Static", "", 0, 100, 10, 80, 80);
    qz::RegisterContainer(panel);
    qz::SkinContainer(listed);
    ContainerSkin& container = *qz::FindContainer(panel);
    ControlSkin& control = *skin.controls.At(1);
    container.repaint = container.moved = control.repaint = 0;

    qz::MarkWindowForRepaint(window.Handle(), true);
    EXPECT_EQ(1, container.repaint);
    EXPECT_EQ(1, container.moved);
    EXPECT_EQ(0, control.repaint);

    qz::MarkWindowForRepaint(window.Handle(), false);
    EXPECT_EQ(1, control.repaint);
}

TEST_F(ContainerTest, ChildMovingMarksItsContainerUnlessItHasASizeCallback) {
    LoggedWindow window;
    Skin(window, false);
    HWND panel = AddChild(window.Handle(), "Static", "", 0, 10, 10, 120, 120);
    HWND child = AddChild(panel, "Static", "", 0, 10, 10, 20, 20);
    qz::RegisterContainer(panel);
    ContainerSkin& record = *qz::FindContainer(panel);

    record.moved = 0;
    qz::NoteChildMoving(child);
    EXPECT_EQ(1, record.moved);

    record.moved = 0;
    qz::SetPropValue(panel, qz::props::Wxk_LBID, 1);
    qz::NoteChildMoving(child);
    EXPECT_EQ(0, record.moved);
}

TEST_F(ContainerTest, ContainerMovingMarksItsOwnContainer) {
    LoggedWindow window;
    Skin(window, false);
    HWND outer = AddChild(window.Handle(), "Static", "", 0, 10, 10, 200, 150);
    HWND inner = AddChild(outer, "Static", "", 0, 10, 10, 100, 100);
    AddChild(inner, "Static", "", 0, 5, 5, 20, 20);
    qz::RegisterContainer(outer);
    qz::RegisterContainer(inner);
    ContainerSkin& record = *qz::FindContainer(outer);
    record.moved = 0;

    // A change of size alone: a move would mark every container of the window anyway.
    SetWindowPos(inner, nullptr, 0, 0, 110, 110, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    EXPECT_EQ(1, record.moved);
}

// How the tab notifications reach the containers they concern.
TEST_F(ContainerTest, TabSelectionChangeMarksTheTabControl) {
    LoggedWindow window;
    Skin(window, false);
    HWND panel = AddChild(window.Handle(), "Static", "", 0, 0, 0, 250, 180);
    HWND tab = AddChild(panel, "SysTabControl32", "", 0, 10, 10, 200, 150);
    AddChild(tab, "Static", "", 0, 10, 40, 20, 20);
    qz::RegisterContainer(panel);
    qz::RegisterContainer(tab);
    ContainerSkin& record = *qz::FindContainer(tab);
    EXPECT_EQ(qz::kTabContainer, record.kind);
    record.repaint = 0;

    NMHDR header{tab, 0, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageA(panel, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(1, record.repaint);
}

TEST_F(ContainerTest, MovingAPaintedContainerMarksEveryContainerOfTheWindow) {
    for (int painted : {1, 0}) {
        LoggedWindow window;
        Skin(window, false);
        HWND moving = AddChild(window.Handle(), "Static", "", 0, 10, 10, 80, 80);
        HWND other = AddChild(window.Handle(), "Static", "", 0, 100, 10, 80, 80);
        qz::RegisterContainer(moving, painted);
        qz::RegisterContainer(other);
        ContainerSkin& record = *qz::FindContainer(other);
        record.repaint = record.moved = 0;

        SetWindowPos(moving, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

        EXPECT_EQ(painted, record.moved) << "painted " << painted;
        EXPECT_EQ(painted, record.repaint) << "painted " << painted;
    }
}

TEST_F(ContainerTest, ShowingAPaintedContainerMarksItForRepaint) {
    LoggedWindow window;
    Skin(window, false);
    HWND panel = AddChild(window.Handle(), "Static", "", 0, 10, 10, 80, 80);
    qz::RegisterContainer(panel);
    ContainerSkin& record = *qz::FindContainer(panel);
    record.repaint = 0;

    SendMessageA(panel, WM_SHOWWINDOW, FALSE, 0);
    EXPECT_EQ(0, record.repaint);
    SendMessageA(panel, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(1, record.repaint);
}

struct EraseCase {
    int painted;
    int active;
    int moving;
    int repaintAfter;
};

// Only a container the engine paints, in a window that rests in front, paints anew after an
// erase; the erase itself draws nothing and answers 1.
const EraseCase kEraseCases[] = {
    {1, 1, 0, 1},
    {1, 0, 0, 0},
    {1, 1, 1, 0},
    {0, 1, 0, 0},
};

TEST_F(ContainerTest, EraseMarksAPaintedContainerOnlyWhileItsWindowRestsActive) {
    for (const EraseCase& c : kEraseCases) {
        LoggedWindow window;
        WindowSkin& skin = Skin(window, false);
        HWND panel = AddChild(window.Handle(), "Static", "", 0, 10, 10, 80, 80);
        qz::RegisterContainer(panel, c.painted);
        ContainerSkin& record = *qz::FindContainer(panel);
        record.repaint = 0;
        skin.active = c.active;
        skin.moving = c.moving;
        HDC dc = GetDC(panel);

        EXPECT_EQ(1, SendMessageA(panel, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));

        EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
        EXPECT_EQ(c.repaintAfter, record.repaint)
            << "painted " << c.painted << " active " << c.active << " moving " << c.moving;
        ReleaseDC(panel, dc);
    }
}

TEST_F(ContainerTest, ListedControlTracksTheLeaveAndRepaintsOnMouseTraffic) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    HWND bar = AddChild(window.Handle(), STATUSCLASSNAMEA, "", 0, 0, 180, 300, 20);
    qz::SkinContainer(bar);
    ControlSkin& record = *skin.controls.At(qz::GetPropValue(bar, qz::props::Kj_lbID));

    SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, record.tracking);
    EXPECT_EQ(1, record.repaint);
    record.repaint = 0;
    SendMessageA(bar, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(0, record.tracking);
    EXPECT_EQ(1, record.repaint);
    record.repaint = 0;
    SendMessageA(bar, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, record.repaint);
}

} // namespace
