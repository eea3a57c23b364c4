// CSkinFieldFrame: what the skins of the input fields with a frame of their
// own share (IP address, hot key, date-time picker): the frame's two
// pictures painted over the non-client ring, normal or over while the mouse
// is over the field (its child windows included) or it has the keyboard
// focus; without pictures a one-pixel line of the border colour. The
// handlers below serve the tables of the classes built on it.
#pragma once

#include <windows.h>

#include <string>

#include "skin/windows/controls/skin_bar_metrics.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_messages.h"

class CSkinDrawImage;

class CSkinFieldFrame : public CSkinBase {
public:
    explicit CSkinFieldFrame(HWND window);
    ~CSkinFieldFrame() override;

    void OnTimer(uintptr_t id) override;
    bool Hover() const { return hover_; }

    // ----- Handlers for the tables of the classes built on this one -----
    // WM_NCCALCSIZE: the client area inside a ring of the frame's width;
    // not passed on.
    bool OnFrameNcCalcSize(const SkinMessage& m, LRESULT* result);
    // WM_NCPAINT: the frame; not passed on.
    bool OnFrameNcPaint(const SkinMessage& m, LRESULT* result);
    // WM_MOUSEMOVE and WM_NCMOUSEMOVE: the hover begins; then passed on.
    bool OnFrameMouseMove(const SkinMessage& m, LRESULT* result);
    // WM_MOUSEHOVER (asked for by the control or the application): the
    // hover holds, in case its start was missed; then passed on.
    bool OnFrameMouseHover(const SkinMessage& m, LRESULT* result);
    // WM_SETCURSOR: the mouse moves over the field or one of its own
    // windows (which hand the message to the field first); the hover
    // begins, then passed on.
    bool OnFrameSetCursor(const SkinMessage& m, LRESULT* result);
    // WM_MOUSELEAVE and WM_NCMOUSELEAVE: the hover ends unless the cursor
    // went on to one of the field's own windows; then passed on.
    bool OnFrameMouseLeave(const SkinMessage& m, LRESULT* result);
    // Passed on, then the frame and the client area redrawn (focus, enable,
    // size changes).
    bool OnFramePassThenRedraw(const SkinMessage& m, LRESULT* result);

protected:
    // Resolves the frame pictures (and the fallback line's colour).
    void LoadFrame(const std::wstring& normalId, const std::wstring& overId, SkinColor borderColor);
    // Whether the field holds the keyboard focus (itself or a child of it).
    virtual bool FrameFocused() const;
    // Called when the hover begins or ends, after the frame is redrawn.
    virtual void OnHoverChanged() {}
    void RedrawFrame();
    // Makes the system ask for the frame again (attach, re-skin).
    void ChangeFrame();
    void EndHover();

    SkinFieldMetrics metrics_;  // at the window's scale
    CSkinDrawImage* frameNormal_ = nullptr;
    CSkinDrawImage* frameOver_ = nullptr;
    SkinColor borderColor_ = 0;

private:
    void StartHover(bool nonClient);
    void PaintFrame();
};
