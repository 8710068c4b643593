#pragma once
// Rows 38 and 39, in SpringBoard: the Instagram icon is labelled with the
// active account's name; every other icon keeps its own label. The name comes
// from the account manager's memory, so labelling touches no files.

#include "core/Hooking.h"

namespace igtarvo {

extern Previous<RefPtr<Object>(long)> g_SBApplicationIcon_displayNameForLocation;
RefPtr<Object> SBApplicationIcon_displayNameForLocation(id self, SEL _cmd, long location);

extern Previous<RefPtr<Object>()> g_SBApplicationIcon_displayName;
RefPtr<Object> SBApplicationIcon_displayName(id self, SEL _cmd);

} // namespace igtarvo
