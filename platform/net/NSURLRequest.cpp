#include "platform/net/NSURLRequest.h"

namespace platform {

OBJC_CLASS_LOAD(NSURLRequest)

Ref<NSURLRequest> NSURLRequest::requestWithURL(NSURL* url, NSURLRequestCachePolicy policy, double timeoutInterval)
{
    return objc::make<NSURLRequest>(RefPtr<NSURL>(url), policy, timeoutInterval);
}

namespace {
RefPtr<NSURLRequest> requestWithURLCachePolicyTimeout(NSURL* url, unsigned long policy, double timeout)
{
    return NSURLRequest::requestWithURL(url, NSURLRequestCachePolicy(policy), timeout);
}
RefPtr<NSURLRequest> requestWithURLOnly(NSURL* url) { return NSURLRequest::requestWithURL(url); }
}

void NSURLRequest::registerMethods(objc::ClassBuilder<NSURLRequest>& b)
{
    b.classMethod<&requestWithURLCachePolicyTimeout>("requestWithURL:cachePolicy:timeoutInterval:")
        .classMethod<&requestWithURLOnly>("requestWithURL:")
        .method<&NSURLRequest::URL>("URL")
        .method<&NSURLRequest::cachePolicy>("cachePolicy")
        .method<&NSURLRequest::timeoutInterval>("timeoutInterval");
}

} // namespace platform
