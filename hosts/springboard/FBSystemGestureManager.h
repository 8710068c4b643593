#pragma once
// FrontBoard's system-wide gestures: recognisers added for a display see
// every touch on it, whatever window is under the finger. The main screen
// names its display (fbsDisplay).

#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIWindow.h"

namespace hosts::springboard {

class FBSDisplay : public objc::Object {
    OBJC_CLASS(FBSDisplay, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<FBSDisplay>&) { }
};

class FBSystemGestureManager : public objc::Object {
    OBJC_CLASS(FBSystemGestureManager, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<FBSystemGestureManager>&);
    static FBSystemGestureManager* sharedInstance();
    // The main screen's display.
    static FBSDisplay* mainDisplay();

    // Lets the recogniser see the display's touches (through the window that
    // receives them, the home screen's).
    void addGestureRecognizer(platform::UIGestureRecognizer* recognizer, objc::id display);
    void setTouchWindow(platform::UIWindow* window) { m_touchWindow = window; }
    size_t recognizerCount() const { return m_recognizers.size(); }

private:
    objc::RefPtr<platform::UIWindow> m_touchWindow;
    std::vector<objc::Ref<platform::UIGestureRecognizer>> m_recognizers;
};

// Gives the main screen its fbsDisplay (FrontBoard's addition to UIScreen).
void registerFrontBoardScreenAddition();

} // namespace hosts::springboard
