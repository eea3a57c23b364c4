// CSkinWndSB: the skin of a top-level window or dialog. It replaces the
// system frame by pictures cut from one background image, paints the
// client background from it, clips the window to a region taken from the
// picture's colour key, places its skinned children by their layouts, and
// keeps the composed client background for children that show it behind
// themselves.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_frame_geometry.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinMenuBar;

// Frame styles of the theme.
enum class SkinFrameStyle : uint8_t { Normal, Png, BitmapRgn, BitmapRound };
SkinFrameStyle SkinParseFrameStyle(const std::wstring& name);

// Timers of the frame's caption buttons and menu bar.
enum : UINT_PTR {
    kSkinTimerCaptionHot = 26149,
    kSkinTimerMenuFast = 26150,
    kSkinTimerMenuTrack = 26151,
    kSkinTimerMenuHot = 26152
};

// The window information the frame's geometry depends on.
struct SkinFrameInfo {
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int width = 0;
    int height = 0;
};

// What WM_SKIN_PAINTPARENTBK points at.
struct SkinPaintParentRequest {
    HWND child;
    HDC dc;
    RECT rect;  // in the child's client coordinates
};

class CSkinWndSB : public CSkinScroller {
public:
    explicit CSkinWndSB(HWND window);
    ~CSkinWndSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;
    void OnScaleChanged() override;
    // Takes a new DPI: this frame and its skinned children at the new scale,
    // the window moved to `suggested` (screen coordinates) when given, laid
    // out and repainted. 1 when the scale changed. WM_DPICHANGED comes here.
    int ApplyDpiChange(int dpi, const RECT* suggested);
    void AddLayoutChild(CSkinBase* child) override;
    void RemoveLayoutChild(HWND child) override;
    SkinSurface FrameBackground() override;
    std::optional<SkinColor> FrameBackgroundColor() const override { return backgroundColor_; }
    HBRUSH FrameBackgroundBrush() const override { return backgroundBrush_.get(); }
    bool IsNoDrawFrame() const override { return drawStyle_ == SkinDrawStyle::NoDraw; }
    bool OwnsWindowRegion() const override;
    HWND ItemClickTarget() const override { return window_; }
    // Drawn over the composed background before it is shown.
    virtual void DrawOverlay(HDC memoryDc);

    LRESULT HandleMessage(const SkinMessage& message);

    const SkinWindowDesc* WindowDescription() const { return static_cast<const SkinWindowDesc*>(description_); }
    int FrameKind() const { return frameKind_; }
    const SkinFrameMetrics& Metrics() const { return metrics_; }
    // The layout list (window handles of child skin objects).
    const std::vector<HWND>& LayoutList() const { return layout_; }

protected:
    std::wstring ScrollBarImageId() const override;

    // Caption buttons: close, maximise, restore, minimise, help.
    enum Button { kClose, kMax, kRestore, kMin, kHelp, kButtonCount };

private:
    friend struct SkinWndTable;

    // ----- messages (skin_wnd.cpp) -----
    bool OnCreate(const SkinMessage&, LRESULT*);
    bool OnDpiChanged(const SkinMessage&, LRESULT*);
    bool OnActivate(const SkinMessage&, LRESULT*);
    bool OnSetText(const SkinMessage&, LRESULT*);
    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnGetMinMaxInfo(const SkinMessage&, LRESULT*);
    bool OnWindowPosChanging(const SkinMessage&, LRESULT*);
    bool OnWindowPosChanged(const SkinMessage&, LRESULT*);
    bool OnStyleChanged(const SkinMessage&, LRESULT*);
    bool OnNcCalcSize(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);
    bool OnRefuse(const SkinMessage&, LRESULT*);
    bool OnPassWithoutCaption(const SkinMessage&, LRESULT*);
    bool OnCtlColor(const SkinMessage&, LRESULT*);
    bool OnItemsMouse(const SkinMessage&, LRESULT*);
    bool OnPaintParentBackground(const SkinMessage&, LRESULT*);
    bool OnRelayout(const SkinMessage&, LRESULT*);
    bool OnMenuLoop(const SkinMessage&, LRESULT*);
    bool OnScrollMessage(const SkinMessage&, LRESULT*);
    // ----- children (skin_wnd_children.cpp) -----
    bool OnMeasureItem(const SkinMessage&, LRESULT*);
    // ----- mouse and commands (skin_wnd_mouse.cpp) -----
    bool OnSetCursor(const SkinMessage&, LRESULT*);
    bool OnNcHitTest(const SkinMessage&, LRESULT*);
    bool OnNcMouseMove(const SkinMessage&, LRESULT*);
    bool OnNcButtonDown(const SkinMessage&, LRESULT*);
    bool OnNcButtonUp(const SkinMessage&, LRESULT*);
    bool OnSysCommand(const SkinMessage&, LRESULT*);
    bool OnTimer(const SkinMessage&, LRESULT*);

