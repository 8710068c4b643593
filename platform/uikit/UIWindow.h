#pragma once
// A window: the root of a tree of views on the screen, showing its root
// view controller's view (sized to the window) and, above it, the views of
// presented controllers. Windows start hidden; makeKeyAndVisible shows one
// and makes it the application's key window. The root controller appears
// when the window is shown (viewWillAppear: at once, viewDidAppear: on the
// main loop's next turn). Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UIViewController;
class UIControl;
class UIEvent;
class UIGestureRecognizer;
class UITouch;

class UIWindow : public UIView {
    OBJC_CLASS(UIWindow, UIView)
public:
    UIWindow();
    ~UIWindow() override;
    static void registerMethods(objc::ClassBuilder<UIWindow>&);
    // A hidden window of this frame (the screen's bounds by default).
    static Ref<UIWindow> create(CGRect frame);
    static Ref<UIWindow> create();

    // A window the size of the screen.
    RefPtr<UIWindow> init();
    RefPtr<UIViewController> rootViewController() const;
    // Replaces the root controller; its view fills the window, below presented views.
    void setRootViewController(UIViewController* controller);
    // Shows the window and makes it key.
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;
    void becomeKeyWindow() { }
    void resignKeyWindow() { }
    // Showing or hiding the window makes its root controller appear or disappear.
    void setHidden(bool hidden);
    double windowLevel() const { return m_level; }
    void setWindowLevel(double level) { m_level = level; }
    RefPtr<UIResponder> nextResponder() const;

    // Delivers touches: a touch that begins is hit-tested to a view and offered
    // to the recognisers of that view and its superviews (each asking its
    // delegate); later phases go to the recognisers that took it. A touch
    // that ends without a recogniser claiming it taps the control or the
    // table row under it.
    void sendEvent(UIEvent* event);

private:
    struct TrackedTouch {
        Ref<UITouch> touch;
        std::vector<Ref<UIGestureRecognizer>> recognizers;
        RefPtr<UIControl> control;
    };
    void rootAppears(bool appearing);
    void touchBegan(UITouch* touch, UIEvent* event);
    void touchEnded(TrackedTouch& tracked, UIEvent* event, bool cancelled);
    void tapUnclaimed(UITouch* touch, UIControl* control);

    RefPtr<UIViewController> m_root;
    std::vector<TrackedTouch> m_touches;
    double m_level { 0 };
};

} // namespace platform
