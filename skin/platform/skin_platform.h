// The operating-system edge of the theme loader: fonts, cursors, system
// colours, the OS version and the window class of skinned combo-box lists.
//
// The loader reaches Windows only through ISkinPlatform, so everything else
// in it builds and is tested natively. Handles travel as opaque pointers
// (HFONT, HCURSOR on Windows) and are owned by SkinPlatformHandle.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "common/win_constants.h"

// What a font item asks for.
struct SkinFontSpec {
    std::wstring face;
    int height = 0;  // cell height in logical units, > 0
    bool bold = false;
    bool underline = false;
};

class ISkinPlatform {
public:
    enum class HandleKind { Font, Cursor };

    virtual ~ISkinPlatform() = default;

    // Major version number of the operating system (5 for Windows XP).
    virtual int OsMajorVersion() const = 0;
    // GetSysColor(index) as 0x00BBGGRR.
    virtual uint32_t SystemColor(int index) const = 0;
    // A new font handle, or nullptr.
    virtual void* CreateFontHandle(const SkinFontSpec& fontSpec) = 0;
    // An owned copy of system cursor `id` (IDC_ number), or nullptr.
    virtual void* LoadSystemCursor(int id) = 0;
    // An owned cursor loaded from the cursor resource `name` of the system's
    // help program, or nullptr when the program or the cursor is missing.
    virtual void* LoadHelpProgramCursor(const std::wstring& name) = 0;
    // Releases a handle returned by one of the calls above.
    virtual void ReleaseHandle(HandleKind kind, void* handle) = 0;
    // Registers the window class of skinned combo-box drop-down lists once
    // per process; a no-op away from Windows.
    virtual void RegisterComboListClass() = 0;
};

// Owns one font or cursor handle of a platform (win::Scoped's spelling; it
// keeps the platform that made the handle, which releases it).
class SkinPlatformHandle {
public:
    SkinPlatformHandle() = default;
    SkinPlatformHandle(ISkinPlatform* platform, ISkinPlatform::HandleKind kind, void* handle)
        : platform_(platform), kind_(kind), handle_(handle) {}
    ~SkinPlatformHandle() { reset(); }
    SkinPlatformHandle(SkinPlatformHandle&& o) noexcept
        : platform_(o.platform_), kind_(o.kind_), handle_(std::exchange(o.handle_, nullptr)) {}
    SkinPlatformHandle& operator=(SkinPlatformHandle&& o) noexcept {
        if (this != &o) {
            reset();
            platform_ = o.platform_;
            kind_ = o.kind_;
            handle_ = std::exchange(o.handle_, nullptr);
        }
        return *this;
    }
    SkinPlatformHandle(const SkinPlatformHandle&) = delete;
    SkinPlatformHandle& operator=(const SkinPlatformHandle&) = delete;

    void* get() const { return handle_; }
    void reset() {
        if (handle_ && platform_) platform_->ReleaseHandle(kind_, handle_);
        handle_ = nullptr;
    }

private:
    ISkinPlatform* platform_ = nullptr;
    ISkinPlatform::HandleKind kind_ = ISkinPlatform::HandleKind::Font;
    void* handle_ = nullptr;
};

// The platform of this build: Win32 on Windows, otherwise a stand-in that
// hands out distinct dummy handles and the Windows default colours, so the
// native build behaves like a Windows machine without GDI.
ISkinPlatform& DefaultSkinPlatform();
