// Planning of an inline patch over the entry of a function, as pure code
// over bytes: which whole instructions the 5-byte jump displaces, how they
// are rewritten to run from the trampoline, and whether the entry can be
// patched at all. Nothing here touches memory other than the given bytes;
// the patcher (skin_code_patcher.h) reads the code and writes the plan.
//
// A plan moves whole instructions (decoded by Zydis) until at least 5
// bytes are covered. RIP-relative operands and rel32 branches among them
// are re-addressed for the trampoline's own address. An entry is refused
// when it cannot be moved faithfully: a short (rel8) branch among the moved
// instructions, a branch that lands inside the overwritten bytes, a
// function that ends before 5 bytes, an operand out of 32-bit reach of the
// trampoline, or bytes that do not decode.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace skin_hooks {

// jmp rel32, written at the patched entry.
constexpr size_t kEntryJumpSize = 5;
// jmp [rip+0] followed by the 8-byte target.
constexpr size_t kAbsoluteJumpSize = 14;
// Each moved instruction has at least one byte, so five of them always
// cover the entry jump; the longest instruction is 15 bytes.
constexpr size_t kMaxMovedInstructions = kEntryJumpSize;
constexpr size_t kMaxMovedBytes = kEntryJumpSize - 1 + 15;
constexpr size_t kMaxTrampolineSize = kMaxMovedBytes + kAbsoluteJumpSize;
// How far past the moved instructions the planner looks for branches that
// come back into the bytes the patch overwrites.
constexpr size_t kBranchScanBytes = 64;
// The bytes a caller should hand the planner: the moved instructions plus
// the scan behind them.
constexpr size_t kPlanWindowBytes = kMaxMovedBytes + kBranchScanBytes;

enum class PatchRefusal : uint8_t {
    None,
    Undecodable,      // an entry instruction is invalid or cut off by the end of the bytes
    TooShort,         // the function leaves (ret, jmp, int3) before 5 bytes
    Rel8Branch,       // a short branch among the moved instructions
    BranchIntoPatch,  // a branch lands inside the bytes the patch overwrites
    OutOfRange,       // a re-addressed operand does not reach from the trampoline
    Unsupported,      // a relative operand the planner does not re-address
};
const char* PatchRefusalName(PatchRefusal refusal);

enum class MovedKind : uint8_t {
    Copied,          // position-independent, copied byte for byte
    RipRelative,     // memory operand [rip+disp32], disp32 re-addressed
    RelativeBranch,  // jmp, jcc or call rel32, rel32 re-addressed
};

struct MovedInstruction {
    uint8_t offset = 0;  // from the entry; the same offset in the trampoline
    uint8_t length = 0;
    MovedKind kind = MovedKind::Copied;
    uint8_t fieldOffset = 0;  // the re-addressed 32-bit field within the instruction
    uint64_t target = 0;      // the absolute address the field refers to
};

struct PatchPlan {
    PatchRefusal refusal = PatchRefusal::None;
    size_t movedLength = 0;
    size_t movedCount = 0;
    std::array<MovedInstruction, kMaxMovedInstructions> moved{};
    // False when the last moved instruction leaves the function (jmp or
    // ret), so the trampoline needs no jump back. The jump back is a jmp
    // rel32 where it reaches, else jmp [rip+0] with the address behind it.
    bool jumpsBack = true;
    size_t trampolineLength = 0;
    std::array<uint8_t, kMaxTrampolineSize> trampoline{};

    bool Ok() const { return refusal == PatchRefusal::None; }
};

// Plans the patch of the function whose first `size` bytes are `code`,
// found at `codeAddress`, with its trampoline at `trampolineAddress`.
// Reads no byte past code[size - 1].
PatchPlan PlanPatch(const uint8_t* code, size_t size, uint64_t codeAddress, uint64_t trampolineAddress);

// Checks a plan against the code it was made from, independently of how it
// was made: the moved instructions tile the overwritten bytes; decoded at
// the trampoline each one is the original instruction, with every relative
// operand naming the same absolute address; the jump back resumes right
// after the moved bytes. False (with the reason in `why`) otherwise.
bool ExplainPlan(const PatchPlan& plan, const uint8_t* code, size_t size, uint64_t codeAddress,
                 uint64_t trampolineAddress, std::string* why = nullptr);

// An entry that only forwards elsewhere: optional hot-patch padding
// (lea rsp,[rsp+0], mov edi,edi, nops) and then jmp [rip+disp32] through a
// pointer slot, or jmp rel32.
enum class StubKind : uint8_t { None, IndirectJump, DirectJump };
struct ForwardingStub {
    StubKind kind = StubKind::None;
    uint64_t slot = 0;    // IndirectJump: the address of the pointer it jumps through
    uint64_t target = 0;  // DirectJump: where it jumps
};
ForwardingStub ReadForwardingStub(const uint8_t* code, size_t size, uint64_t codeAddress);

// jmp rel32 from `from` to `to` followed by int3 up to `length` bytes
// (length >= 5). False when `to` is out of rel32 reach.
bool BuildEntryJump(uint64_t from, uint64_t to, size_t length, uint8_t* out);
// jmp [rip+0] with the target behind it: kAbsoluteJumpSize bytes.
void BuildAbsoluteJump(uint64_t target, uint8_t* out);

}  // namespace skin_hooks
