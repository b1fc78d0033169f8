#include "tests/engine/controls/buttons/button_fixture.h"

#include <vector>

namespace qztest {
namespace {

// The strip's cells are 16 pixels high, so in a 20-pixel control they start two rows down. The
// box fill is sampled in its top-left corner, where no mark is drawn; the mark at a point on the
// small mark's long stroke.
constexpr int kCellTop = (kBoxHeight - 16) / 2;
constexpr POINT kBoxFill{3, kCellTop + 3};
constexpr POINT kMark{9, kCellTop + 8};

// Box fills of the strip's cells: the hot and disabled boxes are opaque, the normal one is laid
// over the background at alpha 191.
constexpr COLORREF kHotFill = 0xEDEAE6;      // RGB E6EAED
constexpr COLORREF kDisabledFill = 0xDDD8D0; // RGB D0D8DD
COLORREF NormalFillOver(COLORREF background) {
    auto mix = [](int fill, int under) { return (fill * 191 + under * (255 - 191)) / 255; };
    return RGB(mix(0xE9, GetRValue(background)), mix(0xE9, GetGValue(background)),
               mix(0xE9, GetBValue(background)));
}

bool IsMarkGreen(COLORREF c) {
    return GetGValue(c) > GetRValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30;
}

class CheckRadioTest : public ButtonTest {
  protected:
    void SetUp() override {
        ButtonTest::SetUp();
        box_ = AddBox("Check", BS_AUTOCHECKBOX, 10, 10);
        radio_ = AddBox("Radio", BS_AUTORADIOBUTTON, 10, 40);
        other_radio_ = AddBox("Other", BS_AUTORADIOBUTTON, 10, 70);
        Skin();
    }

    // Green pixels in the cell area of the box's last finished image.
    int MarkPixels(HWND box) {
        int n = 0;
        for (int y = kCellTop; y < kCellTop + 16; ++y)
            for (int x = 0; x < 21; ++x)
                n += IsMarkGreen(Presented(box, x, y));
        return n;
    }

