#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UINavigationController)

namespace {
constexpr double kStatusBarHeight = 20;

bool contains(const std::vector<Ref<UIViewController>>& list, UIViewController* c)
{
    return std::any_of(list.begin(), list.end(), [c](const Ref<UIViewController>& x) { return x.get() == c; });
}

std::vector<Ref<UIViewController>> controllersOf(NSArray* array)
{
    std::vector<Ref<UIViewController>> list;
    if (!array)
        return list;
    for (auto& item : array->items()) {
        if (objc::object_isKindOfClass(item.get(), UIViewController::staticClass()) && !contains(list, static_cast<UIViewController*>(item.get())))
            list.emplace_back(*static_cast<UIViewController*>(item.get()));
    }
    return list;
}
}

UINavigationController::UINavigationController()
    : m_bar(objc::make<UINavigationBar>())
{
}

UINavigationController::~UINavigationController() = default;

Ref<UINavigationController> UINavigationController::create(UIViewController* root)
{
    auto nav = objc::make<UINavigationController>();
    objc::send<RefPtr<UINavigationController>(UIViewController*)>(nav, "initWithRootViewController:", root);
    return nav;
}

RefPtr<UINavigationController> UINavigationController::initWithRootViewController(UIViewController* root)
{
    objc::send<RefPtr<UIViewController>>(this, "init");
    if (root)
        replaceStack({ Ref<UIViewController>(*root) }, false);
    return RefPtr<UINavigationController>(this);
}

RefPtr<NSArray> UINavigationController::viewControllers() const
{
    return childViewControllers();
}

void UINavigationController::setViewControllers(NSArray* controllers)
{
    replaceStack(controllersOf(controllers), false);
}

void UINavigationController::setViewControllersAnimated(NSArray* controllers, bool animated)
{
    replaceStack(controllersOf(controllers), animated);
}

void UINavigationController::pushViewController(UIViewController* controller, bool animated)
{
    if (!controller)
        return;
    if (contains(childList(), controller) || controller->parentViewController()) {
        UIKitWarn("Pushing the same view controller instance more than once is not supported (" + std::string(objc::object_getClassName(controller)) + ")");
        return;
    }
    auto stack = childList();
    stack.emplace_back(*controller);
    replaceStack(std::move(stack), animated);
}

RefPtr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated)
{
    auto stack = childList();
    if (stack.size() < 2)
        return nullptr;
    Ref<UIViewController> top = stack.back();
    stack.pop_back();
    replaceStack(std::move(stack), animated);
    return top;
}

RefPtr<NSArray> UINavigationController::popToViewController(UIViewController* controller, bool animated)
{
    auto stack = childList();
    auto it = std::find_if(stack.begin(), stack.end(), [controller](const Ref<UIViewController>& c) { return c.get() == controller; });
    if (it == stack.end())
        return nullptr;
    std::vector<Ref<Object>> popped(it + 1, stack.end());
    stack.erase(it + 1, stack.end());
    replaceStack(std::move(stack), animated);
    return NSArray::create(std::move(popped));
}

RefPtr<NSArray> UINavigationController::popToRootViewControllerAnimated(bool animated)
{
    auto stack = childList();
    if (stack.empty())
        return nullptr;
    return popToViewController(stack.front().get(), animated);
}

RefPtr<UIViewController> UINavigationController::topViewController() const
{
    return childList().empty() ? nullptr : RefPtr<UIViewController>(childList().back());
}

RefPtr<UIViewController> UINavigationController::visibleViewController() const
{
    if (auto presented = presentedViewController())
        return presented;
    return topViewController();
}

RefPtr<UINavigationBar> UINavigationController::navigationBar() const
{
    return m_bar;
}

void UINavigationController::setNavigationBarHidden(bool hidden)
{
    m_barHidden = hidden;
    m_bar->setHidden(hidden);
    if (auto top = topViewController(); top && top->isViewLoaded())
        objc::send<void(CGRect)>(top->view(), "setFrame:", contentFrame());
}

CGRect UINavigationController::contentFrame() const
{
    CGRect bounds = isViewLoaded() ? const_cast<UINavigationController*>(this)->view()->bounds() : UIScreen::mainScreen()->bounds();
    if (m_barHidden)
        return bounds;
    double top = kStatusBarHeight + UINavigationBar::kHeight;
    return CGRectMake(0, top, bounds.size.width, std::max(0.0, bounds.size.height - top));
}

