#pragma once
// The settings reader of the tweak library: a snapshot of the preference
// domain "com.zr4.igtarvo", read straight from its file, refreshed whenever
// the Darwin notification "com.zr4.igtarvo.settings/changed" arrives.
//
//  - One instance per process (sharedSettings), created on first use, safely
//    against concurrent first calls; it lives as long as the process.
//  - Creation reads the file and subscribes to the change notification
//    (coalescing posts that arrive while the main queue is busy). Until the
//    reader exists, nothing listens; a change made meanwhile is seen by the
//    first read.
//  - Each delivery, on the main queue, re-reads the file and then posts the
//    same name once on the process's default notification centre, so that
//    features of this process can react.
//  - A missing, unreadable or non-dictionary file is a nil snapshot. A value
//    with no boolean reading (anything but a number or a text) counts as a
//    missing key.
//  - The look-ups may be called from any thread: the snapshot is swapped under
//    a lock, and a snapshot once taken is never changed.

#include "platform/foundation/NSValues.h"
#include "platform/notify/CFNotificationCenter.h"

#include <mutex>

namespace igtarvo {

using objc::id;
using objc::Object;
using objc::Ref;
using objc::RefPtr;
using platform::NSDictionary;
using platform::NSString;

// The preference domain the panel's switches are kept in.
inline constexpr const char* kSettingsDomain = "com.zr4.igtarvo";

// The panel's switches, each read where its feature acts; an absent value
// means the behaviour as built.
// Feed posts show their exact time and age (on).
inline constexpr const char* kExactPostTimesSetting = "kExactPostTimes";
// The feed's grid/list button is added (on); read when Instagram starts.
inline constexpr const char* kLayoutToggleButtonSetting = "kLayoutToggleButton";
// The App Store service drops unsupported Instagram updates (on).
inline constexpr const char* kBlockUnsupportedUpdatesSetting = "kBlockUnsupportedUpdates";

class TarvoSettings : public platform::NSObject {
    OBJC_CLASS(TarvoSettings, platform::NSObject)
public:
    static void registerMethods(objc::ClassBuilder<TarvoSettings>&);

    // The process's reader, created (and subscribed) on first call.
    static TarvoSettings* sharedSettings();
    // The stored value read as a boolean; no when the key is missing, has no
    // boolean reading, or there is no snapshot.
    static bool boolForKey(NSString* key);
    // As boolForKey, but the given default stands for a missing key or snapshot.
    static bool boolForKey(NSString* key, bool defaultValue);
    static bool boolForKey(const std::string& key, bool defaultValue) { return boolForKey(platform::ns(key).get(), defaultValue); }

    // Reads the file and subscribes; called once, by sharedSettings.
    RefPtr<Object> init();
    // Drops the snapshot, then reads the file again.
    void updateSettings();
    // The current snapshot; nil when the file is missing, unreadable or not a dictionary.
    RefPtr<NSDictionary> settings() const;

private:
    static bool boolForKeyWithDefault(NSString* key, bool defaultValue) { return boolForKey(key, defaultValue); }

    mutable std::mutex m_lock;
    RefPtr<NSDictionary> m_settings;
};

} // namespace igtarvo

// The change handler the reader subscribes with: refreshes the shared reader
// and re-announces the change inside this process. Runs on the main queue;
// its arguments are not used.
extern "C" __attribute__((visibility("default"))) void settingsChanged(platform::CFNotificationCenterRef center, void* observer,
    platform::CFStringRef name, const void* object, platform::CFDictionaryRef userInfo);
