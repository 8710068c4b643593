#pragma once
// What to fetch: an address, how to treat cached answers, and how long a
// transfer may wait without receiving anything before it fails.

#include "platform/foundation/NSURL.h"

namespace platform {

enum class NSURLRequestCachePolicy : unsigned long {
    UseProtocolCachePolicy = 0,
    ReloadIgnoringLocalCacheData = 1,
};

class NSURLRequest : public NSObject {
    OBJC_CLASS(NSURLRequest, NSObject)
public:
    NSURLRequest() = default;
    NSURLRequest(RefPtr<NSURL> url, NSURLRequestCachePolicy policy, double timeout)
        : m_url(std::move(url)), m_cachePolicy(policy), m_timeoutInterval(timeout) { }
    static void registerMethods(objc::ClassBuilder<NSURLRequest>&);

    static Ref<NSURLRequest> requestWithURL(NSURL* url, NSURLRequestCachePolicy policy = NSURLRequestCachePolicy::UseProtocolCachePolicy, double timeoutInterval = 60);

    RefPtr<NSURL> URL() const { return m_url; }
    NSURLRequestCachePolicy cachePolicy() const { return m_cachePolicy; }
    // Seconds a transfer may go without receiving data (or connecting).
    double timeoutInterval() const { return m_timeoutInterval; }

private:
    RefPtr<NSURL> m_url;
    NSURLRequestCachePolicy m_cachePolicy { NSURLRequestCachePolicy::UseProtocolCachePolicy };
    double m_timeoutInterval { 60 };
};

} // namespace platform
