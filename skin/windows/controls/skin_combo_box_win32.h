// CSkinComboBoxSB: the skin of a combo box. Its frame and drop button come
// from the skin's pictures by state (hover, dropped, disabled); a drop-down
// list combo shows its selected text in the skin's colour and font, and an
// editable one's edit takes them from it. The drop-down list is skinned as
// CSkinComboLBox the first time it asks for its colours: the engine's
// scroll bars and border. The list's skin tells the combo each time the
// list shows or hides (WM_SKIN_DROPSHOW), so the button is down exactly
// while the list is open, however it closes.
#pragma once

#include <windows.h>

#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;
class ISkinCanvas;

class CSkinComboBoxSB : public CSkinBase {
public:
    explicit CSkinComboBoxSB(HWND window);
    ~CSkinComboBoxSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;
    void OnTimer(uintptr_t id) override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinComboBoxDesc* ComboDescription() const { return static_cast<const SkinComboBoxDesc*>(description_); }
    // The drop-down list once it is skinned.
    HWND DropList() const { return dropList_; }

private:
    friend struct SkinComboBoxTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnQuietPass(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseHover(const SkinMessage&, LRESULT*);
    bool OnSetCursor(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnDropShow(const SkinMessage&, LRESULT*);
    bool OnStyleChanged(const SkinMessage&, LRESULT*);
    bool OnWindowPosChanging(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);
    bool OnCtlColorListBox(const SkinMessage&, LRESULT*);
    bool OnCtlColorEdit(const SkinMessage&, LRESULT*);

    void ApplyFont();
    void StartHover();
    void EndHover();
    void RedrawAll();
    CSkinDrawImage* FramePicture(bool dropped) const;
    void Paint();
    void PaintText(ISkinCanvas& canvas, const SkinRect& rect);
    bool Dropped() const;
    bool IsDropDownList() const;
    int ButtonWidth() const;

    CSkinDrawImage* frameNormal_ = nullptr;
    CSkinDrawImage* frameOver_ = nullptr;
    CSkinDrawImage* button_[4] = {};  // normal, over, down, disabled
    HWND dropList_ = nullptr;
};

// CSkinComboLBox: the drop-down list of a skinned combo box: the scroll
// bars and border of the combo's skin; its rows stay the system's.
class CSkinComboLBox : public CSkinScroller {
public:
    explicit CSkinComboLBox(HWND window);
    ~CSkinComboLBox() override;

    LRESULT HandleMessage(const SkinMessage& message);
    void OnAttached() override;
    // The combo box the list drops from, told of each show and hide.
    void SetCombo(HWND combo) { combo_ = combo; }

protected:
    std::wstring ScrollBarImageId() const override;
    SkinColor BorderColor() const override;

private:
    friend struct SkinComboLBoxTable;
    bool OnPassThenRedrawBars(const SkinMessage&, LRESULT*);
    bool OnShowWindow(const SkinMessage&, LRESULT*);
    bool OnWindowPosChanged(const SkinMessage&, LRESULT*);
    void TellCombo(WPARAM shown, LPARAM status) const;
    const SkinComboBoxDesc* ComboDescription() const { return static_cast<const SkinComboBoxDesc*>(description_); }

    HWND combo_ = nullptr;
};
