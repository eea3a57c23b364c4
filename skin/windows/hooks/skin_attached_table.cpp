#include "skin/windows/hooks/skin_attached_table.h"

namespace {

constexpr uintptr_t kEmpty = 0;
constexpr uintptr_t kTombstone = ~uintptr_t{0};
constexpr size_t kInitialCapacity = 64;

}  // namespace

SkinAttachedTable::SkinAttachedTable() { Rebuild(kInitialCapacity); }

SkinAttachedTable::~SkinAttachedTable() = default;

void SkinAttachedTable::Rebuild(size_t capacity) {
    auto table = std::make_unique<Table>(capacity);
    Table* old = current_.load(std::memory_order_relaxed);
    size_t used = 0;
    if (old) {
        for (size_t i = 0; i <= old->mask; ++i) {
            const uintptr_t k = old->slots[i].key.load(std::memory_order_relaxed);
            void* v = old->slots[i].value.load(std::memory_order_relaxed);
            if (k == kEmpty || k == kTombstone || !v) continue;
            size_t j = Hash(k) & table->mask;
            while (table->slots[j].key.load(std::memory_order_relaxed) != kEmpty) j = (j + 1) & table->mask;
            table->slots[j].value.store(v, std::memory_order_relaxed);
            table->slots[j].key.store(k, std::memory_order_relaxed);
            ++used;
        }
    }
    // A reader still probing the old table finds what it held a moment
    // ago, as if it had looked just before the switch.
    current_.store(table.get(), std::memory_order_release);
    tables_.push_back(std::move(table));
    used_ = used;
}

void SkinAttachedTable::Add(uintptr_t key, void* value) {
    if (key == kEmpty || key == kTombstone || !value) return;
    std::lock_guard<std::mutex> lock(writer_);
    Table* table = current_.load(std::memory_order_relaxed);
    size_t free = SIZE_MAX;
    for (size_t i = Hash(key) & table->mask, n = 0; n <= table->mask; i = (i + 1) & table->mask, ++n) {
        const uintptr_t k = table->slots[i].key.load(std::memory_order_relaxed);
        if (k == key) {
            table->slots[i].value.store(value, std::memory_order_release);
            return;
        }
        if (k == kTombstone && free == SIZE_MAX) free = i;
        if (k == kEmpty) {
            if (free == SIZE_MAX) free = i;
            break;
        }
    }
    const size_t live = live_.load(std::memory_order_relaxed);
    const bool reusesTombstone =
        free != SIZE_MAX && table->slots[free].key.load(std::memory_order_relaxed) == kTombstone;
    if (free == SIZE_MAX || (!reusesTombstone && (used_ + 1) * 4 > (table->mask + 1) * 3)) {
        size_t capacity = kInitialCapacity;
        while ((live + 1) * 2 > capacity) capacity *= 2;
        Rebuild(capacity);
        table = current_.load(std::memory_order_relaxed);
        free = Hash(key) & table->mask;
        while (table->slots[free].key.load(std::memory_order_relaxed) != kEmpty) free = (free + 1) & table->mask;
    }
    // The value first: a reader that sees the key sees its value.
    table->slots[free].value.store(value, std::memory_order_release);
    if (table->slots[free].key.load(std::memory_order_relaxed) == kEmpty) ++used_;
    table->slots[free].key.store(key, std::memory_order_release);
    live_.store(live + 1, std::memory_order_relaxed);
}

void SkinAttachedTable::Remove(uintptr_t key) {
    if (key == kEmpty || key == kTombstone) return;
    std::lock_guard<std::mutex> lock(writer_);
    Table* table = current_.load(std::memory_order_relaxed);
    for (size_t i = Hash(key) & table->mask, n = 0; n <= table->mask; i = (i + 1) & table->mask, ++n) {
        const uintptr_t k = table->slots[i].key.load(std::memory_order_relaxed);
        if (k == kEmpty) return;
        if (k == key) {
            table->slots[i].value.store(nullptr, std::memory_order_release);
            table->slots[i].key.store(kTombstone, std::memory_order_release);
            live_.store(live_.load(std::memory_order_relaxed) - 1, std::memory_order_relaxed);
            return;
        }
    }
}
