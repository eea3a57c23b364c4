// Writes and removes the inline patches that skin_patch_planner.h plans.
//
// Each patched entry jumps (rel32) to a relay in a code block within
// +-1 GiB of the patched module; the relay jumps on absolutely to the
// replacement, wherever our image lies (Wine maps its DLLs more than 2 GiB
// from it). The trampoline sits beside the relay, so its re-addressed
// operands reach the module too.
//
// Installation is two steps, so that the caller can publish the
// trampoline before any thread can reach the replacement: Prepare plans
// and writes relay and trampoline, Commit writes the entry. Both are
// all-or-nothing: a failure leaves the function's bytes as they were.
// Writes go through VirtualProtect and FlushInstructionCache.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/windows/hooks/skin_patch_planner.h"

namespace skin_hooks {

enum class PatchStatus : uint8_t {
    Ok,
    Refused,        // the planner refused the entry (see PatchRefusal)
    Unreadable,     // the entry's memory cannot be read
    NoCodeBlock,    // no free memory within reach of the module
    ProtectFailed,  // VirtualProtect refused the entry's pages
    Changed,        // the entry no longer holds the bytes planned / written
};
const char* PatchStatusName(PatchStatus status);

struct Patch {
    uint8_t* entry = nullptr;
    size_t length = 0;  // bytes overwritten at the entry
    std::array<uint8_t, kMaxMovedBytes> original{};
    std::array<uint8_t, kMaxMovedBytes> written{};
    void* trampoline = nullptr;  // runs the original function
    bool committed = false;
};

struct PatchResult {
    PatchStatus status = PatchStatus::Ok;
    PatchRefusal refusal = PatchRefusal::None;
};

// Plans the patch of `entry` towards `replacement` and writes its relay and
// trampoline; the entry is untouched until Commit.
PatchResult PreparePatch(void* entry, void* replacement, Patch* patch);
// Writes the entry jump, unless the entry changed since PreparePatch.
PatchResult CommitPatch(Patch* patch);
// Puts the original bytes back, unless someone else has patched the entry
// over ours since (then it stays as it is).
PatchResult RemovePatch(Patch* patch);

// The entries a call of `entry` passes through: `entry` itself, then each
// target of a forwarding stub (jmp [rip+disp] through an import slot, or
// jmp rel32), at most `maxHops` deep. The last one is where every caller
// of the function passes, whichever stub it came through.
std::vector<void*> ForwardingChain(void* entry, int maxHops = 4);

// How many of the `wanted` bytes at `address` are committed and readable.
size_t ReadableBytes(const void* address, size_t wanted);

}  // namespace skin_hooks
