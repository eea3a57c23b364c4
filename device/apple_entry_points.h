// The entry points of Apple's MobileDevice and CoreFoundation libraries that
// the installer resolves at run time, as two X-macro tables. The order of each
// table is the resolution order. On x86-64 every opaque handle is
// pointer-sized; CFIndex and CFTypeID are 64-bit as in CoreFoundation's LLP64
// build. The simulated libraries in devsim/ implement the same signatures.
#pragma once

#include <cstdint>

namespace apple {

using CFTypeRef = const void*;
using CFStringRef = const void*;
using CFDataRef = const void*;
using CFNumberRef = const void*;
using CFBooleanRef = const void*;
using CFArrayRef = const void*;
using CFDictionaryRef = const void*;
using CFURLRef = const void*;
using CFReadStreamRef = void*;
using CFWriteStreamRef = void*;
using CFAllocatorRef = const void*;
using CFIndex = std::int64_t;
using CFTypeID = std::uint64_t;
using CFOptionFlags = std::uint64_t;
using CFNumberType = CFIndex;
using CFBoolean = std::uint8_t;  // CoreFoundation's Boolean
using UniChar = char16_t;
struct CFRange {
    CFIndex location;
    CFIndex length;
};

using AMDeviceRef = void*;       // opaque device reference
using AMServiceHandle = void*;   // opaque service handle
using AFCConnectionRef = void*;  // opaque AFC connection
using AFCInfoRef = void*;        // opaque file-info / key-value handle
using AFCFileRef = std::uint64_t;

// Record that the library passes to the notification callback: the device
// reference followed by the message code (1 attached, 2 detached).
struct AMDeviceNotificationInfo {
    AMDeviceRef device;
    std::uint32_t message;
};
using AMDeviceNotificationCallback = void (*)(const AMDeviceNotificationInfo* info, void* cookie);

}  // namespace apple

// X(name, result type, parameter list)
#define TOVANE_MOBILEDEVICE_ENTRIES(X)                                                                                 \
    X(AMDeviceCopyDeviceIdentifier, apple::CFStringRef, (apple::AMDeviceRef device))                                   \
    X(AMDeviceCopyValue, apple::CFTypeRef,                                                                             \
      (apple::AMDeviceRef device, apple::CFStringRef domain, apple::CFStringRef key))                                  \
    X(AMDeviceNotificationSubscribe, int,                                                                              \
      (apple::AMDeviceNotificationCallback callback, std::uint32_t unused0, std::uint32_t unused1, void* cookie,       \
       void** notification))                                                                                           \
    X(AMDeviceNotificationUnsubscribe, int, (void* notification))                                                      \
    X(AMDeviceConnect, int, (apple::AMDeviceRef device))                                                               \
    X(AMDeviceDisconnect, int, (apple::AMDeviceRef device))                                                            \
    X(AMDeviceIsPaired, int, (apple::AMDeviceRef device))                                                              \
    X(AMDevicePair, int, (apple::AMDeviceRef device))                                                                  \
    X(AMDeviceUnpair, int, (apple::AMDeviceRef device))                                                                \
    X(AMDeviceValidatePairing, int, (apple::AMDeviceRef device))                                                       \
    X(AMDeviceStartSession, int, (apple::AMDeviceRef device))                                                          \
    X(AMDeviceStopSession, int, (apple::AMDeviceRef device))                                                           \
    X(AMDeviceStartService, int,                                                                                       \
      (apple::AMDeviceRef device, apple::CFStringRef service, apple::AMServiceHandle * handle,                         \
       std::uint32_t * unknown))                                                                                       \
    X(AMDeviceSecureStartService, int,                                                                                 \
      (apple::AMDeviceRef device, apple::CFStringRef service, void* options, void** connection))                       \
    X(AMDServiceConnectionGetSocket, int, (void* connection))                                                          \
    X(AFCDeviceInfoOpen, int, (apple::AFCConnectionRef conn, apple::AFCInfoRef * info))                                \
    X(AFCConnectionOpen, int,                                                                                          \
      (apple::AMServiceHandle service, std::uint32_t ioTimeout, apple::AFCConnectionRef * conn))                       \
    X(AFCConnectionClose, int, (apple::AFCConnectionRef conn))                                                         \
    X(AFCFileInfoOpen, int, (apple::AFCConnectionRef conn, const char* path, apple::AFCInfoRef* info))                 \
    X(AFCKeyValueRead, int, (apple::AFCInfoRef info, char** key, char** value))                                        \
    X(AFCKeyValueClose, int, (apple::AFCInfoRef info))                                                                 \
    X(AFCDirectoryOpen, int, (apple::AFCConnectionRef conn, const char* path, void** dir))                             \
    X(AFCDirectoryClose, int, (apple::AFCConnectionRef conn, void* dir))                                               \
    X(AFCDirectoryRead, int, (apple::AFCConnectionRef conn, void* dir, char** entry))                                  \
    X(AFCDirectoryCreate, int, (apple::AFCConnectionRef conn, const char* path))                                       \
    X(AFCRenamePath, int, (apple::AFCConnectionRef conn, const char* from, const char* to))                            \
    X(AFCRemovePath, int, (apple::AFCConnectionRef conn, const char* path))                                            \
    X(AFCFileRefOpen, int,                                                                                             \
      (apple::AFCConnectionRef conn, const char* path, std::uint64_t mode, apple::AFCFileRef* ref))                    \
    X(AFCFileRefRead, int, (apple::AFCConnectionRef conn, apple::AFCFileRef ref, void* buffer, std::uint32_t* length)) \
    X(AFCFileRefSeek, int,                                                                                             \
      (apple::AFCConnectionRef conn, apple::AFCFileRef ref, std::int64_t position, std::uint64_t whence))              \
    X(AFCFileRefClose, int, (apple::AFCConnectionRef conn, apple::AFCFileRef ref))                                     \
    X(AFCFileRefWrite, int,                                                                                            \
      (apple::AFCConnectionRef conn, apple::AFCFileRef ref, const void* buffer, std::uint32_t length))                 \
    X(USBMuxConnectByPort, int, (int connectionId, int port, int* socket))                                             \
    X(AMDeviceGetConnectionID, int, (apple::AMDeviceRef device))

