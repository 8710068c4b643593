#pragma once
// The lock screen. The user unlocks; finishUIUnlockFromSource: completes the
// unlock and shows the home screen.

#include "platform/uikit/UIViewController.h"

namespace hosts::springboard {

class SBLockScreenViewController : public platform::UIViewController {
    OBJC_CLASS(SBLockScreenViewController, platform::UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<SBLockScreenViewController>&);
    static SBLockScreenViewController* sharedInstance();

    void finishUIUnlockFromSource(long source);
    // The user unlocks the device (the lock screen's own path to the unlock).
    void unlock(long source = 0);
    void lock() { m_locked = true; }
    bool isLocked() const { return m_locked; }
    int unlockCount() const { return m_unlocks; }

private:
    bool m_locked { true };
    int m_unlocks { 0 };
};

} // namespace hosts::springboard
