#include "apps/hosts/OpenURLForwarding.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/PropertyList.h"
#include "platform/uikit/UIApplication.h"

#include <cctype>

namespace hosts {

using namespace platform;

namespace {

std::string lowercase(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool declaresScheme(NSDictionary* info, const std::string& scheme)
{
    auto types = info->get("CFBundleURLTypes");
    if (!objc::object_isKindOfClass(types, NSArray::staticClass()))
        return false;
    for (auto& type : static_cast<NSArray*>(types.get())->items()) {
        if (!objc::object_isKindOfClass(type.get(), NSDictionary::staticClass()))
            continue;
        auto schemes = static_cast<NSDictionary*>(type.get())->get("CFBundleURLSchemes");
        if (!objc::object_isKindOfClass(schemes, NSArray::staticClass()))
            continue;
        for (auto& s : static_cast<NSArray*>(schemes.get())->items())
            if (isString(s.get()) && lowercase(str(s.get())) == scheme)
                return true;
    }
    return false;
}

} // namespace

std::string processOpeningScheme(const std::string& scheme)
{
    auto apps = Device::setting(kSettingApplications);
    if (!objc::object_isKindOfClass(apps, NSDictionary::staticClass()))
        return "";
    std::string wanted = lowercase(scheme);
    for (auto& [identifier, entry] : static_cast<NSDictionary*>(apps.get())->entries()) {
        if (!objc::object_isKindOfClass(entry.get(), NSDictionary::staticClass()))
            continue;
        auto bundle = static_cast<NSDictionary*>(entry.get())->get("BundlePath");
        if (!isString(bundle))
            continue;
        auto info = readPropertyListFile(Device::path(str(bundle.get())) + "/Info.plist");
        if (!objc::object_isKindOfClass(info, NSDictionary::staticClass()))
            continue;
        auto* dict = static_cast<NSDictionary*>(info.get());
        auto executable = dict->get("CFBundleExecutable");
        if (isString(executable) && declaresScheme(dict, wanted))
            return str(executable.get());
    }
    return "";
}

void installOpenURLForwarding(const std::string& processName, std::map<std::string, ControlCommand>& commands)
{
    // The receiving end: an address another program opened in this one.
    commands["openurl"] = [](const std::vector<std::string>& args) -> std::string {
        if (args.empty() || args.size() > 2)
            return "error: usage: openurl URL [SOURCE-BUNDLE-ID]\n";
        auto url = NSURL::create(args[0]);
        if (!url || !url->scheme())
            return "error: not an address: " + args[0] + "\n";
        UIApplication::sharedApplication()->deliverOpenURL(url.get(), args.size() > 1 ? ns(args[1]).get() : nullptr, nullptr);
        return "ok\n";
    };
    UIApplication::sharedApplication()->setOpenURLHandler([processName](NSURL* url) {
        std::string target = url->scheme() ? processOpeningScheme(url->scheme()->str()) : "";
        if (target.empty())
            return true; // the system's own (the browser, mail): recorded only
        if (target == processName)
            return false; // declared by this program but not by its own bundle: nowhere to go
        std::string source = UIApplication::bundleIdentifier();
        auto reply = ControlChannel::send(target, "openurl " + url->text() + (source.empty() ? "" : " " + source), 5000);
        return reply && reply->rfind("ok", 0) == 0;
    });
}

} // namespace hosts
