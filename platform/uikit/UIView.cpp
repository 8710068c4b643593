#include "platform/uikit/UIView.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/LayoutEngine.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UIView)

UIView::UIView() = default;
UIView::~UIView() = default;

Ref<UIView> UIView::create(CGRect frame)
{
    auto view = objc::make<UIView>();
    objc::send<RefPtr<UIView>(CGRect)>(view, "initWithFrame:", frame);
    return view;
}

RefPtr<UIView> UIView::initWithFrame(CGRect frame)
{
    m_frame = frame;
    m_bounds = CGRect { CGPointZero, frame.size };
    return RefPtr<UIView>(this);
}

RefPtr<UIView> UIView::init()
{
    return objc::send<RefPtr<UIView>(CGRect)>(this, "initWithFrame:", CGRectZero);
}

// Geometry -------------------------------------------------------------------

void UIView::setFrame(CGRect frame)
{
    if (!CGAffineTransformIsIdentity(m_transform)) {
        // A transformed view keeps its bounds and moves its centre.
        setCenter(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
        return;
    }
    CGSize oldSize = m_frame.size;
    m_frame = frame;
    m_bounds.size = frame.size;
    if (oldSize != frame.size) {
        autoresizeSubviews(oldSize);
        setNeedsLayout();
    }
}

void UIView::setBounds(CGRect bounds)
{
    CGPoint c = center();
    CGSize oldSize = m_bounds.size;
    m_bounds = bounds;
    m_frame = CGRectApplyAffineTransform(CGRect { CGPointZero, bounds.size }, m_transform);
    m_frame.origin = CGPointMake(c.x - m_frame.size.width / 2, c.y - m_frame.size.height / 2);
    if (oldSize != bounds.size) {
        autoresizeSubviews(oldSize);
        setNeedsLayout();
    }
}

void UIView::setTransform(CGAffineTransform transform)
{
    CGPoint c = center();
    m_transform = transform;
    m_frame = CGRectApplyAffineTransform(CGRect { CGPointZero, m_bounds.size }, transform);
    m_frame.origin = CGPointMake(c.x - m_frame.size.width / 2, c.y - m_frame.size.height / 2);
}

Ref<CALayer> UIView::layer() const
{
    if (!m_layer) {
        auto layer = CALayer::layer();
        layer->setView(const_cast<UIView*>(this));
        m_layer = layer;
    }
    return Ref<CALayer>(*static_cast<CALayer*>(m_layer.get()));
}

void UIView::setCenter(CGPoint c)
{
    m_frame.origin = CGPointMake(c.x - m_frame.size.width / 2, c.y - m_frame.size.height / 2);
}

namespace {
// Shares a change of one dimension between the flexible parts of a
// subview's span (leading margin, size, trailing margin) by their lengths.
void resizeSpan(double oldOuter, double newOuter, bool flexLead, bool flexSize, bool flexTrail, double& origin, double& size)
{
    double delta = newOuter - oldOuter;
    if (delta == 0 || (!flexLead && !flexSize && !flexTrail))
        return;
    double lead = origin, trail = oldOuter - origin - size;
    double share = (flexLead ? lead : 0) + (flexSize ? size : 0) + (flexTrail ? trail : 0);
    int parts = int(flexLead) + int(flexSize) + int(flexTrail);
    auto portion = [&](bool flexible, double length) {
        if (!flexible)
            return 0.0;
        return share > 0 ? delta * length / share : delta / parts;
    };
    double leadDelta = portion(flexLead, lead);
    double sizeDelta = portion(flexSize, size);
    origin += leadDelta;
    size = std::max(0.0, size + sizeDelta);
}
}

void UIView::autoresizeSubviews(CGSize oldSize)
{
    if (!m_autoresizesSubviews)
        return;
    auto subviews = m_subviews;
    for (auto& sub : subviews) {
        unsigned long mask = sub->m_autoresizingMask;
        if (mask == UIViewAutoresizingNone)
            continue;
        CGRect f = sub->m_frame;
        resizeSpan(oldSize.width, m_bounds.size.width, mask & UIViewAutoresizingFlexibleLeftMargin,
            mask & UIViewAutoresizingFlexibleWidth, mask & UIViewAutoresizingFlexibleRightMargin, f.origin.x, f.size.width);
        resizeSpan(oldSize.height, m_bounds.size.height, mask & UIViewAutoresizingFlexibleTopMargin,
            mask & UIViewAutoresizingFlexibleHeight, mask & UIViewAutoresizingFlexibleBottomMargin, f.origin.y, f.size.height);
        if (f != sub->m_frame)
            objc::send<void(CGRect)>(sub, "setFrame:", f);
    }
}

// The view tree ----------------------------------------------------------------

RefPtr<NSArray> UIView::subviews() const
{
    return NSArray::create(std::vector<Ref<Object>>(m_subviews.begin(), m_subviews.end()));
}

void UIView::insertSubview(UIView* view, long index)
{
    if (!view || isDescendantOfView(view))
        return; // a view cannot hold itself or one of its ancestors
    Ref<UIView> keep(*view);
    RefPtr<UIView> oldParent = view->superview();
    bool sameParent = oldParent.get() == this;
    RefPtr<UIWindow> oldWindow = view->window();
    RefPtr<UIWindow> newWindow = window();
    if (!sameParent) {
        if (oldParent)
            objc::send<void(UIView*)>(oldParent, "willRemoveSubview:", view);
        objc::send<void(UIView*)>(view, "willMoveToSuperview:", this);
        if (oldWindow != newWindow)
            objc::send<void(UIWindow*)>(view, "willMoveToWindow:", newWindow.get());
    }
    if (oldParent) {
        auto& list = oldParent->m_subviews;
        list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    }
    index = std::clamp(index, 0L, long(m_subviews.size()));
    m_subviews.insert(m_subviews.begin() + index, keep);
    view->m_superview = objc::WeakPtr<UIView>(this);
    if (!sameParent) {
        objc::send<void>(view, "didMoveToSuperview");
        if (oldWindow != newWindow)
            objc::send<void>(view, "didMoveToWindow");
        objc::send<void(UIView*)>(this, "didAddSubview:", view);
        if (oldParent)
            oldParent->setNeedsLayout();
    }
    view->setNeedsLayout();
    setNeedsLayout();
}

void UIView::addSubview(UIView* view)
{
    insertSubview(view, long(m_subviews.size()));
}

void UIView::bringSubviewToFront(UIView* view)
{
    auto it = std::find(m_subviews.begin(), m_subviews.end(), view);
    if (it == m_subviews.end())
        return;
    Ref<UIView> keep = *it;
    m_subviews.erase(it);
    m_subviews.push_back(keep);
}

void UIView::sendSubviewToBack(UIView* view)
{
    auto it = std::find(m_subviews.begin(), m_subviews.end(), view);
    if (it == m_subviews.end())
        return;
    Ref<UIView> keep = *it;
    m_subviews.erase(it);
    m_subviews.insert(m_subviews.begin(), keep);
}

void UIView::removeFromSuperview()
{
    auto parent = superview();
    if (!parent)
        return;
    Ref<UIView> keep(*this);
    RefPtr<UIWindow> oldWindow = window();
    objc::send<void(UIView*)>(parent, "willRemoveSubview:", this);
    objc::send<void(UIView*)>(this, "willMoveToSuperview:", nullptr);
    if (oldWindow)
        objc::send<void(UIWindow*)>(this, "willMoveToWindow:", nullptr);
    auto& list = parent->m_subviews;
    list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    m_superview = objc::WeakPtr<UIView>();
    objc::send<void>(this, "didMoveToSuperview");
    if (oldWindow)
        objc::send<void>(this, "didMoveToWindow");
    parent->setNeedsLayout();
}

RefPtr<UIWindow> UIView::window() const
{
    for (RefPtr<UIView> v(const_cast<UIView*>(this)); v; v = v->superview()) {
        if (objc::object_isKindOfClass(v.get(), UIWindow::staticClass()))
            return RefPtr<UIWindow>(static_cast<UIWindow*>(v.get()));
    }
    return nullptr;
}

bool UIView::isDescendantOfView(UIView* view) const
{
    if (!view)
        return false;
    for (RefPtr<UIView> v(const_cast<UIView*>(this)); v; v = v->superview()) {
        if (v.get() == view)
            return true;
    }
    return false;
}

RefPtr<UIView> UIView::viewWithTag(long tag)
{
    if (m_tag == tag)
        return RefPtr<UIView>(this);
    for (auto& sub : m_subviews) {
        if (auto found = sub->viewWithTag(tag))
            return found;
    }
    return nullptr;
}

// Appearance -----------------------------------------------------------------

void UIView::setAlpha(double alpha)
{
    m_alpha = std::clamp(alpha, 0.0, 1.0);
}

RefPtr<UIColor> UIView::backgroundColor() const
{
    return RefPtr<UIColor>(static_cast<UIColor*>(m_backgroundColor.get()));
}

void UIView::setBackgroundColor(UIColor* color)
{
    m_backgroundColor = color;
}

RefPtr<UIColor> UIView::tintColor() const
{
    // Unset tints come from the superview, and at the top the platform's blue.
    if (m_tintColor)
        return RefPtr<UIColor>(static_cast<UIColor*>(m_tintColor.get()));
    if (auto parent = superview())
        return parent->tintColor();
    return UIColor::colorWithRed(0, 122.0 / 255, 1, 1);
}

void UIView::setTintColor(UIColor* color)
{
    m_tintColor = color;
}

// Events -----------------------------------------------------------------------

RefPtr<UIView> UIView::hitTest(CGPoint point, id event)
{
    if (m_hidden || !m_userInteractionEnabled || m_alpha < 0.01)
        return nullptr;
    if (!objc::send<bool(CGPoint, id)>(this, "pointInside:withEvent:", point, event))
        return nullptr;
    auto subviews = m_subviews;
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        CGPoint inSub = (*it)->convertPointFromView(point, this);
        if (auto hit = objc::send<RefPtr<UIView>(CGPoint, id)>(*it, "hitTest:withEvent:", inSub, event))
            return hit;
    }
    return RefPtr<UIView>(this);
}

