// The theme tables of CSkinResourceManager and their getters.
#include "skin/theme/skin_resource_tables.h"

#include "skin/theme/skin_description_reader.h"
#include "skin/theme/skin_resource_manager.h"

// ---- SkinDescTable ---------------------------------------------------------

const SkinControlDesc* SkinDescTable::Find(const std::wstring& id) const {
    if (hashed_) {
        const Slot* slot = hash_.Find(id);
        return slot ? slot->desc.get() : nullptr;
    }
    for (const auto& desc : list_) {
        if (desc->id == id) return desc.get();
    }
    return nullptr;
}

void SkinDescTable::Retire(const std::wstring& id) {
    if (hashed_) {
        if (Slot* slot = hash_.Find(id)) {
            retired_.push_back(std::move(slot->desc));
            hash_.Remove(id);
        }
        return;
    }
    for (auto it = list_.begin(); it != list_.end(); ++it) {
        if ((*it)->id == id) {
            retired_.push_back(std::move(*it));
            list_.erase(it);
            return;
        }
    }
}

void SkinDescTable::Put(std::unique_ptr<SkinControlDesc> desc) {
    Retire(desc->id);
    if (hashed_) {
        std::wstring id = desc->id;
        hash_.InsertFront(id, std::make_unique<Slot>(Slot{std::move(desc)}));
    } else {
        list_.push_back(std::move(desc));
    }
}

std::vector<std::wstring> SkinDescTable::ListOrder() const {
    std::vector<std::wstring> ids;
    for (const auto& desc : list_) ids.push_back(desc->id);
    return ids;
}

CSkinThemeTables::CSkinThemeTables() {
    for (int i = 0; i < kSkinDescClassCount; ++i) {
        descriptions[i].SetHashed(GetSkinClass(static_cast<SkinDescClass>(i)).hashed);
    }
}

// ---- CSkinResourceManager: theme getters -------------------------------------

void CSkinResourceManager::SetPlatform(ISkinPlatform* platform) { theme_.platform = platform; }

ISkinPlatform& CSkinResourceManager::Platform() const {
    return theme_.platform ? *theme_.platform : DefaultSkinPlatform();
}

const CSkinFont* CSkinResourceManager::GetFont(const std::wstring& id) const {
    for (const auto& font : theme_.fonts) {
        if (font->Id() == id) return font.get();
    }
    return nullptr;
}

void* CSkinResourceManager::GetFontHandle(const std::wstring& id) const {
    const CSkinFont* font = GetFont(id);
    return font ? font->Handle() : nullptr;
}

void* CSkinResourceManager::GetFontHandle(const std::wstring& id, const SkinScale& scale) const {
    const CSkinFont* font = GetFont(id);
    return font ? font->HandleFor(scale) : nullptr;
}

void CSkinFont::SetSpec(const SkinFontSpec& spec, ISkinPlatform* platform) {
    std::lock_guard<std::mutex> lock(scaledLock_);
    spec_ = spec;
    platform_ = platform;
    scaled_.clear();
}

void* CSkinFont::HandleFor(const SkinScale& scale) const {
    if (scale.IsIdentity() || !platform_ || spec_.height <= 0) return Handle();
    std::lock_guard<std::mutex> lock(scaledLock_);
    for (const auto& font : scaled_)
        if (font.first == scale.Dpi()) return font.second.get();
    SkinFontSpec spec = spec_;
    spec.height = scale.Scale(spec_.height);
    scaled_.emplace_back(
        scale.Dpi(), SkinPlatformHandle(platform_, ISkinPlatform::HandleKind::Font, platform_->CreateFontHandle(spec)));
    return scaled_.back().second.get();
}

SkinColor CSkinResourceManager::GetColor(const std::wstring& id) const {
    for (const auto& color : theme_.colors) {
        if (color.first == id) return color.second;
    }
    return Platform().SystemColor(kSkinSysColorBackground);
}

void* CSkinResourceManager::GetCursor(const std::wstring& id) const {
    for (const auto& cursor : theme_.cursors) {
        if (cursor->Id() == id) return cursor->Handle();
    }
    return nullptr;
}

CSkinDrawImage* CSkinResourceManager::GetCommandImage(const std::wstring& id) const {
    for (const auto& command : theme_.commands) {
        if (command.first == id) return command.second;
    }
    return nullptr;
}

SkinSharedWindowSettings CSkinResourceManager::GetSharedWindowSettings() const {
    if (theme_.sharedWindowDefined) return theme_.sharedWindow;
    SkinSharedWindowSettings settings;
    settings.backgroundColor = Platform().SystemColor(kSkinSysColorBtnFace);
    return settings;
}

const SkinControlDesc* CSkinResourceManager::GetDescription(SkinDescClass cls, const std::wstring& id) const {
    int index = static_cast<int>(cls);
    if (index < 0 || index >= kSkinDescClassCount) return nullptr;
    const SkinDescTable& table = theme_.descriptions[index];
    if (const SkinControlDesc* desc = table.Find(id)) return desc;
    const SkinClassInfo& info = GetSkinClass(cls);
    return info.classDefault ? table.Find(info.name) : nullptr;
}
