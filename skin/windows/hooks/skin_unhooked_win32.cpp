#include "skin/windows/hooks/skin_unhooked_win32.h"

namespace skin_unhooked {

#define TOVANE_SKIN_UNHOOKED_DEFINE(name, type) name##Fn name = &::name;
TOVANE_SKIN_UNHOOKED_FUNCTIONS(TOVANE_SKIN_UNHOOKED_DEFINE)
#undef TOVANE_SKIN_UNHOOKED_DEFINE

}  // namespace skin_unhooked