bool UIView::pointInside(CGPoint point, id)
{
    return CGRectContainsPoint(m_bounds, point);
}

RefPtr<UIResponder> UIView::nextResponder() const
{
    if (auto controller = m_viewController.lock())
        return RefPtr<UIResponder>(controller.get());
    return superview();
}

CGPoint UIView::pointToRootParent(CGPoint p, const UIView** root) const
{
    const UIView* v = this;
    for (;;) {
        p.x += v->m_frame.origin.x - v->m_bounds.origin.x;
        p.y += v->m_frame.origin.y - v->m_bounds.origin.y;
        auto parent = v->superview();
        if (!parent)
            break;
        v = parent.get();
    }
    *root = v;
    return p;
}

CGPoint UIView::pointFromRootParent(CGPoint p, const UIView** root) const
{
    std::vector<const UIView*> chain;
    for (RefPtr<UIView> v(const_cast<UIView*>(this)); v; v = v->superview())
        chain.push_back(v.get());
    *root = chain.back();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        p.x -= (*it)->m_frame.origin.x - (*it)->m_bounds.origin.x;
        p.y -= (*it)->m_frame.origin.y - (*it)->m_bounds.origin.y;
    }
    return p;
}

// Points travel through the space around the tree's root: the screen, for
// views in a window. A nil view stands for the window (or, outside one, the
// root of the view's tree).
CGPoint UIView::convertPointToView(CGPoint point, UIView* view) const
{
    const UIView* root = nullptr;
    CGPoint outside = pointToRootParent(point, &root);
    RefPtr<UIView> target(view);
    if (!target)
        target = window();
    const UIView* to = target ? target.get() : root;
    const UIView* ignored = nullptr;
    return to->pointFromRootParent(outside, &ignored);
}

