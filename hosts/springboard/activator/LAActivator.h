#pragma once
// The gesture library's directory of listeners: listeners register under a
// name, events are assigned to listener names, and an event that happens is
// sent to the listener it is assigned to (activator:receiveEvent:). It runs
// inside SpringBoard only, on the main thread.

#include "hosts/springboard/activator/LAEvent.h"

#include <map>
#include <string>

namespace hosts::springboard {

class LAActivator : public objc::Object {
    OBJC_CLASS(LAActivator, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<LAActivator>&);
    static LAActivator* sharedInstance();

    bool isRunningInsideSpringBoard() const;
    bool hasListenerWithName(NSString* name) const;
    void registerListener(id listener, NSString* name);
    // Makes the listener of that name the one that receives events of this name.
    void assignEvent(LAEvent* event, NSString* listenerName);
    // Sends the event to the named listener (activator:receiveEvent:).
    void sendEvent(LAEvent* event, NSString* listenerName);
    // Sends a deactivation (activator:receiveDeactivateEvent:) to the listener
    // the event is assigned to; answers whether it was handled.
    bool sendDeactivateEvent(LAEvent* event);

    // The listener an event name is assigned to, or "".
    std::string listenerNameForEvent(const std::string& eventName) const;
    // Something happened: sends an event of that name with the user
    // information to the assigned listener; answers whether it was handled.
    bool fireEvent(const std::string& eventName, NSDictionary* userInfo);
    // Watches an icon view for the flick-up gesture: a swipe up on it sends
    // "libactivator.icon.flick.up" with the icon's application and view.
    void watchIconView(objc::Object* iconView);
    void iconFlickedUp(id recognizer);
    // The listener's texts for the settings (group, title, description).
    std::string localizedText(const std::string& listenerName, const char* selector) const;

private:
    std::map<std::string, RefPtr<objc::Object>> m_listeners;
    std::map<std::string, std::string> m_assignments; // event name -> listener name
};

} // namespace hosts::springboard
