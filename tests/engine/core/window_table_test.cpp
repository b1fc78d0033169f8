#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "tests/support/win_helpers.h"

namespace {

using qz::Addressing;
using qz::ButtonSkin;
using qz::GetPropValue;
using qz::SetPropValue;
using qz::WindowSkin;
using qz::WindowTable;
namespace props = qz::props;

HWND FakeHandle(INT_PTR n) {
    return reinterpret_cast<HWND>(n);
}

// A fresh record of any kind naming the control hwnd.
template <class T> T RecordOf(HWND hwnd) {
    T record{};
    record.window = hwnd;
    return record;
}

// Each test starts and ends with an empty window table. The windows stay hidden: addressing
// works through properties alone, and hidden windows come and go much faster under Wine.
class WindowTableTest : public testing::Test {
  protected:
    void SetUp() override { WindowTable.Clear(); }
    void TearDown() override { WindowTable.Clear(); }
};

struct SlotCase {
    const char* name;
    std::vector<INT_PTR> before; // window handles of the records already in the list
    int expected_index;
    int expected_count;
};

class SlotRuleTest : public testing::TestWithParam<SlotCase> {};

TEST_P(SlotRuleTest, NewRecordTakesTheSingleBlankSlotOtherwiseAppends) {
    const SlotCase& c = GetParam();
    qz::List<ButtonSkin> list;
    for (INT_PTR h : c.before)
        list.Append(RecordOf<ButtonSkin>(FakeHandle(h)));

    int index = list.Add(RecordOf<ButtonSkin>(FakeHandle(99)));

    EXPECT_EQ(c.expected_index, index);
    EXPECT_EQ(c.expected_count, list.Count());
    ASSERT_NE(nullptr, list.At(index));
    EXPECT_EQ(FakeHandle(99), list.At(index)->window);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SlotRuleTest,
    testing::Values(SlotCase{"Empty", {}, 1, 1}, SlotCase{"OneBlank", {0}, 1, 1},
                    SlotCase{"OneTaken", {5}, 2, 2}, SlotCase{"BlankThenTaken", {0, 5}, 3, 3},
                    SlotCase{"TwoBlanks", {0, 0}, 3, 3}, SlotCase{"TakenThenBlank", {5, 0}, 3, 3}),
    [](const testing::TestParamInfo<SlotCase>& info) { return std::string(info.param.name); });

TEST(RecordList, IndexOutsideOneToCountIsNotActedOn) {
    qz::List<ButtonSkin> list;
    list.Append(RecordOf<ButtonSkin>(FakeHandle(1)));
    list.Append(RecordOf<ButtonSkin>(FakeHandle(2)));

    EXPECT_EQ(nullptr, list.At(0));
    EXPECT_EQ(nullptr, list.At(3));
    EXPECT_EQ(nullptr, list.At(-1));
    EXPECT_FALSE(list.RemoveAt(0));
    EXPECT_FALSE(list.RemoveAt(3));
    EXPECT_EQ(2, list.Count());
}

TEST(RecordList, RemovalMovesLaterRecordsDownAndKeepsTheirAddresses) {
    qz::List<ButtonSkin> list;
    for (INT_PTR h : {1, 2, 3})
        list.Append(RecordOf<ButtonSkin>(FakeHandle(h)));
    ButtonSkin* third = list.At(3);

    ASSERT_TRUE(list.RemoveAt(1));

    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(FakeHandle(2), list.At(1)->window);
    EXPECT_EQ(third, list.At(2));
    EXPECT_EQ(FakeHandle(3), third->window);
}

TEST_F(WindowTableTest, NewWindowRecordHasOneBlankRecordInEveryControlList) {
    WindowSkin skin = qz::MakeWindowSkin(FakeHandle(7));

    EXPECT_EQ(FakeHandle(7), skin.window);
    auto blank = [](const auto& list) { return list.Count() == 1 && !list.At(1)->window; };
    EXPECT_TRUE(blank(skin.buttons));
    EXPECT_TRUE(blank(skin.edits));
    EXPECT_TRUE(blank(skin.lists));
    EXPECT_TRUE(blank(skin.track_bars));
    EXPECT_TRUE(blank(skin.progress_bars));
    EXPECT_TRUE(blank(skin.combos));
    EXPECT_TRUE(blank(skin.up_downs));
    EXPECT_TRUE(blank(skin.headers));
    EXPECT_TRUE(blank(skin.controls));
    EXPECT_TRUE(blank(skin.containers));
    EXPECT_EQ(0, skin.title_buttons.Count());
    EXPECT_EQ(0, skin.status_panels.Count());
}

TEST_F(WindowTableTest, IndexOfWindowFindsRecordsFromOneAndUnknownWindowsAsZero) {
    qztest::TestWindow a(100, 80, WS_POPUP), b(100, 80, WS_POPUP);
    WindowTable.Append(qz::MakeWindowSkin(a.Handle()));
    WindowTable.Append(qz::MakeWindowSkin(b.Handle()));

    EXPECT_EQ(1, qz::IndexOfWindow(a.Handle()));
    EXPECT_EQ(2, qz::IndexOfWindow(b.Handle()));
    EXPECT_EQ(0, qz::IndexOfWindow(GetDesktopWindow()));
    EXPECT_EQ(0, qz::IndexOfWindow(nullptr));
}

// A skinned window with one push button addressed the way the installers address it.
struct SkinnedWindow {
    std::unique_ptr<qztest::TestWindow> window;
    HWND button = nullptr;
};

SkinnedWindow AddSkinnedWindow() {
    SkinnedWindow w;
    w.window = std::make_unique<qztest::TestWindow>(200, 120, WS_POPUP);
    w.button = w.window->AddChild("BUTTON", "ok", BS_PUSHBUTTON, 10, 10, 60, 24);
    int index = WindowTable.Append(qz::MakeWindowSkin(w.window->Handle()));
    SetPropValue(w.window->Handle(), props::Qz_lbID, index);
    int slot = WindowTable.At(index)->buttons.Add(RecordOf<ButtonSkin>(w.button));
    SetPropValue(w.button, props::Qz_FuID, index);
    SetPropValue(w.button, props::Qz_lbID, slot);
    return w;
}

TEST_F(WindowTableTest, ControlRecordIsFoundFromItsIndexProperties) {
    SkinnedWindow w = AddSkinnedWindow();

    ButtonSkin* record = qz::FindControlRecord(w.button, &WindowSkin::buttons);

    ASSERT_NE(nullptr, record);
    EXPECT_EQ(w.button, record->window);
    EXPECT_EQ(WindowTable.At(1), qz::SkinOfWindow(w.window->Handle()));
}

struct AddressCase {
    const char* name;
    INT_PTR window_index; // the control's Qz_FuID
    INT_PTR list_index;   // the control's Qz_lbID
};

class OutOfRangeLookupTest : public WindowTableTest,
                             public testing::WithParamInterface<AddressCase> {};

TEST_P(OutOfRangeLookupTest, IsIgnored) {
    SkinnedWindow w = AddSkinnedWindow(); // one window, one button
    SetPropValue(w.button, props::Qz_FuID, GetParam().window_index);
    SetPropValue(w.button, props::Qz_lbID, GetParam().list_index);

    EXPECT_EQ(nullptr, qz::FindControlRecord(w.button, &WindowSkin::buttons));
}

INSTANTIATE_TEST_SUITE_P(
    Properties, OutOfRangeLookupTest,
    testing::Values(AddressCase{"NeverSkinned", 0, 0}, AddressCase{"WindowIndexZero", 0, 1},
                    AddressCase{"WindowIndexBeyondTable", 2, 1},
                    AddressCase{"WindowIndexNegative", -1, 1}, AddressCase{"ListIndexZero", 1, 0},
                    AddressCase{"ListIndexBeyondList", 1, 2},
                    AddressCase{"WindowIndexPastInt", INT_PTR(1) << 40, 1}),
    [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

TEST_F(WindowTableTest, TopLevelWindowWithoutValidIndexHasNoRecord) {
    SkinnedWindow w = AddSkinnedWindow();
    qztest::TestWindow stranger(100, 80, WS_POPUP);

    EXPECT_EQ(nullptr, qz::SkinOfWindow(stranger.Handle()));
    SetPropValue(stranger.Handle(), props::Qz_lbID, 2);
    EXPECT_EQ(nullptr, qz::SkinOfWindow(stranger.Handle()));
}

TEST_F(WindowTableTest, ControlListRecordsAreAddressedThroughTheirOwnProperties) {
    SkinnedWindow w = AddSkinnedWindow();
    HWND group = w.window->AddChild("BUTTON", "", BS_GROUPBOX, 5, 5, 150, 90);
    int slot = WindowTable.At(1)->controls.Add(RecordOf<qz::ControlSkin>(group));
    SetPropValue(group, props::Kj_FuID, 1);
    SetPropValue(group, props::Kj_lbID, slot);

    qz::ControlSkin* record = qz::FindControlRecord(group, &WindowSkin::controls, Addressing::Kj);

    ASSERT_NE(nullptr, record);
    EXPECT_EQ(group, record->window);
    EXPECT_EQ(nullptr, qz::FindControlRecord(group, &WindowSkin::controls));
}

TEST_F(WindowTableTest, RemovingTheFirstOfThreeWindowsRenumbersTheOthersAndTheirControls) {
    std::vector<SkinnedWindow> windows;
    for (int i = 0; i < 3; ++i)
        windows.push_back(AddSkinnedWindow());
    SkinnedWindow& second = windows[1];
    HWND edit = second.window->AddChild("EDIT", "", 0, 10, 40, 80, 20);
    HWND overlay = second.window->AddChild("STATIC", "", 0, 90, 40, 10, 20);
    qz::EditSkin edit_record = RecordOf<qz::EditSkin>(edit);
    edit_record.vertical_overlay = overlay;
    WindowTable.At(2)->edits.Add(std::move(edit_record));
    HWND toolbar = second.window->AddChild("STATIC", "", 0, 10, 70, 80, 20);
    WindowTable.At(2)->controls.Add(RecordOf<qz::ControlSkin>(toolbar));
    for (HWND h : {edit, overlay})
        SetPropValue(h, props::Qz_FuID, 2);
    SetPropValue(toolbar, props::Kj_FuID, 2);

    ASSERT_TRUE(qz::RemoveWindowSkin(1));

    ASSERT_EQ(2, WindowTable.Count());
    EXPECT_EQ(1, GetPropValue(second.window->Handle(), props::Qz_lbID));
    EXPECT_EQ(1, GetPropValue(second.button, props::Qz_FuID));
    EXPECT_EQ(1, GetPropValue(edit, props::Qz_FuID));
    EXPECT_EQ(1, GetPropValue(overlay, props::Qz_FuID));
    EXPECT_EQ(1, GetPropValue(toolbar, props::Kj_FuID));
    EXPECT_EQ(2, GetPropValue(windows[2].window->Handle(), props::Qz_lbID));
    EXPECT_EQ(2, GetPropValue(windows[2].button, props::Qz_FuID));
    ButtonSkin* record = qz::FindControlRecord(second.button, &WindowSkin::buttons);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(second.button, record->window);
}

TEST_F(WindowTableTest, RemovingAnIndexOutsideTheTableChangesNothing) {
    SkinnedWindow w = AddSkinnedWindow();

    EXPECT_FALSE(qz::RemoveWindowSkin(0));
    EXPECT_FALSE(qz::RemoveWindowSkin(2));
    EXPECT_EQ(1, WindowTable.Count());
}

} // namespace