CGPoint UIView::convertPointFromView(CGPoint point, UIView* view) const
{
    RefPtr<UIView> source(view);
    if (!source)
        source = window();
    const UIView* root = nullptr;
    if (!source) {
        pointFromRootParent(CGPointZero, &root);
        source = RefPtr<UIView>(const_cast<UIView*>(root));
    }
    CGPoint outside = source->pointToRootParent(point, &root);
    return pointFromRootParent(outside, &root);
}

CGRect UIView::convertRectToView(CGRect rect, UIView* view) const
{
    return CGRect { convertPointToView(rect.origin, view), rect.size };
}

CGRect UIView::convertRectFromView(CGRect rect, UIView* view) const
{
    return CGRect { convertPointFromView(rect.origin, view), rect.size };
}

// Layout -------------------------------------------------------------------------

void UIView::setNeedsLayout()
{
    m_needsLayout = true;
    if (m_layoutScheduled)
        return;
    m_layoutScheduled = true;
    objc::WeakPtr<UIView> weak(this);
    DispatchQueue::main()->async([weak] {
        auto view = weak.lock();
        if (!view)
            return;
        view->m_layoutScheduled = false;
        // The main loop lays out what is on screen; detached trees wait for layoutIfNeeded.
        RefPtr<UIView> root = view;
        while (auto parent = root->superview())
            root = parent;
        if (objc::object_isKindOfClass(root.get(), UIWindow::staticClass()))
            root->layoutIfNeeded();
    });
}

void UIView::setTranslatesAutoresizingMaskIntoConstraints(bool on)
{
    m_translatesAutoresizing = on;
    setNeedsLayout();
}

