#pragma once
// The SpringBoard handlers that open the account list: Instagram's
// switch-accounts request and the home-screen shortcut item. Main thread.

#include "core/Hooking.h"

namespace igtarvo {

// From iOS 9 the list opens directly; before, the request goes through the
// gesture library as an icon flick-up event for Instagram (nothing without it).
void handleSwitchAccountsNotification();
// The shortcut item was chosen (the item itself is not needed).
void handleShortcutItem(id item);

} // namespace igtarvo
