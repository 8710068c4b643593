#pragma once
// SpringBoard's surface: every message the system sends to SpringBoard,
// FrontBoard and BackBoardServices, as typed helpers; nothing else in the
// system names one of their messages. Host classes are looked up by name and
// remembered once found. A missing class, object, method or function answers
// nothing, zero or no.
//
// The helpers are inline because the account library (libIGTarvo) uses them
// and cannot link the tweak library, which links it.

#include "core/Hooking.h"
#include "platform/foundation/NSValues.h"
#include "platform/loader/HostSymbols.h"

#include <atomic>
#include <string>

namespace igtarvo::springboard {

using platform::NSString;

namespace detail {

inline Class rememberedClass(std::atomic<Class>& slot, const char* name)
{
    Class cls = slot.load(std::memory_order_acquire);
    if (!cls) {
        cls = objc::objc_getClass(name);
        if (cls)
            slot.store(cls, std::memory_order_release);
    }
    return cls;
}

inline RefPtr<NSString> stringAnswer(RefPtr<Object> answer)
{
    return platform::isString(answer) ? RefPtr<NSString>(static_cast<NSString*>(answer.get())) : nullptr;
}

} // namespace detail

// The class "SBApplicationController", or nullptr.
inline Class applicationControllerClass()
{
    static std::atomic<Class> slot { nullptr };
    return detail::rememberedClass(slot, "SBApplicationController");
}

// The class "FBApplicationProcess", or nullptr.
inline Class applicationProcessClass()
{
    static std::atomic<Class> slot { nullptr };
    return detail::rememberedClass(slot, "FBApplicationProcess");
}

// SBApplicationController's sharedInstance's applicationWithBundleIdentifier:.
inline RefPtr<Object> applicationWithBundleIdentifier(const std::string& bundleIdentifier)
{
    Class controllerClass = applicationControllerClass();
    if (!objc::respondsTo(controllerClass, "sharedInstance"))
        return nullptr;
    auto controller = objc::send<RefPtr<Object>>(controllerClass, "sharedInstance");
    if (!objc::respondsTo(controller, "applicationWithBundleIdentifier:"))
        return nullptr;
    auto identifier = platform::ns(bundleIdentifier);
    return objc::send<RefPtr<Object>(id)>(controller, "applicationWithBundleIdentifier:", identifier.get());
}

// The application object's bundleIdentifier.
inline RefPtr<NSString> bundleIdentifier(id application)
{
    if (!objc::respondsTo(application, "bundleIdentifier"))
        return nullptr;
    return detail::stringAnswer(objc::send<RefPtr<Object>>(application, "bundleIdentifier"));
}

// The application object's dataContainerPath (absolute).
inline RefPtr<NSString> dataContainerPath(id application)
{
    if (!objc::respondsTo(application, "dataContainerPath"))
        return nullptr;
    return detail::stringAnswer(objc::send<RefPtr<Object>>(application, "dataContainerPath"));
}

// The application object's isRunning.
inline bool isRunning(id application)
{
    return objc::respondsTo(application, "isRunning") && objc::send<bool>(application, "isRunning");
}

// The process object held in the application object's private field "_process".
inline RefPtr<Object> applicationProcess(id application)
{
    if (!application)
        return nullptr;
    objc::Ivar field = objc::class_getInstanceVariable(objc::object_getClass(application), "_process");
    return field ? objc::object_getIvar(application, field) : nullptr;
}

// Whether instances of FBApplicationProcess answer `stop` (FrontBoard's way
// of ending processes is then the one to use).
inline bool applicationProcessesAnswerStop()
{
    Class cls = applicationProcessClass();
    return cls && objc::class_respondsToSelector(cls, objc::sel_registerName("stop"));
}

// FBApplicationProcess's killForReason:andReport:withDescription:.
inline void killApplicationProcess(id process, long reason, bool report, const std::string& description)
{
    if (!objc::respondsTo(process, "killForReason:andReport:withDescription:"))
        return;
    auto text = platform::ns(description);
    objc::send<void(long, bool, id)>(process, "killForReason:andReport:withDescription:", reason, report, text.get());
}

// The signature SpringBoard exports BKSTerminateApplicationForReasonAndReportWithDescription with.
using TerminateApplicationFunction = void (*)(NSString* bundleIdentifier, int reason, bool report, NSString* description);

// BackBoardServices' BKSTerminateApplicationForReasonAndReportWithDescription,
// found by name in the host.
inline void terminateApplication(NSString* bundleIdentifier, int reason, bool report, const std::string& description)
{
    auto function = reinterpret_cast<TerminateApplicationFunction>(
        platform::lookUpHostSymbol("BKSTerminateApplicationForReasonAndReportWithDescription"));
    if (!function)
        return;
    auto text = platform::ns(description);
    function(bundleIdentifier, reason, report, text.get());
}

} // namespace igtarvo::springboard
