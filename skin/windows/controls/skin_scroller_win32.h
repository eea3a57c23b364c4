// CSkinScroller: base of the skins that draw a window's scroll bars
// themselves (frames, MDI clients, edits, the scroll-bar control, and the
// list-like controls). It narrows the system's bar strips to the skin's
// thickness, paints arrows, track and thumb from the skin's scroll-bar
// picture, follows the mouse over them and turns presses and thumb drags
// into the ordinary WM_HSCROLL and WM_VSCROLL, so the window underneath
// scrolls as before. The system never draws or tracks these bars.
//
// It keeps the engine's copy of each bar; the scroll-bar hooks answer the
// system's scroll-bar functions from it, on any thread (under its lock).
//
// A derived skin:
// - routes the non-client messages to the handlers below (they fit its
//   message table): WM_NCCALCSIZE to OnScrollNcCalcSize, WM_NCHITTEST to
//   OnScrollNcHitTest, WM_NCMOUSEMOVE to OnScrollNcMouseMove,
//   WM_NCLBUTTONDOWN and WM_NCLBUTTONDBLCLK to OnScrollNcButtonDown,
//   WM_NCLBUTTONUP to OnScrollNcButtonUp, WM_NCMOUSELEAVE to
//   OnScrollNcMouseLeave, WM_CAPTURECHANGED to OnScrollCaptureChanged,
//   WM_CREATE to OnScrollCreate and WM_SKIN_REINIT to OnScrollReinit
//   (SkinScrollerBarEntries holds these routes but WM_CREATE's, with
//   WM_NCPAINT to OnScrollNcPaint, for the skins that take them all);
// - paints its non-client area in WM_NCPAINT: OnScrollNcPaint draws the
//   border ring in BorderColor() and the bars, without passing the message
//   on (a skin with frame pictures draws them, then DrawScrollBars); and
//   paints its client area itself;
// - may override ScrollBarImageId (its description's picture),
//   HidesThumbWithoutRange (windows that cannot scroll) and OnScrolled
//   (called after each scroll message its bars sent the window).
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_scroll_geometry.h"
#include "skin/windows/hooks/skin_scroll_math.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/manager/skin_messages.h"

template <class T>
struct SkinScrollerBarEntries;

class CSkinScroller : public CSkinBase {
public:
    // `scrollBarControl`: the window is a "ScrollBar" control whose one bar
    // fills its client area.
    explicit CSkinScroller(HWND window, bool scrollBarControl = false);
    ~CSkinScroller() override;

    // Looks the scroll-bar and size-box pictures up again.
    void AdjustColors(const SkinColorShift& shift) override;
    // A window skinned after its creation reads its bars now.
    void OnAttached() override;
    // The bars take their size at the new scale: the frame is computed again.
    void OnScaleChanged() override;
    bool VisitScrollBars(ISkinScrollBarsVisit& visit) override;
    void RedrawScrollBars() override;

    // 6: the border ring between the window's edge and its client area with
    // the bars, for windows with an edge style: a 1-pixel line in `border`
    // and white inside it. Nothing when `skipRing`.
    virtual void DrawNonClient(HDC dc, SkinColor border, bool skipRing);

    // Draws the bars into `dc` (a window DC; the client DC of the
    // scroll-bar control), or into a window DC of its own when null. Only
    // bars whose geometry changed, unless `force`.
    void DrawScrollBars(HDC dc, bool force);

    // ----- The bar copies, for the hooks (any thread) -----
    template <class F>
    auto WithBars(F&& f) {
        std::lock_guard<std::mutex> lock(barsLock_);
        return f(bars_);
    }
    SkinScrollBars BarsSnapshot() const;
    // The creation-time set-up: reads both bars from the system and makes
    // the system compute the non-client area again.
    void InitScrollBars();

