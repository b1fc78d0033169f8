#include "tests/engine/controls/buttons/button_fixture.h"

#include "engine/controls/common/container.h"

#include <vector>

namespace qztest {
namespace {

// Sample points inside the key and away from its anti-aliased outline and its caption: one in
// the body, one just inside the top edge where the focus glow lies.
constexpr POINT kBody{10, 9};
constexpr POINT kTopEdge{25, 1};

// An image of the whole key as the presentation DC holds it.
std::vector<COLORREF> Capture(HDC dc, const RECT& place) {
    std::vector<COLORREF> pixels;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x)
            pixels.push_back(PixelAt(dc, x, y));
    return pixels;
}

class PushButtonTest : public ButtonTest {
  protected:
    void SetUp() override {
        ButtonTest::SetUp();
        key_ = Add("OK", BS_PUSHBUTTON, 20, 20);
        other_ = Add("Other", BS_PUSHBUTTON, 20, 70);
        Skin();
    }

    COLORREF LookAt(UINT state, POINT at) {
        PaintKey(key_, state);
        return Presented(key_, at.x, at.y);
    }

    // The finished image of the key in a state over a background.
    std::vector<COLORREF> Look(HWND key, UINT state, COLORREF background = kGrey) {
        SetBackground(background);
        PaintKey(key, state);
        return Capture(Record()->presentation_dc, qz::ClientRectInWindow(key));
    }

    // Nine ticks of the running fade, as its thread timer would deliver them.
    static void Tick(UINT_PTR id) {
        MSG msg{nullptr, WM_TIMER, id, reinterpret_cast<LPARAM>(&qz::FadeTick), 0, {}};
        DispatchMessageA(&msg);
    }

    HWND key_ = nullptr;
    HWND other_ = nullptr;
};

TEST_F(PushButtonTest, DrawItemRequestReachesThePainterThroughTheWindowProcedure) {
    ASSERT_EQ(Presented(key_, kBody.x, kBody.y), kGrey);
    InvalidateRect(key_, nullptr, TRUE);
    UpdateWindow(key_);
    COLORREF body = Presented(key_, kBody.x, kBody.y);
    // The translucent white key lightens the background; the place beside it is untouched.
    EXPECT_GT(GetGValue(body), GetGValue(kGrey) + 20);
    RECT place = qz::ClientRectInWindow(key_);
    EXPECT_EQ(PixelAt(Record()->presentation_dc, place.right + 3, place.top + 5), kGrey);
}

TEST_F(PushButtonTest, LooksOfTheStatesDifferAsTheirLayersSayAwayFromEdges) {
    COLORREF normal = LookAt(0, kBody);
    COLORREF normalEdge = LookAt(0, kTopEdge);
    EXPECT_LE(std::abs(ThemeLean(normal)), 6) << "the normal key is grey and white only";
    EXPECT_GT(GetGValue(normal), GetGValue(kGrey) + 20);

    COLORREF hot = LookAt(qz::kStateHot, kBody);
    EXPECT_GT(ThemeLean(hot), 15) << "hover tints the whole key with the theme colour";

    COLORREF focus = LookAt(qz::kStateFocus, kBody);
    COLORREF focusEdge = LookAt(qz::kStateFocus, kTopEdge);
    EXPECT_TRUE(Near(focus, normal, 3)) << "the focus glow stays at the edge";
    EXPECT_GT(ThemeLean(focusEdge), ThemeLean(normalEdge) + 15);

    COLORREF pressed = LookAt(qz::kStateSelected, kBody);
    EXPECT_GT(ThemeLean(pressed), 15) << "the pressed inset is themed";
    COLORREF pressedFocus = LookAt(qz::kStateSelected | qz::kStateFocus, kBody);
    EXPECT_TRUE(Near(pressedFocus, pressed, 3));

    COLORREF disabled = LookAt(qz::kStateDisabled, kBody);
    EXPECT_LE(std::abs(ThemeLean(disabled)), 6);
    EXPECT_FALSE(Near(disabled, normal, 5));
}

TEST_F(PushButtonTest, DisabledKeyCoversTheBackgroundAndShowsNoOtherStateAwayFromEdges) {
    UINT all = qz::kStateHot | qz::kStateFocus | qz::kStateSelected;
    for (POINT at : {kBody, kTopEdge}) {
        SetBackground(RGB(0, 0, 0));
        COLORREF onBlack = LookAt(qz::kStateDisabled, at);
        COLORREF onBlackAll = LookAt(qz::kStateDisabled | all, at);
        SetBackground(RGB(255, 255, 255));
        COLORREF onWhite = LookAt(qz::kStateDisabled, at);
        EXPECT_TRUE(Near(onBlack, onWhite, 2));
        EXPECT_TRUE(Near(onBlack, onBlackAll, 2));
        SetBackground(RGB(0, 0, 0));
        COLORREF normalOnBlack = LookAt(0, at);
        SetBackground(RGB(255, 255, 255));
        EXPECT_FALSE(Near(normalOnBlack, LookAt(0, at), 30)) << "the normal key is translucent";
    }
}

int CountNear(const std::vector<COLORREF>& pixels, COLORREF colour, int tolerance) {
    int n = 0;
    for (COLORREF c : pixels)
        n += Near(c, colour, tolerance);
    return n;
}

TEST_F(PushButtonTest, CaptionIsDrawnInTheTextColourOrTheDisabledTextColour) {
    SetWindowTextA(key_, "■■■");
    SetPropA(key_, qz::props::Kj_Ztys, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x0000FF)));
    std::vector<COLORREF> enabled = Look(key_, 0);
    std::vector<COLORREF> disabled = Look(key_, qz::kStateDisabled);
    EXPECT_GE(CountNear(enabled, RGB(255, 0, 0), 2), 20);
    EXPECT_EQ(CountNear(enabled, 0x606060, 2), 0);
    EXPECT_GE(CountNear(disabled, 0x606060, 2), 20);
    EXPECT_EQ(CountNear(disabled, RGB(255, 0, 0), 2), 0);
}

