// A theme for the spin, progress, slider and tab skins under Wine, made in
// memory: every picture a solid BMP of a colour of its own, so one screen
// pixel tells which picture was drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace common_controls_test {

// Loads the theme into the engine once per process.
bool LoadTheme();

// The colour of a picture by its id, 0x00RRGGBB (0xFFFFFFFF for an unknown id).
uint32_t ColorOf(const std::wstring& pictureId);

// Colours the theme gives by value.
inline constexpr uint32_t kBorderColor = 0x203040;    // the tab page's border line
inline constexpr uint32_t kTabTextNormal = 0x102030;  // tab texts
inline constexpr uint32_t kTabTextChecked = 0x304050;
inline constexpr uint32_t kProgressText = 0x405060;

}  // namespace common_controls_test