RefPtr<NSArray> UIView::constraints() const
{
    return NSArray::create(std::vector<Ref<Object>>(m_constraints.begin(), m_constraints.end()));
}

void UIView::addConstraint(NSLayoutConstraint* constraint)
{
    if (!constraint)
        return;
    Ref<NSLayoutConstraint> keep(*constraint);
    if (auto owner = constraint->owner(); owner && owner.get() != this)
        owner->removeConstraint(constraint);
    if (std::find(m_constraints.begin(), m_constraints.end(), keep) == m_constraints.end())
        m_constraints.push_back(keep);
    constraint->setOwner(this);
    setNeedsLayout();
}

void UIView::addConstraints(NSArray* list)
{
    if (!list)
        return;
    for (auto& item : list->items()) {
        if (objc::object_isKindOfClass(item.get(), NSLayoutConstraint::staticClass()))
            objc::send<void(NSLayoutConstraint*)>(this, "addConstraint:", static_cast<NSLayoutConstraint*>(item.get()));
    }
}

void UIView::removeConstraint(NSLayoutConstraint* constraint)
{
    auto it = std::find(m_constraints.begin(), m_constraints.end(), constraint);
    if (it == m_constraints.end())
        return;
    Ref<NSLayoutConstraint> keep = *it;
    m_constraints.erase(it);
    constraint->setOwner(nullptr);
    setNeedsLayout();
}

void UIView::removeConstraints(NSArray* list)
{
    if (!list)
        return;
    for (auto& item : list->items()) {
        if (objc::object_isKindOfClass(item.get(), NSLayoutConstraint::staticClass()))
            objc::send<void(NSLayoutConstraint*)>(this, "removeConstraint:", static_cast<NSLayoutConstraint*>(item.get()));
    }
}

void UIView::layoutIfNeeded()
{
    Ref<UIView> keep(*this);
    // The outermost layout pass solves the constraints of the whole tree first.
    LayoutEngine::Pass pass(this);
    if (m_needsLayout) {
        m_needsLayout = false;
        auto controller = m_viewController.lock();
        if (controller)
            objc::send<void>(controller, "viewWillLayoutSubviews");
        objc::send<void>(this, "layoutSubviews");
        if (controller)
            objc::send<void>(controller, "viewDidLayoutSubviews");
    }
    auto subviews = m_subviews;
    for (auto& sub : subviews)
        sub->layoutIfNeeded();
}

void UIView::sizeToFit()
{
    CGSize fit = objc::send<CGSize(CGSize)>(this, "sizeThatFits:", m_bounds.size);
    CGRect f = m_frame;
    f.size = fit;
    objc::send<void(CGRect)>(this, "setFrame:", f);
}

// Gestures ---------------------------------------------------------------------

RefPtr<NSArray> UIView::gestureRecognizers() const
{
    if (m_gestureRecognizers.empty())
        return nullptr;
    return NSArray::create(m_gestureRecognizers);
}

std::vector<Ref<UIGestureRecognizer>> UIView::gestureRecognizerList() const
{
    std::vector<Ref<UIGestureRecognizer>> list;
    for (auto& r : m_gestureRecognizers)
        list.emplace_back(*static_cast<UIGestureRecognizer*>(r.get()));
    return list;
}

void UIView::addGestureRecognizer(UIGestureRecognizer* recognizer)
{
    if (!recognizer)
        return;
    Ref<Object> keep(*recognizer);
    if (auto old = recognizer->view(); old && old.get() != this)
        old->removeGestureRecognizer(recognizer);
    if (std::find(m_gestureRecognizers.begin(), m_gestureRecognizers.end(), keep) == m_gestureRecognizers.end())
        m_gestureRecognizers.push_back(keep);
    recognizer->setView(this);
}

void UIView::removeGestureRecognizer(UIGestureRecognizer* recognizer)
{
    auto it = std::find(m_gestureRecognizers.begin(), m_gestureRecognizers.end(), recognizer);
    if (it == m_gestureRecognizers.end())
        return;
    Ref<Object> keep = *it;
    m_gestureRecognizers.erase(it);
    recognizer->setView(nullptr);
}

RefPtr<UIViewController> UIView::viewController() const
{
    return m_viewController.lock();
}

void UIView::setViewController(UIViewController* controller)
{
    m_viewController = objc::WeakPtr<UIViewController>(controller);
}

