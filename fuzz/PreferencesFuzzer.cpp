// The preference calls over a domain file holding any bytes: reading answers
// the file's dictionary or nothing, never a crash; a write keeps every other
// key a readable file had, and sets aside a file it could not read instead of
// overwriting it.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"

#include <cstdint>
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

// Compared by their encoding, so that a kept NaN counts as kept.
bool sameValue(Object* a, Object* b)
{
    return a && b && dataFromPropertyList(a, PropertyListFormat::Binary) == dataFromPropertyList(b, PropertyListFormat::Binary);
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

    FUZZ_CHECK(CFPreferencesSetAppValue(kWrittenKey, ns("value"), kDomain));
    FUZZ_CHECK(str(CFPreferencesCopyAppValue(kWrittenKey, kDomain)) == "value");
    auto after = CFPreferencesCopyMultiple(nullptr, kDomain, kUser, kHost);
    for (auto& [key, value] : all->entries()) {
        if (key != kWrittenKey)
            FUZZ_CHECK(sameValue(after->get(key).get(), value.get()));
    }
    FUZZ_CHECK(readable != fs::exists(file + ".unreadable"));
    return 0;
}