TEST_F(PushButtonTest, AmpersandUnderlinesTheNextLetterAndIsNotShown) {
    SetWindowTextA(key_, "&File");
    SetWindowTextA(other_, "File");
    std::vector<COLORREF> prefixed = Look(key_, 0);
    std::vector<COLORREF> plain = Look(other_, 0);
    ASSERT_EQ(prefixed.size(), plain.size());
    // The captions differ only by the underline beneath the F: in the lower half of the key and
    // left of its middle, where the first letter of the centred word stands.
    int differing = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (Near(prefixed[i], plain[i], 8)) continue;
        ++differing;
        int x = static_cast<int>(i % kKeyWidth);
        int y = static_cast<int>(i / kKeyWidth);
        EXPECT_GT(y, kKeyHeight / 2) << "at " << x << "," << y;
        EXPECT_LT(x, kKeyWidth / 2) << "at " << x << "," << y;
        EXPECT_GT(x, kKeyWidth / 4) << "at " << x << "," << y;
    }
    EXPECT_GE(differing, 3);
}

TEST_F(PushButtonTest, MovingWithinTheKeyPaintsTheHoverLookOnce) {
    SendAt(key_, WM_MOUSEMOVE);
    ASSERT_EQ(qz::FadeList.Count(), 1);
    UINT_PTR firstFade = qz::FadeList.At(1)->timer.Id();
    EXPECT_EQ(qz::FadeList.At(1)->window, key_);
    EXPECT_GT(ThemeLean(Presented(key_, kBody.x, kBody.y)), 15);
    EXPECT_EQ(Record()->hot_index, static_cast<int>(qz::GetPropValue(key_, qz::props::Qz_lbID)));

    SetBackground(kGrey);
    SendAt(key_, WM_MOUSEMOVE, 6, 6);
    SendAt(key_, WM_MOUSEMOVE, 7, 7);
    ASSERT_EQ(qz::FadeList.Count(), 1);
    EXPECT_EQ(qz::FadeList.At(1)->timer.Id(), firstFade) << "no second hover paint";
    EXPECT_EQ(Presented(key_, kBody.x, kBody.y), kGrey);
}

TEST_F(PushButtonTest, LeavingRepaintsTheNormalLookOrTheFocusLookWhileHeld) {
    SendAt(key_, WM_MOUSEMOVE);
    SendMessageA(key_, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Record()->hot_index, 0);
    EXPECT_EQ(qz::FadeList.Count(), 0) << "the repaint ends the running fade";
    EXPECT_LE(std::abs(ThemeLean(Presented(key_, kBody.x, kBody.y))), 6);
    COLORREF normalEdge = Presented(key_, kTopEdge.x, kTopEdge.y);

    SendAt(key_, WM_LBUTTONDOWN);
    ASSERT_EQ(ButtonOf(key_)->pressed, 1);
    SendAt(key_, WM_MOUSEMOVE);
    SendMessageA(key_, WM_MOUSELEAVE, 0, 0);
    EXPECT_GT(ThemeLean(Presented(key_, kTopEdge.x, kTopEdge.y)), ThemeLean(normalEdge) + 15);
    SendAt(key_, WM_LBUTTONUP);
    EXPECT_EQ(ButtonOf(key_)->pressed, 0);
    EXPECT_EQ(Record()->hot_index, 0);
}

