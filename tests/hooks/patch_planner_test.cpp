// The patch planner on the entry shapes of Wine 8's x86-64 user32 and
// win32u, and on the shapes it must refuse.
#include "skin/windows/hooks/skin_patch_planner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace skin_hooks;

namespace {

// Entries as Wine 8 ships them, with their addresses in the image.
const std::vector<uint8_t> kGetWindowLongPtrW = {0x57, 0x56, 0x53, 0x48, 0x83, 0xec, 0x20, 0x41, 0xb8,
                                                 0x0e, 0x00, 0x00, 0x00, 0x48, 0x63, 0xd2, 0x48, 0x89,
                                                 0xcf, 0x48, 0x89, 0xd3, 0xe8, 0xf5, 0x9b, 0x02, 0x00};
const uint64_t kGetWindowLongPtrWAt = 0x216a27db0;
// Hot-patch padding, then a range test with a short branch well past it.
const std::vector<uint8_t> kSetWindowLongW = {0x48, 0x8d, 0xa4, 0x24, 0x00, 0x00, 0x00, 0x00, 0x48, 0x83,
                                              0xec, 0x38, 0x8d, 0x42, 0x08, 0x83, 0xf8, 0x04, 0x77, 0x2c};
// user32's BeginPaint: a 6-byte jump through its import of win32u.
const std::vector<uint8_t> kBeginPaintStub = {0xff, 0x25, 0xfa, 0x22, 0x03, 0x00, 0x90, 0x90, 0x90, 0x90};
const uint64_t kBeginPaintAt = 0x216a519a0;
const uint64_t kBeginPaintSlot = 0x216a83ca0;
// user32's SetScrollInfo: padding, then the jump through the import.
const std::vector<uint8_t> kSetScrollInfoStub = {0x48, 0x8d, 0xa4, 0x24, 0x00, 0x00, 0x00, 0x00,
                                                 0xff, 0x25, 0x66, 0xbe, 0x0a, 0x00, 0x66, 0x90};
const uint64_t kSetScrollInfoAt = 0x2169d8364;
// win32u's system-call thunk.
const std::vector<uint8_t> kSyscallThunk = {0x4c, 0x8b, 0xd1, 0xb8, 0x45, 0x10, 0x00, 0x00, 0xf6, 0x04, 0x25,
                                            0x08, 0x03, 0xfe, 0x7f, 0x01, 0x75, 0x03, 0x0f, 0x05, 0xc3, 0xeb,
                                            0x01, 0xc3, 0xff, 0x14, 0x25, 0x00, 0x10, 0xfe, 0x7f, 0xc3};
const uint64_t kSyscallThunkAt = 0x2c73aaa50;
// win32u's NtUserEndPaint: reads a pointer RIP-relative in its second instruction.
const std::vector<uint8_t> kEndPaint = {0x48, 0x83, 0xec, 0x28, 0x48, 0x8b, 0x05, 0x05, 0xe6,
                                        0x00, 0x00, 0x48, 0x85, 0xc0, 0x74, 0x10, 0xff, 0x90,
                                        0x60, 0x03, 0x00, 0x00, 0x48, 0x83, 0xc4, 0x28, 0xc3};
const uint64_t kEndPaintAt = 0x2c73aca00;

// A trampoline in a block just below the module, as the patcher places it.
uint64_t NearBlock(uint64_t code) { return (code & ~0xffffull) - 0x100000; }

PatchPlan Plan(const std::vector<uint8_t>& code, uint64_t at, uint64_t trampoline) {
    // An exact-size copy, so that a read past the end trips the sanitizer.
    std::vector<uint8_t> exact(code);
    PatchPlan plan = PlanPatch(exact.data(), exact.size(), at, trampoline);
    if (plan.Ok()) {
        std::string why;
        EXPECT_TRUE(ExplainPlan(plan, exact.data(), exact.size(), at, trampoline, &why)) << why;
    }
    return plan;
}

uint64_t Le64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

int32_t Le32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

// Where the trampoline's jump back goes, in either of its two forms.
uint64_t Resume(const PatchPlan& plan, uint64_t trampoline) {
    const uint8_t* j = plan.trampoline.data() + plan.movedLength;
    if (j[0] == 0xe9) return trampoline + plan.movedLength + 5 + static_cast<uint64_t>(int64_t{Le32(j + 1)});
    EXPECT_EQ(j[0], 0xff);
    EXPECT_EQ(j[1], 0x25);
    return Le64(j + 6);
}

}  // namespace

