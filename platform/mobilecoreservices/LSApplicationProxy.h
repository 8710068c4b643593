#pragma once
// A handle on an application of the device by its bundle identifier (the
// platform's private class). A proxy exists for any identifier; whether such
// an application is installed is read from the device's settings. Any thread.

#include "platform/foundation/NSValues.h"

namespace platform {

class LSApplicationProxy : public NSObject {
    OBJC_CLASS(LSApplicationProxy, NSObject)
public:
    LSApplicationProxy() = default;
    static void registerMethods(objc::ClassBuilder<LSApplicationProxy>&);

    // The proxy of the application with this bundle identifier (nil for nil).
    static RefPtr<LSApplicationProxy> applicationProxyForIdentifier(NSString* identifier);

    RefPtr<NSString> applicationIdentifier() const { return m_identifier; }
    // Whether the device has the application.
    bool isInstalled() const;

private:
    RefPtr<NSString> m_identifier;
};

} // namespace platform
