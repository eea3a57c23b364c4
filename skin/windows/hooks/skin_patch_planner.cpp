#include "skin/windows/hooks/skin_patch_planner.h"

#include <Zydis/Zydis.h>

#include <cstring>

namespace skin_hooks {
namespace {

const ZydisDecoder& Decoder() {
    static const ZydisDecoder decoder = [] {
        ZydisDecoder d;
        ZydisDecoderInit(&d, ZYDIS_MACHINE_MODE_LONG_64, ZYDIS_STACK_WIDTH_64);
        return d;
    }();
    return decoder;
}

struct Decoded {
    ZydisDecodedInstruction insn;
    ZydisDecodedOperand ops[ZYDIS_MAX_OPERAND_COUNT];
};

bool Decode(const uint8_t* code, size_t size, Decoded* out) {
    if (size == 0) return false;
    return ZYAN_SUCCESS(ZydisDecoderDecodeFull(&Decoder(), code, size, &out->insn, out->ops));
}

// Instructions after which execution does not fall through.
bool LeavesFunction(const ZydisDecodedInstruction& insn) {
    return insn.meta.category == ZYDIS_CATEGORY_RET || insn.meta.category == ZYDIS_CATEGORY_UNCOND_BR ||
           insn.mnemonic == ZYDIS_MNEMONIC_INT3 || insn.mnemonic == ZYDIS_MNEMONIC_UD2 ||
           insn.mnemonic == ZYDIS_MNEMONIC_HLT;
}

bool IsBranch(const ZydisDecodedInstruction& insn) {
    return insn.meta.category == ZYDIS_CATEGORY_UNCOND_BR || insn.meta.category == ZYDIS_CATEGORY_COND_BR ||
           insn.meta.category == ZYDIS_CATEGORY_CALL;
}

const ZydisDecodedOperand* RipOperand(const Decoded& d) {
    for (uint8_t i = 0; i < d.insn.operand_count; ++i) {
        if (d.ops[i].type == ZYDIS_OPERAND_TYPE_MEMORY && d.ops[i].mem.base == ZYDIS_REGISTER_RIP) return &d.ops[i];
    }
    return nullptr;
}

// Index of the relative immediate of the instruction, or -1.
int RelativeImmediate(const Decoded& d) {
    for (int i = 0; i < 2; ++i) {
        if (d.insn.raw.imm[i].size != 0 && d.insn.raw.imm[i].is_relative) return i;
    }
    return -1;
}

int64_t SignedDistance(uint64_t to, uint64_t from) { return static_cast<int64_t>(to - from); }

bool FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

void PutLe32(uint8_t* out, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(u >> (8 * i));
}

// The absolute address a relative operand of `d` (decoded at `address`)
// names, or false when it has none.
bool RelativeTarget(const Decoded& d, const ZydisDecodedOperand& op, uint64_t address, uint64_t* target) {
    ZyanU64 result = 0;
    if (!ZYAN_SUCCESS(ZydisCalcAbsoluteAddress(&d.insn, &op, address, &result))) return false;
    *target = result;
    return true;
}

bool InPatch(uint64_t target, uint64_t codeAddress, size_t movedLength) {
    return target - codeAddress < movedLength;  // wraps for targets below the entry
}

// Classifies one decoded entry instruction; false with the refusal when it
// cannot be moved.
bool Classify(const Decoded& d, uint64_t address, MovedInstruction* m, PatchRefusal* refusal) {
    const uint64_t next = address + d.insn.length;
    if (RipOperand(d)) {
        if (d.insn.raw.disp.size != 32) {
            *refusal = PatchRefusal::Unsupported;
            return false;
        }
        m->kind = MovedKind::RipRelative;
        m->fieldOffset = d.insn.raw.disp.offset;
        m->target = next + static_cast<uint64_t>(d.insn.raw.disp.value);
        return true;
    }
    const int imm = RelativeImmediate(d);
    if (imm < 0) return true;
    const auto& raw = d.insn.raw.imm[imm];
    if (raw.size == 8) {
        *refusal = PatchRefusal::Rel8Branch;
        return false;
    }
    if (raw.size != 32 || !IsBranch(d.insn)) {
        *refusal = PatchRefusal::Unsupported;
        return false;
    }
    m->kind = MovedKind::RelativeBranch;
    m->fieldOffset = raw.offset;
    m->target = next + static_cast<uint64_t>(raw.value.s);
    return true;
}

// The trampoline's jump back to the rest of the function: a direct jmp
// rel32 when it reaches (the patcher keeps trampolines near the module, and
// a direct jump is cheaper than one through memory), else an absolute one.
// Returns its length.
size_t BuildJumpBack(uint64_t codeAddress, uint64_t trampolineAddress, size_t movedLength, uint8_t* out) {
    const uint64_t resume = codeAddress + movedLength;
    if (BuildEntryJump(trampolineAddress + movedLength, resume, kEntryJumpSize, out)) return kEntryJumpSize;
    BuildAbsoluteJump(resume, out);
    return kAbsoluteJumpSize;
}

PatchPlan Refused(PatchRefusal why) {
    PatchPlan plan;
    plan.refusal = why;
    return plan;
}

}  // namespace

const char* PatchRefusalName(PatchRefusal refusal) {
    switch (refusal) {
        case PatchRefusal::None:
            return "none";
        case PatchRefusal::Undecodable:
            return "undecodable";
        case PatchRefusal::TooShort:
            return "too short";
        case PatchRefusal::Rel8Branch:
            return "rel8 branch in the moved bytes";
        case PatchRefusal::BranchIntoPatch:
            return "branch into the patched bytes";
        case PatchRefusal::OutOfRange:
            return "operand out of reach of the trampoline";
        case PatchRefusal::Unsupported:
            return "unsupported relative operand";
    }
    return "?";
}

PatchPlan PlanPatch(const uint8_t* code, size_t size, uint64_t codeAddress, uint64_t trampolineAddress) {
    PatchPlan plan;
    size_t offset = 0;
    while (offset < kEntryJumpSize) {
        Decoded d;
        if (!Decode(code + offset, size - offset, &d)) return Refused(PatchRefusal::Undecodable);
        const bool leaves = LeavesFunction(d.insn);
        if (leaves && offset + d.insn.length < kEntryJumpSize) return Refused(PatchRefusal::TooShort);
        MovedInstruction m;
        m.offset = static_cast<uint8_t>(offset);
        m.length = d.insn.length;
        PatchRefusal refusal = PatchRefusal::None;
        if (!Classify(d, codeAddress + offset, &m, &refusal)) return Refused(refusal);
        plan.moved[plan.movedCount++] = m;
        offset += d.insn.length;
        if (leaves) {
            plan.jumpsBack = false;
            break;
        }
    }
    plan.movedLength = offset;

    // A moved branch into the overwritten bytes would run the patch itself.
    for (size_t i = 0; i < plan.movedCount; ++i) {
        const MovedInstruction& m = plan.moved[i];
        if (m.kind == MovedKind::RelativeBranch && InPatch(m.target, codeAddress, plan.movedLength))
            return Refused(PatchRefusal::BranchIntoPatch);
    }
    // Code behind the entry that branches into the middle of the
    // overwritten bytes would land inside the jump. The entry itself is
    // fine: such a caller passes through the hook like any other.
    const size_t scanEnd = offset + kBranchScanBytes < size ? offset + kBranchScanBytes : size;
    for (size_t pos = offset; pos < scanEnd;) {
        Decoded d;
        if (!Decode(code + pos, size - pos, &d)) break;
        const int imm = RelativeImmediate(d);
        if (imm >= 0) {
            const uint64_t target =
                codeAddress + pos + d.insn.length + static_cast<uint64_t>(d.insn.raw.imm[imm].value.s);
            if (target != codeAddress && InPatch(target, codeAddress, plan.movedLength))
                return Refused(PatchRefusal::BranchIntoPatch);
        }
        pos += d.insn.length;
    }

    // The trampoline: the moved instructions re-addressed, then the jump back.
    std::memcpy(plan.trampoline.data(), code, plan.movedLength);
    for (size_t i = 0; i < plan.movedCount; ++i) {
        const MovedInstruction& m = plan.moved[i];
        if (m.kind == MovedKind::Copied) continue;
        const int64_t field = SignedDistance(m.target, trampolineAddress + m.offset + m.length);
        if (!FitsInt32(field)) return Refused(PatchRefusal::OutOfRange);
        PutLe32(plan.trampoline.data() + m.offset + m.fieldOffset, static_cast<int32_t>(field));
    }
    plan.trampolineLength = plan.movedLength;
    if (plan.jumpsBack)
        plan.trampolineLength +=
            BuildJumpBack(codeAddress, trampolineAddress, plan.movedLength, plan.trampoline.data() + plan.movedLength);
    return plan;
}

bool ExplainPlan(const PatchPlan& plan, const uint8_t* code, size_t size, uint64_t codeAddress,
                 uint64_t trampolineAddress, std::string* why) {
    auto fail = [why](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    if (!plan.Ok()) return fail("the plan is a refusal");
    if (plan.movedCount == 0 || plan.movedCount > kMaxMovedInstructions) return fail("moved instruction count");
    if (plan.movedLength < kEntryJumpSize || plan.movedLength > kMaxMovedBytes || plan.movedLength > size)
        return fail("moved length");
    uint8_t jumpBack[kAbsoluteJumpSize];
    const size_t jumpBackLength =
        plan.jumpsBack ? BuildJumpBack(codeAddress, trampolineAddress, plan.movedLength, jumpBack) : 0;
    if (plan.trampolineLength != plan.movedLength + jumpBackLength) return fail("trampoline length");

    size_t offset = 0;
    for (size_t i = 0; i < plan.movedCount; ++i) {
        const MovedInstruction& m = plan.moved[i];
        if (m.offset != offset) return fail("moved instructions do not tile the entry");
        Decoded original, moved;
        if (!Decode(code + offset, size - offset, &original) || original.insn.length != m.length)
            return fail("original instruction");
        if (!Decode(plan.trampoline.data() + offset, plan.trampolineLength - offset, &moved) ||
            moved.insn.length != m.length || moved.insn.mnemonic != original.insn.mnemonic ||
            moved.insn.operand_count != original.insn.operand_count)
            return fail("trampoline instruction differs from the original");
        // Outside the re-addressed field the bytes are the original's.
        for (size_t b = 0; b < m.length; ++b) {
            const bool field = m.kind != MovedKind::Copied && b >= m.fieldOffset && b < m.fieldOffset + 4u;
            if (!field && plan.trampoline[offset + b] != code[offset + b])
                return fail("bytes changed outside the field");
        }
        // Every relative operand names the same address from both places.
        bool relative = false;
        for (uint8_t k = 0; k < original.insn.operand_count; ++k) {
            const ZydisDecodedOperand& op = original.ops[k];
            const bool rip = op.type == ZYDIS_OPERAND_TYPE_MEMORY && op.mem.base == ZYDIS_REGISTER_RIP;
            const bool rel = op.type == ZYDIS_OPERAND_TYPE_IMMEDIATE && op.imm.is_relative;
            if (!rip && !rel) continue;
            relative = true;
            if (rel && original.insn.raw.imm[0].size == 8) return fail("rel8 branch moved");
            uint64_t a = 0, b = 0;
            if (!RelativeTarget(original, op, codeAddress + offset, &a) ||
                !RelativeTarget(moved, moved.ops[k], trampolineAddress + offset, &b) || a != b || a != m.target)
                return fail("relative operand re-addressed wrongly");
            if (InPatch(a, codeAddress, plan.movedLength) && rel) return fail("branch into the patched bytes");
        }
        if (relative == (m.kind == MovedKind::Copied)) return fail("instruction kind");
        const bool last = i + 1 == plan.movedCount;
        if (LeavesFunction(original.insn) && !last) return fail("instructions moved past the function's end");
        if (last && LeavesFunction(original.insn) == plan.jumpsBack) return fail("jump back");
        offset += m.length;
    }
    if (offset != plan.movedLength) return fail("moved instructions do not tile the entry");
    if (std::memcmp(plan.trampoline.data() + plan.movedLength, jumpBack, jumpBackLength) != 0)
        return fail("jump back does not resume after the moved bytes");
    return true;
}

ForwardingStub ReadForwardingStub(const uint8_t* code, size_t size, uint64_t codeAddress) {
    ForwardingStub stub;
    size_t offset = 0;
    for (int i = 0; i < 8 && offset < size; ++i) {
        Decoded d;
        if (!Decode(code + offset, size - offset, &d)) return stub;
        const ZydisDecodedInstruction& insn = d.insn;
        const uint64_t address = codeAddress + offset;
        // Hot-patch padding in front of the jump.
        const bool nop = insn.mnemonic == ZYDIS_MNEMONIC_NOP;
        const bool movEdiEdi = insn.mnemonic == ZYDIS_MNEMONIC_MOV && d.ops[0].type == ZYDIS_OPERAND_TYPE_REGISTER &&
                               d.ops[0].reg.value == ZYDIS_REGISTER_EDI &&
                               d.ops[1].type == ZYDIS_OPERAND_TYPE_REGISTER && d.ops[1].reg.value == ZYDIS_REGISTER_EDI;
        const bool leaRsp = insn.mnemonic == ZYDIS_MNEMONIC_LEA && d.ops[0].type == ZYDIS_OPERAND_TYPE_REGISTER &&
                            d.ops[0].reg.value == ZYDIS_REGISTER_RSP && d.ops[1].mem.base == ZYDIS_REGISTER_RSP &&
                            d.ops[1].mem.index == ZYDIS_REGISTER_NONE && d.ops[1].mem.disp.value == 0;
        if (nop || movEdiEdi || leaRsp) {
            offset += insn.length;
            continue;
        }
        if (insn.mnemonic != ZYDIS_MNEMONIC_JMP) return stub;
        const ZydisDecodedOperand& op = d.ops[0];
        uint64_t where = 0;
        if (op.type == ZYDIS_OPERAND_TYPE_MEMORY && op.mem.base == ZYDIS_REGISTER_RIP &&
            op.mem.index == ZYDIS_REGISTER_NONE && op.size == 64 && RelativeTarget(d, op, address, &where)) {
            stub.kind = StubKind::IndirectJump;
            stub.slot = where;
        } else if (op.type == ZYDIS_OPERAND_TYPE_IMMEDIATE && op.imm.is_relative &&
                   RelativeTarget(d, op, address, &where)) {
            stub.kind = StubKind::DirectJump;
            stub.target = where;
        }
        return stub;
    }
    return stub;
}

bool BuildEntryJump(uint64_t from, uint64_t to, size_t length, uint8_t* out) {
    const int64_t rel = SignedDistance(to, from + kEntryJumpSize);
    if (length < kEntryJumpSize || !FitsInt32(rel)) return false;
    out[0] = 0xE9;
    PutLe32(out + 1, static_cast<int32_t>(rel));
    std::memset(out + kEntryJumpSize, 0xCC, length - kEntryJumpSize);
    return true;
}

void BuildAbsoluteJump(uint64_t target, uint8_t* out) {
    const uint8_t head[6] = {0xFF, 0x25, 0, 0, 0, 0};
    std::memcpy(out, head, sizeof head);
    for (int i = 0; i < 8; ++i) out[6 + i] = static_cast<uint8_t>(target >> (8 * i));
}

}  // namespace skin_hooks
