#pragma once
// A controller that shows a stack of controllers, the top one's view below a
// navigation bar (the status bar's 20 points, then the bar's 44). Pushing
// and popping run appearance callbacks when the navigation controller is on
// screen and end on the main loop like other transitions. The bar's items
// are the stacked controllers' navigationItem, asked through the runtime.
// Main thread.

#include "platform/uikit/UIViewController.h"

namespace platform {

class UINavigationBar;

class UINavigationController : public UIViewController {
    OBJC_CLASS(UINavigationController, UIViewController)
public:
    UINavigationController();
    ~UINavigationController() override;
    static void registerMethods(objc::ClassBuilder<UINavigationController>&);
    // A navigation controller with this root (alloc + initWithRootViewController:).
    static Ref<UINavigationController> create(UIViewController* root);

    RefPtr<UINavigationController> initWithRootViewController(UIViewController* root);
    RefPtr<NSArray> viewControllers() const;
    void setViewControllers(NSArray* controllers);
    void setViewControllersAnimated(NSArray* controllers, bool animated);
    // Puts a controller on top; a controller already stacked or in another parent is refused.
    void pushViewController(UIViewController* controller, bool animated);
    // Takes the top controller off, unless it is the root; answers it.
    RefPtr<UIViewController> popViewControllerAnimated(bool animated);
    // Takes off everything above the root; answers what was taken.
    RefPtr<NSArray> popToRootViewControllerAnimated(bool animated);
    RefPtr<NSArray> popToViewController(UIViewController* controller, bool animated);
    RefPtr<UIViewController> topViewController() const;
    // The top controller, or what it presents.
    RefPtr<UIViewController> visibleViewController() const;
    RefPtr<UINavigationBar> navigationBar() const;
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden);
    void setNavigationBarHiddenAnimated(bool hidden, bool animated) { setNavigationBarHidden(hidden); }

    void loadView();
    // The area below the bar, where the top controller's view goes.
    CGRect contentFrame() const;

private:
    void refreshBar();
    void showTop(UIViewController* top, UIViewController* previous, bool animated, std::vector<Ref<UIViewController>> removed);
    void replaceStack(std::vector<Ref<UIViewController>> stack, bool animated);

    RefPtr<UINavigationBar> m_bar;
    bool m_barHidden { false };
};

} // namespace platform
