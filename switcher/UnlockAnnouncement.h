#pragma once
// In SpringBoard, every completed unlock is announced in-process; the
// announcement puts the switcher's gesture-library listener in place and
// checks the installed Instagram against the newest supported version.

#include "core/Hooking.h"

namespace igtarvo {

// SBLockScreenViewController finishUIUnlockFromSource: (replaced): announces
// the unlock, then SpringBoard's own.
HookRows unlockAnnouncementRows();

// The observer of the unlock announcement (main queue).
void handleUnlockFinished();

} // namespace igtarvo
