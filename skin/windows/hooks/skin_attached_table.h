// The in-process record of the windows the engine has fully attached,
// consulted first by every hook replacement on every call. Lookups take no
// lock and make no system call (a window property would go to the Wine
// server), so a window the engine does not skin costs a few loads.
//
// Writers (attach and detach, on the windows' threads) serialise on a
// mutex. The table is open-addressed; when it grows, the new table is
// published atomically and the old one is kept until the table itself
// goes, so a reader never touches freed memory.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class SkinAttachedTable {
public:
    SkinAttachedTable();
    ~SkinAttachedTable();
    SkinAttachedTable(const SkinAttachedTable&) = delete;
    SkinAttachedTable& operator=(const SkinAttachedTable&) = delete;

    // Records `value` (non-null) for `key` (non-zero), replacing an earlier one.
    void Add(uintptr_t key, void* value);
    void Remove(uintptr_t key);
    // The value recorded for `key`, or null. Safe on any thread.
    void* Find(uintptr_t key) const {
        if (live_.load(std::memory_order_relaxed) == 0) return nullptr;
        const Table* table = current_.load(std::memory_order_acquire);
        const Slot* slots = table->slots.get();
        for (size_t i = Hash(key) & table->mask, n = 0; n <= table->mask; i = (i + 1) & table->mask, ++n) {
            const uintptr_t k = slots[i].key.load(std::memory_order_acquire);
            if (k == key) return slots[i].value.load(std::memory_order_acquire);
            if (k == 0) return nullptr;
        }
        return nullptr;
    }
    size_t Count() const { return live_.load(std::memory_order_relaxed); }

private:
    struct Slot {
        std::atomic<uintptr_t> key{0};
        std::atomic<void*> value{nullptr};
    };
    struct Table {
        explicit Table(size_t capacity) : mask(capacity - 1), slots(new Slot[capacity]) {}
        size_t mask;
        std::unique_ptr<Slot[]> slots;
    };

    // Window handles are small numbers with regular low bits: spread them.
    static size_t Hash(uintptr_t key) {
        return static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ull) >> 17);
    }
    void Rebuild(size_t capacity);

    std::atomic<Table*> current_{nullptr};
    std::atomic<size_t> live_{0};
    size_t used_ = 0;  // live keys and tombstones of the current table
    std::mutex writer_;
    std::vector<std::unique_ptr<Table>> tables_;  // current and retired
};