    bool IsScrollBarControl() const { return scrollBarControl_; }
    // The bars' sizes at the window's scale.
    SkinScrollMetrics ScrollMetrics() const { return SkinScaledScrollMetrics(Scale()); }
    // The geometry of bar 0 (horizontal) or 1 (vertical) as last drawn.
    const SkinScrollBarGeometry& BarGeometry(int index) const { return geometry_[index]; }
    bool BarPresent(int index) const { return present_[index]; }

protected:
    // ----- For derived skins -----
    // The id of the scroll-bar picture in the skin's description; empty
    // takes the theme's default.
    virtual std::wstring ScrollBarImageId() const { return std::wstring(); }
    virtual std::wstring SizeBoxImageId() const { return std::wstring(); }
    // The colour of the border ring; the theme's default border colour.
    virtual SkinColor BorderColor() const;
    // A bar without a range shows no thumb (tree and list views that cannot
    // scroll).
    virtual bool HidesThumbWithoutRange() const { return false; }
    // The bar has the keyboard focus: its thumb shows hot while the mouse
    // is elsewhere (the scroll-bar control).
    virtual bool ShowsFocus() const { return false; }
    // After the bars sent the window (or the control's parent) a scroll
    // message with `command` (SB_...) for bar 0 or 1.
    virtual void OnScrolled(int bar, int command) {}

    template <class T>
    friend struct SkinScrollerBarEntries;

    bool OnScrollCreate(const SkinMessage&, LRESULT* result);
    bool OnScrollReinit(const SkinMessage&, LRESULT* result);
    bool OnScrollNcCalcSize(const SkinMessage&, LRESULT* result);
    bool OnScrollNcHitTest(const SkinMessage&, LRESULT* result);
    bool OnScrollNcPaint(const SkinMessage&, LRESULT* result);
    bool OnScrollNcMouseMove(const SkinMessage&, LRESULT* result);
    bool OnScrollNcButtonDown(const SkinMessage&, LRESULT* result);
    bool OnScrollNcButtonUp(const SkinMessage&, LRESULT* result);
    bool OnScrollNcMouseLeave(const SkinMessage&, LRESULT* result);
    // WM_CAPTURECHANGED: a thumb drag that lost the mouse ends.
    bool OnScrollCaptureChanged(const SkinMessage&, LRESULT* result);

    // The operations behind the handlers, at a point in bar coordinates
    // (the window's; the client's for the scroll-bar control).
    // The private hit code (0x8001, 0x8002) of the bar at the point, or 0.
    int ScrollHitCode(POINT p);
    // Hover: true when the point is on a bar.
    bool ScrollHover(POINT p);
    // Press: true when the press was on a bar (and handled, drag included).
    bool ScrollPress(POINT p);
    // Release after a press; true when a press was pending.
    bool ScrollRelease(POINT p);
    // The mouse left the window: hover and press end.
    void ScrollLeave();
    // A point in bar coordinates from a point on the screen.
    POINT BarPoint(POINT screen) const;

    // The client area with the bars beside it, in window coordinates.
    SkinRect ClientWithBars() const;
    // Presence of the bars from the window's style (WM_NCCALCSIZE).
    void UpdatePresence(uint32_t style, uint32_t exStyle);
    // While the skin reads the bars from the system.
    bool SettingUp() const { return settingUp_; }
    // Whether a press or a drag is going on.
    bool ScrollBusy() const { return pressedPart_ != SkinScrollPart::None || tracking_; }

    // Watches this object while a message goes where the window may be
    // destroyed (the program's procedure beneath the skin, a scroll message
    // to the window): once Gone(), the object went with it; touch nothing.
    // Watches nest.
    class DestroyWatch {
    public:
        explicit DestroyWatch(CSkinScroller& scroller) : scroller_(scroller), outer_(scroller.destroyedFlag_) {
            scroller.destroyedFlag_ = &gone_;
        }
        ~DestroyWatch() {
            if (!gone_)
                scroller_.destroyedFlag_ = outer_;
            else if (outer_)
                *outer_ = true;
        }
        DestroyWatch(const DestroyWatch&) = delete;
        DestroyWatch& operator=(const DestroyWatch&) = delete;
        bool Gone() const { return gone_; }

