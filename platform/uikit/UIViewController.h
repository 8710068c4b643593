#pragma once
// A controller of one view and its place among other controllers. The view
// is made on first use: loadView, then viewDidLoad, both sent through the
// runtime so that subclasses and hooks take part. Controllers nest (parent
// and children) and present others modally. Appearance callbacks
// (viewWillAppear: ... viewDidDisappear:) are sent when a controller's view
// enters or leaves a visible window, once per change, and forwarded to the
// children whose views are inside.
//
// Presentation: presentViewController:animated:completion: puts the
// presented controller's view on top in the presenter's window; the
// transition ends on the main loop (after UIKitTransitionDuration() when
// animated, on the next turn when not), and the completion runs then. As on
// the platform, presenting from a controller that already presents, or whose
// view is not in a window, only prints a warning; presenting from a child
// presents from its outermost parent. Main thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/uikit/UIResponder.h"

#include <functional>

namespace platform {

class UIView;
class UIWindow;
class UINavigationItem;
class UINavigationController;

enum UIModalPresentationStyle : long {
    UIModalPresentationFullScreen = 0,
    UIModalPresentationPageSheet = 1,
    UIModalPresentationFormSheet = 2,
    UIModalPresentationCurrentContext = 3,
    UIModalPresentationCustom = 4,
    UIModalPresentationOverFullScreen = 5,
    UIModalPresentationOverCurrentContext = 6,
    UIModalPresentationPopover = 7,
};

// A completion block; it crosses sends as exactly this type, an empty one for nil.
using Completion = std::function<void()>;

class UIViewController : public UIResponder {
    OBJC_CLASS(UIViewController, UIResponder)
public:
    UIViewController();
    ~UIViewController() override;
    static void registerMethods(objc::ClassBuilder<UIViewController>&);
    // How many presentations and dismissals are under way in the process.
    static long transitionsInProgress();
    // A new controller (alloc + init).
    static Ref<UIViewController> create();

    RefPtr<UIViewController> init();
    RefPtr<UIViewController> initWithNibName(NSString* nibName, id bundle);

    // The view, loaded on first use.
    RefPtr<UIView> view();
    void setView(UIView* view);
    bool isViewLoaded() const { return m_view != nullptr; }
    // Makes the view (a plain view the size of the screen by default).
    void loadView();
    void viewDidLoad() { }
    void viewWillAppear(bool animated) { }
    void viewDidAppear(bool animated) { }
    void viewWillDisappear(bool animated) { }
    void viewDidDisappear(bool animated) { }
    void viewWillLayoutSubviews() { }
    void viewDidLayoutSubviews() { }
    // Sends viewWillAppear:/viewWillDisappear: (once per change) to this
    // controller and its children in view.
    void beginAppearanceTransition(bool appearing, bool animated);
    // Sends the matching viewDidAppear:/viewDidDisappear:.
    void endAppearanceTransition();
    // Whether the controller has appeared (viewDidAppear: sent, no disappearance since).
    bool isVisible() const { return m_appearance == Appearance::Appeared; }

    RefPtr<NSString> title() const { return m_title; }
    // Sets the title, and the navigation item's title with it.
    void setTitle(NSString* title);
    // The item a navigation bar shows for this controller (made on first use).
    RefPtr<UINavigationItem> navigationItem();
    bool prefersStatusBarHidden() const { return false; }
    long modalPresentationStyle() const { return m_presentationStyle; }
    void setModalPresentationStyle(long style) { m_presentationStyle = style; }

    // Containment ------------------------------------------------------------
    RefPtr<UIViewController> parentViewController() const { return m_parent.lock(); }
    RefPtr<NSArray> childViewControllers() const;
    const std::vector<Ref<UIViewController>>& childList() const { return m_children; }
    void addChildViewController(UIViewController* child);
    void removeFromParentViewController();
    void willMoveToParentViewController(UIViewController* parent) { }
    void didMoveToParentViewController(UIViewController* parent) { }
    // The nearest navigation controller among the parents, or nil.
    RefPtr<UINavigationController> navigationController() const;

    // Presentation -------------------------------------------------------------
    void presentViewController(UIViewController* controller, bool animated, Completion completion);
    // Dismisses what this controller (or its outermost parent) presents, or
    // else the controller itself from its presenter; the completion runs once
    // the dismissal is over (not at all when there is nothing to dismiss).
    void dismissViewControllerAnimated(bool animated, Completion completion);
    RefPtr<UIViewController> presentingViewController() const;
    RefPtr<UIViewController> presentedViewController() const;
    bool isBeingPresented() const { return m_beingPresented; }
    bool isBeingDismissed() const { return m_beingDismissed; }

    RefPtr<UIResponder> nextResponder() const;
    // The outermost parent (this controller when it has none).
    RefPtr<UIViewController> outermostParent() const;

protected:
    // Puts the children in this order (the same controllers, reordered).
    void reorderChildren(const std::vector<Ref<UIViewController>>& order);
    // Runs `finish` when a transition of this kind would end, on the main loop.
    static void runTransition(bool animated, std::function<void()> finish);

private:
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };
    void forwardAppearance(bool begin, bool appearing, bool animated);
    void finishPresentation(Ref<UIViewController> presented, bool removesPresenter, Completion completion);
    void finishDismissal(Ref<UIViewController> presented, bool restoresPresenter, Completion completion);
    bool removesPresenterView() const;

    RefPtr<UIView> m_view;
    RefPtr<NSString> m_title;
    RefPtr<Object> m_navigationItem;
    objc::WeakPtr<UIViewController> m_parent;
    std::vector<Ref<UIViewController>> m_children;
    objc::WeakPtr<UIViewController> m_presenting;
    RefPtr<UIViewController> m_presented;
    objc::WeakPtr<UIWindow> m_presentationWindow;
    long m_presentationStyle { UIModalPresentationFullScreen };
    Appearance m_appearance { Appearance::Disappeared };
    bool m_appearingAnimated { false };
    void setTransitioning(bool on);
    bool m_transitioning { false };
    bool m_beingPresented { false };
    bool m_beingDismissed { false };
};

} // namespace platform
