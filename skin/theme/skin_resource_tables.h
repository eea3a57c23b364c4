// The theme's tables inside CSkinResourceManager: fonts, colours, cursors,
// commands, control descriptions and the shared window settings.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "skin/draw/skin_scale.h"
#include "skin/platform/skin_platform.h"
#include "skin/theme/skin_descriptions.h"
#include "skin/theme/skin_hash_table.h"

class CSkinDrawImage;

// A theme object that owns one platform handle under its id: the handle is
// replaced (the old one deleted) when the theme defines the id again.
class SkinHandleHolder {
public:
    explicit SkinHandleHolder(std::wstring id) : id_(std::move(id)) {}
    const std::wstring& Id() const { return id_; }
    void* Handle() const { return handle_.get(); }
    void SetHandle(SkinPlatformHandle handle) { handle_ = std::move(handle); }

private:
    std::wstring id_;
    SkinPlatformHandle handle_;
};

// A theme font: its id, the font handle made from its item (96 DPI), and
// the same font for other display scales, made on first request.
class CSkinFont : public SkinHandleHolder {
public:
    using SkinHandleHolder::SkinHandleHolder;

    // What the item asked for and the platform that makes its handles;
    // forgets the fonts made for other scales.
    void SetSpec(const SkinFontSpec& spec, ISkinPlatform* platform);
    // The font for `scale`: the item's height scaled (skin_scale.h). The
    // 96-DPI handle at 96 DPI, and when no spec was given.
    void* HandleFor(const SkinScale& scale) const;

private:
    SkinFontSpec spec_;
    ISkinPlatform* platform_ = nullptr;
    mutable std::mutex scaledLock_;
    mutable std::vector<std::pair<int, SkinPlatformHandle>> scaled_;
};

// A theme cursor: its id and the cursor handle loaded for it (may be none).
class CSkinCursorHolder : public SkinHandleHolder {
public:
    using SkinHandleHolder::SkinHandleHolder;
};

// The descriptions of one control class, keyed by item id: an 83-bucket
// hash table or a list in definition order. A redefinition takes the old
// description out of the look-ups; the record itself is kept until the
// table is destroyed, so pointers handed to skinned windows stay valid.
class SkinDescTable {
public:
    explicit SkinDescTable(bool hashed = true) : hashed_(hashed) {}
    void SetHashed(bool hashed) { hashed_ = hashed; }
    bool Hashed() const { return hashed_; }

    const SkinControlDesc* Find(const std::wstring& id) const;
    // Stores `desc` under its id after taking out any description of that id.
    void Put(std::unique_ptr<SkinControlDesc> desc);
    size_t Size() const { return hashed_ ? hash_.Size() : list_.size(); }
    // Ids of the list in definition order (empty for hashed tables).
    std::vector<std::wstring> ListOrder() const;

private:
    struct Slot {
        std::unique_ptr<SkinControlDesc> desc;
    };
    void Retire(const std::wstring& id);

    bool hashed_;
    CSkinHashTable<Slot> hash_;
    std::vector<std::unique_ptr<SkinControlDesc>> list_;
    std::vector<std::unique_ptr<SkinControlDesc>> retired_;
};

// Everything LoadTheme adds to the resource manager.
struct CSkinThemeTables {
    CSkinThemeTables();

    ISkinPlatform* platform = nullptr;  // nullptr: DefaultSkinPlatform()
    bool comboListClassRegistered = false;

    std::vector<std::unique_ptr<CSkinFont>> fonts;                   // definition order
    std::vector<std::pair<std::wstring, SkinColor>> colors;          // definition order
    std::vector<std::unique_ptr<CSkinCursorHolder>> cursors;         // definition order
    std::vector<std::pair<std::wstring, CSkinDrawImage*>> commands;  // images stay owned by the image table
    SkinDescTable descriptions[kSkinDescClassCount];
    bool sharedWindowDefined = false;
    SkinSharedWindowSettings sharedWindow;
    // Images whose id was already taken when an image item bound them: no
    // longer reachable by id, but kept alive for anything that holds them.
    std::vector<std::unique_ptr<CSkinDrawImage>> unboundImages;
};
