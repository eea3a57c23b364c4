// CSkinHashTable: the skin engine's owning hash table keyed by UTF-16 ids.
//
// 83 buckets; the hash runs over the key's characters from the last to the
// first, hash = hash * 33 + character in 32-bit unsigned arithmetic, and the
// bucket is hash % 83 ("abc" hashes to 111142, bucket 5). New entries go to
// the front of their bucket's chain, so a lookup finds the newest entry of a
// key first. Keys compare exactly (case and trailing spaces count).
// The table owns its values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

template <typename T>
class CSkinHashTable {
public:
    static constexpr uint32_t kBucketCount = 83;

    CSkinHashTable() = default;
    CSkinHashTable(const CSkinHashTable&) = delete;
    CSkinHashTable& operator=(const CSkinHashTable&) = delete;
    ~CSkinHashTable() { Clear(); }

    static uint32_t Hash(const std::wstring& key) {
        uint32_t hash = 0;
        for (size_t i = key.size(); i-- > 0;) {
            hash = hash * 33u + static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(key[i]));
        }
        return hash;
    }
    static uint32_t Bucket(const std::wstring& key) { return Hash(key) % kBucketCount; }

    // The value stored under `key` (the newest when there are several), or nullptr.
    T* Find(const std::wstring& key) const {
        for (Node* n = buckets_[Bucket(key)]; n; n = n->next) {
            if (n->key == key) return n->value.get();
        }
        return nullptr;
    }
    bool Contains(const std::wstring& key) const { return Find(key) != nullptr; }

    // Inserts at the front of the bucket without looking for an existing key.
    T* InsertFront(const std::wstring& key, std::unique_ptr<T> value) {
        Node* n = new Node{key, std::move(value), nullptr};
        uint32_t b = Bucket(key);
        n->next = buckets_[b];
        buckets_[b] = n;
        ++size_;
        return n->value.get();
    }

    // First definition wins: refuses (and discards `value`) when `key` exists.
    bool InsertIfAbsent(const std::wstring& key, std::unique_ptr<T> value) {
        if (Contains(key)) return false;
        InsertFront(key, std::move(value));
        return true;
    }

    // Last definition wins: the old value of `key` is destroyed and removed.
    T* Replace(const std::wstring& key, std::unique_ptr<T> value) {
        Remove(key);
        return InsertFront(key, std::move(value));
    }

    // Removes (and destroys) the newest entry of `key`; false when absent.
    bool Remove(const std::wstring& key) {
        Node** link = &buckets_[Bucket(key)];
        for (Node* n = *link; n; link = &n->next, n = n->next) {
            if (n->key == key) {
                *link = n->next;
                delete n;
                --size_;
                return true;
            }
        }
        return false;
    }

    // Removes the newest entry of `key` and hands its value to the caller;
    // nullptr when absent.
    std::unique_ptr<T> Take(const std::wstring& key) {
        Node** link = &buckets_[Bucket(key)];
        for (Node* n = *link; n; link = &n->next, n = n->next) {
            if (n->key == key) {
                *link = n->next;
                std::unique_ptr<T> value = std::move(n->value);
                delete n;
                --size_;
                return value;
            }
        }
        return nullptr;
    }

    void Clear() {
        for (Node*& head : buckets_) {
            while (head) {
                Node* next = head->next;
                delete head;
                head = next;
            }
        }
        size_ = 0;
    }

    size_t Size() const { return size_; }

    // Calls f(key, value) for every entry, bucket by bucket, chain order.
    template <typename F>
    void ForEach(F&& f) const {
        for (Node* head : buckets_) {
            for (Node* n = head; n; n = n->next) f(n->key, *n->value);
        }
    }

private:
    struct Node {
        std::wstring key;
        std::unique_ptr<T> value;
        Node* next;
    };
    Node* buckets_[kBucketCount] = {};
    size_t size_ = 0;
};
