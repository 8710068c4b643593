#pragma once
// Core Foundation's notification centres, as far as the system uses them: the
// Darwin notify centre, which hands Darwin notifications (see DarwinNotify.h)
// to plain C callbacks.
//
//  - Callbacks run on the process's main queue, one delivery per post, in the
//    order the posts arrived.
//  - With CFNotificationSuspensionBehaviorCoalesce, posts that arrive while an
//    earlier delivery to the same observation is still waiting for the main
//    queue are folded into that delivery: a busy (suspended) process sees one.
//  - The Darwin centre carries no object and no user information: callbacks
//    get nil for both, whatever was asked.
// Observations live until removed; adding and removing are safe from any thread.

#include "platform/foundation/NSValues.h"

namespace platform {

class CFNotificationCenter;
using CFNotificationCenterRef = CFNotificationCenter*;
using CFStringRef = NSString*;
using CFDictionaryRef = NSDictionary*;

using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer, CFStringRef name, const void* object, CFDictionaryRef userInfo);

enum CFNotificationSuspensionBehavior {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

// The process's Darwin notify centre.
CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// Subscribes callback to name. A nil name or callback adds nothing.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer, CFNotificationCallback callback,
    CFStringRef name, const void* object, CFNotificationSuspensionBehavior suspensionBehavior);
// Ends every observation of observer for name (every name when nil).
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, CFStringRef name, const void* object);
// Posts name to every subscribed process of the device (object, user
// information and the immediacy flag are not carried).
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, CFStringRef name, const void* object, CFDictionaryRef userInfo, bool deliverImmediately);

} // namespace platform
