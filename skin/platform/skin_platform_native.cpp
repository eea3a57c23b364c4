// Stand-in platform for builds away from Windows (tests, fuzzing, benchmarks).
#include "skin/platform/skin_platform.h"

#include "common/value_types.h"

namespace {

// Each handle is a small heap block, so the sanitizers catch a handle that
// is released twice or never released.
struct NativeHandle {
    ISkinPlatform::HandleKind kind;
};

class NativeSkinPlatform final : public ISkinPlatform {
public:
    int OsMajorVersion() const override { return 6; }
    uint32_t SystemColor(int index) const override {
        switch (index) {
            case kSkinSysColorBtnFace:
                return SkinRgb(240, 240, 240);
            case kSkinSysColorGrayText:
                return SkinRgb(109, 109, 109);
            default:
                return 0;
        }
    }
    void* CreateFontHandle(const SkinFontSpec& fontSpec) override {
        return fontSpec.height > 0 && !fontSpec.face.empty() ? new NativeHandle{HandleKind::Font} : nullptr;
    }
    void* LoadSystemCursor(int id) override { return new NativeHandle{HandleKind::Cursor}; }
    void* LoadHelpProgramCursor(const std::wstring& name) override { return nullptr; }
    void ReleaseHandle(HandleKind kind, void* handle) override { delete static_cast<NativeHandle*>(handle); }
    void RegisterComboListClass() override {}
};

}  // namespace

ISkinPlatform& DefaultSkinPlatform() {
    static NativeSkinPlatform platform;
    return platform;
}
