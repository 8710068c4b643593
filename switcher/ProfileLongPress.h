#pragma once
// In Instagram, a long press on the profile tab sends Instagram
// to the background and asks SpringBoard to show the account list.

#include "core/Hooking.h"

namespace igtarvo {

// IGTabBarController initializeViewControllersWithMainFeedSource: (replaced):
// after the host's tabs exist, the profile tab's button gets the long press.
// IGTabBarController tarvo_handleLongPress: (added, "v@:@"): on the press's
// beginning only, Instagram goes to the background, then SpringBoard is asked.
HookRows profileTabLongPressRows();

} // namespace igtarvo