void UINavigationController::loadView()
{
    UIViewController::loadView();
    auto container = view();
    m_bar->setFrame(CGRectMake(0, kStatusBarHeight, container->bounds().size.width, UINavigationBar::kHeight));
    m_bar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    m_bar->setHidden(m_barHidden);
    container->addSubview(m_bar.get());
    if (auto top = topViewController()) {
        auto topView = objc::send<RefPtr<UIView>>(top, "view");
        topView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        objc::send<void(CGRect)>(topView, "setFrame:", contentFrame());
        container->insertSubview(topView.get(), 0);
    }
}

void UINavigationController::refreshBar()
{
    std::vector<Ref<Object>> items;
    for (auto& c : childList()) {
        if (auto item = objc::send<RefPtr<UINavigationItem>>(c, "navigationItem"))
            items.emplace_back(*item);
    }
    m_bar->setItems(NSArray::create(std::move(items)).get());
}

void UINavigationController::replaceStack(std::vector<Ref<UIViewController>> stack, bool animated)
{
    Ref<UINavigationController> keep(*this);
    auto old = childList();
    RefPtr<UIViewController> oldTop = old.empty() ? nullptr : RefPtr<UIViewController>(old.back());
    std::vector<Ref<UIViewController>> removed;
    for (auto& c : old) {
        if (!contains(stack, c.get()))
            removed.push_back(c);
    }
    for (auto& c : stack) {
        if (!contains(old, c.get()))
            addChildViewController(c.get());
    }
    reorderChildren(stack);
    for (auto& c : removed)
        objc::send<void(UIViewController*)>(c, "willMoveToParentViewController:", nullptr);
    refreshBar();
    RefPtr<UIViewController> newTop = stack.empty() ? nullptr : RefPtr<UIViewController>(stack.back());
    showTop(newTop.get(), oldTop.get(), animated, std::move(removed));
}

void UINavigationController::showTop(UIViewController* top, UIViewController* previous, bool animated, std::vector<Ref<UIViewController>> removed)
{
    RefPtr<UIViewController> newTop(top), oldTop(previous);
    bool changed = newTop.get() != oldTop.get();
    if (changed && newTop && isViewLoaded()) {
        auto topView = objc::send<RefPtr<UIView>>(newTop, "view");
        topView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        objc::send<void(CGRect)>(topView, "setFrame:", contentFrame());
        auto container = view();
        container->addSubview(topView.get());
        container->bringSubviewToFront(m_bar.get());
    }
    bool onScreen = changed && isVisible();
    if (onScreen) {
        if (oldTop)
            oldTop->beginAppearanceTransition(false, animated);
        if (newTop)
            newTop->beginAppearanceTransition(true, animated);
    }
    Ref<UINavigationController> self(*this);
    auto finish = [self, newTop, oldTop, onScreen, removed = std::move(removed)] {
        if (oldTop && oldTop.get() != self->topViewController().get() && oldTop->isViewLoaded())
            oldTop->view()->removeFromSuperview();
        if (onScreen) {
            if (oldTop)
                oldTop->endAppearanceTransition();
            if (newTop)
                newTop->endAppearanceTransition();
        }
        for (auto& c : removed)
            c->removeFromParentViewController();
        if (newTop && newTop->parentViewController().get() == self.get())
            objc::send<void(UIViewController*)>(newTop, "didMoveToParentViewController:", self.get());
    };
    if (onScreen)
        runTransition(animated, std::move(finish));
    else
        finish();
}

void UINavigationController::registerMethods(objc::ClassBuilder<UINavigationController>& b)
{
    b.method<&UINavigationController::initWithRootViewController>("initWithRootViewController:")
        .method<&UINavigationController::viewControllers>("viewControllers")
        .method<&UINavigationController::setViewControllers>("setViewControllers:")
        .method<&UINavigationController::setViewControllersAnimated>("setViewControllers:animated:")
        .method<&UINavigationController::pushViewController>("pushViewController:animated:")
        .method<&UINavigationController::popViewControllerAnimated>("popViewControllerAnimated:")
        .method<&UINavigationController::popToRootViewControllerAnimated>("popToRootViewControllerAnimated:")
        .method<&UINavigationController::popToViewController>("popToViewController:animated:")
        .method<&UINavigationController::topViewController>("topViewController")
        .method<&UINavigationController::visibleViewController>("visibleViewController")
        .method<&UINavigationController::navigationBar>("navigationBar")
        .method<&UINavigationController::isNavigationBarHidden>("isNavigationBarHidden")
        .method<&UINavigationController::setNavigationBarHidden>("setNavigationBarHidden:")
        .method<&UINavigationController::setNavigationBarHiddenAnimated>("setNavigationBarHidden:animated:")
        .method<&UINavigationController::loadView>("loadView");
}

} // namespace platform
