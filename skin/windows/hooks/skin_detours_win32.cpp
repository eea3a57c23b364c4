#include "skin/windows/hooks/skin_detours_win32.h"

#include <algorithm>
#include <atomic>

#include "skin/windows/hooks/skin_hook_internal_win32.h"

namespace {

using namespace skin_hooks;
namespace internal = skin_hook_internal;

// One row per hooked function: its export name, its replacement, and how
// to point the original and the engine's unhooked entry at a trampoline
// (or back at the system function, for null).
struct HookRow {
    const char* name;
    void* replacement;
    void (*publish)(void* trampoline);
};

template <class Fn>
Fn As(void* p) {
    return reinterpret_cast<Fn>(p);
}

#define TOVANE_SKIN_HOOK_ROW(name)                                                                    \
    {#name, reinterpret_cast<void*>(&internal::Hooked##name), [](void* trampoline) {                  \
         using Fn = skin_unhooked::name##Fn;                                                          \
         internal::name = trampoline ? As<Fn>(trampoline) : &::name;                                  \
         skin_unhooked::name = trampoline ? &internal::Unhooked<Fn>::Call<&internal::name> : &::name; \
     }},
const HookRow kHookRows[] = {TOVANE_SKIN_HOOKED_FUNCTIONS(TOVANE_SKIN_HOOK_ROW)};
#undef TOVANE_SKIN_HOOK_ROW

std::atomic<bool> g_installed{false};

bool PatchedAlready(const std::vector<CSkinDetours::Hook>& hooks, void* site) {
    return std::any_of(hooks.begin(), hooks.end(),
                       [site](const CSkinDetours::Hook& h) { return h.installed && h.patch.entry == site; });
}

}  // namespace

CSkinDetours::CSkinDetours(ISkinHookHost* host) {
    if (g_installed.exchange(true)) return;
    active_ = true;
    internal::g_host.store(host, std::memory_order_release);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    for (const HookRow& row : kHookRows) {
        Hook hook;
        hook.name = row.name;
        hook.status = PatchStatus::Unreadable;
        void* exported = user32 ? reinterpret_cast<void*>(GetProcAddress(user32, row.name)) : nullptr;
        if (exported) {
            // Patch where every caller passes: the end of the export's
            // forwarding stubs (user32's own code calls the scroll-bar and
            // paint functions of win32u through internal stubs of its own).
            // When that entry cannot be patched, try the stubs before it.
            const std::vector<void*> chain = ForwardingChain(exported);
            for (size_t i = chain.size(); i-- > 0;) {
                if (PatchedAlready(hooks_, chain[i])) continue;
                Patch patch;
                PatchResult result = PreparePatch(chain[i], row.replacement, &patch);
                if (result.status == PatchStatus::Ok) {
                    row.publish(patch.trampoline);
                    result = CommitPatch(&patch);
                    if (result.status != PatchStatus::Ok) row.publish(nullptr);
                }
                hook.status = result.status;
                hook.refusal = result.refusal;
                hook.hops = static_cast<int>(i);
                if (result.status == PatchStatus::Ok) {
                    hook.installed = true;
                    hook.patch = patch;
                    break;
                }
            }
        }
        hooks_.push_back(hook);
    }
}

CSkinDetours::~CSkinDetours() {
    if (!active_) return;
    for (size_t i = hooks_.size(); i-- > 0;) {
        Hook& hook = hooks_[i];
        if (!hook.installed) continue;
        if (RemovePatch(&hook.patch).status == PatchStatus::Ok) {
            hook.installed = false;
            for (const HookRow& row : kHookRows) {
                if (row.name == hook.name) row.publish(nullptr);
            }
        }
        // An entry someone else patched over ours keeps both; the
        // trampoline stays valid, so the replacement keeps working.
    }
    internal::g_host.store(nullptr, std::memory_order_release);
    g_installed.store(false);
}

int CSkinDetours::InstalledCount() const {
    return static_cast<int>(std::count_if(hooks_.begin(), hooks_.end(), [](const Hook& h) { return h.installed; }));
}

void SkinHookRegisterWindow(HWND window, void* skin) {
    internal::g_attached.Add(reinterpret_cast<uintptr_t>(window), skin);
}

void SkinHookUnregisterWindow(HWND window) { internal::g_attached.Remove(reinterpret_cast<uintptr_t>(window)); }

ISkinHookHost* SkinActiveHookHost() { return internal::g_host.load(std::memory_order_acquire); }
