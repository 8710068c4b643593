#pragma once
// Instagram's text for its core text views: an attributed string that the
// view draws. The attributed string is mutable and may be replaced.

#include "platform/foundation/NSMutableAttributedString.h"

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;
using platform::NSAttributedString;

class IGStyledString : public objc::Object {
    OBJC_CLASS(IGStyledString, objc::Object)
public:
    IGStyledString() = default;
    static void registerMethods(objc::ClassBuilder<IGStyledString>&);
    // A styled string of that text in the given attributes.
    static Ref<IGStyledString> create(const std::string& text, const NSAttributedString::Attributes& attributes = {});

    RefPtr<NSAttributedString> attributedString() const { return m_attributed; }
    void setAttributedString(NSAttributedString* text) { m_attributed = text; }

private:
    RefPtr<NSAttributedString> m_attributed;
};

} // namespace hosts::instagram
