// Exports of the simulated CoreFoundation.dll: the 38 entry points the
// installer resolves plus the few more a library of this kind offers, which
// the simulated MobileDevice library uses to build device values.
#pragma once

#include <cstdint>

#include "device/apple_entry_points.h"

// On Windows these are the exports of CoreFoundation.dll; natively the same
// functions are linked into the program directly (devsim_libraries).
#if !defined(_WIN32)
#define DEVSIM_CF_API extern "C"
#elif defined(DEVSIM_BUILDING_COREFOUNDATION)
#define DEVSIM_CF_API extern "C" __declspec(dllexport)
#else
#define DEVSIM_CF_API extern "C" __declspec(dllimport)
#endif

#define DEVSIM_DECLARE_CF_ENTRY(name, result, params) DEVSIM_CF_API result name params;
TOVANE_COREFOUNDATION_ENTRIES(DEVSIM_DECLARE_CF_ENTRY)
#undef DEVSIM_DECLARE_CF_ENTRY

DEVSIM_CF_API apple::CFTypeRef CFRetain(apple::CFTypeRef object);
DEVSIM_CF_API apple::CFIndex CFGetRetainCount(apple::CFTypeRef object);
DEVSIM_CF_API apple::CFStringRef CFStringCreateWithCharacters(apple::CFAllocatorRef alloc, const apple::UniChar* chars,
                                                              apple::CFIndex length);
DEVSIM_CF_API apple::CFNumberRef CFNumberCreate(apple::CFAllocatorRef alloc, apple::CFNumberType type,
                                                const void* value);
DEVSIM_CF_API apple::CFDictionaryRef CFDictionaryCreate(apple::CFAllocatorRef alloc, const void** keys,
                                                        const void** values, apple::CFIndex count,
                                                        const void* keyCallbacks, const void* valueCallbacks);
DEVSIM_CF_API apple::CFIndex CFDictionaryGetCount(apple::CFDictionaryRef dict);
DEVSIM_CF_API const void* CFDictionaryGetValue(apple::CFDictionaryRef dict, const void* key);
DEVSIM_CF_API apple::CFTypeID CFURLGetTypeID();
DEVSIM_CF_API const apple::CFBooleanRef kCFBooleanTrue;
DEVSIM_CF_API const apple::CFBooleanRef kCFBooleanFalse;
// Diagnostics of the simulator: CoreFoundation objects made and not yet freed.
DEVSIM_CF_API std::int64_t DevsimLiveObjectCount();
