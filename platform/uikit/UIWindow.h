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

private:
    void rootAppears(bool appearing);

    RefPtr<UIViewController> m_root;
    double m_level { 0 };
};

} // namespace platform
