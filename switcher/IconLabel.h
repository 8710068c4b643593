#pragma once
// In SpringBoard, the Instagram icon is labelled with the
// active account's name; every other icon keeps its own label. The name comes
// from the account manager's memory, so labelling touches no files.

#include "core/Hooking.h"

namespace igtarvo {

// SBApplicationIcon displayNameForLocation: and displayName (replaced).
HookRows iconLabelRows();

} // namespace igtarvo