#define TOVANE_COREFOUNDATION_ENTRIES(X)                                                                               \
    X(CFWriteStreamCreateWithFile, apple::CFWriteStreamRef, (apple::CFAllocatorRef alloc, apple::CFURLRef url))        \
    X(CFReadStreamCreateWithFile, apple::CFReadStreamRef, (apple::CFAllocatorRef alloc, apple::CFURLRef url))          \
    X(CFStringCreateWithCString, apple::CFStringRef,                                                                   \
      (apple::CFAllocatorRef alloc, const char* text, std::uint32_t encoding))                                         \
    X(CFURLCreateWithFileSystemPath, apple::CFURLRef,                                                                  \
      (apple::CFAllocatorRef alloc, apple::CFStringRef path, apple::CFIndex style, apple::CFBoolean isDirectory))      \
    X(CFReadStreamOpen, apple::CFBoolean, (apple::CFReadStreamRef stream))                                             \
    X(CFWriteStreamOpen, apple::CFBoolean, (apple::CFWriteStreamRef stream))                                           \
    X(CFPropertyListCreateFromStream, apple::CFTypeRef,                                                                \
      (apple::CFAllocatorRef alloc, apple::CFReadStreamRef stream, apple::CFIndex length,                              \
       apple::CFOptionFlags options, apple::CFIndex * format, apple::CFStringRef * error))                             \
    X(CFReadStreamClose, void, (apple::CFReadStreamRef stream))                                                        \
    X(CFPropertyListIsValid, apple::CFBoolean, (apple::CFTypeRef plist, apple::CFIndex format))                        \
    X(CFPropertyListWriteToStream, apple::CFIndex,                                                                     \
      (apple::CFTypeRef plist, apple::CFWriteStreamRef stream, apple::CFIndex format, apple::CFStringRef * error))     \
    X(CFWriteStreamClose, void, (apple::CFWriteStreamRef stream))                                                      \
    X(CFRelease, void, (apple::CFTypeRef object))                                                                      \
    X(CFURLCreateDataAndPropertiesFromResource, apple::CFBoolean,                                                      \
      (apple::CFAllocatorRef alloc, apple::CFURLRef url, apple::CFDataRef * data, apple::CFDictionaryRef * properties, \
       apple::CFArrayRef desired, std::int32_t * error))                                                               \
    X(CFPropertyListCreateFromXMLData, apple::CFTypeRef,                                                               \
      (apple::CFAllocatorRef alloc, apple::CFDataRef data, apple::CFOptionFlags options, apple::CFStringRef * error))  \
    X(CFPropertyListCreateXMLData, apple::CFDataRef, (apple::CFAllocatorRef alloc, apple::CFTypeRef plist))            \
    X(CFURLWriteDataAndPropertiesToResource, apple::CFBoolean,                                                         \
      (apple::CFURLRef url, apple::CFDataRef data, apple::CFDictionaryRef properties, std::int32_t * error))           \
    X(__CFStringMakeConstantString, apple::CFStringRef, (const char* text))                                            \
    X(CFStringGetCharactersPtr, const apple::UniChar*, (apple::CFStringRef string))                                    \
    X(CFDataCreate, apple::CFDataRef, (apple::CFAllocatorRef alloc, const std::uint8_t* bytes, apple::CFIndex length)) \
    X(CFDataGetBytePtr, const std::uint8_t*, (apple::CFDataRef data))                                                  \
    X(CFGetTypeID, apple::CFTypeID, (apple::CFTypeRef object))                                                         \
    X(CFStringGetTypeID, apple::CFTypeID, ())                                                                          \
    X(CFDictionaryGetTypeID, apple::CFTypeID, ())                                                                      \
    X(CFBooleanGetTypeID, apple::CFTypeID, ())                                                                         \
    X(CFNumberGetTypeID, apple::CFTypeID, ())                                                                          \
    X(CFDataGetTypeID, apple::CFTypeID, ())                                                                            \
    X(CFArrayGetTypeID, apple::CFTypeID, ())                                                                           \
    X(CFStringGetLength, apple::CFIndex, (apple::CFStringRef string))                                                  \
    X(CFStringGetCharacters, void, (apple::CFStringRef string, apple::CFRange range, apple::UniChar * buffer))         \
    X(CFNumberGetByteSize, apple::CFIndex, (apple::CFNumberRef number))                                                \
    X(CFNumberGetType, apple::CFNumberType, (apple::CFNumberRef number))                                               \
    X(CFNumberGetValue, apple::CFBoolean, (apple::CFNumberRef number, apple::CFNumberType type, void* value))          \
    X(CFBooleanGetValue, apple::CFBoolean, (apple::CFBooleanRef boolean))                                              \
    X(CFArrayCreate, apple::CFArrayRef,                                                                                \
      (apple::CFAllocatorRef alloc, const void** values, apple::CFIndex count, const void* callbacks))                 \
    X(CFArrayGetCount, apple::CFIndex, (apple::CFArrayRef array))                                                      \
    X(CFArrayGetValueAtIndex, const void*, (apple::CFArrayRef array, apple::CFIndex index))                            \
    X(CFDataGetLength, apple::CFIndex, (apple::CFDataRef data))                                                        \
    X(CFDataGetBytes, void, (apple::CFDataRef data, apple::CFRange range, std::uint8_t * buffer))