    // ----- state -----
    // Style, extended style and size now; whether the geometry was made
    // from other ones; the frame kind they give.
    SkinFrameInfo CurrentInfo() const;
    bool GeometryOutdated(const SkinFrameInfo& now) const;
    void UpdateFrameKind(const SkinFrameInfo& info);
    // Passes a message on with the caption bits removed, so the system
    // draws no caption of its own.
    LRESULT PassWithoutCaption(const SkinMessage& m, bool detachMenu, bool calcSize);
    uint32_t CaptionBitsToggled() const;
    bool Suppressed() const { return suppress_ > 0; }
    void ComputeResizable();
    // The description's metrics in pixels of the window's scale.
    void ScaleMetrics();
    void LoadPictures();
    void LayoutChildren();

    // ----- painting (skin_wnd_paint.cpp) -----
    void RecomputeGeometry();
    void RebuildFrameBitmap();
    bool FrameBandPixels(std::vector<uint8_t>* pixels, SkinPixelRows* rows);
    bool ApplyRegion();  // true when a region was set (which repaints)
    void PaintNonClient();
    void PaintFrameBands(HDC dc);
    void DrawCaption(ISkinCanvas& canvas, int width);
    void ComposeBackground(const SkinRect& client);
    void FirstSizeAdjustment();
    void RedrawCaption();
    void UpdateLayered();

    // ----- what children get of the picture (skin_wnd_children.cpp) -----
    // The answer to WM_CTLCOLORSTATIC and WM_CTLCOLORBTN of a child the
    // frame has no rule of its own for: the picture as a brush aligned to
    // the child, unless the application answered with a brush of its own.
    bool AnswerChildColor(const SkinMessage& m, LRESULT* result);
    HBRUSH ChildBackgroundBrush();
    // The children's brush with its origin set in `dc` so the picture lines
    // up under `child`; null without a composed background.
    HBRUSH AlignedChildBrush(HDC dc, HWND child);
    // A child's erase forwarded to the frame (the DC's origin moved to the
    // frame's client corner): the picture under it.
    void EraseForChild(HDC dc);
    // Whether the frame's own painting leaves the child's place out.
    static bool PaintsOverItself(HWND child);

    // ----- hit testing (skin_wnd_mouse.cpp) -----
    SkinFrameHitInput HitInput() const;
    void SetHotButton(int hot);
    // True for the small caption of the classic systems.
    bool SmallSystemCaption() const;
    void LayoutCaptionButtons(int width);

    SkinColor backgroundColor_ = 0;
    SkinBrush backgroundBrush_;
    CSkinDrawImage* backgroundImage_ = nullptr;
    CSkinDrawImage* buttonImages_[kButtonCount][4] = {};
    SkinDrawStyle drawStyle_ = SkinDrawStyle::NoDraw;
    SkinFrameStyle frameStyle_ = SkinFrameStyle::Normal;
    SkinFrameMetrics metrics96_;  // the description's, at 96 DPI
    SkinFrameMetrics metrics_;    // in pixels of the window's scale

    // The frame picture cut to the window's size, one bitmap per band of
    // the non-client area (top, left, right, bottom, as in bands_): the
    // part under the client area is never shown, so it is never made.
    struct FrameBandBitmap {
        SkinBitmapHandle bitmap;
        SkinRect rect;  // in the window
        SkinSurface Surface() const { return SkinSurface{bitmap.get(), rect.Width(), rect.Height()}; }
    };
    FrameBandBitmap frameBands_[4];
    bool HasFrameBands() const {
        for (const FrameBandBitmap& band : frameBands_)
            if (band.bitmap) return true;
        return false;
    }
    SkinBitmapHandle cache_;
    int cacheW_ = 0, cacheH_ = 0;
    SkinScale cacheScale_;
    SkinBrush childBrush_;  // of the cache as it is now; made when a child asks
    bool composing_ = false;

    int frameKind_ = kSkinFrameNone;
    SkinFrameInfo geometry_;  // what bands, frame bitmap and region were made from
    bool geometryValid_ = false;

    SkinFrameBands bands_;
    SkinRect clientInWindow_;
    SkinRect buttonRects_[kButtonCount];
    SkinRect iconRect_;
    int hotButton_ = 0;
    bool captionTimer_ = false;

    std::vector<HWND> layout_;
    int suppress_ = 0;
    bool resizable_ = false;
    SkinSize lastSetSize_{-1, -1};
    bool adjustPending_ = true;
    std::unique_ptr<CSkinMenuBar> menuBar_;
};
