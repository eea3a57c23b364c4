#include "skin/draw/skin_compose_cache.h"

#include <algorithm>
#include <atomic>
#include <climits>

namespace {

std::atomic<size_t> g_bytesInUse{0};

// Takes `bytes` from the process budget; false when they do not fit.
bool Reserve(size_t bytes) {
    size_t used = g_bytesInUse.load(std::memory_order_relaxed);
    do {
        if (bytes > SkinComposeCache::kProcessBudget - used) return false;
    } while (!g_bytesInUse.compare_exchange_weak(used, used + bytes, std::memory_order_relaxed));
    return true;
}

}  // namespace

bool SkinComposeKey::operator==(const SkinComposeKey& o) const {
    if (source != o.source || count != o.count || key != o.key || alpha != o.alpha || stretchMode != o.stretchMode)
        return false;
    for (int i = 0; i < count; ++i)
        if (pieces[static_cast<size_t>(i)] != o.pieces[static_cast<size_t>(i)]) return false;
    return true;
}

SkinBox SkinComposeBounds(const SkinPiece* pieces, int count) {
    if (!pieces || count <= 0) return SkinBox{};
    // Piece lists hold clamped coordinates (skin_geometry.h), so the sums fit.
    int64_t left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int i = 0; i < count; ++i) {
        const SkinBox& d = pieces[i].dst;
        left = std::min<int64_t>(left, d.x);
        top = std::min<int64_t>(top, d.y);
        right = std::max<int64_t>(right, int64_t{d.x} + d.w);
        bottom = std::max<int64_t>(bottom, int64_t{d.y} + d.h);
    }
    auto fit = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    return SkinBox{fit(left), fit(top), fit(right - left), fit(bottom - top)};
}

SkinComposeKey SkinMakeComposeKey(const void* source, const SkinPiece* pieces, int count, const SkinBox& bounds,
                                  SkinColor key, uint8_t alpha, int stretchMode) {
    SkinComposeKey k;
    k.source = source;
    k.count = std::clamp(count, 0, SkinPieces::kCapacity);
    for (int i = 0; i < k.count; ++i) {
        SkinPiece p = pieces[i];
        p.dst.x -= bounds.x;
        p.dst.y -= bounds.y;
        k.pieces[static_cast<size_t>(i)] = p;
    }
    k.key = key;
    k.alpha = alpha;
    k.stretchMode = stretchMode;
    return k;
}

SkinComposeCache::~SkinComposeCache() {
    while (!entries_.empty()) Drop(entries_.size() - 1);
}

void SkinComposeCache::Drop(size_t index) {
    g_bytesInUse.fetch_sub(entries_[index].bytes, std::memory_order_relaxed);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

SkinComposedResult* SkinComposeCache::Find(const SkinComposeKey& key) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].key != key) continue;
        if (i > 0)
            std::rotate(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(i),
                        entries_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return entries_.front().result.get();
    }
    return nullptr;
}

bool SkinComposeCache::SeenBefore(const SkinComposeKey& key) {
    for (int i = 0; i < seenCount_; ++i)
        if (seen_[static_cast<size_t>(i)] == key) return true;
    seen_[static_cast<size_t>(seenNext_)] = key;
    seenNext_ = (seenNext_ + 1) % kSightings;
    seenCount_ = std::min(seenCount_ + 1, kSightings);
    return false;
}

bool SkinComposeCache::Store(const SkinComposeKey& key, std::unique_ptr<SkinComposedResult> result, size_t bytes) {
    if (!result) return false;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].key == key) {
            Drop(i);
            break;
        }
    if (static_cast<int>(entries_.size()) >= kEntries) Drop(entries_.size() - 1);
    // Room first, so that the insert below cannot fail once the bytes are taken.
    if (entries_.capacity() < static_cast<size_t>(kEntries)) entries_.reserve(kEntries);
    if (!Reserve(bytes)) return false;
    entries_.insert(entries_.begin(), Entry{key, std::move(result), bytes});
    return true;
}

size_t SkinComposeCache::BytesInUse() { return g_bytesInUse.load(std::memory_order_relaxed); }