namespace apple {

// Function-pointer types, one per entry point: name##_fn.
#define TOVANE_DECLARE_FN_TYPE(name, result, params) using name##_fn = result(*) params;
TOVANE_MOBILEDEVICE_ENTRIES(TOVANE_DECLARE_FN_TYPE)
TOVANE_COREFOUNDATION_ENTRIES(TOVANE_DECLARE_FN_TYPE)
#undef TOVANE_DECLARE_FN_TYPE

#define TOVANE_DECLARE_FIELD(name, result, params) name##_fn name = nullptr;
struct MobileDeviceTable {
    TOVANE_MOBILEDEVICE_ENTRIES(TOVANE_DECLARE_FIELD)
};
struct CoreFoundationTable {
    TOVANE_COREFOUNDATION_ENTRIES(TOVANE_DECLARE_FIELD)
};
#undef TOVANE_DECLARE_FIELD

#define TOVANE_COUNT_ENTRY(name, result, params) +1
inline constexpr int kMobileDeviceEntryCount = 0 TOVANE_MOBILEDEVICE_ENTRIES(TOVANE_COUNT_ENTRY);
inline constexpr int kCoreFoundationEntryCount = 0 TOVANE_COREFOUNDATION_ENTRIES(TOVANE_COUNT_ENTRY);
#undef TOVANE_COUNT_ENTRY
static_assert(kMobileDeviceEntryCount == 34, "MobileDevice table has 34 entry points");
static_assert(kCoreFoundationEntryCount == 38, "CoreFoundation table has 38 entry points");

// CoreFoundation type numbers the value conversion relies on.
inline constexpr CFTypeID kCFStringTypeID = 7;
inline constexpr CFTypeID kCFDictionaryTypeID = 18;
inline constexpr CFTypeID kCFBooleanTypeID = 21;
inline constexpr CFTypeID kCFNumberTypeID = 22;

}  // namespace apple
