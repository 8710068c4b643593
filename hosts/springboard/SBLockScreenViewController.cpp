#include "hosts/springboard/SBLockScreenViewController.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(SBLockScreenViewController)

void SBLockScreenViewController::registerMethods(objc::ClassBuilder<SBLockScreenViewController>& b)
{
    b.method<&SBLockScreenViewController::finishUIUnlockFromSource>("finishUIUnlockFromSource:")
        .classMethod<&SBLockScreenViewController::sharedInstance>("sharedInstance");
}

SBLockScreenViewController* SBLockScreenViewController::sharedInstance()
{
    static SBLockScreenViewController* controller = objc::make<SBLockScreenViewController>().leak();
    return controller;
}

void SBLockScreenViewController::finishUIUnlockFromSource(long)
{
    m_locked = false;
    ++m_unlocks;
}

void SBLockScreenViewController::unlock(long source)
{
    objc::send<void(long)>(this, "finishUIUnlockFromSource:", source);
}

} // namespace hosts::springboard
