#pragma once
// A home-screen icon of one application. Its label text comes from
// displayNameForLocation: (iOS 9) or displayName (iOS 8): the application's
// display name.

#include "platform/foundation/NSValues.h"

namespace hosts::springboard {

using objc::id;
using objc::RefPtr;
using platform::NSString;

class SBApplication;

class SBApplicationIcon : public objc::Object {
    OBJC_CLASS(SBApplicationIcon, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<SBApplicationIcon>&);
    // An icon for the application, shown with `displayName` when its bundle does not name it.
    static RefPtr<SBApplicationIcon> create(SBApplication* application, std::string displayName);

    RefPtr<objc::Object> application() const { return m_application; }
    RefPtr<NSString> applicationBundleID() const;
    RefPtr<NSString> displayName() const;
    RefPtr<NSString> displayNameForLocation(long location) const { return displayName(); }

private:
    RefPtr<objc::Object> m_application;
    std::string m_fallbackName;
};

} // namespace hosts::springboard
