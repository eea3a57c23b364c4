// SHA-256 of a downloaded package, and the digest's hex form as the update
// manifest carries it. The hashing is OpenSSL's (it uses the processor's SHA
// instructions where there are any).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct evp_md_ctx_st;

using Sha256Digest = std::array<std::uint8_t, 32>;

// Exactly 64 hex digits (either case) to the digest; nothing for any other
// text, a prefix, space or sign included.
std::optional<Sha256Digest> ParseSha256Hex(const std::string& text);

// The digest as 64 lower-case hex digits.
std::string Sha256Hex(const Sha256Digest& digest);

class Sha256 {
public:
    // Throws std::bad_alloc when the hash state cannot be made.
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, std::size_t size);
    // The digest of everything given so far; the object is done afterwards.
    Sha256Digest Finish();

private:
    evp_md_ctx_st* context_;
};
