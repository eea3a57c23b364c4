// Linked into a test program, this makes a use of freed memory fail at once
// instead of reading stale values that still look right, and a fault end
// the program with a message instead of waiting for a debugger.
//
// Blocks of object size (kPagedMin to kPagedMax bytes: the skins' objects
// among them) get pages of their own that are given back to the system when
// freed and never reused, so any later read or write faults. Other blocks
// are overwritten with 0xDD when freed and kept out of use for the next few
// frees, so a new object does not take their place straight away.
#include <windows.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t kPagedMin = 256, kPagedMax = 64 * 1024;
constexpr size_t kPage = 4096;
constexpr size_t kHeader = 16;                // the block's size, before it
constexpr size_t kRegion = size_t(16) << 30;  // addresses reserved once
constexpr size_t kHeld = 256;                 // poisoned blocks kept before they go back

SRWLOCK g_lock = SRWLOCK_INIT;
char* g_region = nullptr;  // guarded by g_lock
size_t g_used = 0;         // guarded by g_lock
bool g_noRegion = false;   // guarded by g_lock
void* g_held[kHeld];       // guarded by g_lock
size_t g_next = 0;         // guarded by g_lock

// Pages of their own for a block, or null (the region is used up: malloc then).
void* PagedAlloc(size_t size) {
    const size_t span = (size + kHeader + kPage - 1) / kPage * kPage;
    ::AcquireSRWLockExclusive(&g_lock);
    if (!g_region && !g_noRegion) {
        g_region = static_cast<char*>(::VirtualAlloc(nullptr, kRegion, MEM_RESERVE, PAGE_NOACCESS));
        g_noRegion = g_region == nullptr;
    }
    char* at = nullptr;
    if (g_region && g_used + span <= kRegion) {
        at = g_region + g_used;
        g_used += span;
    }
    ::ReleaseSRWLockExclusive(&g_lock);
    if (!at || !::VirtualAlloc(at, span, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
    *reinterpret_cast<size_t*>(at) = span;
    return at + kHeader;
}

bool IsPaged(void* p) {
    // The region's start never changes once set.
    ::AcquireSRWLockShared(&g_lock);
    const char* region = g_region;
    ::ReleaseSRWLockShared(&g_lock);
    return region && p >= region && p < region + kRegion;
}

void Free(void* p) {
    if (!p) return;
    if (IsPaged(p)) {
        char* at = static_cast<char*>(p) - kHeader;
        ::VirtualFree(at, *reinterpret_cast<size_t*>(at), MEM_DECOMMIT);
        return;
    }
    std::memset(p, 0xDD, _msize(p));
    ::AcquireSRWLockExclusive(&g_lock);
    void* oldest = g_held[g_next];
    g_held[g_next] = p;
    g_next = (g_next + 1) % kHeld;
    ::ReleaseSRWLockExclusive(&g_lock);
    std::free(oldest);
}

LONG WINAPI ReportFault(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "\nFault 0x%08lx at %p: a use of freed memory?\n", info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const bool g_reporting = (::SetUnhandledExceptionFilter(&ReportFault), true);

}  // namespace

void* operator new(size_t size) {
    void* p = size >= kPagedMin && size <= kPagedMax ? PagedAlloc(size) : nullptr;
    if (!p) p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    return p;
}
void* operator new[](size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, size_t) noexcept { Free(p); }
void operator delete[](void* p, size_t) noexcept { Free(p); }
