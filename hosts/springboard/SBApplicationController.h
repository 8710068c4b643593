#pragma once
// SpringBoard's directory of installed applications: one application object
// per bundle identifier, for as long as the application is installed.

#include "hosts/springboard/SBApplication.h"

#include <map>
#include <mutex>

namespace hosts::springboard {

class SBApplicationController : public objc::Object {
    OBJC_CLASS(SBApplicationController, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<SBApplicationController>&);
    // The one controller of the process.
    static RefPtr<SBApplicationController> sharedInstance();

    // The application with this identifier; nil when none is installed.
    RefPtr<SBApplication> applicationWithBundleIdentifier(RefPtr<NSString> bundleIdentifier);

private:
    std::mutex m_lock;
    std::map<std::string, RefPtr<SBApplication>> m_applications;
};

} // namespace hosts::springboard
