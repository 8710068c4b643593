#include "platform/uikit/UIWindow.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIViewController.h"

namespace platform {

OBJC_CLASS_LOAD(UIWindow)

UIWindow::UIWindow()
{
    UIView::setHidden(true);
    UIApplication::sharedApplication()->registerWindow(this);
}

UIWindow::~UIWindow() = default;

Ref<UIWindow> UIWindow::create(CGRect frame)
{
    auto window = objc::make<UIWindow>();
    objc::send<RefPtr<UIView>(CGRect)>(window, "initWithFrame:", frame);
    return window;
}

Ref<UIWindow> UIWindow::create()
{
    return create(UIScreen::mainScreen()->bounds());
}

RefPtr<UIWindow> UIWindow::init()
{
    objc::send<RefPtr<UIView>(CGRect)>(this, "initWithFrame:", UIScreen::mainScreen()->bounds());
    return RefPtr<UIWindow>(this);
}

RefPtr<UIViewController> UIWindow::rootViewController() const
{
    return m_root;
}

void UIWindow::rootAppears(bool appearing)
{
    if (!m_root)
        return;
    RefPtr<UIViewController> root = m_root;
    root->beginAppearanceTransition(appearing, false);
    if (!appearing) {
        root->endAppearanceTransition();
        return;
    }
    objc::WeakPtr<UIWindow> weak(this);
    DispatchQueue::main()->async([weak, root] {
        auto window = weak.lock();
        if (window && window->m_root.get() == root.get() && !window->isHidden())
            root->endAppearanceTransition();
    });
}

void UIWindow::setRootViewController(UIViewController* controller)
{
    if (m_root.get() == controller)
        return;
    Ref<UIWindow> keep(*this);
    bool visible = !isHidden();
    if (auto old = m_root) {
        if (visible)
            old->beginAppearanceTransition(false, false);
        if (old->isViewLoaded()) {
            auto view = old->view();
            if (view->superview().get() == this)
                view->removeFromSuperview();
        }
        m_root = nullptr;
        if (visible)
            old->endAppearanceTransition();
    }
    m_root = controller;
    if (!controller)
        return;
    auto view = objc::send<RefPtr<UIView>>(controller, "view");
    if (view) {
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        objc::send<void(CGRect)>(view, "setFrame:", bounds());
        insertSubview(view.get(), 0);
    }
    if (visible)
        rootAppears(true);
}

void UIWindow::setHidden(bool hidden)
{
    if (hidden == isHidden())
        return;
    UIView::setHidden(hidden);
    if (hidden)
        UIApplication::sharedApplication()->windowResignedKey(this);
    rootAppears(!hidden);
}

void UIWindow::makeKeyWindow()
{
    UIApplication::sharedApplication()->windowBecameKey(this);
    objc::send<void>(this, "becomeKeyWindow");
}

void UIWindow::makeKeyAndVisible()
{
    objc::send<void>(this, "makeKeyWindow");
    objc::send<void(bool)>(this, "setHidden:", false);
}

bool UIWindow::isKeyWindow() const
{
    return UIApplication::sharedApplication()->keyWindow().get() == this;
}

RefPtr<UIResponder> UIWindow::nextResponder() const
{
    return RefPtr<UIResponder>(UIApplication::sharedApplication());
}

void UIWindow::registerMethods(objc::ClassBuilder<UIWindow>& b)
{
    b.method<&UIWindow::init>("init")
        .method<&UIWindow::rootViewController>("rootViewController")
        .method<&UIWindow::setRootViewController>("setRootViewController:")
        .method<&UIWindow::makeKeyAndVisible>("makeKeyAndVisible")
        .method<&UIWindow::makeKeyWindow>("makeKeyWindow")
        .method<&UIWindow::isKeyWindow>("isKeyWindow")
        .method<&UIWindow::becomeKeyWindow>("becomeKeyWindow")
        .method<&UIWindow::resignKeyWindow>("resignKeyWindow")
        .method<&UIWindow::setHidden>("setHidden:")
        .method<&UIWindow::windowLevel>("windowLevel")
        .method<&UIWindow::setWindowLevel>("setWindowLevel:")
        .method<&UIWindow::nextResponder>("nextResponder")
        .method<&UIWindow::sendEvent>("sendEvent:");
}

} // namespace platform
