// CSkinButtonSB: the skin of a push button. It paints the button entirely
// (parent background, the state's picture, the drawing items, the window
// text), tracks the mouse for the over and down states, shows a tool tip,
// and leaves clicks and keys to the button's own procedure.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/resources/skin_descriptions.h"
#include "skin/windows/controls/skin_button_layout.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinDrawImage;

class CSkinButtonSB : public CSkinBase {
public:
    explicit CSkinButtonSB(HWND window);
    ~CSkinButtonSB() override;

    void ApplyDescription() override;
    void AdjustColors(int hue, int saturation, int lightness) override;
    void OnReskinned() override;
    // 6: the window text (or its icon or bitmap) in the state's colour.
    virtual void DrawWindowText(ISkinCanvas& canvas);
    // 7: the button's icon or bitmap, centred in `rect` (or left-aligned
    // and vertically centred).
    virtual void DrawImage(ISkinCanvas& canvas, const SkinRect& rect, bool icon, bool leftAligned);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const SkinButtonDesc* ButtonDescription() const { return static_cast<const SkinButtonDesc*>(description_); }
    int StateIndex() const { return stateIndex_; }
    CSkinButtonSB* SpinPart() const { return spin_.get(); }

private:
    friend struct SkinButtonTable;

    bool OnPaint(WPARAM, LPARAM, LRESULT*);
    bool OnEraseBackground(WPARAM, LPARAM, LRESULT*);
    bool OnQuietPass(WPARAM, LPARAM, LRESULT*);
    bool OnKillFocus(WPARAM, LPARAM, LRESULT*);
    bool OnSetCursor(WPARAM, LPARAM, LRESULT*);
    bool OnMouseMove(WPARAM, LPARAM, LRESULT*);
    bool OnMouseLeave(WPARAM, LPARAM, LRESULT*);
    bool OnButtonDown(WPARAM, LPARAM, LRESULT*);
    bool OnButtonUp(WPARAM, LPARAM, LRESULT*);
    bool OnGetText(WPARAM, LPARAM, LRESULT*);
    bool OnGetTextLength(WPARAM, LPARAM, LRESULT*);

    // The windowless spin part draws into a part of this button.
    void DrawPart(ISkinCanvas& canvas, const SkinRect& rect);
    void ComputeState();
    void LoadPictures();
    // The text of the first text item that has one, shown for the window
    // text to whoever reads it (screen readers, other programs).
    std::wstring ItemText() const;

    UINT currentMessage_ = 0;
    CSkinDrawImage* pictures_[kSkinButtonStateCount] = {};
    std::unique_ptr<CSkinButtonSB> spin_;
    SkinRect spinRect_;
};
