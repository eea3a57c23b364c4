// CSkinEditSB: the skin of an edit control. Its frame comes from the
// skin's frame pictures (the hover picture while the mouse is over it), or
// is a flat one-pixel border in the skin's border colour; its scroll bars
// are the scroller's. Text colour, font and background brush reach the edit
// through its skinned parent's control-colour answer, and its margins are
// the skin's.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinEditSB : public CSkinScroller {
public:
    explicit CSkinEditSB(HWND window);
    ~CSkinEditSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinEditDesc* EditDescription() const { return static_cast<const SkinEditDesc*>(description_); }

    // What the parent's control-colour answer gives the edit: the text
    // colour, and the brush of its background (the disabled one for
    // read-only or disabled edits).
    SkinColor TextColor() const;
    SkinColor BackgroundColor(bool readOnlyOrDisabled) const;
    HBRUSH BackgroundBrush(bool readOnlyOrDisabled) const;
    // The skin's "transparent": the parent's picture behind the text.
    bool Transparent() const { return EditDescription() && EditDescription()->transparent; }
    // Whether a skinned bar is shown (the text is then drawn opaque, so
    // scrolling copies whole lines).
    bool ShowsScrollBar() const { return BarPresent(0) || BarPresent(1); }

protected:
    std::wstring ScrollBarImageId() const override;
    SkinColor BorderColor() const override;

private:
    friend struct SkinEditTable;

    bool OnEnable(const SkinMessage&, LRESULT*);
    bool OnSetFont(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnNcMouseMove(const SkinMessage&, LRESULT*);
    bool OnTimer(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);

    void ApplyMargins();
    void StartHover();
    void RedrawFrame();

    CSkinDrawImage* frameNormal_ = nullptr;
    CSkinDrawImage* frameOver_ = nullptr;
    SkinBrush normalBrush_;
    SkinBrush disabledBrush_;
    bool hoverTimer_ = false;
};
