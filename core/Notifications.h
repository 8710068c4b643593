#pragma once
// Every notification of the system, and the one receiver that belongs to no
// other subsystem: the photo-library observer of Instagram's main controller.

#include "core/Hooking.h"

namespace igtarvo {

// Darwin: Instagram asks SpringBoard to show the account switcher.
inline constexpr const char* kSwitchAccountsNotification = "com.zr4.igtarvo.switchaccounts";
// In SpringBoard: an unlock has finished.
inline constexpr const char* kUnlockFinishedNotification = "com.zr4.igtarvo.unlockfinished";
// In Instagram: open the camera on the photo library.
inline constexpr const char* kShowLibraryNotification = "com.zr4.igtarvo.showlibrary";
// Darwin, then in-process: the settings changed.
inline constexpr const char* kSettingsChangedNotification = "com.zr4.igtarvo.settings/changed";

// Posts a Darwin notification (no payload; every subscribed process).
void postDarwinNotification(const char* name);
// Posts an in-process notification on the default centre, no sender, no user information.
void postLocalNotification(const char* name);

// Instagram's main controller (IGMainAppViewController initWithMainFeedSource:,
// replaced): after the host's initialiser, the new controller gets an
// observer of the show-library notification that keeps it alive and opens
// its camera on the photo library.
HookRows showLibraryObserverRows();

} // namespace igtarvo
