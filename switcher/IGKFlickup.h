#pragma once
// The swipe up on the Instagram icon, caught by the system's own gesture
// manager (no gesture library needed). Loaded in every process; only
// SpringBoard has the gesture manager, so only there does it take effect.
// Main thread.

#include "platform/foundation/NSValues.h"
#include "platform/uikit/UIGestureRecognizer.h"

namespace igtarvo {

using objc::id;
using objc::RefPtr;

class IGKFlickup : public objc::Object {
    OBJC_CLASS(IGKFlickup, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<IGKFlickup>&);
    static RefPtr<IGKFlickup> sharedInstance();
    // The class-load handler: sets up the gesture once the application has
    // finished launching.
    static void load();

    RefPtr<platform::UIGestureRecognizer> swipeGestureRecognizer() const { return m_swipe; }
    RefPtr<Object> touchedView() const { return m_touchedView; }

    // Creates the swipe-up recogniser and hands it to the system gesture manager.
    void setupGestures();
    // Opens the account list from the icon view last touched.
    void handleSwipe(id recognizer);
    // Takes only touches that start on the Instagram icon.
    bool shouldReceiveTouch(platform::UIGestureRecognizer* recognizer, id touch);

private:
    RefPtr<platform::UIGestureRecognizer> m_swipe;
    RefPtr<Object> m_touchedView;
};

} // namespace igtarvo
