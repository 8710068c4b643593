#include "platform/foundation/NSTextCheckingResult.h"

namespace platform {

OBJC_CLASS_LOAD(NSTextCheckingResult)

void NSTextCheckingResult::registerMethods(objc::ClassBuilder<NSTextCheckingResult>& b)
{
    b.method<&NSTextCheckingResult::resultType>("resultType")
        .method<&NSTextCheckingResult::range>("range")
        .method<&NSTextCheckingResult::URL>("URL");
}

Ref<NSTextCheckingResult> NSTextCheckingResult::linkCheckingResultWithRange(NSRange range, NSURL* url)
{
    return objc::make<NSTextCheckingResult>(uint64_t(NSTextCheckingTypeLink), range, RefPtr<NSURL>(url));
}

} // namespace platform
