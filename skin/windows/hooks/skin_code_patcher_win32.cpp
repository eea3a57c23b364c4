#include "skin/windows/hooks/skin_code_patcher_win32.h"

#include <windows.h>

#include <cstring>
#include <mutex>

namespace skin_hooks {
namespace {

constexpr size_t kBlockSize = 64 * 1024;  // the allocation granularity
constexpr size_t kRelaySize = 16;
constexpr size_t kSlotSize = kRelaySize + 48;
static_assert(kAbsoluteJumpSize <= kRelaySize && kMaxTrampolineSize <= kSlotSize - kRelaySize, "slot layout");
// Relays stay this close to the module so that the trampoline's
// re-addressed operands, which point into the module, reach as well.
constexpr uint64_t kReach = 1ull << 30;

struct CodeBlock {
    uint8_t* base = nullptr;
    size_t used = 0;
};

std::mutex g_blocksLock;
std::vector<CodeBlock> g_blocks;

uint64_t Distance(uint64_t a, uint64_t b) { return a > b ? a - b : b - a; }

bool Near(const uint8_t* block, uint64_t address) {
    const uint64_t base = reinterpret_cast<uint64_t>(block);
    return Distance(base, address) < kReach && Distance(base + kBlockSize, address) < kReach;
}

// Reserves and commits a block in free memory as close to `address` as
// the address space allows, first below it, then above.
uint8_t* AllocateBlockNear(uint64_t address) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const uint64_t lowest = reinterpret_cast<uint64_t>(info.lpMinimumApplicationAddress);
    const uint64_t highest = reinterpret_cast<uint64_t>(info.lpMaximumApplicationAddress);
    const uint64_t start = address & ~uint64_t{kBlockSize - 1};
    for (uint64_t delta = kBlockSize; delta < kReach - kBlockSize; delta += kBlockSize) {
        for (int side = 0; side < 2; ++side) {
            if (side == 0 && start < delta) continue;
            const uint64_t candidate = side == 0 ? start - delta : start + delta;
            if (candidate < lowest || candidate + kBlockSize > highest) continue;
            MEMORY_BASIC_INFORMATION mbi;
            if (!VirtualQuery(reinterpret_cast<void*>(candidate), &mbi, sizeof mbi) || mbi.State != MEM_FREE) continue;
            const uint64_t regionEnd = reinterpret_cast<uint64_t>(mbi.BaseAddress) + mbi.RegionSize;
            if (regionEnd < candidate + kBlockSize) continue;
            void* p = VirtualAlloc(reinterpret_cast<void*>(candidate), kBlockSize, MEM_RESERVE | MEM_COMMIT,
                                   PAGE_EXECUTE_READ);
            if (p) return static_cast<uint8_t*>(p);
        }
    }
    return nullptr;
}

uint8_t* AllocateSlot(uint64_t address) {
    std::lock_guard<std::mutex> lock(g_blocksLock);
    for (CodeBlock& b : g_blocks) {
        if (b.used + kSlotSize <= kBlockSize && Near(b.base, address)) {
            uint8_t* slot = b.base + b.used;
            b.used += kSlotSize;
            return slot;
        }
    }
    uint8_t* base = AllocateBlockNear(address);
    if (!base) return nullptr;
    g_blocks.push_back({base, kSlotSize});
    return base;
}

// Gives the slot back when it is the last one handed out (a refused plan).
void ReleaseSlot(uint8_t* slot) {
    std::lock_guard<std::mutex> lock(g_blocksLock);
    for (CodeBlock& b : g_blocks) {
        if (b.base + b.used == slot + kSlotSize) b.used -= kSlotSize;
    }
}

bool WriteCode(void* at, const uint8_t* bytes, size_t size) {
    DWORD old = 0;
    if (!VirtualProtect(at, size, PAGE_EXECUTE_READWRITE, &old)) return false;
    std::memcpy(at, bytes, size);
    DWORD ignored = 0;
    VirtualProtect(at, size, old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), at, size);
    return true;
}

// Replaces `expected` at the entry by `bytes`, checking under the write
// protection that the entry still holds `expected`. An entry whose patched
// bytes lie within one aligned 8-byte word is switched with one atomic
// store, so a thread running into it sees either the old or the new bytes.
PatchStatus SwapEntry(uint8_t* entry, const uint8_t* expected, const uint8_t* bytes, size_t size) {
    DWORD old = 0;
    if (!VirtualProtect(entry, size, PAGE_EXECUTE_READWRITE, &old)) return PatchStatus::ProtectFailed;
    PatchStatus status = PatchStatus::Ok;
    if (std::memcmp(entry, expected, size) != 0) {
        status = PatchStatus::Changed;
    } else if (size <= 8 && (reinterpret_cast<uintptr_t>(entry) & 7) == 0) {
        LONG64 word;
        std::memcpy(&word, entry, 8);
        std::memcpy(&word, bytes, size);
        InterlockedExchange64(reinterpret_cast<LONG64 volatile*>(entry), word);
    } else {
        std::memcpy(entry, bytes, size);
    }
    DWORD ignored = 0;
    VirtualProtect(entry, size, old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), entry, size);
    return status;
}

