#include "platform/loader/Injector.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/PropertyList.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace platform {

namespace {

bool filterNames(id filterFile, const std::string& processName)
{
    if (!objc::object_isKindOfClass(filterFile, NSDictionary::staticClass()))
        return false;
    auto filter = static_cast<NSDictionary*>(filterFile)->get("Filter");
    if (!objc::object_isKindOfClass(filter, NSDictionary::staticClass()))
        return false;
    auto executables = static_cast<NSDictionary*>(filter.get())->get("Executables");
    if (!objc::object_isKindOfClass(executables, NSArray::staticClass()))
        return false;
    for (auto& item : static_cast<NSArray*>(executables.get())->items()) {
        if (str(item) == processName)
            return true;
    }
    return false;
}

} // namespace

InjectionReport injectLibraries(const std::string& processName)
{
    namespace fs = std::filesystem;
    InjectionReport report;
    std::error_code ec;
    fs::path dir = Device::path(kInjectionDirectory);
    std::vector<fs::path> filters;
    for (auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() == ".plist")
            filters.push_back(entry.path());
    }
    std::sort(filters.begin(), filters.end()); // a stable load order, by name
    for (auto& filterPath : filters) {
        if (!filterNames(readPropertyListFile(filterPath.string()).get(), processName))
            continue;
        fs::path library = filterPath;
        library.replace_extension(".dylib");
        std::string devicePath = Device::devicePath(library.string());
        if (!dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            const char* why = dlerror();
            report.errors.push_back(devicePath + ": " + (why ? why : "could not be loaded"));
            continue;
        }
        report.loaded.push_back(devicePath);
    }
    return report;
}

} // namespace platform
