// The process's graphics layer and screen device context: replaceable by
// tests and by the window manager, defaulting to the layer of this build.
#include "skin/platform/skin_graphics.h"

#include <atomic>

namespace {

std::atomic<ISkinGraphics*> g_graphics{nullptr};
std::atomic<SkinScreenDcProvider> g_screenDcProvider{nullptr};

}  // namespace

ISkinGraphics& SkinGraphics() {
    ISkinGraphics* graphics = g_graphics.load(std::memory_order_acquire);
    return graphics ? *graphics : DefaultSkinGraphics();
}

void SetSkinGraphics(ISkinGraphics* graphics) { g_graphics.store(graphics, std::memory_order_release); }

void SetSkinScreenDcProvider(SkinScreenDcProvider provider) {
    g_screenDcProvider.store(provider, std::memory_order_release);
}

HDC SkinScreenDc() {
    SkinScreenDcProvider provider = g_screenDcProvider.load(std::memory_order_acquire);
    HDC dc = provider ? provider() : nullptr;
    return dc ? dc : DefaultSkinScreenDc();
}
