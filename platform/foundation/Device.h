#pragma once
// The simulated device. Every absolute path the system names ("/var/mobile/…",
// "/Library/…") lives inside one folder, the device root: on a phone it would
// be "/". The root is chosen at start-up: Device::setRoot(), else the
// environment variable IGTARVO_ROOT, else the embedded default device.
//
// The device also carries the settings a phone would have by its make and
// installation: the platform version, and the simulator's own knobs.

#include "platform/foundation/NSValues.h"

#include <string>
#include <string_view>

namespace platform {

// The platform foundation version from which iOS 9 starts.
constexpr double NSFoundationVersionNumber_iOS_9_0 = 1240.1;

class Device {
public:
    // The device root, absolute, without a trailing slash.
    static std::string root();
    static void setRoot(const std::string& root);
    // The embedded default device, used when no root is given.
    static std::string defaultRoot();

    // A device path ("/var/mobile/x") as a path on this machine.
    static std::string path(std::string_view devicePath);
    // A path on this machine inside the root back as a device path; the path
    // unchanged when it lies outside the root.
    static std::string devicePath(std::string_view hostPath);

    // Puts the device's program folders ("/usr/bin", "/bin") first on this
    // process's search path, as a process on the device has them.
    static void putProgramsOnSearchPath();

    // The platform foundation's version number (NSFoundationVersionNumber).
    static double foundationVersionNumber();

    // A setting of the simulated device ("/etc/igtarvo/device.plist"), or nil.
    static RefPtr<Object> setting(const std::string& key);
    static std::string stringSetting(const std::string& key, const std::string& fallback = {});
    static bool boolSetting(const std::string& key, bool fallback);
    // Writes one setting (nil removes it).
    static bool setSetting(const std::string& key, id value);
};

// Device paths the platform itself knows.
inline constexpr const char* kDeviceSettingsPath = "/etc/igtarvo/device.plist";
inline constexpr const char* kSystemVersionPath = "/System/Library/CoreServices/SystemVersion.plist";

// Keys of the device settings.
inline constexpr const char* kSettingApplications = "Applications"; // bundle id -> {"BundlePath", "DataContainer"}
inline constexpr const char* kSettingProcessesAnswerStop = "FBApplicationProcessAnswersStop";
inline constexpr const char* kSettingActivatorInstalled = "ActivatorInstalled";
inline constexpr const char* kSettingVersionServiceURL = "VersionServiceURL";
inline constexpr const char* kSettingVersionQueryTimeout = "VersionQueryTimeout"; // seconds
inline constexpr const char* kSettingMakerPageURL = "MakerPageURL";
inline constexpr const char* kSettingScreenWidth = "ScreenWidth";   // points
inline constexpr const char* kSettingScreenHeight = "ScreenHeight"; // points
inline constexpr const char* kSettingScreenScale = "ScreenScale";   // pixels per point

// NSFoundationVersionNumber, read from the device.
double NSFoundationVersionNumber();

} // namespace platform
