#include "skin/theme/skin_resource_manager.h"

#include <algorithm>
#include <clocale>
#include <new>
#include <utility>

#include "image/picture.h"
#include "skin/package/skin_zip_reader.h"
#include "skin/xml/skin_xml_document.h"

namespace {

CSkinResourceManager::PackageLoadedHook g_packageLoadedHook = nullptr;

// What the package pass does with an entry, by the last three characters of
// its name, upper-cased.
enum class EntryKind { Skip, Bitmap, Png, Icon, Jpeg, Gif, Xml };

struct EntryKindByEnding {
    const wchar_t* ending;
    EntryKind kind;
};
constexpr EntryKindByEnding kEntryKinds[] = {
    {L"BMP", EntryKind::Bitmap}, {L"PNG", EntryKind::Png}, {L"ICO", EntryKind::Icon},
    {L"JPG", EntryKind::Jpeg},   {L"GIF", EntryKind::Gif}, {L"XML", EntryKind::Xml},
};

EntryKind KindOfEntry(const std::wstring& name) {
    std::wstring ending = name.size() > 3 ? name.substr(name.size() - 3) : name;
    // ASCII only: the pass runs in the user's locale, where towupper may map
    // "i" to a dotted capital (Turkish) and no ending would match.
    for (wchar_t& c : ending)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    for (const EntryKindByEnding& k : kEntryKinds)
        if (ending == k.ending) return k.kind;
    return EntryKind::Skip;
}

}  // namespace

CSkinResourceManager::CSkinResourceManager() = default;
CSkinResourceManager::~CSkinResourceManager() = default;

CSkinResourceManager* GetSkinResourceManager() {
    // Lives until the process ends; never destroyed, like the windows using it.
    static CSkinResourceManager* manager = new CSkinResourceManager();
    return manager;
}

void CSkinResourceManager::SetPackageLoadedHook(PackageLoadedHook hook) { g_packageLoadedHook = hook; }

void CSkinResourceManager::NotifyPackageLoaded() {
    if (g_packageLoadedHook) g_packageLoadedHook(*this);
}

bool CSkinResourceManager::AddImage(const std::wstring& name, std::unique_ptr<CSkinDrawImage> image) {
    return images_.InsertIfAbsent(name, std::move(image));
}

CSkinDrawImage* CSkinResourceManager::GetImage(const std::wstring& name) const { return images_.Find(name); }

CSkinGifPlayer* CSkinResourceManager::GetGifPlayer(const std::wstring& name) const {
    for (const GifPlayerEntry& gif : gifPlayers_)
        if (gif.name == name) return gif.player.get();
    return nullptr;
}

int CSkinResourceManager::LoadFromMemory(const void* data, size_t size, const char* password) {
    std::unique_ptr<CSkinZipReader> reader = CSkinZipReader::OpenMemory(data, size, password);
    if (!reader) return 0;
    std::setlocale(LC_ALL, "");
    return LoadPackage(*reader);
}

int CSkinResourceManager::LoadPackage(CSkinZipReader& reader) {
    std::setlocale(LC_ALL, "");
    CSkinXmlDocument document;
    SkinZipEntry entry;
    reader.GetEntry(-1, &entry);
    int count = entry.index;
    // Every entry read counts against the budget, whether it loads or not,
    // so a hostile package cannot make the pass inflate without end; so do
    // the decoded pixels of its pictures.
    uint64_t budget = kMaxPackageBytes;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; ++i) {
        if (!reader.GetEntry(i, &entry) || entry.name[0] == 0) continue;
        std::wstring name(entry.name);
        EntryKind kind = KindOfEntry(name);
        if (kind == EntryKind::Skip) continue;
        uint64_t stated = static_cast<uint32_t>(entry.uncompressedSize);
        if (stated > budget) continue;
        budget -= stated;
        // An entry that cannot be read completely is skipped, never half-loaded;
        // so is one the process has no memory for.
        try {
            if (reader.ReadWholeEntry(i, bytes)) AddEntry(static_cast<int>(kind), name, bytes, document, budget);
        } catch (const std::bad_alloc&) {
        }
        bytes.clear();
        bytes.shrink_to_fit();
    }
    LoadTheme(document, reader);
    reader.Close();
    NotifyPackageLoaded();
    return 1;
}

void CSkinResourceManager::AddEntry(int kind, const std::wstring& name, std::vector<uint8_t>& bytes,
                                    CSkinXmlDocument& document, uint64_t& budget) {
    struct PictureKind {
        EntryKind kind;
        tovane::PictureFormat format;
        int type;
    };
    static const PictureKind kPictureKinds[] = {
        {EntryKind::Png, tovane::PictureFormat::Png, CSkinDrawImage::kTypePng},
        {EntryKind::Icon, tovane::PictureFormat::Icon, CSkinDrawImage::kTypeIco},
        {EntryKind::Jpeg, tovane::PictureFormat::Jpeg, CSkinDrawImage::kTypeJpg},
    };
    for (const PictureKind& p : kPictureKinds) {
        if (static_cast<EntryKind>(kind) != p.kind) continue;
        // Decoded pixels stay for the life of the process: they count against
        // the pass's budget too, and a picture beyond it is not decoded.
        tovane::Picture picture =
            tovane::DecodePicture(bytes.data(), bytes.size(), p.format, static_cast<size_t>(budget / 4));
        budget -= std::min<uint64_t>(budget, picture.pixels.size());
        AddImage(name, CSkinDrawImage::FromPicture(std::move(picture), p.type));
        return;
    }
    switch (static_cast<EntryKind>(kind)) {
        case EntryKind::Bitmap:
            // The bitmap keeps its bytes plus a terminating zero.
            bytes.push_back(0);
            AddImage(name, CSkinDrawImage::FromBitmapFile(bytes.data(), bytes.size()));
            break;
        case EntryKind::Gif: {
            // The player keeps the file (counted with the entry) and a
            // canvas, which counts against the budget like decoded pixels.
            std::unique_ptr<CSkinGifPlayer> player(new CSkinGifPlayer());
            player->LoadFromMemory(std::move(bytes), static_cast<size_t>(budget / SkinGifDecoder::kBytesPerPixel));
            bytes = std::vector<uint8_t>();
            budget -= std::min<uint64_t>(budget, player->MaxMemoryBytes());
            gifPlayers_.push_back(GifPlayerEntry{name, std::move(player)});
            break;
        }
        case EntryKind::Xml:
            // A later XML entry replaces the document of an earlier one.
            document.LoadUtf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            break;
        default:
            break;
    }
}
