// igtarvo settings list [--json] | settings set KEY VALUE
//
// The preference domain "com.zr4.igtarvo" as people see it. A write goes
// through the preference calls and then posts the settings' change
// notification, so that running processes pick it up at once.

#include "accounts/TarvoManager.h"
#include "apps/igtarvo/Command.h"
#include "apps/simulator/DeviceLayout.h"
#include "core/Notifications.h"
#include "platform/foundation/Preferences.h"
#include "platform/notify/DarwinNotify.h"

#include <cmath>
#include <cstdio>

using namespace igtarvo::cli;
using namespace platform;

namespace {

constexpr const char* kDomain = igtarvo::kTarvoPreferencesDomain;

std::string base64(const std::vector<uint8_t>& bytes)
{
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        uint32_t v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        for (int s = 18; s >= 0; s -= 6)
            out += alphabet[(v >> s) & 63];
    }
    if (size_t rest = bytes.size() - i) {
        uint32_t v = (bytes[i] << 16) | (rest == 2 ? bytes[i + 1] << 8 : 0);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += rest == 2 ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string numberText(NSNumber* number)
{
    switch (number->kind()) {
    case NSNumber::Kind::Bool:
        return number->boolValue() ? "true" : "false";
    case NSNumber::Kind::Integer:
        return std::to_string(number->integerValue());
    case NSNumber::Kind::Real: {
        double d = number->doubleValue();
        if (!std::isfinite(d))
            return "null";
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", d);
        return buffer;
    }
    }
    return "null";
}

std::string dateText(NSDate* date)
{
    time_t seconds = time_t(std::floor(date->timeIntervalSince1970()));
    tm utc {};
    gmtime_r(&seconds, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buffer;
}

// A value as JSON: dates as ISO 8601 texts, data as Base64 texts.
std::string json(id value)
{
    if (auto* s = objc::object_isKindOfClass(value, NSString::staticClass()) ? static_cast<NSString*>(value) : nullptr)
        return jsonString(s->str());
    if (objc::object_isKindOfClass(value, NSNumber::staticClass()))
        return numberText(static_cast<NSNumber*>(value));
    if (objc::object_isKindOfClass(value, NSDate::staticClass()))
        return jsonString(dateText(static_cast<NSDate*>(value)));
    if (objc::object_isKindOfClass(value, NSData::staticClass()))
        return jsonString(base64(static_cast<NSData*>(value)->bytes()));
    if (objc::object_isKindOfClass(value, NSArray::staticClass())) {
        std::string out = "[";
        for (auto& item : static_cast<NSArray*>(value)->items())
            out += (out.size() > 1 ? ", " : "") + json(item.get());
        return out + "]";
    }
    if (objc::object_isKindOfClass(value, NSDictionary::staticClass())) {
        std::string out = "{";
        for (auto& [key, item] : static_cast<NSDictionary*>(value)->entries())
            out += (out.size() > 1 ? ", " : "") + jsonString(key) + ": " + json(item.get());
        return out + "}";
    }
    return "null";
}

// A value as a person reads it: texts bare, everything else as JSON.
std::string plain(id value)
{
    if (objc::object_isKindOfClass(value, NSString::staticClass()))
        return static_cast<NSString*>(value)->str();
    return json(value);
}

int list(const Invocation& inv)
{
    bool asJSON = false;
    for (size_t i = 1; i < inv.args.size(); ++i) {
        if (inv.args[i] == "--json")
            asJSON = true;
        else
            return fail("settings list: unknown option '" + inv.args[i] + "'");
    }
    if (!CFPreferencesAppSynchronize(kDomain))
        return fail("settings list: " + preferencesDevicePath(kDomain) + " cannot be read (it holds no property-list dictionary)");
    auto values = CFPreferencesCopyMultiple(nullptr, kDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    if (asJSON) {
        std::printf("%s\n", json(values.get()).c_str());
        return 0;
    }
    for (auto& [key, value] : values->entries())
        std::printf("%s = %s\n", key.c_str(), plain(value.get()).c_str());
    return 0;
}

int set(const Invocation& inv)
{
    if (inv.args.size() != 3)
        return fail("settings set: say KEY VALUE");
    const std::string& key = inv.args[1];
    const std::string& text = inv.args[2];
    if (key.empty())
        return fail("settings set: the key is empty");
    if (key == igtarvo::kAccountsKey || key == igtarvo::kCurrentAccountKey)
        return fail("settings set: " + key + " is kept by the account manager (use 'igtarvo accounts')");
    RefPtr<Object> value;
    if (text == "true" || text == "false")
        value = NSNumber::numberWithBool(text == "true");
    else
        value = ns(text);
    if (!CFPreferencesSetValue(key, value.get(), kDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost) || !CFPreferencesAppSynchronize(kDomain))
        return fail("settings set: could not write " + preferencesDevicePath(kDomain));
    notify_post(igtarvo::kSettingsChangedNotification);
    return 0;
}

int settingsCommand(const Invocation& inv)
{
    if (inv.args.empty())
        return fail("settings: say 'list' or 'set'");
    if (!igtarvo::simulator::deviceExists(inv.root))
        return fail("no device at " + inv.root + " (make one with 'igtarvo device create')");
    if (inv.args[0] == "list")
        return list(inv);
    if (inv.args[0] == "set")
        return set(inv);
    return fail("settings: unknown verb '" + inv.args[0] + "' (say 'list' or 'set')");
}

} // namespace

IGTARVO_COMMAND("settings", "  settings list [--json]     the settings' keys and values (--json: one object, booleans as JSON booleans)\n  settings set KEY VALUE     store one setting (true/false, or text) and tell running processes", settingsCommand);
