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
RefPtr<NSString> bundleIdentifier(id application)
{
    if (!objc::respondsTo(application, "bundleIdentifier"))
        return nullptr;
    return stringAnswer(objc::send<RefPtr<Object>>(application, "bundleIdentifier"));
}

// The application object's dataContainerPath (absolute).
RefPtr<NSString> dataContainerPath(id application)
{
    if (!objc::respondsTo(application, "dataContainerPath"))
        return nullptr;
    return stringAnswer(objc::send<RefPtr<Object>>(application, "dataContainerPath"));
}

// The application object's isRunning.
bool isRunning(id application)
{
    return objc::respondsTo(application, "isRunning") && objc::send<bool>(application, "isRunning");
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
    if (!objc::respondsTo(process, "killForReason:andReport:withDescription:"))
        return;
    auto text = platform::ns(description);
    objc::send<void(long, bool, id)>(process, "killForReason:andReport:withDescription:", reason, report, text.get());
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
    if (!objc::respondsTo(icon, "application"))
        return {};
    auto application = objc::send<RefPtr<Object>>(icon, "application");
    auto identifier = bundleIdentifier(application);
    return identifier ? identifier->str() : std::string();
}

// An icon view's icon's applicationBundleID ("" when it has none).
std::string iconViewApplicationBundleIdentifier(id iconView)
{
    if (!objc::respondsTo(iconView, "icon"))
        return {};
    auto icon = objc::send<RefPtr<Object>>(iconView, "icon");
    if (!objc::respondsTo(icon, "applicationBundleID"))
        return {};
    return platform::str(objc::send<RefPtr<Object>>(icon, "applicationBundleID"));
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
    if (objc::respondsTo(iconView, "_updateLabel"))
        objc::send<void>(iconView, "_updateLabel");
}

// SBUIController's sharedInstance's window.
RefPtr<Object> systemWindow()
{
    Class cls = hostClass("SBUIController");
    if (!objc::respondsTo(cls, "sharedInstance"))
        return nullptr;
    auto controller = objc::send<RefPtr<Object>>(cls, "sharedInstance");
    return objc::respondsTo(controller, "window") ? objc::send<RefPtr<Object>>(controller, "window") : nullptr;
}

// The application object's bundleVersion.
RefPtr<NSString> bundleVersion(id application)
{
    if (!objc::respondsTo(application, "bundleVersion"))
        return nullptr;
    return stringAnswer(objc::send<RefPtr<Object>>(application, "bundleVersion"));
}

// The application object's bundle's info dictionary value for key.
RefPtr<Object> bundleInfoValue(id application, const std::string& key)
{
    if (!objc::respondsTo(application, "bundle"))
        return nullptr;
    auto bundle = objc::send<RefPtr<Object>>(application, "bundle");
    if (!objc::respondsTo(bundle, "infoDictionary"))
        return nullptr;
    auto info = objc::send<RefPtr<Object>>(bundle, "infoDictionary");
    if (!objc::object_isKindOfClass(info, platform::NSDictionary::staticClass()))
        return nullptr;
    return static_cast<platform::NSDictionary*>(info.get())->get(key);
}

// SpringBoard's application object's launchApplicationWithIdentifier:suspended:.
void launchApplication(const std::string& bundleIdentifier, bool suspended)
{
    Class applicationClass = hostClass("UIApplication");
    if (!objc::respondsTo(applicationClass, "sharedApplication"))
        return;
    auto application = objc::send<RefPtr<Object>>(applicationClass, "sharedApplication");
    if (!objc::respondsTo(application, "launchApplicationWithIdentifier:suspended:"))
        return;
    auto identifier = platform::ns(bundleIdentifier);
    objc::send<bool(id, bool)>(application, "launchApplicationWithIdentifier:suspended:", identifier.get(), suspended);
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
    Class cls = hostClass("LAActivator");
    return objc::respondsTo(cls, "sharedInstance") ? objc::send<RefPtr<Object>>(cls, "sharedInstance") : nullptr;
}

bool activatorHasListener(id activator, const std::string& name)
{
    auto text = platform::ns(name);
    return objc::respondsTo(activator, "hasListenerWithName:") && objc::send<bool(id)>(activator, "hasListenerWithName:", text.get());
}

