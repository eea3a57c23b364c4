// Fuzz target of the patch planner: any bytes at any address. The planner
// must read nothing past its input, and every plan it makes must be
// explained by the independent check. Input: 8 bytes of code address,
// 4 bytes of signed trampoline distance, then the code.
#include "skin/windows/hooks/skin_patch_planner.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 12) return 0;
    uint64_t address = 0;
    int32_t distance = 0;
    std::memcpy(&address, data, 8);
    std::memcpy(&distance, data + 8, 4);
    // An exact-size copy, so that any read past the code is caught.
    const std::vector<uint8_t> code(data + 12, data + size);
    const uint8_t* bytes = code.empty() ? nullptr : code.data();
    // Mostly a near trampoline (as the patcher places it); a far one too.
    const uint64_t trampolines[] = {address + static_cast<int64_t>(distance),
                                    address + (static_cast<uint64_t>(static_cast<uint32_t>(distance)) << 8)};
    for (uint64_t trampoline : trampolines) {
        const skin_hooks::PatchPlan plan = skin_hooks::PlanPatch(bytes, code.size(), address, trampoline);
        std::string why;
        if (plan.Ok() && !skin_hooks::ExplainPlan(plan, bytes, code.size(), address, trampoline, &why)) {
            std::fprintf(stderr, "unexplained trampoline: %s\n", why.c_str());
            std::abort();
        }
    }
    skin_hooks::ReadForwardingStub(bytes, code.size(), address);
    return 0;
}
