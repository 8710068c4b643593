// The preference calls over a domain file holding any bytes: reading answers
// the file's dictionary or nothing, never a crash; a write keeps every other
// key a readable file had, and sets aside a file it could not read instead of
// overwriting it.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr const char* kDomain = "com.example.fuzz";
constexpr const char* kUser = kCFPreferencesCurrentUser;
constexpr const char* kHost = kCFPreferencesAnyHost;
constexpr const char* kWrittenKey = "written by the fuzzer";

const std::string& domainFile()
{
    static const std::string file = [] {
        char pattern[] = "/tmp/igtarvo-fuzz-prefs-XXXXXX";
        std::string root = ::mkdtemp(pattern);
        Device::setRoot(root);
        std::string path = Device::path(preferencesDevicePath(kDomain));
        fs::create_directories(fs::path(path).parent_path());
        std::atexit([] { std::error_code ec; fs::remove_all(Device::root(), ec); });
        return path;
    }();
    return file;
}

// Compared by their encoding, so that a kept NaN counts as kept; dates to
// the microsecond, the precision the property-list library keeps them to
// (it reads the microseconds back truncated, so one may be lost).
bool sameValue(Object* a, Object* b)
{
    if (!a || !b)
        return false;
    auto* dateA = objc::dynamicCast<NSDate>(a);
    auto* dateB = objc::dynamicCast<NSDate>(b);
    if (dateA || dateB)
        return dateA && dateB && std::fabs(dateA->timeIntervalSince1970() - dateB->timeIntervalSince1970()) <= 2e-6;
    auto* arrayA = objc::dynamicCast<NSArray>(a);
    auto* arrayB = objc::dynamicCast<NSArray>(b);
    if (arrayA && arrayB) {
        if (arrayA->count() != arrayB->count())
            return false;
        for (unsigned long i = 0; i < arrayA->count(); ++i) {
            if (!sameValue(arrayA->items()[i].get(), arrayB->items()[i].get()))
                return false;
        }
        return true;
    }
    auto* dictionaryA = objc::dynamicCast<NSDictionary>(a);
    auto* dictionaryB = objc::dynamicCast<NSDictionary>(b);
    if (dictionaryA && dictionaryB) {
        if (dictionaryA->count() != dictionaryB->count())
            return false;
        for (auto& [key, value] : dictionaryA->entries()) {
            if (!sameValue(value.get(), dictionaryB->get(key).get()))
                return false;
        }
        return true;
    }
    return dataFromPropertyList(a, PropertyListFormat::Binary) == dataFromPropertyList(b, PropertyListFormat::Binary);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& file = domainFile();
    std::error_code ec;
    fs::remove(file + ".unreadable", ec);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    auto before = readPropertyListFile(file);
    bool readable = size == 0 || objc::object_isKindOfClass(before, NSDictionary::staticClass());

    FUZZ_CHECK(CFPreferencesAppSynchronize(kDomain) == readable);
    auto keys = CFPreferencesCopyKeyList(kDomain, kUser, kHost);
    auto all = CFPreferencesCopyMultiple(nullptr, kDomain, kUser, kHost);
    FUZZ_CHECK((keys ? keys->count() : 0) == all->entries().size());
    if (keys) {
        for (auto& key : keys->items())
            FUZZ_CHECK(CFPreferencesCopyAppValue(str(key.get()), kDomain));
    }

    FUZZ_CHECK(CFPreferencesSetAppValue(kWrittenKey, ns("value").get(), kDomain));
    FUZZ_CHECK(str(CFPreferencesCopyAppValue(kWrittenKey, kDomain)) == "value");
    auto after = CFPreferencesCopyMultiple(nullptr, kDomain, kUser, kHost);
    for (auto& [key, value] : all->entries()) {
        if (key == kWrittenKey || sameValue(after->get(key).get(), value.get()))
            continue;
        auto was = dataFromPropertyList(value.get(), PropertyListFormat::XML);
        auto now = dataFromPropertyList(after->get(key).get(), PropertyListFormat::XML);
        std::fprintf(stderr, "the value of \"%s\" changed from\n%.*s\nto\n%.*s\n", key.c_str(), int(was ? was->size() : 0),
            was ? reinterpret_cast<const char*>(was->data()) : "", int(now ? now->size() : 0), now ? reinterpret_cast<const char*>(now->data()) : "");
        FUZZ_CHECK(!"a write kept every other key");
    }
    FUZZ_CHECK(readable != fs::exists(file + ".unreadable"));
    return 0;
}
