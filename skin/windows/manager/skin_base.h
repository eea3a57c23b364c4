// CSkinBase: the skin object of one window, base of every skin class.
//
// This header is portable: the fields, the virtual operations and the
// dispatch of the window's drawing items build natively, so items and their owners
// are tested without Windows. The message handling of each skin class and
// the window manager's attach are Win32 code elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/win_types.h"
#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"
#include "skin/theme/skin_description_base.h"
#include "skin/windows/manager/skin_dispatch.h"

class CSkinDrawImage;
class DirectUI_Base;
class ISkinScrollBarsVisit;

// Index and mask of a skin's state: the index selects pictures and
// colours, the mask selects drawing items.
enum : int {
    kSkinIndexNormal = 0,
    kSkinIndexOver = 1,
    kSkinIndexDown = 2,
    kSkinIndexDisabled = 3,
    kSkinIndexFocus = 4
};

struct SkinState {
    int index = kSkinIndexNormal;
    uint32_t mask = kSkinStateNormal;
    bool operator==(const SkinState& o) const { return index == o.index && mask == o.mask; }
};

// The state of a control from what the window reports: disabled wins, then
// hover (down while pressed), then focus, else normal. Focus shares the
// mask of normal.
SkinState SkinControlState(bool enabled, bool hover, bool pressed, bool focused);

// A point no item rectangle contains (mouse-leave walks).
inline constexpr int kSkinNowhere = -2147483647 - 1;

using SkinItemPtrList = std::vector<std::unique_ptr<DirectUI_Base>>;

class CSkinBase {
public:
    explicit CSkinBase(HWND window);
    virtual ~CSkinBase();
    CSkinBase(const CSkinBase&) = delete;
    CSkinBase& operator=(const CSkinBase&) = delete;

    // ----- What every skin class may override -----
    // Asks the parent's skin object to place this one when the
    // description's layout has any of left, top, right, bottom set.
    virtual void NotifyLayout();
    // Places the window inside the parent rectangle; 0 when the layout
    // leaves it where it is. `deferral` is the address of a deferral
    // handle (HDWP, updated as it grows), or null to move at once.
    virtual int Layout(void** deferral, int left, int top, int right, int bottom);
    // Loads fonts, images and colours of the description.
    virtual void ApplyDescription();
    // Rebuilds colour-dependent resources with the colour shift.
    virtual void AdjustColors(const SkinColorShift& shift);
    // A timer of the engine fired on the window.
    virtual void OnTimer(uintptr_t id);
    // After a second attach applied a new description: controls repaint,
    // frames rebuild their geometry and pictures.
    virtual void OnReskinned() {}
    // Once fully attached: a frame makes the system take its new frame.
    virtual void OnAttached() {}

    // ----- What a skinned frame does for its children and the hooks -----
    // (Controls keep these defaults: no layout list, no background, no
    // region, no scroll bars of their own.)
    // Adds a child's skin object to the layout list, or takes it out.
    virtual void AddLayoutChild(CSkinBase* child) {}
    virtual void RemoveLayoutChild(HWND child) {}
    // The composed client background, composed now when missing or of the
    // wrong size, and the colour under it; empty and nothing elsewhere.
    virtual SkinSurface FrameBackground() { return SkinSurface{}; }
    virtual std::optional<SkinColor> FrameBackgroundColor() const { return std::nullopt; }
    // The brush of the background colour (for composed paint redirections).
    virtual HBRUSH FrameBackgroundBrush() const { return nullptr; }
    // A frame whose client background the application paints ("nodraw").
    virtual bool IsNoDrawFrame() const { return false; }
    // True when the object sets the window's region itself, so a region set
    // from elsewhere leaves it alone.
    virtual bool OwnsWindowRegion() const { return false; }
    // The window that gets WM_SKIN_ITEMCLICK of the object's items: a frame
    // takes its own items' clicks, a control's go to its parent.
    virtual HWND ItemClickTarget() const;
    // The engine's copies of the scroll bars the object draws itself: runs
    // `visit` on them with them locked (the hooks change them from any
    // thread); false when the object draws no scroll bars. Then, on the
    // window's thread, the bars drawn again as the copies now say.
    virtual bool VisitScrollBars(ISkinScrollBarsVisit& visit) { return false; }
    virtual void RedrawScrollBars() {}