void activatorRegisterListener(id activator, id listener, const std::string& name)
{
    auto text = platform::ns(name);
    if (objc::respondsTo(activator, "registerListener:forName:"))
        objc::send<void(id, id)>(activator, "registerListener:forName:", listener, text.get());
}

// LAEvent's eventWithName:, or nil.
RefPtr<Object> activatorEvent(const std::string& eventName)
{
    Class cls = hostClass("LAEvent");
    auto text = platform::ns(eventName);
    return objc::respondsTo(cls, "eventWithName:") ? objc::send<RefPtr<Object>(id)>(cls, "eventWithName:", text.get()) : nullptr;
}

void activatorAssignEvent(id activator, const std::string& eventName, const std::string& listenerName)
{
    auto event = activatorEvent(eventName);
    auto name = platform::ns(listenerName);
    if (event && objc::respondsTo(activator, "assignEvent:toListenerWithName:"))
        objc::send<void(id, id)>(activator, "assignEvent:toListenerWithName:", event.get(), name.get());
}

void activatorSendEvent(id activator, id event, const std::string& listenerName)
{
    auto name = platform::ns(listenerName);
    if (objc::respondsTo(activator, "sendEvent:toListenerWithName:"))
        objc::send<void(id, id)>(activator, "sendEvent:toListenerWithName:", event, name.get());
}

// An event's userInfo (nil when it has none).
RefPtr<platform::NSDictionary> eventUserInfo(id event)
{
    if (!objc::respondsTo(event, "userInfo"))
        return nullptr;
    auto info = objc::send<RefPtr<Object>>(event, "userInfo");
    return objc::dynamicCast<platform::NSDictionary>(info);
}

void setEventUserInfo(id event, platform::NSDictionary* info)
{
    if (objc::respondsTo(event, "setUserInfo:"))
        objc::send<void(id)>(event, "setUserInfo:", info);
}

void setEventHandled(id event, bool handled)
{
    if (objc::respondsTo(event, "setHandled:"))
        objc::send<void(bool)>(event, "setHandled:", handled);
}

// The shortcut-item library ------------------------------------------------

// LSIManager's sharedManager, or nil without the library.
RefPtr<Object> shortcutManager()
{
    Class cls = hostClass("LSIManager");
    return objc::respondsTo(cls, "sharedManager") ? objc::send<RefPtr<Object>>(cls, "sharedManager") : nullptr;
}

bool shortcutManagerRunsInsideSpringBoard(id manager)
{
    return objc::respondsTo(manager, "isRunningInsideSpringBoard") && objc::send<bool>(manager, "isRunningInsideSpringBoard");
}

// LSIApplicationShortcutItem's newShortcutItemType:title:subtitle:iconType:.
RefPtr<Object> newShortcutItem(const std::string& type, const std::string& title, const std::string& subtitle, long iconType)
{
    Class cls = hostClass("LSIApplicationShortcutItem");
    if (!objc::respondsTo(cls, "newShortcutItemType:title:subtitle:iconType:"))
        return nullptr;
    auto t = platform::ns(type), ti = platform::ns(title), s = platform::ns(subtitle);
    return objc::send<RefPtr<Object>(id, id, id, long)>(cls, "newShortcutItemType:title:subtitle:iconType:", t.get(), ti.get(), s.get(), iconType);
}

using ShortcutCallbackBlock = std::function<void(id item)>;

// Wraps the block with LSICallback's callbackWithBlock: and sets it on the item.
void setShortcutCallback(id item, ShortcutCallbackBlock block)
{
    Class cls = hostClass("LSICallback");
    if (!objc::respondsTo(cls, "callbackWithBlock:") || !objc::respondsTo(item, "setCallback:"))
        return;
    auto callback = objc::send<RefPtr<Object>(ShortcutCallbackBlock)>(cls, "callbackWithBlock:", std::move(block));
    objc::send<void(id)>(item, "setCallback:", callback.get());
}

void addShortcutItem(id manager, id item, const std::string& applicationID)
{
    auto identifier = platform::ns(applicationID);
    if (item && objc::respondsTo(manager, "addShortcutItem:toApplicationID:"))
        objc::send<void(id, id)>(manager, "addShortcutItem:toApplicationID:", item, identifier.get());
}

} // namespace igtarvo::springboard
