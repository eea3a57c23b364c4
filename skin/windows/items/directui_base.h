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

#include "skin/resources/skin_canvas.h"
#include "skin/resources/skin_description_base.h"
#include "skin/resources/skin_geometry.h"
#include "skin/resources/skin_win_types.h"

class CSkinBase;

// Guards item texts, picture ids and item-list rebuilds across threads.
std::mutex& SkinItemLock();

class DirectUI_Base {
public:
    // `desc` is the theme's description record; it lives as long as the
    // process, so the item may keep pointers into it (its id).
    DirectUI_Base(const SkinItemDesc& desc, CSkinBase* owner);
    virtual ~DirectUI_Base();  // 0
    DirectUI_Base(const DirectUI_Base&) = delete;
    DirectUI_Base& operator=(const DirectUI_Base&) = delete;

    virtual bool IsVisible() const;                                                    // 1
    virtual int SetVisible(bool visible, bool redraw);                                 // 2
    virtual int SetItemCursor(int x, int y);                                           // 3
    virtual void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent);  // 4
    virtual DirectUI_Base* OnMouseMove(unsigned flags, int x, int y);                  // 5
    virtual void OnMouseLeave();                                                       // 6
    virtual int OnButtonDown(unsigned flags, int x, int y);                            // 7
    virtual int OnButtonUp(unsigned flags, int x, int y);                              // 8
    virtual int Reserved(intptr_t value);                                              // 9
    virtual void AdjustColors(int hue, int saturation, int lightness) = 0;             // 10
    virtual void Reposition(const SkinRect& parent);                                   // 11

    SkinItemKind Kind() const { return kind_; }
    uint32_t StateMask() const { return stateMask_; }
    const SkinRect& Rect() const { return rect_; }
    CSkinBase* Owner() const { return owner_; }
    // The item's id; the text lives in the theme's description record.
    const std::wstring& Id() const { return desc_->id; }
    const SkinItemDesc& Description() const { return *desc_; }
    bool Pressed() const { return pressed_ != 0; }

    // Computes the rectangle inside `parent` without drawing.
    void PlaceIn(const SkinRect& parent) { rect_ = SkinItemRect(layout_, parent); }

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
    int pressed_ = 0;
    bool visible_;
    const SkinItemDesc* desc_;
};

using SkinItemPtrList = std::vector<std::unique_ptr<DirectUI_Base>>;

// Items for a description list, in order, each prepared (resources looked
// up, colours adjusted with the given shift); kinds outside `accepted` (a
// mask of 1 << kind) are left out.
SkinItemPtrList SkinCreateItems(const SkinItemList& descriptions, CSkinBase* owner, uint32_t accepted, int hue,
                                int saturation, int lightness);
inline constexpr uint32_t kSkinAllItemKinds = 0x7F;
