#pragma once
// A post's caption as the feed holds it: its text.

#include "platform/foundation/NSValues.h"

namespace hosts::instagram {

class IGCaption : public objc::Object {
    OBJC_CLASS(IGCaption, objc::Object)
public:
    IGCaption() = default;
    static void registerMethods(objc::ClassBuilder<IGCaption>&);
    static objc::Ref<IGCaption> create(std::string text);

    objc::RefPtr<platform::NSString> text() const { return platform::ns(m_text); }
    const std::string& textString() const { return m_text; }

private:
    std::string m_text;
};

// A post's photo: its versions, smallest first, each a dictionary with
// "url" (an address string), "width" and "height".
class IGPhoto : public objc::Object {
    OBJC_CLASS(IGPhoto, objc::Object)
public:
    IGPhoto() = default;
    static void registerMethods(objc::ClassBuilder<IGPhoto>&);
    static objc::Ref<IGPhoto> create(objc::Ref<platform::NSArray> imageVersions);

    objc::RefPtr<platform::NSArray> imageVersions() const { return m_versions; }

private:
    objc::RefPtr<platform::NSArray> m_versions;
};

} // namespace hosts::instagram
