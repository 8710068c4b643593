// Modal presentation and dismissal of view controllers.

#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <atomic>

namespace platform {

namespace {
std::string describe(const Object* o)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%p", static_cast<const void*>(o));
    return std::string("<") + objc::object_getClassName(const_cast<Object*>(o)) + ": " + buf + ">";
}
}

RefPtr<UIViewController> UIViewController::presentingViewController() const
{
    for (RefPtr<UIViewController> c(const_cast<UIViewController*>(this)); c; c = c->parentViewController()) {
        if (auto presenting = c->m_presenting.lock())
            return presenting;
    }
    return nullptr;
}

RefPtr<UIViewController> UIViewController::presentedViewController() const
{
    if (m_presented)
        return m_presented;
    auto root = outermostParent();
    return root.get() == this ? nullptr : root->m_presented;
}

bool UIViewController::removesPresenterView() const
{
    // Full-screen styles cover the presenter, whose view then leaves the window;
    // the "over" styles and custom ones (alerts) leave it in place.
    return m_presentationStyle == UIModalPresentationFullScreen || m_presentationStyle == UIModalPresentationPageSheet
        || m_presentationStyle == UIModalPresentationFormSheet || m_presentationStyle == UIModalPresentationCurrentContext;
}

namespace {
std::atomic<long> g_transitions { 0 };
}

long UIViewController::transitionsInProgress()
{
    return g_transitions.load();
}

void UIViewController::setTransitioning(bool on)
{
    if (on != m_transitioning)
        g_transitions += on ? 1 : -1;
    m_transitioning = on;
}

void UIViewController::runTransition(bool animated, std::function<void()> finish)
{
    if (animated)
        DispatchQueue::main()->after(UIKitTransitionDuration(), std::move(finish));
    else
        DispatchQueue::main()->async(std::move(finish));
}

void UIViewController::presentViewController(UIViewController* controller, bool animated, Completion completion)
{
    if (!controller)
        return;
    Ref<UIViewController> presented(*controller);
    RefPtr<UIViewController> presenter = outermostParent();
    if (presenter->m_presented) {
        UIKitWarn("Warning: Attempt to present " + describe(controller) + " on " + describe(presenter.get()) + " which is already presenting " + describe(presenter->m_presented.get()));
        return;
    }
    if (presented->m_presenting.lock() || presented->parentViewController() || presented.get() == presenter.get()) {
        UIKitWarn("Application tried to present modally an active controller " + describe(controller) + ".");
        return;
    }
    RefPtr<UIWindow> window = presenter->m_view ? presenter->m_view->window() : nullptr;
    if (!window) {
        UIKitWarn("Warning: Attempt to present " + describe(controller) + " on " + describe(presenter.get()) + " whose view is not in the window hierarchy!");
        return;
    }
    if (presenter->m_transitioning) {
        UIKitWarn("Warning: Attempt to present " + describe(controller) + " on " + describe(presenter.get()) + " while a presentation is in progress!");
        return;
    }

    presenter->m_presented = presented;
    presented->m_presenting = objc::WeakPtr<UIViewController>(presenter.get());
    presented->m_presentationWindow = objc::WeakPtr<UIWindow>(window.get());
    presented->m_beingPresented = true;
    presenter->setTransitioning(true);

    auto view = objc::send<RefPtr<UIView>>(presented, "view");
    if (view) {
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        objc::send<void(CGRect)>(view, "setFrame:", window->bounds());
        window->addSubview(view.get());
    }
    bool covers = presented->removesPresenterView();
    presented->beginAppearanceTransition(true, animated);
    if (covers)
        presenter->beginAppearanceTransition(false, animated);
    runTransition(animated, [presenter, presented, covers, completion = std::move(completion)]() mutable {
        presenter->finishPresentation(presented, covers, std::move(completion));
    });
}

void UIViewController::finishPresentation(Ref<UIViewController> presented, bool removesPresenter, Completion completion)
{
    presented->m_beingPresented = false;
    setTransitioning(false);
    if (removesPresenter && m_view && m_presented.get() == presented.get())
        m_view->removeFromSuperview();
    presented->endAppearanceTransition();
    if (removesPresenter)
        endAppearanceTransition();
    if (completion)
        completion();
}

void UIViewController::dismissViewControllerAnimated(bool animated, Completion completion)
{
    RefPtr<UIViewController> root = outermostParent();
    RefPtr<UIViewController> presenter;
    RefPtr<UIViewController> presented;
    if (root->m_presented) {
        presenter = root;
        presented = root->m_presented;
    } else if (auto presenting = root->m_presenting.lock()) {
        presenter = presenting;
        presented = root;
    } else {
        return; // nothing presented here, and not presented itself
    }
    if (presenter->m_transitioning) {
        UIKitWarn("Warning: Attempt to dismiss from view controller " + describe(presenter.get()) + " while a presentation or dismiss is in progress!");
        return;
    }
    // Whatever the dismissed controller presents in turn goes at once, top first.
    std::vector<Ref<UIViewController>> above;
    for (auto c = presented->m_presented; c; c = c->m_presented)
        above.emplace_back(*c);
    for (auto it = above.rbegin(); it != above.rend(); ++it) {
        Ref<UIViewController> c = *it;
        auto parent = c->m_presenting.lock();
        c->beginAppearanceTransition(false, false);
        if (c->m_view)
            c->m_view->removeFromSuperview();
        c->endAppearanceTransition();
        c->m_presenting = objc::WeakPtr<UIViewController>();
        if (parent)
            parent->m_presented = nullptr;
    }

    presented->m_beingDismissed = true;
    presenter->setTransitioning(true);
    bool restores = presented->removesPresenterView();
    if (restores) {
        // The presenter's view comes back under the dismissed one.
        auto window = presented->m_presentationWindow.lock();
        if (window && presenter->m_view && !presenter->m_view->superview()) {
            objc::send<void(CGRect)>(presenter->m_view, "setFrame:", window->bounds());
            long index = 0;
            auto& list = window->subviewList();
            for (size_t i = 0; i < list.size(); ++i) {
                if (presented->m_view && list[i].get() == presented->m_view.get())
                    index = long(i);
            }
            window->insertSubview(presenter->m_view.get(), index);
        }
        presenter->beginAppearanceTransition(true, animated);
    }
    presented->beginAppearanceTransition(false, animated);
    RefPtr<UIViewController> from = presenter;
    Ref<UIViewController> gone(*presented);
    runTransition(animated, [from, gone, restores, completion = std::move(completion)]() mutable {
        from->finishDismissal(gone, restores, std::move(completion));
    });
}

void UIViewController::finishDismissal(Ref<UIViewController> presented, bool restoresPresenter, Completion completion)
{
    if (presented->m_view)
        presented->m_view->removeFromSuperview();
    presented->endAppearanceTransition();
    if (restoresPresenter)
        endAppearanceTransition();
    presented->m_beingDismissed = false;
    presented->m_presenting = objc::WeakPtr<UIViewController>();
    presented->m_presentationWindow = objc::WeakPtr<UIWindow>();
    if (m_presented.get() == presented.get())
        m_presented = nullptr;
    setTransitioning(false);
    if (completion)
        completion();
}

} // namespace platform
