#include "core/SpringBoardSurface.h"
#include "core/HostMessages.h"
#include "platform/loader/HostSymbols.h"

namespace igtarvo::springboard {

namespace {

RefPtr<NSString> stringAnswer(RefPtr<Object> answer)
{
    return platform::isString(answer) ? RefPtr<NSString>(static_cast<NSString*>(answer.get())) : nullptr;
}

} // namespace

// The class "SBApplicationController", or nullptr.
Class applicationControllerClass()
{
    return hostClass("SBApplicationController");
}

// The class "FBApplicationProcess", or nullptr.
Class applicationProcessClass()
{
    return hostClass("FBApplicationProcess");
}

// SBApplicationController's sharedInstance's applicationWithBundleIdentifier:.
RefPtr<Object> applicationWithBundleIdentifier(const std::string& bundleIdentifier)
{
    auto controller = ask<RefPtr<Object>>(applicationControllerClass(), "sharedInstance");
    auto identifier = platform::ns(bundleIdentifier);
    return ask<RefPtr<Object>>(controller, "applicationWithBundleIdentifier:", static_cast<id>(identifier.get()));
}

// The application object's bundleIdentifier.
RefPtr<NSString> bundleIdentifier(id application)
{
    return stringAnswer(ask<RefPtr<Object>>(application, "bundleIdentifier"));
}

// The application object's dataContainerPath (absolute).
RefPtr<NSString> dataContainerPath(id application)
{
    return stringAnswer(ask<RefPtr<Object>>(application, "dataContainerPath"));
}

// The application object's isRunning.
bool isRunning(id application)
{
    return ask<bool>(application, "isRunning");
}

// The process object held in the application object's private field "_process".
RefPtr<Object> applicationProcess(id application)
{
    if (!application)
        return nullptr;
    objc::Ivar field = objc::class_getInstanceVariable(objc::object_getClass(application), "_process");
    return field ? objc::object_getIvar(application, field) : nullptr;
}

// Whether instances of FBApplicationProcess answer `stop` (FrontBoard's way
// of ending processes is then the one to use).
bool applicationProcessesAnswerStop()
{
    Class cls = applicationProcessClass();
    return cls && objc::class_respondsToSelector(cls, objc::sel_registerName("stop"));
}

// FBApplicationProcess's killForReason:andReport:withDescription:.
void killApplicationProcess(id process, long reason, bool report, const std::string& description)
{
    auto text = platform::ns(description);
    ask<void>(process, "killForReason:andReport:withDescription:", reason, report, static_cast<id>(text.get()));
}

// BackBoardServices' BKSTerminateApplicationForReasonAndReportWithDescription,
// found by name in the host.
void terminateApplication(NSString* bundleIdentifier, int reason, bool report, const std::string& description)
{
    auto function = reinterpret_cast<TerminateApplicationFunction>(
        platform::lookUpHostSymbol("BKSTerminateApplicationForReasonAndReportWithDescription"));
    if (!function)
        return;
    auto text = platform::ns(description);
    function(bundleIdentifier, reason, report, text.get());
}

// --- The home screen, its windows and the optional components -------------

// An application icon's application's bundle identifier ("" when it has none).
std::string iconApplicationBundleIdentifier(id icon)
{
    auto application = ask<RefPtr<Object>>(icon, "application");
    auto identifier = bundleIdentifier(application.get());
    return identifier ? identifier->str() : std::string();
}

// An icon view's icon's applicationBundleID ("" when it has none).
std::string iconViewApplicationBundleIdentifier(id iconView)
{
    auto icon = ask<RefPtr<Object>>(iconView, "icon");
    return platform::str(ask<RefPtr<Object>>(icon, "applicationBundleID"));
}

// Whether the object is an SBIconView.
bool isIconView(id view)
{
    Class cls = hostClass("SBIconView");
    return cls && objc::object_isKindOfClass(view, cls);
}

// Redraws an icon view's label (_updateLabel).
void updateIconLabel(id iconView)
{
    ask<void>(iconView, "_updateLabel");
}

// SBUIController's sharedInstance's window.
RefPtr<Object> systemWindow()
{
    auto controller = ask<RefPtr<Object>>(hostClass("SBUIController"), "sharedInstance");
    return ask<RefPtr<Object>>(controller, "window");
}

// The application object's bundleVersion.
RefPtr<NSString> bundleVersion(id application)
{
    return stringAnswer(ask<RefPtr<Object>>(application, "bundleVersion"));
}

// The application object's bundle's info dictionary value for key.
RefPtr<Object> bundleInfoValue(id application, const std::string& key)
{
    auto bundle = ask<RefPtr<Object>>(application, "bundle");
    auto info = objc::dynamicCast<platform::NSDictionary>(ask<RefPtr<Object>>(bundle, "infoDictionary"));
    return info ? info->get(key) : nullptr;
}

// SpringBoard's application object's launchApplicationWithIdentifier:suspended:.
void launchApplication(const std::string& bundleIdentifier, bool suspended)
{
    auto application = ask<RefPtr<Object>>(hostClass("UIApplication"), "sharedApplication");
    auto identifier = platform::ns(bundleIdentifier);
    ask<bool>(application, "launchApplicationWithIdentifier:suspended:", static_cast<id>(identifier.get()), suspended);
}

// FBSystemGestureManager's addGestureRecognizer:toDisplay: with the main
// screen's fbsDisplay; nothing where FrontBoard is missing.
void addSystemGestureRecognizer(id recognizer)
{
    auto shared = ask<RefPtr<Object>>(hostClass("FBSystemGestureManager"), "sharedInstance");
    auto screen = ask<RefPtr<Object>>(hostClass("UIScreen"), "mainScreen");
    auto display = ask<RefPtr<Object>>(screen, "fbsDisplay");
    if (display)
        ask<void>(shared, "addGestureRecognizer:toDisplay:", recognizer, static_cast<id>(display.get()));
}

// Activator: LAActivator's sharedInstance, or nil where Activator is not installed.
RefPtr<Object> activator()
{
    return ask<RefPtr<Object>>(hostClass("LAActivator"), "sharedInstance");
}

bool activatorHasListener(id activator, const std::string& name)
{
    auto text = platform::ns(name);
    return ask<bool>(activator, "hasListenerWithName:", static_cast<id>(text.get()));
}

void activatorRegisterListener(id activator, id listener, const std::string& name)
{
    auto text = platform::ns(name);
    ask<void>(activator, "registerListener:forName:", listener, static_cast<id>(text.get()));
}

// LAEvent's eventWithName:, or nil.
RefPtr<Object> activatorEvent(const std::string& eventName)
{
    auto text = platform::ns(eventName);
    return ask<RefPtr<Object>>(hostClass("LAEvent"), "eventWithName:", static_cast<id>(text.get()));
}

void activatorAssignEvent(id activator, const std::string& eventName, const std::string& listenerName)
{
    auto event = activatorEvent(eventName);
    auto name = platform::ns(listenerName);
    if (event)
        ask<void>(activator, "assignEvent:toListenerWithName:", static_cast<id>(event.get()), static_cast<id>(name.get()));
}

void activatorSendEvent(id activator, id event, const std::string& listenerName)
{
    auto name = platform::ns(listenerName);
    ask<void>(activator, "sendEvent:toListenerWithName:", event, static_cast<id>(name.get()));
}

// An event's userInfo (nil when it has none).
RefPtr<platform::NSDictionary> eventUserInfo(id event)
{
    return objc::dynamicCast<platform::NSDictionary>(ask<RefPtr<Object>>(event, "userInfo"));
}

void setEventUserInfo(id event, platform::NSDictionary* info)
{
    ask<void>(event, "setUserInfo:", static_cast<id>(info));
}

void setEventHandled(id event, bool handled)
{
    ask<void>(event, "setHandled:", handled);
}

// The shortcut-item library ------------------------------------------------

// LSIManager's sharedManager, or nil without the library.
RefPtr<Object> shortcutManager()
{
    return ask<RefPtr<Object>>(hostClass("LSIManager"), "sharedManager");
}

bool shortcutManagerRunsInsideSpringBoard(id manager)
{
    return ask<bool>(manager, "isRunningInsideSpringBoard");
}

// LSIApplicationShortcutItem's newShortcutItemType:title:subtitle:iconType:.
RefPtr<Object> newShortcutItem(const std::string& type, const std::string& title, const std::string& subtitle, long iconType)
{
    auto t = platform::ns(type), ti = platform::ns(title), s = platform::ns(subtitle);
    return ask<RefPtr<Object>>(hostClass("LSIApplicationShortcutItem"), "newShortcutItemType:title:subtitle:iconType:",
        static_cast<id>(t.get()), static_cast<id>(ti.get()), static_cast<id>(s.get()), iconType);
}

using ShortcutCallbackBlock = std::function<void(id item)>;

// Wraps the block with LSICallback's callbackWithBlock: and sets it on the item.
void setShortcutCallback(id item, ShortcutCallbackBlock block)
{
    if (!objc::respondsTo(item, "setCallback:"))
        return;
    auto callback = ask<RefPtr<Object>>(hostClass("LSICallback"), "callbackWithBlock:", std::move(block));
    if (callback)
        ask<void>(item, "setCallback:", static_cast<id>(callback.get()));
}

void addShortcutItem(id manager, id item, const std::string& applicationID)
{
    auto identifier = platform::ns(applicationID);
    if (item)
        ask<void>(manager, "addShortcutItem:toApplicationID:", item, static_cast<id>(identifier.get()));
}

} // namespace igtarvo::springboard
