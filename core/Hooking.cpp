#include "core/Hooking.h"

#include <cstring>
#include <map>
#include <string>

namespace igtarvo {

namespace {

InstallOutcome installReplacement(Class cls, Class recordedSuperclass, const HookRow& row)
{
    SEL sel = objc::sel_registerName(row.selector);
    objc::Method method = objc::class_getInstanceMethod(cls, sel);
    if (!method)
        return InstallOutcome::MissingMethod;
    const char* types = objc::method_getTypeEncoding(method);
    // A replacement with another signature would be called with the wrong
    // arguments: the host's method is left in place instead.
    if (std::strcmp(types, row.types) != 0)
        return InstallOutcome::SignatureDiffers;

    row.recordedSuperclass->store(recordedSuperclass, std::memory_order_release);
    if (row.kind == HookRow::Kind::Replaced)
        row.previous->store(row.fallback, std::memory_order_release);
    if (objc::class_addMethod(cls, sel, row.implementation, types))
        return InstallOutcome::Installed;
    // The class defines the method itself. The pointer is valid at every
    // instant: the current implementation first, then what the exchange answers.
    row.previous->store(objc::method_getImplementation(method), std::memory_order_release);
    row.previous->store(objc::method_setImplementation(method, row.implementation), std::memory_order_release);
    return InstallOutcome::Installed;
}

} // namespace

std::vector<InstallOutcome> installHooks(const std::vector<HookRow>& rows)
{
    std::vector<InstallOutcome> outcomes;
    outcomes.reserve(rows.size());
    std::map<std::string, Class> recordedSuperclasses;
    for (const HookRow& row : rows) {
        Class cls = objc::objc_getClass(row.className);
        if (!cls) {
            outcomes.push_back(InstallOutcome::MissingClass);
            continue;
        }
        auto [it, first] = recordedSuperclasses.try_emplace(row.className, nullptr);
        if (first)
            it->second = objc::class_getSuperclass(cls);
        if (row.kind == HookRow::Kind::Added) {
            bool ok = objc::class_addMethod(cls, objc::sel_registerName(row.selector), row.implementation, row.types);
            outcomes.push_back(ok ? InstallOutcome::Installed : InstallOutcome::AlreadyPresent);
        } else {
            outcomes.push_back(installReplacement(cls, it->second, row));
        }
    }
    return outcomes;
}

const char* notInstalledReason(InstallOutcome outcome)
{
    switch (outcome) {
    case InstallOutcome::Installed: return "";
    case InstallOutcome::MissingClass: return "missing class";
    case InstallOutcome::MissingMethod: return "missing method";
    case InstallOutcome::AlreadyPresent: return "the class has its own method";
    case InstallOutcome::SignatureDiffers: return "signature mismatch";
    }
    return "";
}

} // namespace igtarvo
