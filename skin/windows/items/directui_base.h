// DirectUI_Base: a windowless drawing item of a skinned window (text,
// picture, line, rectangle, animation, clickable area, group), laid over
// the window's background and drawn by state.
//
// Items reach their window only through the window host, so they are
// portable code. Texts and picture ids can be changed from any thread
// (the installer's workers set the status button's text): those fields are
// guarded by SkinItemLock(), and a paint copies what it draws under it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/win_types.h"
#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"
#include "skin/theme/skin_description_base.h"

class CSkinBase;

// Guards item texts, picture ids and item-list rebuilds across threads.
std::mutex& SkinItemLock();

class DirectUI_Base {
public:
    // `desc` is the theme's description record; it lives as long as the
    // process, so the item may keep pointers into it (its id).
    DirectUI_Base(const SkinItemDesc& desc, CSkinBase* owner);
    virtual ~DirectUI_Base();
    DirectUI_Base(const DirectUI_Base&) = delete;
    DirectUI_Base& operator=(const DirectUI_Base&) = delete;

    virtual bool IsVisible() const;
    virtual int SetVisible(bool visible, bool redraw);
    virtual int SetItemCursor(int x, int y);
    virtual void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent);
    virtual DirectUI_Base* OnMouseMove(unsigned flags, int x, int y);
    virtual void OnMouseLeave();
    virtual int OnButtonDown(unsigned flags, int x, int y);
    virtual int OnButtonUp(unsigned flags, int x, int y);
    virtual void AdjustColors(const SkinColorShift& shift) = 0;
    virtual void Reposition(const SkinRect& parent);

    SkinItemKind Kind() const { return kind_; }
    uint32_t StateMask() const { return stateMask_; }
    const SkinRect& Rect() const { return rect_; }
    CSkinBase* Owner() const { return owner_; }
    // The item's id; the text lives in the theme's description record.
    const std::wstring& Id() const { return desc_->id; }
    const SkinItemDesc& Description() const { return *desc_; }
    bool Pressed() const { return pressed_; }

    // Computes the rectangle inside `parent` without drawing.
    void PlaceIn(const SkinRect& parent) { rect_ = SkinItemRect(layout_, parent, Scale()); }
    // The owner's display scale (96 DPI without an owner): the item's
    // layout, line widths and font follow it.
    const SkinScale& Scale() const;

    // True when the item is drawn for the owner's state mask.
    bool MatchesState(uint32_t ownerMask) const { return stateMask_ == kSkinStateAll || (stateMask_ & ownerMask) != 0; }

protected:
    // Stores the owner and computes the rectangle from the layout.
    void Place(CSkinBase* owner, const SkinRect& parent);
    // Asks the owner window to repaint the item's rectangle, not erasing.
    void InvalidateSelf();

    SkinRect rect_;
    CSkinBase* owner_ = nullptr;
    SkinItemKind kind_;
    uint32_t stateMask_;
    SkinLayout layout_;
    HCURSOR cursor_ = nullptr;
    bool pressed_ = false;
    bool visible_;
    const SkinItemDesc* desc_;
};

using SkinItemPtrList = std::vector<std::unique_ptr<DirectUI_Base>>;

// Items for a description list, in order, each prepared (resources looked
// up, colours adjusted with the given shift); kinds outside `accepted` (a
// mask of 1 << kind) are left out.
SkinItemPtrList SkinCreateItems(const SkinItemList& descriptions, CSkinBase* owner, uint32_t accepted,
                                const SkinColorShift& shift);
inline constexpr uint32_t kSkinAllItemKinds = 0x7F;
