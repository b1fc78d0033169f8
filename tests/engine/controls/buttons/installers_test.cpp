#include "tests/engine/controls/buttons/button_fixture.h"

#include <vector>

namespace qztest {
namespace {

constexpr int kNotTaken = -1;

struct StyleCase {
    DWORD style;
    const char* name;
    int kind; // kNotTaken: the button keeps its own procedure and look
};

const StyleCase kStyleCases[] = {
    {BS_PUSHBUTTON, "BS_PUSHBUTTON", qz::kPushButton},
    {BS_DEFPUSHBUTTON, "BS_DEFPUSHBUTTON", qz::kPushButton},
    {BS_CHECKBOX, "BS_CHECKBOX", qz::kCheckBox},
    {BS_AUTOCHECKBOX, "BS_AUTOCHECKBOX", qz::kCheckBox},
    {BS_RADIOBUTTON, "BS_RADIOBUTTON", kNotTaken},
    {BS_3STATE, "BS_3STATE", kNotTaken},
    {BS_AUTO3STATE, "BS_AUTO3STATE", kNotTaken},
    {BS_GROUPBOX, "BS_GROUPBOX", kNotTaken},
    {BS_USERBUTTON, "BS_USERBUTTON", qz::kPushButton},
    {BS_AUTORADIOBUTTON, "BS_AUTORADIOBUTTON", qz::kRadioButton},
    {BS_OWNERDRAW, "BS_OWNERDRAW", kNotTaken},
};

using InstallerTest = ButtonTest;

TEST_F(InstallerTest, TakesEachButtonStyleAsItsKindOrLeavesItAlone) {
    std::vector<HWND> buttons;
    std::vector<WNDPROC> ownProcs;
    int y = 0;
    for (const StyleCase& c : kStyleCases) {
        buttons.push_back(Add(c.name, c.style, 0, y, 90, 14));
        ownProcs.push_back(
            reinterpret_cast<WNDPROC>(GetWindowLongPtrA(buttons.back(), GWLP_WNDPROC)));
        y += 15;
    }
    Skin();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const StyleCase& c = kStyleCases[i];
        SCOPED_TRACE(c.name);
        HWND b = buttons[i];
        LONG_PTR type = GetWindowLongPtrA(b, GWL_STYLE) & BS_TYPEMASK;
        auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(b, GWLP_WNDPROC));
        if (c.kind == kNotTaken) {
            EXPECT_EQ(qz::GetPropValue(b, qz::props::Qz_lbID), 0);
            EXPECT_EQ(proc, ownProcs[i]);
            EXPECT_EQ(type, static_cast<LONG_PTR>(c.style));
            continue;
        }
        qz::ButtonSkin* record = ButtonOf(b);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->window, b);
        EXPECT_EQ(record->kind, c.kind);
        EXPECT_EQ(qz::GetPropValue(b, qz::props::Qz_FuID), Index());
        EXPECT_EQ(proc, &qz::ButtonProc);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(qz::GetPropValue(b, qz::props::Qz_hProc)), ownProcs[i]);
        EXPECT_EQ(record->previous_proc, ownProcs[i]);
        EXPECT_EQ(qz::GetPropValue(b, qz::props::Kj_Jzzts), 0x606060);
        EXPECT_EQ(qz::GetPropValue(b, qz::props::Xzk_dhxg), c.kind == qz::kCheckBox ? 1 : 0);
        // Push buttons become owner-drawn (a default button loses its default look with it);
        // check boxes and radio buttons keep their style and are painted in WM_PAINT.
        EXPECT_EQ(type, c.kind == qz::kPushButton ? static_cast<LONG_PTR>(BS_OWNERDRAW)
                                                  : static_cast<LONG_PTR>(c.style));
    }
}

