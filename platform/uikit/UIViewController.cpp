#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UIViewController)

UIViewController::UIViewController() = default;

UIViewController::~UIViewController() = default;

Ref<UIViewController> UIViewController::create()
{
    auto controller = objc::make<UIViewController>();
    objc::send<RefPtr<UIViewController>>(controller, "init");
    return controller;
}

RefPtr<UIViewController> UIViewController::init()
{
    return RefPtr<UIViewController>(this);
}

RefPtr<UIViewController> UIViewController::initWithNibName(NSString*, id)
{
    return objc::send<RefPtr<UIViewController>>(this, "init");
}

RefPtr<UIView> UIViewController::view()
{
    if (!m_view) {
        Ref<UIViewController> keep(*this);
        objc::send<void>(this, "loadView");
        if (!m_view)
            loadView();
        objc::send<void>(this, "viewDidLoad");
    }
    return m_view;
}

void UIViewController::setView(UIView* view)
{
    if (m_view && m_view->viewController().get() == this)
        m_view->setViewController(nullptr);
    m_view = view;
    if (view)
        view->setViewController(this);
}

void UIViewController::loadView()
{
    auto view = UIView::create(UIScreen::mainScreen()->bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(view.get());
}

// Appearance -------------------------------------------------------------------

void UIViewController::beginAppearanceTransition(bool appearing, bool animated)
{
    Ref<UIViewController> keep(*this);
    if (appearing) {
        if (m_appearance == Appearance::Appeared || m_appearance == Appearance::Appearing)
            return;
        m_appearance = Appearance::Appearing;
        m_appearingAnimated = animated;
        objc::send<void(bool)>(this, "viewWillAppear:", animated);
    } else {
        if (m_appearance == Appearance::Disappeared || m_appearance == Appearance::Disappearing)
            return;
        m_appearance = Appearance::Disappearing;
        m_appearingAnimated = animated;
        objc::send<void(bool)>(this, "viewWillDisappear:", animated);
    }
    forwardAppearance(true, appearing, animated);
}

void UIViewController::endAppearanceTransition()
{
    Ref<UIViewController> keep(*this);
    if (m_appearance == Appearance::Appearing) {
        m_appearance = Appearance::Appeared;
        objc::send<void(bool)>(this, "viewDidAppear:", m_appearingAnimated);
        forwardAppearance(false, true, m_appearingAnimated);
    } else if (m_appearance == Appearance::Disappearing) {
        m_appearance = Appearance::Disappeared;
        objc::send<void(bool)>(this, "viewDidDisappear:", m_appearingAnimated);
        forwardAppearance(false, false, m_appearingAnimated);
    }
}

void UIViewController::forwardAppearance(bool begin, bool appearing, bool animated)
{
    auto children = m_children;
    for (auto& child : children) {
        // Children whose views are not inside ours (a navigation controller's
        // covered controllers) take no part.
        bool inView = child->m_view && m_view && child->m_view->isDescendantOfView(m_view.get());
        if (!inView)
            continue;
        if (begin)
            child->beginAppearanceTransition(appearing, animated);
        else
            child->endAppearanceTransition();
    }
}

// Title and items ----------------------------------------------------------------

void UIViewController::setTitle(NSString* title)
{
    m_title = title;
    if (m_navigationItem)
        static_cast<UINavigationItem*>(m_navigationItem.get())->setTitle(title);
}

RefPtr<UINavigationItem> UIViewController::navigationItem()
{
    if (!m_navigationItem) {
        auto item = UINavigationItem::create();
        item->setTitle(m_title.get());
        m_navigationItem = item;
    }
    return RefPtr<UINavigationItem>(static_cast<UINavigationItem*>(m_navigationItem.get()));
}

// Containment ----------------------------------------------------------------------

RefPtr<NSArray> UIViewController::childViewControllers() const
{
    return NSArray::create(std::vector<Ref<Object>>(m_children.begin(), m_children.end()));
}

void UIViewController::addChildViewController(UIViewController* child)
{
    if (!child || child == this)
        return;
    Ref<UIViewController> keep(*child);
    if (auto old = child->parentViewController(); old.get() == this)
        return;
    else if (old)
        child->removeFromParentViewController();
    objc::send<void(UIViewController*)>(child, "willMoveToParentViewController:", this);
    m_children.push_back(keep);
    child->m_parent = objc::WeakPtr<UIViewController>(this);
}

void UIViewController::removeFromParentViewController()
{
    auto parent = parentViewController();
    if (!parent)
        return;
    Ref<UIViewController> keep(*this);
    auto& list = parent->m_children;
    list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    m_parent = objc::WeakPtr<UIViewController>();
    objc::send<void(UIViewController*)>(this, "didMoveToParentViewController:", nullptr);
}

void UIViewController::reorderChildren(const std::vector<Ref<UIViewController>>& order)
{
    std::vector<Ref<UIViewController>> sorted;
    for (auto& c : order) {
        if (std::find(m_children.begin(), m_children.end(), c) != m_children.end())
            sorted.push_back(c);
    }
    for (auto& c : m_children) {
        if (std::find(sorted.begin(), sorted.end(), c) == sorted.end())
            sorted.push_back(c);
    }
    m_children = std::move(sorted);
}

RefPtr<UINavigationController> UIViewController::navigationController() const
{
    for (auto c = parentViewController(); c; c = c->parentViewController()) {
        if (objc::object_isKindOfClass(c.get(), UINavigationController::staticClass()))
            return RefPtr<UINavigationController>(static_cast<UINavigationController*>(c.get()));
    }
    return nullptr;
}

RefPtr<UIViewController> UIViewController::outermostParent() const
{
    RefPtr<UIViewController> c(const_cast<UIViewController*>(this));
    while (auto parent = c->parentViewController())
        c = parent;
    return c;
}

RefPtr<UIResponder> UIViewController::nextResponder() const
{
    if (m_view) {
        if (auto superview = m_view->superview())
            return superview;
    }
    if (auto parent = parentViewController())
        return parent;
    return presentingViewController();
}

void UIViewController::registerMethods(objc::ClassBuilder<UIViewController>& b)
{
    b.method<&UIViewController::init>("init")
        .method<&UIViewController::initWithNibName>("initWithNibName:bundle:")
        .method<&UIViewController::view>("view")
        .method<&UIViewController::setView>("setView:")
        .method<&UIViewController::isViewLoaded>("isViewLoaded")
        .method<&UIViewController::loadView>("loadView")
        .method<&UIViewController::viewDidLoad>("viewDidLoad")
        .method<&UIViewController::viewWillAppear>("viewWillAppear:")
        .method<&UIViewController::viewDidAppear>("viewDidAppear:")
        .method<&UIViewController::viewWillDisappear>("viewWillDisappear:")
        .method<&UIViewController::viewDidDisappear>("viewDidDisappear:")
        .method<&UIViewController::viewWillLayoutSubviews>("viewWillLayoutSubviews")
        .method<&UIViewController::viewDidLayoutSubviews>("viewDidLayoutSubviews")
        .method<&UIViewController::beginAppearanceTransition>("beginAppearanceTransition:animated:")
        .method<&UIViewController::endAppearanceTransition>("endAppearanceTransition")
        .method<&UIViewController::title>("title")
        .method<&UIViewController::setTitle>("setTitle:")
        .method<&UIViewController::navigationItem>("navigationItem")
        .method<&UIViewController::prefersStatusBarHidden>("prefersStatusBarHidden")
        .method<&UIViewController::modalPresentationStyle>("modalPresentationStyle")
        .method<&UIViewController::setModalPresentationStyle>("setModalPresentationStyle:")
        .method<&UIViewController::parentViewController>("parentViewController")
        .method<&UIViewController::childViewControllers>("childViewControllers")
        .method<&UIViewController::addChildViewController>("addChildViewController:")
        .method<&UIViewController::removeFromParentViewController>("removeFromParentViewController")
        .method<&UIViewController::willMoveToParentViewController>("willMoveToParentViewController:")
        .method<&UIViewController::didMoveToParentViewController>("didMoveToParentViewController:")
        .method<&UIViewController::navigationController>("navigationController")
        .method<&UIViewController::presentViewController>("presentViewController:animated:completion:")
        .method<&UIViewController::dismissViewControllerAnimated>("dismissViewControllerAnimated:completion:")
        .method<&UIViewController::presentingViewController>("presentingViewController")
        .method<&UIViewController::presentedViewController>("presentedViewController")
        .method<&UIViewController::isBeingPresented>("isBeingPresented")
        .method<&UIViewController::isBeingDismissed>("isBeingDismissed")
        .method<&UIViewController::nextResponder>("nextResponder");
}

} // namespace platform
