#pragma once
// The running process, as the platform's process-information object sees it.

#include "platform/foundation/NSValues.h"

namespace platform {

class NSProcessInfo : public NSObject {
    OBJC_CLASS(NSProcessInfo, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<NSProcessInfo>&);
    static NSProcessInfo* processInfo();
    // The executable's name, as started (argument zero's last component).
    RefPtr<NSString> processName() const;
    int processIdentifier() const;
};

} // namespace platform
