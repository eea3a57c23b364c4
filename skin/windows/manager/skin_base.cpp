#include "skin/windows/manager/skin_base.h"

#include "skin/platform/skin_window_host.h"
#include "skin/windows/items/directui_base.h"
#include "skin/windows/items/directui_image.h"
#include "skin/windows/items/directui_text.h"
#include "skin/windows/manager/skin_messages.h"

SkinState SkinControlState(bool enabled, bool hover, bool pressed, bool focused) {
    if (!enabled) return SkinState{kSkinIndexDisabled, kSkinStateDisable};
    if (hover) return pressed ? SkinState{kSkinIndexDown, kSkinStateDown} : SkinState{kSkinIndexOver, kSkinStateOver};
    if (focused) return SkinState{kSkinIndexFocus, kSkinStateNormal};
    return SkinState{kSkinIndexNormal, kSkinStateNormal};
}

CSkinBase::CSkinBase(HWND window) : window_(window) {}

CSkinBase::~CSkinBase() {
    SkinItemPtrList old;
    {
        std::lock_guard<std::mutex> lock(SkinItemLock());
        hotItem_ = nullptr;
        old.swap(items_);
    }
}

void CSkinBase::NotifyLayout() {
    if (!description_) return;
    const SkinLayout& l = description_->layout;
    if (l.left == 0 && l.top == 0 && l.right == 0 && l.bottom == 0) return;
    ISkinWindowHost& host = SkinWindowHost();
    HWND parent = host.Parent(window_);
    if (!parent) return;
    auto* parentSkin = static_cast<CSkinBase*>(host.GetProperty(parent, kSkinPropObject));
    if (parentSkin && parentSkin != this) parentSkin->AddLayoutChild(this);
}

int CSkinBase::Layout(void** deferral, int left, int top, int right, int bottom) {
    if (!description_) return 0;
    SkinRect placed;
    if (!SkinControlRect(description_->layout, SkinRect{left, top, right, bottom}, &placed, scale_)) return 0;
    SkinWindowHost().PlaceWindow(deferral, window_, placed);
    return 1;
}

void CSkinBase::ApplyDescription() { NotifyLayout(); }

void CSkinBase::SetScale(const SkinScale& scale) {
    if (scale == scale_) return;
    scale_ = scale;
    ApplyDescription();
    OnScaleChanged();
}

void CSkinBase::AdjustColors(const SkinColorShift& shift) { ItemsAdjustColors(shift); }

void CSkinBase::OnTimer(uintptr_t) {}

HWND CSkinBase::ItemClickTarget() const { return SkinWindowHost().Parent(window_); }

void CSkinBase::SetDescription(const SkinControlDesc* description, const std::wstring& skinId) {
    description_ = description;
    skinId_ = skinId;
    static const SkinItemList kNoItems;
    RebuildItems(description ? description->items : kNoItems);
}

void CSkinBase::RebuildItems(const SkinItemList& descriptions) {
    SkinItemPtrList old;
    {
        std::lock_guard<std::mutex> lock(SkinItemLock());
        hotItem_ = nullptr;
        old.swap(items_);
    }
    // The old items go before the new ones are made, and outside the lock:
    // an animation item stops its player as it goes, and a new item that
    // shares the player must start it after that, not before.
    old.clear();
    SkinItemPtrList fresh = SkinCreateItems(descriptions, this, kSkinAllItemKinds, SkinColorShift{});
    std::lock_guard<std::mutex> lock(SkinItemLock());
    items_ = std::move(fresh);
}

void CSkinBase::DrawItems(ISkinCanvas& canvas, bool skipGroups) {
    for (auto& item : items_) {
        if (skipGroups && item->Kind() == SkinItemKind::DrawItem) continue;
        if (item->IsVisible() && item->MatchesState(stateMask_)) item->Draw(canvas, this, clientRect_);
    }
}

DirectUI_Base* CSkinBase::ItemsMouseMove(unsigned flags, int x, int y) {
    DirectUI_Base* hot = nullptr;
    for (auto& item : items_)
        if (item->IsVisible())
            if (DirectUI_Base* hit = item->OnMouseMove(flags, x, y)) hot = hit;
    hotItem_ = hot;
    return hot;
}

bool CSkinBase::ItemsButtonDown(unsigned flags, int x, int y) {
    for (auto& item : items_)
        if (item->IsVisible() && item->OnButtonDown(flags, x, y)) return true;
    return false;
}

bool CSkinBase::ItemsButtonUp(unsigned flags, int x, int y) {
    for (auto& item : items_)
        if (item->IsVisible() && item->OnButtonUp(flags, x, y)) return true;
    return false;
}

bool CSkinBase::ItemsSetCursor(int x, int y) { return hotItem_ && hotItem_->SetItemCursor(x, y); }

void CSkinBase::ItemsAdjustColors(const SkinColorShift& shift) {
    for (auto& item : items_) item->AdjustColors(shift);
}

bool CSkinBase::SetItemProperty(const std::wstring& name, const std::wstring& value) {
    // Workers call this while the window's thread may rebuild the list.
    std::lock_guard<std::mutex> lock(SkinItemLock());
    for (auto& item : items_) {
        if (item->Id() != name) continue;
        if (item->Kind() == SkinItemKind::Image) {
            static_cast<DirectUI_Image*>(item.get())->SetPictureLocked(value);
            return true;
        }
        if (item->Kind() == SkinItemKind::Text) {
            static_cast<DirectUI_Text*>(item.get())->SetTextLocked(value);
            return true;
        }
    }
    return false;
}