TEST(PatchPlanner, PositionIndependentPrologueIsCopiedAndResumesAfterIt) {
    const uint64_t tramp = NearBlock(kGetWindowLongPtrWAt);
    PatchPlan plan = Plan(kGetWindowLongPtrW, kGetWindowLongPtrWAt, tramp);
    ASSERT_TRUE(plan.Ok()) << PatchRefusalName(plan.refusal);
    EXPECT_EQ(plan.movedLength, 7u);  // three pushes and sub rsp, 0x20
    EXPECT_EQ(plan.movedCount, 4u);
    EXPECT_TRUE(plan.jumpsBack);
    EXPECT_EQ(0, std::memcmp(plan.trampoline.data(), kGetWindowLongPtrW.data(), 7));
    EXPECT_EQ(Resume(plan, tramp), kGetWindowLongPtrWAt + 7);
    EXPECT_EQ(plan.trampolineLength, 7 + kEntryJumpSize);  // near: a direct jump back
    // From a trampoline out of rel32 reach the jump back is absolute.
    const uint64_t far = kGetWindowLongPtrWAt + 0x100000000ull;
    PatchPlan farPlan = Plan(kGetWindowLongPtrW, kGetWindowLongPtrWAt, far);
    ASSERT_TRUE(farPlan.Ok());
    EXPECT_EQ(farPlan.trampolineLength, 7 + kAbsoluteJumpSize);
    EXPECT_EQ(Resume(farPlan, far), kGetWindowLongPtrWAt + 7);
}

TEST(PatchPlanner, HotPatchPaddingAloneCoversTheJump) {
    PatchPlan plan = Plan(kSetWindowLongW, 0x216a26b80, NearBlock(0x216a26b80));
    ASSERT_TRUE(plan.Ok()) << PatchRefusalName(plan.refusal);
    EXPECT_EQ(plan.movedLength, 8u);
    EXPECT_EQ(plan.moved[0].kind, MovedKind::Copied);
}

TEST(PatchPlanner, CopiedImportStubIsReaddressedNotCopied) {
    const uint64_t tramp = NearBlock(kBeginPaintAt);
    PatchPlan plan = Plan(kBeginPaintStub, kBeginPaintAt, tramp);
    ASSERT_TRUE(plan.Ok()) << PatchRefusalName(plan.refusal);
    EXPECT_EQ(plan.movedLength, 6u);
    EXPECT_FALSE(plan.jumpsBack);  // the stub leaves; nothing to come back to
    EXPECT_EQ(plan.trampolineLength, 6u);
    ASSERT_EQ(plan.moved[0].kind, MovedKind::RipRelative);
    EXPECT_EQ(plan.moved[0].target, kBeginPaintSlot);
    // From the trampoline the jump still goes through user32's import slot.
    EXPECT_EQ(plan.trampoline[0], 0xff);
    EXPECT_EQ(plan.trampoline[1], 0x25);
    EXPECT_EQ(tramp + 6 + static_cast<uint64_t>(int64_t{Le32(plan.trampoline.data() + 2)}), kBeginPaintSlot);
    EXPECT_NE(0, std::memcmp(plan.trampoline.data(), kBeginPaintStub.data(), 6));
}

TEST(PatchPlanner, SystemCallThunkMovesRegisterSetupOnly) {
    PatchPlan plan = Plan(kSyscallThunk, kSyscallThunkAt, NearBlock(kSyscallThunkAt));
    ASSERT_TRUE(plan.Ok()) << PatchRefusalName(plan.refusal);
    // mov r10, rcx; mov eax, number: the short branches behind stay put.
    EXPECT_EQ(plan.movedLength, 8u);
    EXPECT_EQ(plan.movedCount, 2u);
    EXPECT_EQ(Resume(plan, NearBlock(kSyscallThunkAt)), kSyscallThunkAt + 8);
}

