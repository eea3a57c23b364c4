#include "skin/windows/items/directui_base.h"

#include "skin/platform/skin_window_host.h"
#include "skin/windows/manager/skin_base.h"

std::mutex& SkinItemLock() {
    static std::mutex* lock = new std::mutex();  // outlives every window
    return *lock;
}

DirectUI_Base::DirectUI_Base(const SkinItemDesc& desc, CSkinBase* owner)
    : owner_(owner),
      kind_(desc.kind),
      stateMask_(desc.stateMask),
      layout_(desc.layout),
      visible_(desc.visible),
      desc_(&desc) {}

DirectUI_Base::~DirectUI_Base() = default;

bool DirectUI_Base::IsVisible() const { return visible_; }

int DirectUI_Base::SetVisible(bool visible, bool redraw) {
    if (visible == visible_) return 0;
    visible_ = visible;
    if (redraw) InvalidateSelf();
    return 1;
}

int DirectUI_Base::SetItemCursor(int x, int y) {
    if (!cursor_ || !rect_.Contains(x, y)) return 0;
    SkinWindowHost().SetCursor(cursor_);
    return 1;
}

void DirectUI_Base::Draw(ISkinCanvas&, CSkinBase* owner, const SkinRect& parent) { Place(owner, parent); }

DirectUI_Base* DirectUI_Base::OnMouseMove(unsigned, int, int) { return nullptr; }

void DirectUI_Base::OnMouseLeave() { OnMouseMove(0, kSkinNowhere, kSkinNowhere); }

int DirectUI_Base::OnButtonDown(unsigned, int, int) { return 0; }

int DirectUI_Base::OnButtonUp(unsigned, int, int) { return 0; }

void DirectUI_Base::Reposition(const SkinRect&) {}

void DirectUI_Base::Place(CSkinBase* owner, const SkinRect& parent) {
    if (owner) owner_ = owner;
    rect_ = SkinItemRect(layout_, parent, Scale());
}

const SkinScale& DirectUI_Base::Scale() const {
    static const SkinScale kNone;
    return owner_ ? owner_->Scale() : kNone;
}

void DirectUI_Base::InvalidateSelf() {
    if (owner_ && owner_->Window()) SkinWindowHost().Invalidate(owner_->Window(), &rect_, false);
}
