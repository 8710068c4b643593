#pragma once
// A bundle folder of the device and its Info.plist.

#include "platform/foundation/NSValues.h"

#include <string>

namespace platform {

class NSBundle : public NSObject {
    OBJC_CLASS(NSBundle, NSObject)
public:
    NSBundle() = default;
    explicit NSBundle(std::string path) : m_path(std::move(path)) { }
    static void registerMethods(objc::ClassBuilder<NSBundle>&);

    // The bundle at a path on this machine; nil when no folder is there.
    static RefPtr<NSBundle> bundleWithPath(const std::string& path);
    // The running program's own bundle, or nil until the program has said
    // where it is (setMainBundlePath).
    static RefPtr<NSBundle> mainBundle();
    // Where the running program's bundle is (a path on this machine); set by
    // the program at start.
    static void setMainBundlePath(const std::string& path);

    RefPtr<NSString> bundlePath() const { return ns(m_path); }
    const std::string& path() const { return m_path; }
    // The bundle's Info.plist, read at each call; empty when it has none.
    Ref<NSDictionary> infoDictionary() const;
    // One value of the Info.plist, or nil.
    RefPtr<Object> objectForInfoDictionaryKey(RefPtr<NSString> key) const;

private:
    std::string m_path;
};

} // namespace platform