    HWND box_ = nullptr;
    HWND radio_ = nullptr;
    HWND other_radio_ = nullptr;
};

struct CellCase {
    const char* name;
    UINT state;
    bool checked;
    bool hotFill;
    bool disabledFill;
    bool mark;
};

const CellCase kCellCases[] = {
    {"normal", 0, false, false, false, false},
    {"hot", qz::kStateHot, false, true, false, false},
    {"disabled", qz::kStateDisabled, false, false, true, false},
    {"disabled and hot", qz::kStateDisabled | qz::kStateHot, false, false, true, false},
    {"checked", 0, true, false, false, true},
    {"checked and hot", qz::kStateHot, true, true, false, true},
    {"checked and disabled", qz::kStateDisabled, true, false, true, true},
};

TEST_F(CheckRadioTest, CheckBoxTakesTheStripCellOfItsState) {
    for (const CellCase& c : kCellCases) {
        SCOPED_TRACE(c.name);
        SendMessageA(box_, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        SetBackground(kGrey);
        qz::PaintCheck(box_, c.state);
        COLORREF fill = Presented(box_, kBoxFill.x, kBoxFill.y);
        COLORREF expected = c.hotFill        ? kHotFill
                            : c.disabledFill ? kDisabledFill
                                             : NormalFillOver(kGrey);
        EXPECT_TRUE(Near(fill, expected, 3)) << std::hex << fill;
        EXPECT_EQ(IsMarkGreen(Presented(box_, kMark.x, kMark.y)), c.mark);
    }
}

TEST_F(CheckRadioTest, DisabledCheckBoxNeverShowsTheHotBox) {
    EnableWindow(box_, FALSE);
    SetBackground(kGrey);
    SendAt(box_, WM_MOUSEMOVE);
    EXPECT_TRUE(Near(Presented(box_, kBoxFill.x, kBoxFill.y), kDisabledFill, 3));
    InvalidateRect(box_, nullptr, TRUE);
    SetBackground(kGrey);
    UpdateWindow(box_);
    EXPECT_TRUE(Near(Presented(box_, kBoxFill.x, kBoxFill.y), kDisabledFill, 3));
}

struct ObservedFrame {
    int frame;
    int markPixels;
};
class ClickAnimationTest;
std::vector<ObservedFrame>* g_observed = nullptr;
ClickAnimationTest* g_test = nullptr;

class ClickAnimationTest : public CheckRadioTest {
  protected:
    void SetUp() override {
        CheckRadioTest::SetUp();
        g_observed = &observed_;
        g_test = this;
        qz::ObserveClickFrames([](HWND control, int frame) {
            g_observed->push_back({frame, g_test->MarkPixelsOf(control)});
        });
    }
    void TearDown() override {
        CheckRadioTest::TearDown();
        g_observed = nullptr;
        g_test = nullptr;
    }

  public:
    int MarkPixelsOf(HWND box) { return MarkPixels(box); }

  protected:
    std::vector<ObservedFrame> observed_;
};

TEST_F(ClickAnimationTest, ClickOnACheckedBoxShrinksTheMarkAwayThenRepaintsUnchecked) {
    SendMessageA(box_, BM_SETCHECK, BST_CHECKED, 0);
    DWORD start = GetTickCount();
    SendAt(box_, WM_LBUTTONDOWN);
    DWORD elapsed = GetTickCount() - start;
    ASSERT_EQ(observed_.size(), 4u);
    int frames[4];
    for (int i = 0; i < 4; ++i)
        frames[i] = observed_[i].frame;
    EXPECT_EQ(std::vector<int>(frames, frames + 4), (std::vector<int>{1, 3, 4, 0}));
    // Large mark, small mark, the small mark at 60 %, no mark.
    EXPECT_GT(observed_[0].markPixels, observed_[1].markPixels);
    EXPECT_GT(observed_[1].markPixels, observed_[2].markPixels);
    EXPECT_GT(observed_[2].markPixels, 0);
    EXPECT_EQ(observed_[3].markPixels, 0);
    EXPECT_GE(elapsed, 120u) << "the frames are paced by the animation's pauses";
    EXPECT_EQ(SendMessageA(box_, BM_GETCHECK, 0, 0), BST_CHECKED) << "nothing toggled yet";

    SendAt(box_, WM_LBUTTONUP);
    EXPECT_EQ(SendMessageA(box_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(MarkPixels(box_), 0);
    EXPECT_TRUE(Near(Presented(box_, kBoxFill.x, kBoxFill.y), NormalFillOver(kGrey), 3));
}

TEST_F(ClickAnimationTest, ClickOnAnUncheckedBoxShowsTheEmptyBoxThenRepaintsChecked) {
    SendAt(box_, WM_LBUTTONDOWN);
    ASSERT_EQ(observed_.size(), 4u);
    std::vector<int> frames;
    for (const ObservedFrame& f : observed_) {
        frames.push_back(f.frame);
        EXPECT_EQ(f.markPixels, 0) << "frame " << f.frame;
    }
    EXPECT_EQ(frames, (std::vector<int>{4, 3, 1, 3}));
    EXPECT_TRUE(Near(Presented(box_, kBoxFill.x, kBoxFill.y), NormalFillOver(kGrey), 3));

    SendAt(box_, WM_LBUTTONUP);
    EXPECT_EQ(SendMessageA(box_, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsMarkGreen(Presented(box_, kMark.x, kMark.y)));
}

TEST_F(ClickAnimationTest, BoxWithoutTheAnimationMarkIsRepaintedWithoutFrames) {
    RemovePropA(box_, qz::props::Xzk_dhxg);
    SendMessageA(box_, BM_SETCHECK, BST_CHECKED, 0);
    SetBackground(kGrey);
    SendAt(box_, WM_LBUTTONDOWN);
    EXPECT_TRUE(observed_.empty());
    EXPECT_TRUE(IsMarkGreen(Presented(box_, kMark.x, kMark.y)));
    SendAt(box_, WM_LBUTTONUP);
}

TEST_F(CheckRadioTest, SetCheckAndTheSpaceKeyRepaintAtOnce) {
    SendMessageA(box_, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(IsMarkGreen(Presented(box_, kMark.x, kMark.y)));
    SendMessageA(box_, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_FALSE(IsMarkGreen(Presented(box_, kMark.x, kMark.y)));

    for (HWND control : {box_, radio_}) {
        SCOPED_TRACE(control == box_ ? "check box" : "radio button");
        SetBackground(kGrey);
        SendMessageA(control, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_NE(Presented(control, kBoxFill.x, kBoxFill.y + 2), kGrey);
        SendMessageA(control, WM_KEYUP, VK_SPACE, 0);
    }
    SetBackground(kGrey);
    SendMessageA(box_, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(Presented(box_, kBoxFill.x, kBoxFill.y), kGrey) << "other keys paint nothing";
}

TEST_F(CheckRadioTest, WmPaintDrawsTheEngineLook) {
    SendMessageA(box_, BM_SETCHECK, BST_CHECKED, 0);
    SetBackground(kGrey);
    InvalidateRect(box_, nullptr, TRUE);
    UpdateWindow(box_);
    EXPECT_TRUE(IsMarkGreen(Presented(box_, kMark.x, kMark.y)));
    EXPECT_TRUE(IsMarkGreen(OnScreen(box_, kMark.x, kMark.y)));
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(box_, &update, FALSE)) << "the paint was validated";
}

// Radio geometry in a 20-pixel control: the body circle is 12 pixels wide at (2, 4), its centre
// at (8, 10); the halo ring reaches 9 pixels from that centre, the dot 3.
constexpr POINT kHaloRing{8, 2};
constexpr POINT kDotSide{6, 10};

TEST_F(CheckRadioTest, RadioHoverLaysAThemedHaloAroundTheCircleAwayFromEdges) {
    SetBackground(kGrey);
    qz::PaintRadio(radio_, 0);
    COLORREF plain = Presented(radio_, kHaloRing.x, kHaloRing.y);
    EXPECT_TRUE(Near(plain, kGrey, 3));
    qz::PaintRadio(radio_, qz::kStateHot);
    EXPECT_GT(ThemeLean(Presented(radio_, kHaloRing.x, kHaloRing.y)), 15);
    qz::PaintRadio(radio_, qz::kStateHot | qz::kStateDisabled);
    EXPECT_TRUE(Near(Presented(radio_, kHaloRing.x, kHaloRing.y), kGrey, 3)) << "no halo";
}

TEST_F(CheckRadioTest, SelectedRadioShowsAThemedDotOrAGreyOneWhenDisabledAwayFromEdges) {
    SetBackground(kGrey);
    qz::PaintRadio(radio_, 0);
    COLORREF empty = Presented(radio_, kDotSide.x, kDotSide.y);
    SendMessageA(radio_, BM_SETCHECK, BST_CHECKED, 0);
    COLORREF themed = Presented(radio_, kDotSide.x, kDotSide.y);
    EXPECT_GT(ThemeLean(themed), ThemeLean(empty) + 20);
    EnableWindow(radio_, FALSE);
    SendMessageA(radio_, BM_SETCHECK, BST_CHECKED, 0);
    COLORREF grey = Presented(radio_, kDotSide.x, kDotSide.y);
    EXPECT_LE(std::abs(ThemeLean(grey)), 6);
    EXPECT_LT(GetGValue(grey), GetGValue(empty) - 20) << "the dot darkens towards 0x606060";
}

TEST_F(CheckRadioTest, DisabledRadioCaptionIsGreyWhateverTheTextColour) {
    SetWindowTextA(radio_, "■■■■");
    SetPropA(radio_, qz::props::Kj_Ztys, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x0000FF)));
    auto count = [&](COLORREF colour) {
        int n = 0;
        for (int y = 0; y < kBoxHeight; ++y)
            for (int x = 15; x < kBoxWidth; ++x)
                n += Near(Presented(radio_, x, y), colour, 3);
        return n;
    };
    qz::PaintRadio(radio_, 0);
    EXPECT_GE(count(RGB(255, 0, 0)), 20);
    qz::PaintRadio(radio_, qz::kStateDisabled);
    EXPECT_EQ(count(RGB(255, 0, 0)), 0);
    EXPECT_GE(count(0x606060), 20);
}

TEST_F(CheckRadioTest, ClickingARadioButtonSelectsItAndRepaintsTheOtherOfItsGroup) {
    SendMessageA(other_radio_, BM_SETCHECK, BST_CHECKED, 0);
    SetBackground(kGrey);
    SendAt(radio_, WM_LBUTTONDOWN);
    EXPECT_NE(Presented(radio_, kDotSide.x, kDotSide.y), kGrey) << "repainted on the press";
    SendAt(radio_, WM_LBUTTONUP);
    EXPECT_EQ(SendMessageA(radio_, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(other_radio_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_GT(ThemeLean(Presented(radio_, kDotSide.x, kDotSide.y)), 20);
    EXPECT_LE(ThemeLean(Presented(other_radio_, kDotSide.x, kDotSide.y)), 6);
}

} // namespace
} // namespace qztest
