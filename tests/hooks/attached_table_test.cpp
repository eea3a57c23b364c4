// The lock-free table of attached windows that every hook consults first.
#include "skin/windows/hooks/skin_attached_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

void* ValueOf(uintptr_t key) { return reinterpret_cast<void*>(key * 16 + 8); }

}  // namespace

TEST(AttachedTable, AddFindReplaceRemove) {
    SkinAttachedTable table;
    EXPECT_EQ(table.Find(0x10062), nullptr);
    table.Add(0x10062, ValueOf(1));
    table.Add(0x10064, ValueOf(2));
    EXPECT_EQ(table.Find(0x10062), ValueOf(1));
    table.Add(0x10062, ValueOf(3));
    EXPECT_EQ(table.Find(0x10062), ValueOf(3));
    EXPECT_EQ(table.Count(), 2u);
    table.Remove(0x10062);
    EXPECT_EQ(table.Find(0x10062), nullptr);
    EXPECT_EQ(table.Find(0x10064), ValueOf(2));
    table.Remove(0x10062);  // twice is harmless
    EXPECT_EQ(table.Count(), 1u);
    // Keys the table uses for itself are refused, not stored.
    table.Add(0, ValueOf(4));
    table.Add(~uintptr_t{0}, ValueOf(4));
    table.Add(5, nullptr);
    EXPECT_EQ(table.Count(), 1u);
}

TEST(AttachedTable, GrowsAndReusesRemovedSlots) {
    SkinAttachedTable table;
    for (uintptr_t k = 1; k <= 1000; ++k) table.Add(k * 2, ValueOf(k));
    for (uintptr_t k = 1; k <= 1000; ++k) ASSERT_EQ(table.Find(k * 2), ValueOf(k)) << k;
    for (uintptr_t k = 1; k <= 1000; k += 2) table.Remove(k * 2);
    for (uintptr_t k = 1; k <= 1000; ++k) ASSERT_EQ(table.Find(k * 2), k % 2 ? nullptr : ValueOf(k)) << k;
    // Churn: windows come and go far more often than the table's size.
    for (int round = 0; round < 50; ++round) {
        for (uintptr_t k = 5000; k < 5100; ++k) table.Add(k * 2, ValueOf(k));
        for (uintptr_t k = 5000; k < 5100; ++k) table.Remove(k * 2);
    }
    EXPECT_EQ(table.Count(), 500u);
    EXPECT_EQ(table.Find(4), ValueOf(2));
}

TEST(AttachedTable, ReadersOnOtherThreadsSeeOnlyWholeRecords) {
    SkinAttachedTable table;
    for (uintptr_t k = 1; k <= 8; ++k) table.Add(k, ValueOf(k));  // stay all the time
    std::atomic<bool> stop{false};
    std::atomic<long> wrong{0};
    std::vector<std::thread> readers;
    for (int r = 0; r < 2; ++r) {
        readers.emplace_back([&] {
            while (!stop.load()) {
                for (uintptr_t k = 1; k <= 400; ++k) {
                    void* v = table.Find(k);
                    if (k <= 8 ? v != ValueOf(k) : (v && v != ValueOf(k))) ++wrong;
                }
            }
        });
    }
    for (int round = 0; round < 200; ++round) {
        for (uintptr_t k = 9; k <= 400; ++k) table.Add(k, ValueOf(k));
        for (uintptr_t k = 9; k <= 400; ++k) table.Remove(k);
    }
    stop = true;
    for (auto& t : readers) t.join();
    EXPECT_EQ(wrong.load(), 0);
}
