#pragma once
// Finds links in text (see LinkScanner for what counts as one). Each result
// carries the address the link stands for: the text itself when it has a
// scheme, "http://" before a bare web address, "mailto:" before an e-mail
// address. A link whose address would not be well formed is not reported.
//
// A detector holds no state while it works: one detector may serve several
// threads at once.

#include "platform/foundation/LinkScanner.h"
#include "platform/foundation/NSTextCheckingResult.h"

#include <vector>

namespace platform {

class NSDataDetector : public NSObject {
    OBJC_CLASS(NSDataDetector, NSObject)
public:
    NSDataDetector() = default;
    explicit NSDataDetector(uint64_t types) : m_types(types) { }
    static void registerMethods(objc::ClassBuilder<NSDataDetector>&);

    // A detector of the given types; nil when none of them is one it knows
    // (links are the only type it knows).
    static RefPtr<NSDataDetector> dataDetectorWithTypes(uint64_t types);

    uint64_t checkingTypes() const { return m_types; }
    // The results within the range of the text, in text order.
    RefPtr<NSArray> matchesInString(NSString* text, unsigned long options, NSRange range) const;
    // The same as C++ values, over the whole text.
    std::vector<Ref<NSTextCheckingResult>> matches(const std::string& text) const;

private:
    uint64_t m_types { 0 };
};

} // namespace platform
