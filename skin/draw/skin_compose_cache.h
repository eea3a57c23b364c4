// Composed results of the piece lists a picture draws again and again: a
// frame's or a button face's 9-grid into the same size on every paint. A
// canvas that can keep what it composed (the GDI canvas) stores it here, so
// that a repeat costs a few plain copies instead of the stretches, the keyed
// copies and the selection of the picture. The cache belongs to its picture
// and lives as long as it; pictures never change, so no entry ever goes
// stale. Memory is bounded: a few entries per picture, and one budget for
// the whole process.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "skin/draw/skin_geometry.h"

// What a composed result depends on: the source, the pieces (destinations
// relative to the box of all of them), the key, the constant alpha and the
// target's stretch mode (0 when no piece is scaled).
struct SkinComposeKey {
    const void* source = nullptr;
    std::array<SkinPiece, SkinPieces::kCapacity> pieces{};
    int count = 0;
    SkinColor key = 0;
    uint8_t alpha = 255;
    int stretchMode = 0;

    bool operator==(const SkinComposeKey& o) const;
    bool operator!=(const SkinComposeKey& o) const { return !(*this == o); }
};

// The box that holds every piece's destination; empty without pieces.
SkinBox SkinComposeBounds(const SkinPiece* pieces, int count);
// The key of `count` pieces (at most SkinPieces::kCapacity) drawn at `bounds`.
SkinComposeKey SkinMakeComposeKey(const void* source, const SkinPiece* pieces, int count, const SkinBox& bounds,
                                  SkinColor key, uint8_t alpha, int stretchMode);

// What a canvas keeps of one composed list (GDI objects on Windows).
class SkinComposedResult {
public:
    virtual ~SkinComposedResult() = default;
};

class SkinComposeCache {
public:
    static constexpr int kEntries = 4;                          // results kept per picture
    static constexpr int kSightings = 4;                        // lists remembered as drawn once
    static constexpr size_t kProcessBudget = size_t{32} << 20;  // bytes of all results together

    SkinComposeCache() = default;
    ~SkinComposeCache();
    SkinComposeCache(const SkinComposeCache&) = delete;
    SkinComposeCache& operator=(const SkinComposeCache&) = delete;

    // Held while a canvas draws the picture: the threads that draw one
    // picture take turns (its bitmap sits in one DC at a time, and a DC
    // serves one thread at a time). Everything below needs it held.
    std::mutex& Mutex() { return mutex_; }

    // The result for `key` (now the most recently used), or null.
    SkinComposedResult* Find(const SkinComposeKey& key);
    // True when `key` was asked for before and has no result: worth
    // composing now. Otherwise remembers it and says false, so a list drawn
    // once (a window being resized) costs nothing extra.
    bool SeenBefore(const SkinComposeKey& key);
    // Keeps `result` (`bytes` of memory) for `key`, dropping the least
    // recently used entry past kEntries. False, and the result dropped, when
    // the process budget cannot take it.
    bool Store(const SkinComposeKey& key, std::unique_ptr<SkinComposedResult> result, size_t bytes);

    int Entries() const { return static_cast<int>(entries_.size()); }
    // Bytes held by the results of every cache of the process.
    static size_t BytesInUse();

private:
    struct Entry {
        SkinComposeKey key;
        std::unique_ptr<SkinComposedResult> result;
        size_t bytes = 0;
    };
    void Drop(size_t index);

    std::mutex mutex_;
    std::vector<Entry> entries_;  // most recently used first
    std::array<SkinComposeKey, kSightings> seen_{};
    int seenCount_ = 0;
    int seenNext_ = 0;
};
