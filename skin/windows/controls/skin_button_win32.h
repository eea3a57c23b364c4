// CSkinButtonSB: the skin of a push button. It paints the button entirely
// (parent background, the state's picture, the drawing items, the window
// text), tracks the mouse for the over and down states, shows a tool tip,
// and leaves clicks and keys to the button's own procedure.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_button_layout.h"
#include "skin/windows/controls/skin_pressable_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinButtonSB : public CSkinPressable {
public:
    explicit CSkinButtonSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    // The window text (or its icon or bitmap) in the state's colour.
    virtual void DrawWindowText(ISkinCanvas& canvas);
    // The button's icon or bitmap, centred in `rect` (or left-aligned
    // and vertically centred).
    virtual void DrawImage(ISkinCanvas& canvas, const SkinRect& rect, bool icon, bool leftAligned);

    LRESULT HandleMessage(const SkinMessage& message);

    const SkinButtonDesc* ButtonDescription() const { return static_cast<const SkinButtonDesc*>(description_); }
    int StateIndex() const { return stateIndex_; }
    CSkinButtonSB* SpinPart() const { return spin_.get(); }

private:
    friend struct SkinButtonTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnKillFocus(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnGetText(const SkinMessage&, LRESULT*);
    bool OnGetTextLength(const SkinMessage&, LRESULT*);

    // The windowless spin part draws into a part of this button.
    void DrawPart(ISkinCanvas& canvas, const SkinRect& rect);
    void ComputeState();
    void LoadPictures();
    // The text of the first text item that has one, shown for the window
    // text to whoever reads it (screen readers, other programs).
    std::wstring ItemText() const;

    CSkinDrawImage* pictures_[kSkinButtonStateCount] = {};
    std::unique_ptr<CSkinButtonSB> spin_;
    bool isSpinPart_ = false;  // the windowless part of another button
    SkinRect spinRect_;
};
