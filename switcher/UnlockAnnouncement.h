#pragma once
// Row 37, in SpringBoard: every completed unlock is announced in-process; the
// announcement puts the switcher's gesture-library listener in place and
// checks the installed Instagram against the newest supported version.

#include "core/Hooking.h"

namespace igtarvo {

extern Previous<void(long)> g_SBLockScreenViewController_finishUIUnlockFromSource;
void SBLockScreenViewController_finishUIUnlockFromSource(id self, SEL _cmd, long source);

// The observer of the unlock announcement (main queue).
void handleUnlockFinished();

} // namespace igtarvo