bool Readable(DWORD protect) {
    if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    return (protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                       PAGE_EXECUTE_WRITECOPY)) != 0;
}

}  // namespace

const char* PatchStatusName(PatchStatus status) {
    switch (status) {
        case PatchStatus::Ok:
            return "ok";
        case PatchStatus::Refused:
            return "refused";
        case PatchStatus::Unreadable:
            return "unreadable";
        case PatchStatus::NoCodeBlock:
            return "no code block within reach";
        case PatchStatus::ProtectFailed:
            return "VirtualProtect failed";
        case PatchStatus::Changed:
            return "entry changed";
    }
    return "?";
}

size_t ReadableBytes(const void* address, size_t wanted) {
    size_t got = 0;
    const uint8_t* p = static_cast<const uint8_t*>(address);
    while (got < wanted) {
        MEMORY_BASIC_INFORMATION mbi;
        if (!VirtualQuery(p + got, &mbi, sizeof mbi) || mbi.State != MEM_COMMIT || !Readable(mbi.Protect)) break;
        const uint8_t* end = static_cast<const uint8_t*>(mbi.BaseAddress) + mbi.RegionSize;
        got += static_cast<size_t>(end - (p + got));
    }
    return got < wanted ? got : wanted;
}

PatchResult PreparePatch(void* entry, void* replacement, Patch* patch) {
    PatchResult result;
    *patch = Patch{};
    uint8_t code[kPlanWindowBytes];
    const size_t size = ReadableBytes(entry, sizeof code);
    if (size == 0) {
        result.status = PatchStatus::Unreadable;
        return result;
    }
    std::memcpy(code, entry, size);
    const uint64_t at = reinterpret_cast<uint64_t>(entry);
    uint8_t* slot = AllocateSlot(at);
    if (!slot) {
        result.status = PatchStatus::NoCodeBlock;
        return result;
    }
    uint8_t* trampoline = slot + kRelaySize;
    const uint64_t trampolineAt = reinterpret_cast<uint64_t>(trampoline);
    const PatchPlan plan = PlanPatch(code, size, at, trampolineAt);
    uint8_t jump[kMaxMovedBytes];
    // The shape check: only a plan the independent check explains is written.
    if (!plan.Ok() || !ExplainPlan(plan, code, size, at, trampolineAt) ||
        !BuildEntryJump(at, reinterpret_cast<uint64_t>(slot), plan.movedLength, jump)) {
        ReleaseSlot(slot);
        result.status = PatchStatus::Refused;
        result.refusal = plan.Ok() ? PatchRefusal::OutOfRange : plan.refusal;
        return result;
    }
    uint8_t relay[kAbsoluteJumpSize];
    BuildAbsoluteJump(reinterpret_cast<uint64_t>(replacement), relay);
    if (!WriteCode(slot, relay, sizeof relay) ||
        !WriteCode(trampoline, plan.trampoline.data(), plan.trampolineLength)) {
        result.status = PatchStatus::ProtectFailed;
        return result;
    }
    patch->entry = static_cast<uint8_t*>(entry);
    patch->length = plan.movedLength;
    std::memcpy(patch->original.data(), code, plan.movedLength);
    std::memcpy(patch->written.data(), jump, plan.movedLength);
    patch->trampoline = trampoline;
    return result;
}

PatchResult CommitPatch(Patch* patch) {
    PatchResult result;
    if (!patch->entry || patch->committed) {
        result.status = PatchStatus::Changed;
        return result;
    }
    result.status = SwapEntry(patch->entry, patch->original.data(), patch->written.data(), patch->length);
    patch->committed = result.status == PatchStatus::Ok;
    return result;
}

PatchResult RemovePatch(Patch* patch) {
    PatchResult result;
    if (!patch->committed) return result;
    // The relay and trampoline stay: a thread may still be running in them.
    result.status = SwapEntry(patch->entry, patch->written.data(), patch->original.data(), patch->length);
    if (result.status == PatchStatus::Ok) patch->committed = false;
    return result;
}

std::vector<void*> ForwardingChain(void* entry, int maxHops) {
    std::vector<void*> chain{entry};
    for (int hop = 0; hop < maxHops; ++hop) {
        uint8_t code[32];
        void* current = chain.back();
        const size_t size = ReadableBytes(current, sizeof code);
        if (size == 0) break;
        std::memcpy(code, current, size);
        const ForwardingStub stub = ReadForwardingStub(code, size, reinterpret_cast<uint64_t>(current));
        void* next = nullptr;
        if (stub.kind == StubKind::IndirectJump) {
            const void* slot = reinterpret_cast<const void*>(stub.slot);
            if (ReadableBytes(slot, sizeof next) != sizeof next) break;
            std::memcpy(&next, slot, sizeof next);
        } else if (stub.kind == StubKind::DirectJump) {
            next = reinterpret_cast<void*>(stub.target);
        }
        if (!next || ReadableBytes(next, 1) == 0) break;
        bool seen = false;
        for (void* p : chain) seen = seen || p == next;
        if (seen) break;
        chain.push_back(next);
    }
    return chain;
}

}  // namespace skin_hooks
