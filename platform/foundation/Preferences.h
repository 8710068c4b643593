#pragma once
// Preference domains, with the platform's preference calls. A domain of the
// current user on any host is one property-list file of the device,
// "/var/mobile/Library/Preferences/<domain>.plist".
//
//  - Reads go to the file each time and accept the XML and the binary format.
//    A missing, empty or unreadable file reads as an empty domain.
//  - Writes go to the file at once, in the binary format, atomically (a
//    temporary file in the same folder, then a rename). A write changes only
//    the keys it names: it re-reads the file under an exclusive lock (shared
//    by every process of the device) and keeps every other key found there at
//    that moment. An unreadable file is not overwritten blindly: it is kept
//    beside the domain as "<domain>.plist.unreadable" before the new one is
//    written.
//  - Synchronising therefore has nothing left to flush; it answers whether
//    the domain can be read.
// Only the current user on any host is kept; other users or hosts, and domain
// names that are not one file name, answer nothing and write nothing. All
// calls are safe from any thread and any process.

#include "platform/foundation/NSValues.h"

#include <string>

namespace platform {

inline constexpr const char* kCFPreferencesCurrentUser = "kCFPreferencesCurrentUser";
inline constexpr const char* kCFPreferencesAnyUser = "kCFPreferencesAnyUser";
inline constexpr const char* kCFPreferencesAnyHost = "kCFPreferencesAnyHost";
inline constexpr const char* kCFPreferencesCurrentHost = "kCFPreferencesCurrentHost";

// The device path of a domain's file ("/var/mobile/Library/Preferences/<domain>.plist").
std::string preferencesDevicePath(const std::string& applicationID);

// Whether the domain is readable (true for a missing file, false for an
// unreadable one or a domain name that is not one file name).
bool CFPreferencesAppSynchronize(const std::string& applicationID);

// The domain's keys, sorted; nil when it has none.
RefPtr<NSArray> CFPreferencesCopyKeyList(const std::string& applicationID, const char* user, const char* host);

// The values of the given keys (every key for a nil list) that the domain has.
Ref<NSDictionary> CFPreferencesCopyMultiple(NSArray* keysToFetch, const std::string& applicationID, const char* user, const char* host);

// One value of the current user on any host, or nil.
RefPtr<Object> CFPreferencesCopyAppValue(const std::string& key, const std::string& applicationID);

// Sets keysToSet (may be nil) and removes keysToRemove (may be nil) in one
// write. Answers whether the file now holds them.
bool CFPreferencesSetMultiple(NSDictionary* keysToSet, NSArray* keysToRemove, const std::string& applicationID, const char* user, const char* host);

// Sets one key; a nil value removes it.
bool CFPreferencesSetValue(const std::string& key, id value, const std::string& applicationID, const char* user, const char* host);
bool CFPreferencesSetAppValue(const std::string& key, id value, const std::string& applicationID);

} // namespace platform
