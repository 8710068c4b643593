#pragma once
// Rows 7 and 8, in Instagram: a long press on the profile tab sends Instagram
// to the background and asks SpringBoard to show the account list.

#include "core/Hooking.h"

namespace igtarvo {

// IGTabBarController initializeViewControllersWithMainFeedSource: (replaced):
// after the host's tabs exist, the profile tab's button gets the long press.
extern Previous<void(id)> g_IGTabBarController_initializeViewControllers;
void IGTabBarController_initializeViewControllers(id self, SEL _cmd, id source);

// IGTabBarController tarvo_handleLongPress: (added, "v@:@"): on the press's
// beginning only, Instagram goes to the background, then SpringBoard is asked.
void IGTabBarController_tarvo_handleLongPress(id self, SEL _cmd, id recognizer);

} // namespace igtarvo
