// Linked into a test program, this makes a use of freed memory fail at once
// instead of reading stale values that still look right: every block
// `delete` frees is overwritten with 0xDD and kept out of use for the next
// few frees (so a new object does not take its place straight away), and a
// fault ends the program with a message instead of waiting for a debugger.
#include <windows.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t kHeld = 256;  // freed blocks kept poisoned before they go back
void* g_held[kHeld];           // guarded by g_lock
size_t g_next = 0;
SRWLOCK g_lock = SRWLOCK_INIT;

void PoisonAndFree(void* p) {
    if (!p) return;
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
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { PoisonAndFree(p); }
void operator delete[](void* p) noexcept { PoisonAndFree(p); }
void operator delete(void* p, size_t) noexcept { PoisonAndFree(p); }
void operator delete[](void* p, size_t) noexcept { PoisonAndFree(p); }
