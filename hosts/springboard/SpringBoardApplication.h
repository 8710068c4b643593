#pragma once
// SpringBoard's application object (class "SpringBoard"): it opens other
// applications, starting an application's program on the device when it is
// not running.

#include "platform/uikit/UIApplication.h"

namespace hosts::springboard {

using objc::RefPtr;
using platform::NSString;

// The device file that lists every launch SpringBoard made, one line each.
inline constexpr const char* kLaunchLogPath = "/var/log/launches.log";

class SpringBoardApplication : public platform::UIApplication {
    OBJC_CLASS(SpringBoardApplication, platform::UIApplication)
public:
    static void registerMethods(objc::ClassBuilder<SpringBoardApplication>&);

    // Opens the application: starts its program when it does not run, then
    // brings it forward unless `suspended`. Answers whether it runs now.
    bool launchApplicationWithIdentifier(NSString* bundleIdentifier, bool suspended);
};

} // namespace hosts::springboard
