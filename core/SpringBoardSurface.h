#pragma once
// SpringBoard's surface: every message the system sends to SpringBoard,
// FrontBoard and BackBoardServices, as typed helpers; nothing else in the
// system names one of their messages. Host classes are looked up by name and
// remembered once found. A missing class, object, method or function answers
// nothing, zero or no.

#include "core/Hooking.h"
#include "platform/foundation/NSValues.h"

#include <functional>
#include <string>

namespace igtarvo::springboard {

using platform::NSString;

// The class "SBApplicationController", or nullptr.
Class applicationControllerClass();

// The class "FBApplicationProcess", or nullptr.
Class applicationProcessClass();

// SBApplicationController's sharedInstance's applicationWithBundleIdentifier:.
RefPtr<Object> applicationWithBundleIdentifier(const std::string& bundleIdentifier);

// The application object's bundleIdentifier.
RefPtr<NSString> bundleIdentifier(id application);

// The application object's dataContainerPath (absolute).
RefPtr<NSString> dataContainerPath(id application);

// The application object's isRunning.
bool isRunning(id application);

// The process object held in the application object's private field "_process".
RefPtr<Object> applicationProcess(id application);

// Whether instances of FBApplicationProcess answer `stop` (FrontBoard's way
// of ending processes is then the one to use).
bool applicationProcessesAnswerStop();

// FBApplicationProcess's killForReason:andReport:withDescription:.
void killApplicationProcess(id process, long reason, bool report, const std::string& description);

// The signature SpringBoard exports BKSTerminateApplicationForReasonAndReportWithDescription with.
using TerminateApplicationFunction = void (*)(NSString* bundleIdentifier, int reason, bool report, NSString* description);

// BackBoardServices' BKSTerminateApplicationForReasonAndReportWithDescription,
// found by name in the host.
void terminateApplication(NSString* bundleIdentifier, int reason, bool report, const std::string& description);

// --- The home screen, its windows and the optional components -------------

// An application icon's application's bundle identifier ("" when it has none).
std::string iconApplicationBundleIdentifier(id icon);

// An icon view's icon's applicationBundleID ("" when it has none).
std::string iconViewApplicationBundleIdentifier(id iconView);

// Whether the object is an SBIconView.
bool isIconView(id view);

// Redraws an icon view's label (_updateLabel).
void updateIconLabel(id iconView);

// SBUIController's sharedInstance's window.
RefPtr<Object> systemWindow();

// The application object's bundleVersion.
RefPtr<NSString> bundleVersion(id application);

// The application object's bundle's info dictionary value for key.
RefPtr<Object> bundleInfoValue(id application, const std::string& key);

// SpringBoard's application object's launchApplicationWithIdentifier:suspended:.
void launchApplication(const std::string& bundleIdentifier, bool suspended);

// FBSystemGestureManager's addGestureRecognizer:toDisplay: with the main
// screen's fbsDisplay; nothing where FrontBoard is missing.
void addSystemGestureRecognizer(id recognizer);

// Activator: LAActivator's sharedInstance, or nil where Activator is not installed.
RefPtr<Object> activator();

bool activatorHasListener(id activator, const std::string& name);

void activatorRegisterListener(id activator, id listener, const std::string& name);

// LAEvent's eventWithName:, or nil.
RefPtr<Object> activatorEvent(const std::string& eventName);

void activatorAssignEvent(id activator, const std::string& eventName, const std::string& listenerName);

void activatorSendEvent(id activator, id event, const std::string& listenerName);

// An event's userInfo (nil when it has none).
RefPtr<platform::NSDictionary> eventUserInfo(id event);

void setEventUserInfo(id event, platform::NSDictionary* info);

void setEventHandled(id event, bool handled);

// The shortcut-item library ------------------------------------------------

// LSIManager's sharedManager, or nil without the library.
RefPtr<Object> shortcutManager();

bool shortcutManagerRunsInsideSpringBoard(id manager);

// LSIApplicationShortcutItem's newShortcutItemType:title:subtitle:iconType:.
RefPtr<Object> newShortcutItem(const std::string& type, const std::string& title, const std::string& subtitle, long iconType);

using ShortcutCallbackBlock = std::function<void(id item)>;

// Wraps the block with LSICallback's callbackWithBlock: and sets it on the item.
void setShortcutCallback(id item, ShortcutCallbackBlock block);

void addShortcutItem(id manager, id item, const std::string& applicationID);

} // namespace igtarvo::springboard