TEST(PatchPlanner, RipRelativeLoadIsReaddressedForTheTrampoline) {
    const uint64_t tramp = NearBlock(kEndPaintAt);
    PatchPlan plan = Plan(kEndPaint, kEndPaintAt, tramp);
    ASSERT_TRUE(plan.Ok()) << PatchRefusalName(plan.refusal);
    EXPECT_EQ(plan.movedLength, 11u);
    ASSERT_EQ(plan.moved[1].kind, MovedKind::RipRelative);
    const uint64_t unixFuncs = 0x2c73bb010;
    EXPECT_EQ(plan.moved[1].target, unixFuncs);
    EXPECT_EQ(tramp + 11 + static_cast<uint64_t>(int64_t{Le32(plan.trampoline.data() + 7)}), unixFuncs);
}

TEST(PatchPlanner, Rel32BranchesAreReaddressedAndRefusedOutOfReach) {
    // call rel32 first, then an ordinary instruction.
    const std::vector<uint8_t> code = {0xe8, 0x10, 0x00, 0x00, 0x00, 0x48, 0x89, 0xc1, 0xc3};
    const uint64_t at = 0x180001000, target = at + 5 + 0x10;
    PatchPlan plan = Plan(code, at, at - 0x7fff0000);
    ASSERT_TRUE(plan.Ok()) << PatchRefusalName(plan.refusal);
    EXPECT_EQ(plan.moved[0].kind, MovedKind::RelativeBranch);
    EXPECT_EQ(plan.moved[0].target, target);
    // A trampoline further than 2 GiB from the callee cannot reach it.
    EXPECT_EQ(Plan(code, at, at + 0x90000000ull).refusal, PatchRefusal::OutOfRange);
    // Nor can a RIP-relative load.
    EXPECT_EQ(Plan(kEndPaint, kEndPaintAt, kEndPaintAt - 0x100000000ull).refusal, PatchRefusal::OutOfRange);
}

TEST(PatchPlanner, RefusesEntriesItCannotMoveFaithfully) {
    struct Case {
        const char* what;
        std::vector<uint8_t> code;
        PatchRefusal expected;
    };
    const Case cases[] = {
        {"xor eax, eax; ret", {0x31, 0xc0, 0xc3, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc}, PatchRefusal::TooShort},
        {"int3 padding", {0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc}, PatchRefusal::TooShort},
        {"test ecx, ecx; je short", {0x85, 0xc9, 0x74, 0x05, 0x48, 0x8b, 0x01, 0xc3}, PatchRefusal::Rel8Branch},
        {"loop to itself", {0xe2, 0xfe, 0x90, 0x90, 0x90, 0x90}, PatchRefusal::Rel8Branch},
        {"instruction cut off by the end", {0x48, 0x83, 0xec}, PatchRefusal::Undecodable},
        {"ud2", {0x0f, 0x0b, 0x90, 0x90, 0x90, 0x90}, PatchRefusal::TooShort},
        // xor; inc; inc (6 bytes moved), cmp, then jl back to the second
        // instruction, which the jump overwrites.
        {"loop back into the patch",
         {0x31, 0xc0, 0xff, 0xc0, 0xff, 0xc0, 0x83, 0xf8, 0x0a, 0x7c, 0xf7, 0xc3},
         PatchRefusal::BranchIntoPatch},
        // jmp rel32 to its own second byte.
        {"moved branch into the patch", {0xe9, 0xfc, 0xff, 0xff, 0xff, 0x90}, PatchRefusal::BranchIntoPatch},
        {"empty", {}, PatchRefusal::Undecodable},
    };
    for (const Case& c : cases) {
        PatchPlan plan = Plan(c.code, 0x180002000, 0x180001000);
        EXPECT_EQ(plan.refusal, c.expected) << c.what << ": " << PatchRefusalName(plan.refusal);
    }
    // 06 is no instruction in 64-bit mode.
    EXPECT_EQ(Plan({0x06, 0x90, 0x90, 0x90, 0x90, 0x90}, 0x1000, 0x2000).refusal, PatchRefusal::Undecodable);
}

TEST(PatchPlanner, LoopBackToTheEntryItselfIsAllowed) {
    // The same loop, but to the entry: such a caller goes through the hook.
    const std::vector<uint8_t> code = {0x31, 0xc0, 0xff, 0xc0, 0xff, 0xc0, 0x83, 0xf8, 0x0a, 0x7c, 0xf5, 0xc3};
    EXPECT_TRUE(Plan(code, 0x180002000, 0x180001000).Ok());
}

