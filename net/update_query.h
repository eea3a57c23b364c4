// The update-manifest query: asks the update service where the package is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "net/sha256.h"

struct UpdateInfo {
    std::int32_t errorCode = 0;
    std::string message;
    std::string version;
    std::string description;
    std::int32_t buildNumber = 0;
    std::string downloadAddress;
    // "data" → "sha256": what the package's SHA-256 must be; none when the
    // manifest has no such member (or null).
    std::optional<Sha256Digest> sha256;
};

// A manifest is a few hundred bytes; a bigger answer is refused.
constexpr std::size_t kMaxManifestSize = 1u << 20;

// Built-in update address, used unless TOVANE_UPDATE_URL is set.
extern const char kDefaultUpdateAddress[];

// The update address in effect: TOVANE_UPDATE_URL when set and non-empty,
// else the built-in one.
std::string UpdateAddress();

// Reads a manifest. False when the text is not JSON, and when "data" has a
// "sha256" that is not 64 hex digits; other members of unexpected JSON types
// are ignored.
bool ParseUpdateManifest(const std::string& text, UpdateInfo& info);

// Fetches and reads the manifest at `updateAddress` (http or https; no
// redirects followed).
// On true `downloadAddress` is the manifest's "url" (possibly empty); on
// false it is left unchanged. `info`, when given, receives every member.
bool QueryUpdateAt(const std::string& updateAddress, std::string& downloadAddress, UpdateInfo* info = nullptr);

// QueryUpdateAt with the update address in effect.
bool QueryUpdate(std::string& downloadAddress, UpdateInfo* info = nullptr);
