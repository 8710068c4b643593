#include "apps/simulator/DeviceLayout.h"
#include "apps/simulator/SampleFeed.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/PropertyList.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <ctime>
#include <random>

namespace fs = std::filesystem;
using namespace platform;

namespace igtarvo::simulator {

namespace {

std::string makeUUID()
{
    std::random_device rd;
    std::mt19937_64 gen(rd());
    const char* hex = "0123456789ABCDEF";
    std::string s;
    for (int i = 0; i < 32; ++i) {
        if (i == 8 || i == 12 || i == 16 || i == 20)
            s += '-';
        s += hex[gen() % 16];
    }
    return s;
}

void writeText(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

void link(const fs::path& target, const fs::path& at)
{
    fs::create_directories(at.parent_path());
    fs::create_symlink(target, at);
}

Ref<NSDictionary> dict(std::map<std::string, Ref<Object>> entries) { return NSDictionary::create(std::move(entries)); }

// The device's launchctl: "launchctl stop LABEL" stops a service; each call is
// recorded in the device's log. Callers may start it with an empty
// environment, so it uses shell built-ins only and finds the log from its own
// place on the device.
constexpr const char* kLaunchctlProgram = R"(#!/bin/sh
log="${0%/*}/../../var/log/launchctl.log"
if [ "$#" -eq 2 ] && [ "$1" = stop ]; then
    printf 'stop %s\n' "$2" >> "$log"
    exit 0
fi
printf 'usage: launchctl stop LABEL\n' >&2
exit 64
)";

// The device's killall: "killall NAME" ends the running host program of that
// name (the process its pid file names, when that process still has the
// name) and records it in the device's log. Like launchctl it uses shell
// built-ins only, as callers may start it with an empty environment.
constexpr const char* kKillallProgram = R"(#!/bin/sh
device="${0%/*}/../.."
if [ "$#" -ne 1 ] || [ -z "$1" ]; then
    printf 'usage: killall NAME\n' >&2
    exit 64
fi
case "$1" in
    */*|.|..) printf 'No matching processes were found\n' >&2; exit 1 ;;
esac
pidfile="$device/var/run/igtarvo-processes/$1.pid"
if [ -r "$pidfile" ] && read -r pid < "$pidfile" && [ -n "$pid" ] && [ -r "/proc/$pid/comm" ] && read -r comm < "/proc/$pid/comm" && [ "$comm" = "$1" ]; then
    if kill -TERM "$pid" 2>/dev/null; then
        printf 'killall %s %s\n' "$1" "$pid" >> "$device/var/log/killall.log"
        exit 0
    fi
fi
printf 'No matching processes were found\n' >&2
exit 1
)";

void makeExecutable(const fs::path& file)
{
    fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
}

// The settings panel's bundle: its Info.plist, its code and its resources,
// and the Settings application's entry for it.
void layOutSettingsBundle(const std::function<fs::path(const std::string&)>& at, const fs::path& build)
{
    fs::path bundle = at("/Library/PreferenceBundles/igTarvoSettings.bundle");
    fs::create_directories(bundle);
    writePropertyListFile(dict({ { "CFBundleIdentifier", ns("com.zr4.igtarvosettings") },
                              { "CFBundleExecutable", ns("igTarvoSettings") },
                              { "CFBundleName", ns("igTarvoSettings") },
                              { "NSPrincipalClass", ns("igTarvoSettingsListController") } }),
        (bundle / "Info.plist").string(), PropertyListFormat::XML);
    link(build / "lib/libigTarvoSettings.so", bundle / "igTarvoSettings");
    for (auto& entry : fs::directory_iterator(fs::path(sourceDirectory()) / "resources/igTarvoSettings.bundle"))
        fs::copy_file(entry.path(), bundle / entry.path().filename());
    fs::create_directories(at("/Library/PreferenceLoader/Preferences"));
    writePropertyListFile(dict({ { "entry", dict({ { "bundle", ns("igTarvoSettings") }, { "cell", ns("PSLinkCell") },
                                              { "isController", NSNumber::numberWithBool(true) }, { "label", ns("igTarvo") } }) } }),
        at("/Library/PreferenceLoader/Preferences/igTarvoSettings.plist"), PropertyListFormat::XML);
}

} // namespace

std::string sourceDirectory()
{
#ifdef IGTARVO_SOURCE_DIR
    return IGTARVO_SOURCE_DIR;
#else
    return ".";
#endif
}

std::string buildDirectory()
{
#ifdef IGTARVO_BUILD_DIR
    return IGTARVO_BUILD_DIR;
#else
    return "build";
#endif
}

bool deviceExists(const std::string& root)
{
    return fs::exists(fs::path(root) / fs::path(kDeviceSettingsPath).relative_path());
}

DeviceResult createDevice(const std::string& rootPath, const DeviceOptions& options)
{
    fs::path root = rootPath;
    std::error_code ec;
    if (fs::exists(root, ec) && !(fs::is_directory(root, ec) && fs::is_empty(root, ec))) {
        return { false, deviceExists(rootPath)
                ? "a device already exists at " + rootPath + "; nothing was changed"
                : rootPath + " is not empty; a device is made only in a new or empty folder" };
    }
    auto at = [&](const std::string& devicePath) { return root / fs::path(devicePath).relative_path(); };
    fs::path build = buildDirectory();
    try {
        fs::create_directories(root);
        for (const char* dir : { "/etc/igtarvo", "/System/Library/CoreServices" })
            fs::create_directories(at(dir));

        // The platform.
        double foundation = options.iOS8 ? 1144.17 : 1241.14;
        writePropertyListFile(dict({ { "ProductName", ns("iPhone OS") },
                                  { "ProductVersion", ns(options.iOS8 ? "8.4.1" : "9.3.5") },
                                  { "FoundationVersionNumber", NSNumber::numberWithDouble(foundation) } }),
            at(kSystemVersionPath), PropertyListFormat::XML);

        // Instagram: its bundle and its data container.
        std::string bundleDir = "/var/containers/Bundle/Application/" + makeUUID() + "/Instagram.app";
        std::string dataDir = "/var/mobile/Containers/Data/Application/" + makeUUID();
        fs::create_directories(at(bundleDir));
        writePropertyListFile(dict({ { "CFBundleIdentifier", ns(kInstagramBundleId) },
                                  { "CFBundleExecutable", ns("Instagram") },
                                  { "CFBundleDisplayName", ns("Instagram") },
                                  { "CFBundleVersion", ns(options.instagramBuild) },
                                  { "CFBundleShortVersionString", ns(options.instagramVersion) },
                                  { "CFBundleURLTypes", NSArray::create({ dict({ { "CFBundleURLName", ns(kInstagramBundleId) },
                                                            { "CFBundleURLSchemes", NSArray::create({ ns("instagram") }) } }) }) } }),
            at(bundleDir + "/Info.plist"), PropertyListFormat::XML);
        link(build / "bin/Instagram", at(bundleDir + "/Instagram"));
        // Instagram's own pictures that the system shows: the feed layout icons.
        static const std::string kIcon("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00\x00\x02\x00\x00\x00\x02\x08\x06\x00\x00\x00\x72\xb6\x0d\x24\x00\x00\x00\x10IDATx\x9c\x63\x60\x60\xf8\xff\x1f\x82\xa1\x0c\x00\x3f\xd2\x07\xf9\xb4\x12\x4f\xcd\x00\x00\x00\x00IEND\xae\x42\x60\x82", 73);
        for (const char* icon : { "feedtoggle-grid-icon", "feedtoggle-list-icon" })
            writeText(at(bundleDir + "/" + icon + ".png"), kIcon);

        fs::path data = at(dataDir);
        for (const char* d : { "Documents", "Library/Preferences", "Library/Caches", "StoreKit", "tmp" })
            fs::create_directories(data / d);
        writeText(data / "Documents/feed-cache.db", "feed cache of the signed-in account\n");
        writePropertyListFile(dict({ { "itemName", ns("Instagram") }, { "softwareVersionBundleId", ns(kInstagramBundleId) } }).get(),
            (data / "iTunesMetadata.plist").string(), PropertyListFormat::XML);
        writeText(data / "iTunesArtwork", "PNG artwork\n");
        writePropertyListFile(dict({ { "MCMMetadataIdentifier", ns(kInstagramBundleId) } }).get(),
            (data / ".com.apple.mobile_container_manager.metadata.plist").string(), PropertyListFormat::XML);
        writePropertyListFile(dict({ { "last-user", ns("signed-in") } }).get(),
            (data / "Library/Preferences/com.burbn.instagram.plist").string(), PropertyListFormat::Binary);

        // The system's programs.
        link(build / "bin/SpringBoard", at("/System/Library/CoreServices/SpringBoard.app/SpringBoard"));
        link(build / "bin/itunesstored", at("/System/Library/PrivateFrameworks/iTunesStore.framework/Support/itunesstored"));
        fs::create_directories(at("/usr/bin"));
        fs::create_directories(at("/var/log"));
        if (options.shortcutItems && !options.iOS8)
            writeText(at("/usr/lib/libShortcutItems.dylib"), "shortcut-item library\n");
        writeText(at("/usr/bin/launchctl"), kLaunchctlProgram);
        fs::permissions(at("/usr/bin/launchctl"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

        // The system's own files: the injected library, its filter, the
        // account library and the folders the system reads or writes.
        link(build / "lib/libigTarvo.so", at(std::string(kInjectionDir) + "/igTarvo.dylib"));
        writePropertyListFile(dict({ { "Filter", dict({ { "Executables", NSArray::create({ ns("Instagram"), ns("SpringBoard"), ns("itunesstored") }) } }) } }).get(),
            at(std::string(kInjectionDir) + "/igTarvo.plist"), PropertyListFormat::XML);
        link(build / "lib/libIGTarvo.so", at("/usr/lib/libIGTarvo.dylib"));
        link(build / "lib/libIGTarvoCore.so", at("/usr/lib/libIGTarvoCore.dylib"));
        fs::create_directories(at(kPreferencesDir));
        // The system's pictures, drawn by the build.
        fs::create_directories(at("/Library/Application Support/igTarvo/igTarvo.bundle"));
        if (fs::is_directory(build / "resources/igTarvo.bundle"))
            fs::copy(build / "resources/igTarvo.bundle", at("/Library/Application Support/igTarvo/igTarvo.bundle"),
                fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        layOutSettingsBundle(at, build);
        link(build / "bin/igTarvoApp", at("/Applications/igTarvoApp.app/igTarvoApp"));
        link(build / "bin/Preferences", at("/Applications/Preferences.app/Preferences"));
        writeText(at("/usr/bin/killall"), kKillallProgram);
        makeExecutable(at("/usr/bin/killall"));
        fs::create_directories(at("/var/mobile/Media/DCIM"));
        fs::create_directories(at("/tmp"));
        // The sample feed that Instagram's feed service serves.
        layOutSampleFeed(at(kSampleFeedDir), build / "resources/feed", double(std::time(nullptr)));

        // The simulator's settings.
        writePropertyListFile(dict({
                                  { kSettingApplications, dict({ { kInstagramBundleId, dict({ { "BundlePath", ns(bundleDir) }, { "DataContainer", ns(dataDir) } }) } }) },
                                  { kSettingProcessesAnswerStop, NSNumber::numberWithBool(!options.iOS8) },
                                  { kSettingActivatorInstalled, NSNumber::numberWithBool(options.iOS8) },
                                  { kSettingVersionServiceURL, ns("http://127.0.0.1:8642/igversion.json") },
                                  { kSettingMakerPageURL, ns("https://igtarvo.example/more") },
                              }),
            at(kDeviceSettingsPath), PropertyListFormat::XML);
    } catch (const std::exception& e) {
        return { false, std::string("could not lay out the device: ") + e.what() };
    }
    return { true, {} };
}

namespace {
std::string applicationPath(const char* key)
{
    auto apps = Device::setting(kSettingApplications);
    if (!objc::object_isKindOfClass(apps, NSDictionary::staticClass()))
        return {};
    auto app = static_cast<NSDictionary*>(apps.get())->get(kInstagramBundleId);
    if (!objc::object_isKindOfClass(app, NSDictionary::staticClass()))
        return {};
    auto value = static_cast<NSDictionary*>(app.get())->get(key);
    return isString(value) ? Device::path(str(value)) : std::string();
}
}

std::string instagramDataContainer() { return applicationPath("DataContainer"); }
std::string instagramBundlePath() { return applicationPath("BundlePath"); }

std::string hostProgramPath(const std::string& processName)
{
    if (processName == "Instagram") {
        std::string bundle = instagramBundlePath();
        return bundle.empty() ? std::string() : bundle + "/Instagram";
    }
    if (processName == "SpringBoard")
        return Device::path("/System/Library/CoreServices/SpringBoard.app/SpringBoard");
    if (processName == "itunesstored")
        return Device::path("/System/Library/PrivateFrameworks/iTunesStore.framework/Support/itunesstored");
    if (processName == "Preferences")
        return Device::path("/Applications/Preferences.app/Preferences");
    if (processName == "igTarvoApp")
        return Device::path("/Applications/igTarvoApp.app/igTarvoApp");
    return {};
}

} // namespace igtarvo::simulator
