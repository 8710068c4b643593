#pragma once
// The switcher's listener in SpringBoard: owns the one account list screen
// and presents it, in a new navigation controller each time, over the home
// screen, whichever way it was asked for (a gesture library event, a swipe
// on the Instagram icon, the shortcut item, or Instagram's request). When the
// list closes it redraws the icon's label and reopens Instagram when asked.
// Main thread.

#include "switcher/TarvoTableViewController.h"

namespace igtarvo {

// The listener's name in the gesture library, and the event given to it.
inline constexpr const char* kListenerName = "com.zr4.igtarvo";
inline constexpr const char* kIconFlickUpEvent = "libactivator.icon.flick.up";

class TarvoListener : public objc::Object {
    OBJC_CLASS(TarvoListener, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<TarvoListener>&);
    // The shared listener, created on first use.
    static RefPtr<TarvoListener> sharedInstance();
    // Registers the shared listener with the gesture library when it is not
    // registered, and assigns the icon flick-up event to it (every time).
    static void putInPlaceWithActivator();

    RefPtr<TarvoTableViewController> tableViewController() const { return m_tableViewController; }
    RefPtr<Object> iconView() const { return m_iconView; }

    // Shows the account list, remembering the icon view it was opened from
    // (nil for none). While the list is already on screen a new request is
    // ignored: the list is not presented again and the remembered icon view
    // stays the one the list was opened from.
    void presentAccountSwitcherForIconView(id iconView);
    // The list's callback: after each dismissal.
    void accountListDidClose(bool reopenInstagram);
    // Whether the list is on screen now.
    bool isPresentingList() const;

    // The gesture library's entries.
    void receiveEvent(id activator, id event);
    void receiveDeactivateEvent(id activator, id event);
    RefPtr<NSString> localizedGroup(id activator, NSString* listenerName) { return platform::ns("igTarvo"); }
    RefPtr<NSString> localizedTitle(id activator, NSString* listenerName) { return platform::ns("igTarvo"); }
    RefPtr<NSString> localizedDescription(id activator, NSString* listenerName) { return platform::ns("Instagram Account Switcher"); }

    void setUp();

private:
    RefPtr<TarvoTableViewController> m_tableViewController;
    RefPtr<Object> m_iconView;
    RefPtr<Object> m_launchObserver;
};

} // namespace igtarvo