TEST_F(PushButtonTest, HoverOnASecondKeyStopsTheFirstFadeAtOnce) {
    int before = qz::MemoryDcRegistry.Count();
    SendAt(key_, WM_MOUSEMOVE);
    ASSERT_EQ(qz::FadeList.Count(), 1);
    SendAt(other_, WM_MOUSEMOVE);
    ASSERT_EQ(qz::FadeList.Count(), 1);
    EXPECT_EQ(qz::FadeList.At(1)->window, other_);
    EXPECT_EQ(qz::MemoryDcRegistry.Count(), before + 1) << "only the running fade holds a DC";
    EXPECT_EQ(Record()->hot_index, static_cast<int>(qz::GetPropValue(other_, qz::props::Qz_lbID)));
}

TEST_F(PushButtonTest, FadeEndsAfterNineTicksWithTheHoverLookOnScreenAndItsDcsReleased) {
    int before = qz::MemoryDcRegistry.Count();
    SendAt(key_, WM_MOUSEMOVE);
    ASSERT_EQ(qz::FadeList.Count(), 1);
    UINT_PTR id = qz::FadeList.At(1)->timer.Id();
    Tick(id + 1000); // another timer's tick is not this fade's
    EXPECT_EQ(qz::FadeList.At(1)->step, 1);
    for (int tick = 1; tick <= 8; ++tick)
        Tick(id);
    ASSERT_EQ(qz::FadeList.Count(), 1);
    EXPECT_EQ(qz::FadeList.At(1)->step, 9);
    Tick(id);
    EXPECT_EQ(qz::FadeList.Count(), 0);
    EXPECT_EQ(qz::MemoryDcRegistry.Count(), before);
    // Blends at rising alphas up to 250 leave the screen within a pixel level of the image.
    EXPECT_TRUE(Near(OnScreen(key_, kBody.x, kBody.y), Presented(key_, kBody.x, kBody.y), 3));
    EXPECT_FALSE(KillTimer(nullptr, id)) << "the fade's timer is gone";
}

TEST_F(PushButtonTest, ButtonStateReleaseIsIgnoredWhileTheKeyIsHeld) {
    SendAt(key_, WM_LBUTTONDOWN);
    SendMessageA(key_, BM_SETSTATE, FALSE, 0);
    EXPECT_TRUE(SendMessageA(key_, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendAt(key_, WM_LBUTTONUP);
    EXPECT_FALSE(SendMessageA(key_, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

// Counts the click notifications that reach the skinned window, on top of its procedure.
struct ClickCounter {
    static inline WNDPROC next = nullptr;
    static inline int clicked = 0, double_clicked = 0;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++clicked;
        if (msg == WM_COMMAND && HIWORD(wp) == BN_DOUBLECLICKED) ++double_clicked;
        return CallWindowProcA(next, hwnd, msg, wp, lp);
    }
};

TEST_F(PushButtonTest, AQuickSecondClickIsAClickNotADoubleClick) {
    HWND parent = GetParent(key_);
    ClickCounter::clicked = ClickCounter::double_clicked = 0;
    ClickCounter::next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClickCounter::Proc)));
    for (UINT press : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONDBLCLK)}) {
        SendAt(key_, press);
        EXPECT_TRUE(SendMessageA(key_, BM_GETSTATE, 0, 0) & BST_PUSHED);
        SendAt(key_, WM_LBUTTONUP);
    }
    SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClickCounter::next));
    EXPECT_EQ(ClickCounter::clicked, 2);
    EXPECT_EQ(ClickCounter::double_clicked, 0);
}

using ContainedButtonTest = ButtonTest;

TEST_F(ContainedButtonTest, MovingAButtonInsideAContainerHasTheContainerPaintAnew) {
    HWND panel = window_.AddChild("STATIC", "", 0, 10, 10, 200, 150);
    HWND key = CreateWindowExA(0, "BUTTON", "In", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 80,
                               25, panel, nullptr, GetModuleHandleA(nullptr), nullptr);
    Skin();
    qz::RegisterContainer(panel);
    qz::ContainerSkin* container = qz::FindContainer(panel);
    ASSERT_NE(container, nullptr);
    ASSERT_EQ(GetWindowLongPtrA(key, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&qz::ButtonProc));
    container->moved = 0;
    SetWindowPos(key, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(container->moved, 1);
}

} // namespace
} // namespace qztest
