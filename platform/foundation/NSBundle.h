#pragma once
// A bundle folder of the device and its Info.plist, its resources, and the
// code it carries.
//
//  - bundleWithPath answers one object per folder for the life of the
//    process, so that every holder of a bundle sees one loaded state.
//  - load opens the executable that the Info.plist names (CFBundleExecutable)
//    with dlopen; the library's classes register with the runtime while it
//    loads. Loading a loaded bundle does nothing more and answers yes. A
//    bundle whose executable is missing or does not open stays unloaded, and
//    loadError says why; nothing is thrown.
//  - Resources are files directly inside the folder; a name that would lead
//    out of the folder finds nothing.
// Loading is safe from any thread; the platform loads bundles on the main thread.

#include "platform/foundation/NSValues.h"

#include <mutex>
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
    static RefPtr<NSBundle> bundleWithPathObject(NSString* path);
    // The loaded bundle whose code registered the class, or nil.
    static RefPtr<NSBundle> bundleForClass(objc::Class cls);
    // The running program's own bundle, or nil until the program has said
    // where it is (setMainBundlePath).
    static RefPtr<NSBundle> mainBundle();
    // Where the running program's bundle is (a path on this machine); set by
    // the program at start.
    static void setMainBundlePath(const std::string& path);

    RefPtr<NSString> bundlePath() const { return ns(m_path); }
    const std::string& path() const { return m_path; }
    // Opens the bundle's code; answers whether it is loaded. Sent as "load";
    // the C++ name keeps clear of a class's own load at registration.
    bool loadCode();
    bool isLoaded() const;
    // Why the last load failed ("" when it did not).
    std::string loadError() const;
    RefPtr<NSString> loadErrorDescription() const { return ns(loadError()); }
    // The class the Info.plist names under NSPrincipalClass, after loading
    // the code; nil when the code does not load or names no known class.
    objc::Class principalClass();
    // A class of the bundle's code by name, after loading; nil when unknown.
    objc::Class classNamed(NSString* name);
    // The path (on this machine) of the resource "name.type" (or "name" for
    // an empty type) in the folder; nil when there is no such file.
    RefPtr<NSString> pathForResource(NSString* name, NSString* type) const;

    // The bundle's Info.plist, read at each call; empty when it has none.
    Ref<NSDictionary> infoDictionary() const;
    // One value of the Info.plist, or nil.
    RefPtr<Object> objectForInfoDictionaryKey(RefPtr<NSString> key) const;

private:
    std::string m_path;
    mutable std::mutex m_lock;
    void* m_handle { nullptr };
    std::string m_loadError;
};

} // namespace platform