TEST(PatchPlanner, ExplainRejectsTamperedTrampolines) {
    const uint64_t tramp = NearBlock(kEndPaintAt);
    const PatchPlan good = PlanPatch(kEndPaint.data(), kEndPaint.size(), kEndPaintAt, tramp);
    ASSERT_TRUE(good.Ok());
    std::string why;
    auto explains = [&](const PatchPlan& p) {
        return ExplainPlan(p, kEndPaint.data(), kEndPaint.size(), kEndPaintAt, tramp, &why);
    };
    ASSERT_TRUE(explains(good)) << why;

    PatchPlan copiedVerbatim = good;  // the RIP-relative load copied byte for byte
    std::memcpy(copiedVerbatim.trampoline.data(), kEndPaint.data(), good.movedLength);
    EXPECT_FALSE(explains(copiedVerbatim));
    PatchPlan wrongResume = good;
    wrongResume.trampoline[good.movedLength + 1] ^= 1;
    EXPECT_FALSE(explains(wrongResume));
    PatchPlan shortMove = good;
    shortMove.movedLength = 4;
    EXPECT_FALSE(explains(shortMove));
    PatchPlan changedImmediate = good;
    changedImmediate.trampoline[3] = 0x30;  // sub rsp, 0x30
    EXPECT_FALSE(explains(changedImmediate));
    // The plan of other code does not explain this code.
    EXPECT_FALSE(ExplainPlan(good, kSyscallThunk.data(), kSyscallThunk.size(), kEndPaintAt, tramp, &why));
}

TEST(PatchPlanner, ForwardingStubs) {
    ForwardingStub s = ReadForwardingStub(kBeginPaintStub.data(), kBeginPaintStub.size(), kBeginPaintAt);
    EXPECT_EQ(s.kind, StubKind::IndirectJump);
    EXPECT_EQ(s.slot, kBeginPaintSlot);

    s = ReadForwardingStub(kSetScrollInfoStub.data(), kSetScrollInfoStub.size(), kSetScrollInfoAt);
    EXPECT_EQ(s.kind, StubKind::IndirectJump);
    EXPECT_EQ(s.slot, 0x216a841d8u);  // __imp_NtUserSetScrollInfo

    const std::vector<uint8_t> direct = {0x8b, 0xff, 0xe9, 0x00, 0x01, 0x00, 0x00};  // mov edi, edi; jmp rel32
    s = ReadForwardingStub(direct.data(), direct.size(), 0x1000);
    EXPECT_EQ(s.kind, StubKind::DirectJump);
    EXPECT_EQ(s.target, 0x1000u + 7 + 0x100);

    EXPECT_EQ(ReadForwardingStub(kGetWindowLongPtrW.data(), kGetWindowLongPtrW.size(), 0).kind, StubKind::None);
    EXPECT_EQ(ReadForwardingStub(kSyscallThunk.data(), kSyscallThunk.size(), 0).kind, StubKind::None);
    // A register jump names no address; a cut-off stub is no stub.
    const std::vector<uint8_t> jmpRax = {0xff, 0xe0};
    EXPECT_EQ(ReadForwardingStub(jmpRax.data(), jmpRax.size(), 0).kind, StubKind::None);
    EXPECT_EQ(ReadForwardingStub(kBeginPaintStub.data(), 5, kBeginPaintAt).kind, StubKind::None);
}

TEST(PatchPlanner, EntryJumpReachesTheRelayOrRefuses) {
    uint8_t out[8];
    ASSERT_TRUE(BuildEntryJump(0x216a519a0, 0x216a00000, 8, out));
    EXPECT_EQ(out[0], 0xe9);
    EXPECT_EQ(0x216a519a0 + 5 + static_cast<uint64_t>(int64_t{Le32(out + 1)}), 0x216a00000u);
    EXPECT_EQ(out[5], 0xcc);
    EXPECT_EQ(out[7], 0xcc);
    EXPECT_FALSE(BuildEntryJump(0x216a519a0, 0x140000000, 8, out));  // our image is > 2 GiB away
    EXPECT_FALSE(BuildEntryJump(0x1000, 0x2000, 4, out));
}
