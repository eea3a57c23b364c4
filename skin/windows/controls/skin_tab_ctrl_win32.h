// CSkinTabCtrlSB: the skin of a tab control. Each tab is drawn from the
// 9-grid picture of its side (top, bottom, left, right) for its state
// (normal, over, checked), with its icon and its text (turned for vertical
// tabs); the page gets a rounded border line. Tabs in button style take the
// pictures of a push-button description instead. The scroll arrows of a
// single row that does not fit are skinned as a spin button and placed at
// the row's end.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "skin/theme/skin_descriptions.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_tab_geometry.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinTabCtrlSB : public CSkinBase {
public:
    explicit CSkinTabCtrlSB(HWND window);
    ~CSkinTabCtrlSB() override;

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;
    void OnAttached() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinTabCtrlDesc* TabDescription() const { return static_cast<const SkinTabCtrlDesc*>(description_); }

    // Skins the control's scroll arrows (when it has them) and puts them at
    // the end of the tab row.
    void PlaceSpin();

private:
    friend struct SkinTabCtrlTable;

    bool OnSize(const SkinMessage&, LRESULT*);
    bool OnEnable(const SkinMessage&, LRESULT*);
    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);
    bool OnFocus(const SkinMessage&, LRESULT*);
    bool OnSetFont(const SkinMessage&, LRESULT*);
    bool OnItemsChanged(const SkinMessage&, LRESULT*);
    bool OnSetItemSize(const SkinMessage&, LRESULT*);

    struct Tab {
        int index = 0;
        SkinRect item;
        bool selected = false;
    };
    void DrawTab(ISkinCanvas& canvas, const Tab& tab, SkinTabSide side, uint32_t style, const SkinRect& client,
                 const SkinTabMetrics& metrics);
    void DrawTabContent(ISkinCanvas& canvas, const Tab& tab, const SkinRect& face, SkinTabSide side, SkinColor color,
                        const SkinTabMetrics& metrics);
    // The tab under a client point, or -1.
    int TabAt(int x, int y);
    HWND SpinWindow() const;
    HFONT TurnedFont(int escapement);

    std::array<CSkinDrawImage*, kSkinTabPictureCount> pictures_{};
    // Button-style tabs: the push button's pictures (normal, over, down).
    const SkinButtonDesc* push_ = nullptr;
    std::array<CSkinDrawImage*, 3> pushPictures_{};
    SkinPen borderPen_;
    SkinScale penScale_;
    SkinFont turned_[2];  // 90 and 270 degrees, made from turnedBase_
    HFONT turnedBase_ = nullptr;
    int hotTab_ = -1;
};
