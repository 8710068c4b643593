#include "hosts/springboard/SBApplicationController.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(SBApplicationController)

void SBApplicationController::registerMethods(objc::ClassBuilder<SBApplicationController>& b)
{
    b.classMethod<&SBApplicationController::sharedInstance>("sharedInstance")
        .method<&SBApplicationController::applicationWithBundleIdentifier>("applicationWithBundleIdentifier:");
}

RefPtr<SBApplicationController> SBApplicationController::sharedInstance()
{
    static SBApplicationController* shared = objc::make<SBApplicationController>().leak();
    return RefPtr<SBApplicationController>(shared);
}

RefPtr<SBApplication> SBApplicationController::applicationWithBundleIdentifier(RefPtr<NSString> bundleIdentifier)
{
    if (!bundleIdentifier || !SBApplication::isInstalled(bundleIdentifier->str()))
        return nullptr;
    std::lock_guard guard(m_lock);
    auto& application = m_applications[bundleIdentifier->str()];
    if (!application)
        application = objc::make<SBApplication>(bundleIdentifier->str());
    return application;
}

} // namespace hosts::springboard
