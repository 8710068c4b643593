#pragma once
// SpringBoard's object for one installed application: its identity, its
// bundle and data container on the device, and its process while it runs.
// Every answer is read from the device when asked.

#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSValues.h"

namespace hosts::springboard {

using objc::RefPtr;
using platform::NSString;

class FBApplicationProcess;

class SBApplication : public objc::Object {
    OBJC_CLASS(SBApplication, objc::Object)
public:
    SBApplication() = default;
    explicit SBApplication(std::string bundleIdentifier) : m_bundleIdentifier(std::move(bundleIdentifier)) { }
    static void registerMethods(objc::ClassBuilder<SBApplication>&);

    // Whether the device has an application with this identifier.
    static bool isInstalled(const std::string& bundleIdentifier);

    RefPtr<NSString> bundleIdentifier() const { return platform::ns(m_bundleIdentifier); }
    // The Info.plist's "CFBundleVersion"; nil when it has none.
    RefPtr<NSString> bundleVersion() const;
    // The application's bundle.
    RefPtr<platform::NSBundle> bundle() const;
    // The absolute path of the application's data container (on this machine).
    RefPtr<NSString> dataContainerPath() const;
    // Whether the application's process is running.
    bool isRunning() const;
    // FrontBoard's record of the running process (the "_process" field); nil
    // while the application does not run.
    RefPtr<FBApplicationProcess> process() const;

private:
    std::string m_bundleIdentifier;
};

} // namespace hosts::springboard
