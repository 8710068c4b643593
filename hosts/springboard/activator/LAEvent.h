#pragma once
// An event of the gesture library: its name, the user information that came
// with it ("displayIdentifier", "iconView" for icon gestures) and whether a
// listener handled it.

#include "platform/foundation/NSValues.h"

namespace hosts::springboard {

using objc::id;
using objc::RefPtr;
using platform::NSDictionary;
using platform::NSString;

class LAEvent : public objc::Object {
    OBJC_CLASS(LAEvent, objc::Object)
public:
    LAEvent() = default;
    explicit LAEvent(RefPtr<NSString> name) : m_name(std::move(name)) { }
    static void registerMethods(objc::ClassBuilder<LAEvent>&);

    static RefPtr<LAEvent> eventWithName(NSString* name) { return objc::make<LAEvent>(RefPtr<NSString>(name)); }
    RefPtr<NSString> name() const { return m_name; }
    RefPtr<NSDictionary> userInfo() const { return m_userInfo; }
    void setUserInfo(NSDictionary* userInfo) { m_userInfo = userInfo; }
    bool isHandled() const { return m_handled; }
    void setHandled(bool handled) { m_handled = handled; }

private:
    RefPtr<NSString> m_name;
    RefPtr<NSDictionary> m_userInfo;
    bool m_handled { false };
};

} // namespace hosts::springboard