    // ----- The display scale (skin/draw/skin_scale.h) -----
    // The window's scale, its DPI over 96: every theme number the object
    // turns into pixels is scaled by it, and the canvases it paints on
    // carry it. Set at attach and when the window's DPI changes.
    const SkinScale& Scale() const { return scale_; }
    // A new scale applies the description again (fonts, metrics and layout
    // for the scale) and then calls OnScaleChanged; the same scale does
    // nothing.
    void SetScale(const SkinScale& scale);
    // The scale of a new object, before its description is applied.
    void InitScale(const SkinScale& scale) { scale_ = scale; }
    // After a new scale: controls repaint, frames rebuild their geometry
    // and frame pictures (by default what a second attach does).
    virtual void OnScaleChanged() { OnReskinned(); }

    // ----- Attachment (the window manager's) -----
    // Takes a theme description and builds the items from it.
    void SetDescription(const SkinControlDesc* description, const std::wstring& skinId);
    WNDPROC PreviousProc() const { return previousProc_; }
    void SetPreviousProc(WNDPROC proc) { previousProc_ = proc; }
    WNDPROC ClassProc() const { return classProc_; }
    void SetClassProc(WNDPROC proc) { classProc_ = proc; }
    void SetSavedStyle(uint32_t style) { savedStyle_ = style; }
    // A value the attach was given (1 for windows skinned by control id).
    void SetUserValue(void* value) { userValue_ = value; }
    SkinWindowKind AttachedKind() const { return attachedKind_; }
    void SetAttachedKind(SkinWindowKind kind) { attachedKind_ = kind; }

    // ----- Fields the drawing items read -----
    HWND Window() const { return window_; }
    const SkinRect& ClientRect() const { return clientRect_; }
    uint32_t StateMask() const { return stateMask_; }
    HFONT Font() const { return font_; }
    const SkinControlDesc* Description() const { return description_; }
    const std::wstring& SkinId() const { return skinId_; }

    // ----- Drawing items -----
    // Replaces the item list by new items made from `descriptions`, in
    // order; the hot item is cleared.
    void RebuildItems(const SkinItemList& descriptions);
    const SkinItemPtrList& Items() const { return items_; }
    DirectUI_Base* HotItem() const { return hotItem_; }

    // Draws every visible item whose mask matches the state mask (or is
    // 512) into the client rectangle; `skipGroups` leaves group items out.
    void DrawItems(ISkinCanvas& canvas, bool skipGroups = false);
    // Mouse moves go to every visible item; the last that takes the move
    // becomes the hot item.
    DirectUI_Base* ItemsMouseMove(unsigned flags, int x, int y);
    // A move to a point no item contains.
    void ItemsMouseLeave() { ItemsMouseMove(0, kSkinNowhere, kSkinNowhere); }
    // Presses and releases go to visible items in order until one takes it.
    bool ItemsButtonDown(unsigned flags, int x, int y);
    bool ItemsButtonUp(unsigned flags, int x, int y);
    // The hot item's cursor at the point; true when one was set.
    bool ItemsSetCursor(int x, int y);
    void ItemsAdjustColors(const SkinColorShift& shift);

    // Sets the picture id of the first image item, or the text of the first
    // text item, whose id is `name`; true when an item changed.
    bool SetItemProperty(const std::wstring& name, const std::wstring& value);

protected:
    HWND window_ = nullptr;
    const SkinControlDesc* description_ = nullptr;
    std::wstring skinId_;
    WNDPROC previousProc_ = nullptr;
    WNDPROC classProc_ = nullptr;
    uint32_t savedStyle_ = 0;
    HCURSOR cursor_ = nullptr;
    SkinRect clientRect_;
    bool hover_ = false;
    bool pressed_ = false;
    int stateIndex_ = kSkinIndexNormal;
    HWND toolTip_ = nullptr;
    std::wstring toolTipText_;
    CSkinDrawImage* scrollBarImage_ = nullptr;
    HFONT font_ = nullptr;
    SkinItemPtrList items_;
    DirectUI_Base* hotItem_ = nullptr;
    uint32_t stateMask_ = kSkinStateAll;
    void* userValue_ = nullptr;
    SkinWindowKind attachedKind_ = SkinWindowKind::None;
    SkinScale scale_;
};
