// igtarvo device create [--ios8] | device info [--json] | device set KEY VALUE |
// device sample-feed

#include "apps/igtarvo/Command.h"
#include "apps/simulator/DeviceLayout.h"
#include "apps/simulator/SampleFeed.h"
#include "platform/foundation/Device.h"

#include <cstdio>
#include <ctime>

using namespace igtarvo::cli;
using namespace igtarvo::simulator;
using platform::Device;

namespace {

int deviceCommand(const Invocation& inv)
{
    if (inv.args.empty())
        return fail("device: say 'create' or 'info'");
    const std::string& verb = inv.args[0];
    if (verb == "create") {
        DeviceOptions options;
        for (size_t i = 1; i < inv.args.size(); ++i) {
            if (inv.args[i] == "--ios8")
                options.iOS8 = true;
            else if (inv.args[i] == "--ios9")
                options.iOS8 = false;
            else
                return fail("device create: unknown option '" + inv.args[i] + "'");
        }
        auto result = createDevice(inv.root, options);
        if (!result.ok)
            return fail(result.error);
        std::printf("created a simulated device (%s) at %s\n", options.iOS8 ? "iOS 8" : "iOS 9", inv.root.c_str());
        return 0;
    }
    if (verb == "info") {
        bool json = inv.args.size() > 1 && inv.args[1] == "--json";
        if (!deviceExists(inv.root))
            return fail("no device at " + inv.root + " (make one with 'igtarvo device create')");
        std::string container = instagramDataContainer();
        std::string accounts = Device::path(kAccountsDir);
        std::string prefs = Device::path("/var/mobile/Library/Preferences/com.zr4.igtarvo.plist");
        double foundation = Device::foundationVersionNumber();
        if (json) {
            std::printf("{\"root\": %s, \"dataContainer\": %s, \"accountsDir\": %s, \"preferencesFile\": %s, "
                        "\"bundlePath\": %s, \"foundationVersionNumber\": %.2f}\n",
                jsonString(inv.root).c_str(), jsonString(container).c_str(), jsonString(accounts).c_str(),
                jsonString(prefs).c_str(), jsonString(instagramBundlePath()).c_str(), foundation);
        } else {
            std::printf("root:              %s\ndata container:    %s\naccounts:          %s\npreferences file:  %s\nplatform:          %s (foundation %.2f)\n",
                inv.root.c_str(), container.c_str(), accounts.c_str(), prefs.c_str(),
                foundation >= platform::NSFoundationVersionNumber_iOS_9_0 ? "iOS 9" : "iOS 8", foundation);
        }
        return 0;
    }
    if (verb == "set") {
        if (inv.args.size() != 3)
            return fail("device set: say KEY and VALUE");
        if (!deviceExists(inv.root))
            return fail("no device at " + inv.root);
        const std::string& value = inv.args[2];
        objc::RefPtr<objc::Object> object;
        if (value == "true" || value == "false")
            object = platform::NSNumber::numberWithBool(value == "true");
        else
            object = platform::ns(value);
        if (!Device::setSetting(inv.args[1], object.get()))
            return fail("device set: could not write the device's settings");
        return 0;
    }
    if (verb == "sample-feed") {
        if (inv.args.size() != 1)
            return fail("device sample-feed: takes no arguments");
        if (!deviceExists(inv.root))
            return fail("no device at " + inv.root + " (make one with 'igtarvo device create')");
        try {
            layOutSampleFeed(Device::path(kSampleFeedDir), buildDirectory() + "/resources/feed", double(std::time(nullptr)));
        } catch (const std::exception& e) {
            return fail(std::string("device sample-feed: ") + e.what());
        }
        std::printf("laid out the sample feed at %s\n", kSampleFeedDir);
        return 0;
    }
    return fail("device: unknown verb '" + verb + "'");
}

}

IGTARVO_COMMAND("device", "  device create [--ios8]     lay out a fresh simulated device (refuses over an existing one)\n  device info [--json]       where the device keeps its files\n  device set KEY VALUE       change a setting of the device (true/false, or text)\n  device sample-feed         lay the sample feed out again (posts taken shortly before now)", deviceCommand);
