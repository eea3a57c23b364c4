// CSkinResourceManager: the process-wide store of everything a skin package
// defines, filled once by the package pass (LoadFromMemory / LoadPackage)
// and the theme walk (LoadTheme), then queried by id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_gif_player.h"
#include "skin/theme/skin_hash_table.h"
#include "skin/theme/skin_resource_tables.h"

class CSkinXmlDocument;
class CSkinZipReader;

class CSkinResourceManager {
public:
    CSkinResourceManager();
    virtual ~CSkinResourceManager();
    CSkinResourceManager(const CSkinResourceManager&) = delete;
    CSkinResourceManager& operator=(const CSkinResourceManager&) = delete;

    // ===================================================================
    // Package pass (skin_resource_manager.cpp)
    // ===================================================================

    // The package pass reads at most this many uncompressed bytes in total;
    // entries that would go beyond it are skipped.
    static constexpr uint64_t kMaxPackageBytes = uint64_t(256) << 20;

    // Opens the ZIP archive in [data, data + size) and runs LoadPackage.
    // Returns 0 (tables unchanged) when the archive cannot be opened, else 1.
    int LoadFromMemory(const void* data, size_t size, const char* password);

    // Loads every entry of the open archive by the last three characters of
    // its name (BMP, PNG, ICO, JPG, GIF, XML; others skipped), runs the
    // theme walk and closes the reader. Returns 1.
    int LoadPackage(CSkinZipReader& reader);

    // Fills the theme tables from the document (skin_theme_loader.cpp).
    bool LoadTheme(CSkinXmlDocument& document, CSkinZipReader& reader);

    // Called at the end of every package pass so the window manager can take
    // over the theme's shared window settings. The window manager registers
    // itself; until then this is a no-op.
    using PackageLoadedHook = void (*)(CSkinResourceManager& manager);
    static void SetPackageLoadedHook(PackageLoadedHook hook);

    // ===================================================================
    // Image table and GIF players (skin_resource_manager.cpp)
    // ===================================================================

    // Image table: keyed by image id, or by entry name for pictures that no
    // image item binds. The first definition of a key wins.
    CSkinHashTable<CSkinDrawImage>& Images() { return images_; }
    const CSkinHashTable<CSkinDrawImage>& Images() const { return images_; }
    CSkinDrawImage* FindImage(const std::wstring& name) const { return images_.Find(name); }
    // The image under `name`, or nullptr. Its GDI storage is made at its
    // first draw, at the scale drawn: on a scaled display a picture's 96-DPI
    // bitmap is never made. Safe from any thread once the package is loaded.
    CSkinDrawImage* GetImage(const std::wstring& name) const;
    // Inserts unless `name` is present; a refused image is destroyed.
    bool AddImage(const std::wstring& name, std::unique_ptr<CSkinDrawImage> image);

    // GIF player table: one player per GIF entry of the package, in archive
    // order; two entries of one name both stay and look-ups find the first.
    struct GifPlayerEntry {
        std::wstring name;
        std::unique_ptr<CSkinGifPlayer> player;
    };
    const std::vector<GifPlayerEntry>& GifPlayers() const { return gifPlayers_; }
    // The player of the GIF entry `name`, or nullptr.
    CSkinGifPlayer* GetGifPlayer(const std::wstring& name) const;

private:
    void NotifyPackageLoaded();
    // Stores one fully read entry by its kind (see LoadPackage).
    void AddEntry(int kind, const std::wstring& name, std::vector<uint8_t>& bytes, CSkinXmlDocument& document,
                  uint64_t& budget);

    CSkinHashTable<CSkinDrawImage> images_;
    std::vector<GifPlayerEntry> gifPlayers_;

    // ===================================================================
    // Theme tables (skin_theme_loader.cpp and its companions)
    // ===================================================================
public:
    // Fonts, cursors and system colours come from this platform; nullptr
    // (the default) selects DefaultSkinPlatform(). Tests inject a fake.
    void SetPlatform(ISkinPlatform* platform);
    ISkinPlatform& Platform() const;

    // The font of `id`, or nullptr; its handle (HFONT), or nullptr.
    const CSkinFont* GetFont(const std::wstring& id) const;
    void* GetFontHandle(const std::wstring& id) const;
    // The font `id` made for a display scale (the 96-DPI one at 96 DPI).
    void* GetFontHandle(const std::wstring& id, const SkinScale& scale) const;
    // The colour of `id`; the desktop system colour (index 1) when absent.
    SkinColor GetColor(const std::wstring& id) const;
    // The cursor handle (HCURSOR) of `id`, or nullptr.
    void* GetCursor(const std::wstring& id) const;
    // The image of command `id` (the first definition), or nullptr.
    CSkinDrawImage* GetCommandImage(const std::wstring& id) const;
    // The comwnd settings the window manager takes over after a load.
    SkinSharedWindowSettings GetSharedWindowSettings() const;

    // The description of class `cls` stored under `id`; when absent, the
    // class default (the item whose id is the class name); else nullptr.
    const SkinControlDesc* GetDescription(SkinDescClass cls, const std::wstring& id) const;
    template <class T>
    const T* GetDescription(const std::wstring& id) const {
        return static_cast<const T*>(GetDescription(T::kClass, id));
    }

    // The theme tables themselves, for the theme loader.
    CSkinThemeTables& ThemeTables() { return theme_; }
    const CSkinThemeTables& ThemeTables() const { return theme_; }

private:
    CSkinThemeTables theme_;
};

// The single resource manager of the process, created on first use.
CSkinResourceManager* GetSkinResourceManager();