void UIView::registerMethods(objc::ClassBuilder<UIView>& b)
{
    b.method<&UIView::initWithFrame>("initWithFrame:")
        .method<&UIView::init>("init")
        .method<&UIView::frame>("frame")
        .method<&UIView::setFrame>("setFrame:")
        .method<&UIView::bounds>("bounds")
        .method<&UIView::setBounds>("setBounds:")
        .method<&UIView::center>("center")
        .method<&UIView::setCenter>("setCenter:")
        .method<&UIView::transform>("transform")
        .method<&UIView::setTransform>("setTransform:")
        .method<&UIView::layer>("layer")
        .method<&UIView::translatesAutoresizingMaskIntoConstraints>("translatesAutoresizingMaskIntoConstraints")
        .method<&UIView::setTranslatesAutoresizingMaskIntoConstraints>("setTranslatesAutoresizingMaskIntoConstraints:")
        .method<&UIView::constraints>("constraints")
        .method<&UIView::addConstraint>("addConstraint:")
        .method<&UIView::addConstraints>("addConstraints:")
        .method<&UIView::removeConstraint>("removeConstraint:")
        .method<&UIView::removeConstraints>("removeConstraints:")
        .method<&UIView::intrinsicContentSize>("intrinsicContentSize")
        .method<&UIView::invalidateIntrinsicContentSize>("invalidateIntrinsicContentSize")
        .method<&UIView::autoresizingMask>("autoresizingMask")
        .method<&UIView::setAutoresizingMask>("setAutoresizingMask:")
        .method<&UIView::superview>("superview")
        .method<&UIView::subviews>("subviews")
        .method<&UIView::addSubview>("addSubview:")
        .method<&UIView::insertSubview>("insertSubview:atIndex:")
        .method<&UIView::bringSubviewToFront>("bringSubviewToFront:")
        .method<&UIView::sendSubviewToBack>("sendSubviewToBack:")
        .method<&UIView::removeFromSuperview>("removeFromSuperview")
        .method<&UIView::window>("window")
        .method<&UIView::isDescendantOfView>("isDescendantOfView:")
        .method<&UIView::viewWithTag>("viewWithTag:")
        .method<&UIView::willMoveToSuperview>("willMoveToSuperview:")
        .method<&UIView::didMoveToSuperview>("didMoveToSuperview")
        .method<&UIView::willMoveToWindow>("willMoveToWindow:")
        .method<&UIView::didMoveToWindow>("didMoveToWindow")
        .method<&UIView::didAddSubview>("didAddSubview:")
        .method<&UIView::willRemoveSubview>("willRemoveSubview:")
        .method<&UIView::isHidden>("isHidden")
        .method<&UIView::setHidden>("setHidden:")
        .method<&UIView::alpha>("alpha")
        .method<&UIView::setAlpha>("setAlpha:")
        .method<&UIView::backgroundColor>("backgroundColor")
        .method<&UIView::setBackgroundColor>("setBackgroundColor:")
        .method<&UIView::tintColor>("tintColor")
        .method<&UIView::setTintColor>("setTintColor:")
        .method<&UIView::clipsToBounds>("clipsToBounds")
        .method<&UIView::setClipsToBounds>("setClipsToBounds:")
        .method<&UIView::contentMode>("contentMode")
        .method<&UIView::setContentMode>("setContentMode:")
        .method<&UIView::tag>("tag")
        .method<&UIView::setTag>("setTag:")
        .method<&UIView::setNeedsDisplay>("setNeedsDisplay")
        .method<&UIView::drawRect>("drawRect:")
        .method<&UIView::isUserInteractionEnabled>("isUserInteractionEnabled")
        .method<&UIView::setUserInteractionEnabled>("setUserInteractionEnabled:")
        .method<&UIView::hitTest>("hitTest:withEvent:")
        .method<&UIView::pointInside>("pointInside:withEvent:")
        .method<&UIView::nextResponder>("nextResponder")
        .method<&UIView::convertPointToView>("convertPoint:toView:")
        .method<&UIView::convertPointFromView>("convertPoint:fromView:")
        .method<&UIView::convertRectToView>("convertRect:toView:")
        .method<&UIView::convertRectFromView>("convertRect:fromView:")
        .method<&UIView::setNeedsLayout>("setNeedsLayout")
        .method<&UIView::layoutIfNeeded>("layoutIfNeeded")
        .method<&UIView::layoutSubviews>("layoutSubviews")
        .method<&UIView::sizeThatFits>("sizeThatFits:")
        .method<&UIView::sizeToFit>("sizeToFit")
        .method<&UIView::gestureRecognizers>("gestureRecognizers")
        .method<&UIView::addGestureRecognizer>("addGestureRecognizer:")
        .method<&UIView::removeGestureRecognizer>("removeGestureRecognizer:");
}

} // namespace platform
