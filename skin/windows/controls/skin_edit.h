// CSkinEditSB: the skin of an edit control. Its frame comes from the
// skin's frame pictures (the hover picture while the mouse is over it), or
// is a flat one-pixel border in the skin's border colour; its scroll bars
// are the scroller's. Text colour, font and background brush reach the edit
// through its skinned parent's control-colour answer, and its margins are
// the skin's.
#pragma once

#include <windows.h>

#include "skin/resources/skin_descriptions.h"
#include "skin/resources/skin_graphics.h"
#include "skin/windows/controls/skin_scroller.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinDrawImage;

class CSkinEditSB : public CSkinScroller {
public:
    explicit CSkinEditSB(HWND window);
    ~CSkinEditSB() override;

    void ApplyDescription() override;
    void AdjustColors(int hue, int saturation, int lightness) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const SkinEditDesc* EditDescription() const { return static_cast<const SkinEditDesc*>(description_); }

    // What the parent's control-colour answer gives the edit: the text
    // colour, and the brush of its background (the disabled one for
    // read-only or disabled edits).
    SkinColor TextColor() const;
    SkinColor BackgroundColor(bool readOnlyOrDisabled) const;
    HBRUSH BackgroundBrush(bool readOnlyOrDisabled) const;
    // Whether a skinned bar is shown (the text is then drawn opaque, so
    // scrolling copies whole lines).
    bool ShowsScrollBar() const { return BarPresent(0) || BarPresent(1); }

protected:
    std::wstring ScrollBarImageId() const override;

private:
    friend struct SkinEditTable;

    bool OnPassThenRedrawBars(WPARAM, LPARAM, LRESULT*);
    bool OnEnable(WPARAM, LPARAM, LRESULT*);
    bool OnSetFont(WPARAM, LPARAM, LRESULT*);
    bool OnMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnNcMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnTimer(WPARAM, LPARAM, LRESULT*);
    bool OnNcPaint(WPARAM, LPARAM, LRESULT*);

    void ApplyMargins();
    void StartHover();
    void PaintFrame(HDC dc);
    void RedrawFrame();

    UINT currentMessage_ = 0;
    CSkinDrawImage* frameNormal_ = nullptr;
    CSkinDrawImage* frameOver_ = nullptr;
    SkinBrush normalBrush_;
    SkinBrush disabledBrush_;
    bool hoverTimer_ = false;
};