    private:
        CSkinScroller& scroller_;
        bool* outer_;
        bool gone_ = false;
    };
    // Passes the message on, then redraws the bars whose geometry changed,
    // unless the window went meanwhile. Always consumes the message.
    bool PassThenRedrawBars(const SkinMessage& m, LRESULT* result);

    // Looks up the scroll-bar picture (the theme's default without one of
    // the skin's own) and the size-box picture.
    void LoadScrollPictures();
    // Reads both bars from the system into the copies.
    void ReadScrollBars();
    CSkinDrawImage* sizeBoxImage_ = nullptr;

private:
    void ComputeGeometry();
    void DrawBar(ISkinCanvas& target, int index);
    void SetVisual(int bar, SkinScrollPart part, int state);
    // Sends bar's scroll message with `wParam` to the window (the control:
    // to its parent). False when the window was destroyed meanwhile (this
    // object with it: touch nothing).
    bool SendScroll(int bar, WPARAM wParam);
    // The thumb drag's message loop, until the release or a capture loss.
    void TrackThumb();
    void DragTo(POINT p);
    // Ends a drag (SB_THUMBPOSITION, SB_ENDSCROLL); false when the window went.
    bool EndDrag();
    // Ends a press or drag with the pointer at `p`; false when the window went.
    bool FinishPress(POINT p);

    bool scrollBarControl_ = false;

    mutable std::mutex barsLock_;
    SkinScrollBars bars_;  // guarded by barsLock_

    // Owned by the window's thread.
    bool present_[2] = {false, false};
    bool leftScrollBar_ = false;
    bool settingUp_ = false;
    SkinScrollBarGeometry geometry_[2];
    bool dirty_[2] = {true, true};
    SkinRect corner_;
    SkinBitmapHandle buffer_;  // one bar's off-screen picture
    int bufferW_ = 0, bufferH_ = 0;

    // The mouse: the part shown hot or pressed, and in which state.
    int visualBar_ = -1;
    SkinScrollPart visualPart_ = SkinScrollPart::None;
    int visualState_ = 0;
    bool trackingLeave_ = false;
    // A press: its bar and part; a thumb drag.
    int activeBar_ = -1;
    SkinScrollPart pressedPart_ = SkinScrollPart::None;
    bool tracking_ = false;
    SkinScrollDrag drag_;
    int lastPosition_ = -1;
    // The innermost DestroyWatch's flag, which the destructor sets.
    bool* destroyedFlag_ = nullptr;
};

// The table entries through which a scroller draws and drives its bars, to
// join with a derived skin T's own (SkinJoinTables). A skin attached at its
// creation adds WM_CREATE to OnScrollCreate.
template <class T>
struct SkinScrollerBarEntries {
    using S = CSkinScroller;
    static constexpr SkinMessageEntry<T> kEntries[] = {
        {WM_SKIN_REINIT, &S::OnScrollReinit},           {WM_NCCALCSIZE, &S::OnScrollNcCalcSize},
        {WM_NCHITTEST, &S::OnScrollNcHitTest},          {WM_NCPAINT, &S::OnScrollNcPaint},
        {WM_NCMOUSEMOVE, &S::OnScrollNcMouseMove},      {WM_NCLBUTTONDOWN, &S::OnScrollNcButtonDown},
        {WM_NCLBUTTONDBLCLK, &S::OnScrollNcButtonDown}, {WM_NCLBUTTONUP, &S::OnScrollNcButtonUp},
        {WM_NCMOUSELEAVE, &S::OnScrollNcMouseLeave},    {WM_CAPTURECHANGED, &S::OnScrollCaptureChanged},
    };
};
