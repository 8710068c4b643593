#pragma once
// One thing a data detector found in a text: its type, its range (UTF-16
// units) and, for a link, the address it stands for.

#include "platform/foundation/NSRange.h"
#include "platform/foundation/NSURL.h"

#include <cstdint>

namespace platform {

enum NSTextCheckingType : uint64_t {
    NSTextCheckingTypeLink = 1ULL << 5,
};

class NSTextCheckingResult : public NSObject {
    OBJC_CLASS(NSTextCheckingResult, NSObject)
public:
    NSTextCheckingResult() = default;
    NSTextCheckingResult(uint64_t type, NSRange range, RefPtr<NSURL> url) : m_type(type), m_range(range), m_url(std::move(url)) { }
    static void registerMethods(objc::ClassBuilder<NSTextCheckingResult>&);
    static Ref<NSTextCheckingResult> linkCheckingResultWithRange(NSRange range, NSURL* url);

    uint64_t resultType() const { return m_type; }
    NSRange range() const { return m_range; }
    // The address of a link; nil for other types.
    RefPtr<NSURL> URL() const { return m_url; }

private:
    uint64_t m_type { 0 };
    NSRange m_range {};
    RefPtr<NSURL> m_url;
};

} // namespace platform
