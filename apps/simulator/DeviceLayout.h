#pragma once
// Lays out a fresh simulated device: the app's bundle and data container, the
// system programs, the injected library with its filter, resource folders and
// the device's settings. Programs and libraries are links to this build's, so
// a rebuilt system is what the device runs.

#include <string>

namespace igtarvo::simulator {

struct DeviceOptions {
    bool iOS8 = false;           // platform foundation below 1240.1
    // The home-screen shortcut-item library, which exists from iOS 9 on.
    bool shortcutItems = true;
    std::string instagramVersion = "7.17.1";
    std::string instagramBuild = "71701";
};

struct DeviceResult {
    bool ok = false;
    std::string error; // set when !ok
};

// Creates the device at root. Refuses, changing nothing, when a device (or
// anything else) is already there.
DeviceResult createDevice(const std::string& root, const DeviceOptions& options = {});

// Whether a device has been laid out at root.
bool deviceExists(const std::string& root);

// The build folder whose programs and libraries the device runs.
std::string buildDirectory();
// The source tree this build was made from (for resources the device copies).
std::string sourceDirectory();

// Device paths of the layout.
inline constexpr const char* kAccountsDir = "/var/mobile/Library/Preferences/igTarvo";
inline constexpr const char* kPreferencesDir = "/var/mobile/Library/Preferences";
inline constexpr const char* kInjectionDir = "/Library/Injection/DynamicLibraries";
inline constexpr const char* kInstagramBundleId = "com.burbn.instagram";
// The device's launchctl records each call here, one line per call ("stop LABEL").
inline constexpr const char* kLaunchctlLogPath = "/var/log/launchctl.log";

// The sample feed that Instagram's feed service serves: feed.json and the
// media it names (photos, videos, profile pictures).
inline constexpr const char* kSampleFeedDir = "/etc/igtarvo/feed";
// The device setting that says on which port of 127.0.0.1 the running
// Instagram's feed service answers (written when the service starts).
inline constexpr const char* kSettingFeedServicePort = "FeedServicePort";

// Paths on this machine, for a device at the current root.
std::string instagramDataContainer();
std::string instagramBundlePath();
// The host program of a process ("Instagram", "SpringBoard", "itunesstored"),
// as installed on the device; empty for an unknown name.
std::string hostProgramPath(const std::string& processName);

} // namespace igtarvo::simulator