TEST_F(InstallerTest, RecordsHoldTextFontCheckStateAndParent) {
    HWND key = Add("&File", BS_PUSHBUTTON, 10, 10);
    HWND box = AddBox("Box", BS_AUTOCHECKBOX, 10, 50);
    HWND radio = AddBox("Radio", BS_AUTORADIOBUTTON, 10, 80);
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    Skin();
    qz::ButtonSkin* k = ButtonOf(key);
    qz::ButtonSkin* b = ButtonOf(box);
    qz::ButtonSkin* r = ButtonOf(radio);
    ASSERT_TRUE(k && b && r);
    EXPECT_EQ(k->text, "&File");
    EXPECT_EQ(b->text, "Box");
    EXPECT_EQ(k->font_face, "宋体");
    EXPECT_EQ(k->font_size, 12);
    EXPECT_EQ(k->font_style, 0);
    EXPECT_EQ(b->checked, 1);
    EXPECT_EQ(r->checked, 0);
    EXPECT_EQ(b->parent, Window());
    EXPECT_EQ(r->parent, Window());
    // The three share the window's one button list, in the order they were taken over.
    EXPECT_EQ(qz::GetPropValue(key, qz::props::Qz_lbID), 1);
    EXPECT_EQ(qz::GetPropValue(box, qz::props::Qz_lbID), 2);
    EXPECT_EQ(qz::GetPropValue(radio, qz::props::Qz_lbID), 3);

    SetWindowTextA(key, "Open");
    EXPECT_EQ(k->text, "Open");
}

TEST_F(InstallerTest, FirstButtonTakesTheSingleBlankSlotThenTheListGrows) {
    qz::WindowSkin& skin = Skin();
    ASSERT_EQ(skin.buttons.Count(), 1);
    ASSERT_EQ(skin.buttons.At(1)->window, nullptr);

    HWND first = Add("One", BS_PUSHBUTTON, 10, 10);
    qz::InstallPushButtons(Index(), Window());
    EXPECT_EQ(skin.buttons.Count(), 1);
    EXPECT_EQ(skin.buttons.At(1)->window, first);
    EXPECT_EQ(qz::GetPropValue(first, qz::props::Qz_lbID), 1);

    HWND second = AddBox("Two", BS_AUTOCHECKBOX, 10, 50);
    qz::InstallCheckAndRadio(Index(), Window());
    EXPECT_EQ(skin.buttons.Count(), 2);
    EXPECT_EQ(qz::GetPropValue(second, qz::props::Qz_lbID), 2);
}

TEST_F(InstallerTest, RunningTheInstallersAgainOverTheSameParentAddsNothing) {
    HWND key = Add("Key", BS_PUSHBUTTON, 10, 10);
    HWND box = AddBox("Box", BS_AUTOCHECKBOX, 10, 50);
    HWND radio = AddBox("Radio", BS_AUTORADIOBUTTON, 10, 80);
    qz::WindowSkin& skin = Skin();
    ASSERT_EQ(skin.buttons.Count(), 3);
    std::vector<INT_PTR> procs;
    for (HWND h : {key, box, radio})
        procs.push_back(qz::GetPropValue(h, qz::props::Qz_hProc));

    qz::InstallPushButtons(Index(), Window());
    qz::InstallCheckAndRadio(Index(), Window());

    EXPECT_EQ(skin.buttons.Count(), 3);
    int i = 0;
    for (HWND h : {key, box, radio}) {
        // Still passing on to the system's procedure, not to ButtonProc itself.
        EXPECT_EQ(qz::GetPropValue(h, qz::props::Qz_hProc), procs[i++]);
        EXPECT_NE(qz::GetPropValue(h, qz::props::Qz_hProc),
                  reinterpret_cast<INT_PTR>(&qz::ButtonProc));
    }
    // The controls still work through the chain.
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(InstallerTest, InstallersDoNothingForAWindowIndexOutsideTheTable) {
    HWND key = Add("Key", BS_PUSHBUTTON, 10, 10);
    HWND box = AddBox("Box", BS_AUTOCHECKBOX, 10, 50);
    int outside = qz::WindowTable.Count() + 1;
    qz::InstallPushButtons(outside, Window());
    qz::InstallCheckAndRadio(outside, Window());
    qz::InstallPushButtons(0, Window());
    EXPECT_EQ(qz::GetPropValue(key, qz::props::Qz_lbID), 0);
    EXPECT_EQ(qz::GetPropValue(box, qz::props::Qz_lbID), 0);
    EXPECT_EQ(GetWindowLongPtrA(key, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

} // namespace
} // namespace qztest
