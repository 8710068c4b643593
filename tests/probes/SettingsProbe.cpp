// A second process for the settings tests: creates the settings reader, says
// "ready KEY=STATE", then prints "changed KEY=STATE" each time the reader
// re-announces a change in this process, until COUNT announcements or 10
// seconds. STATE is YES, NO, or "missing" (the caller's default came back).
//
//   settings_probe ROOT KEY COUNT

#include "core/Notifications.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/notify/NSNotificationCenter.h"
#include "settings/TarvoSettings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string state(const std::string& key)
{
    bool withNo = igtarvo::TarvoSettings::boolForKey(key, false);
    bool withYes = igtarvo::TarvoSettings::boolForKey(key, true);
    if (withNo != withYes)
        return key + "=missing";
    return key + "=" + (withNo ? "YES" : "NO");
}
}

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    using namespace platform;
    Device::setRoot(argv[1]);
    std::string key = argv[2];
    int wanted = std::atoi(argv[3]);
    int announced = 0;
    NSNotificationCenter::defaultCenter()->addObserverForName(ns(igtarvo::kSettingsChangedNotification).get(), nullptr, mainQueue(), [&](NSNotification*) {
        ++announced;
        std::printf("changed %s%s\n", state(key).c_str(), RunLoop::isMainThread() ? "" : " (not on the main thread)");
        std::fflush(stdout);
    });
    std::printf("ready %s\n", state(key).c_str());
    std::fflush(stdout);
    RunLoop::runUntil([&] { return announced >= wanted; }, std::chrono::seconds(10));
    return announced >= wanted ? 0 : 1;
}
