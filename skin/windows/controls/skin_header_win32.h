// CSkinHeaderSB: the skin of a header control (the column heads of a list
// view). Each head is drawn from the skin's picture for its state (normal,
// under the mouse, pressed) as a nine-grid, with a separator picture at its
// right edge and its text in the state's colour; the space past the last
// head shows the normal picture. The row takes the skin's height.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;
class ISkinCanvas;

class CSkinHeaderSB : public CSkinBase {
public:
    explicit CSkinHeaderSB(HWND window);
    ~CSkinHeaderSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinHeaderDesc* HeaderDescription() const { return static_cast<const SkinHeaderDesc*>(description_); }
    int HotItem() const { return hotItem_; }

private:
    friend struct SkinHeaderTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnLayout(const SkinMessage&, LRESULT*);
    bool OnQuietPass(const SkinMessage&, LRESULT*);

    void Paint();
    void PaintHead(ISkinCanvas& canvas, int index, const SkinRect& rect);
    // The head under a client point, -1 on a divider or past the last.
    int HeadAt(POINT p) const;
    // The skin's row height at the window's scale, 0 for the header's own.
    int RowHeight() const;
    // Asks the owner to lay the header out again (a new height).
    void Relayout();

    CSkinDrawImage* background_[3] = {};  // normal, over, down
    CSkinDrawImage* separator_ = nullptr;
    int hotItem_ = -1;
    int pressedItem_ = -1;
};
