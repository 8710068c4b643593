#include "platform/foundation/NSProcessInfo.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

OBJC_CLASS_LOAD(NSProcessInfo)

void NSProcessInfo::registerMethods(objc::ClassBuilder<NSProcessInfo>& b)
{
    b.method<&NSProcessInfo::processName>("processName")
        .method<&NSProcessInfo::processIdentifier>("processIdentifier")
        .classMethod<&NSProcessInfo::processInfo>("processInfo");
}

NSProcessInfo* NSProcessInfo::processInfo()
{
    static NSProcessInfo* info = objc::make<NSProcessInfo>().leak();
    return info;
}

RefPtr<NSString> NSProcessInfo::processName() const
{
    return ns(program_invocation_short_name);
}

int NSProcessInfo::processIdentifier() const
{
    return ::getpid();
}

} // namespace platform
