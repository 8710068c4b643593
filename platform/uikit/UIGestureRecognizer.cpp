#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UIGestureRecognizer)

UIGestureRecognizer::UIGestureRecognizer() = default;
UIGestureRecognizer::~UIGestureRecognizer() = default;

RefPtr<UIGestureRecognizer> UIGestureRecognizer::initWithTarget(id target, objc::SEL action)
{
    if (target && action)
        addTarget(target, action);
    return RefPtr<UIGestureRecognizer>(this);
}

void UIGestureRecognizer::addTarget(id target, objc::SEL action)
{
    if (!target || !action)
        return;
    for (auto& pair : m_pairs) {
        if (pair.target.lock().get() == target && pair.action == action)
            return;
    }
    m_pairs.push_back({ objc::WeakPtr<Object>(target), action });
}

void UIGestureRecognizer::removeTarget(id target, objc::SEL action)
{
    std::erase_if(m_pairs, [&](const Pair& p) {
        return (!target || p.target.lock().get() == target) && (!action || p.action == action);
    });
}

void UIGestureRecognizer::sendActions()
{
    Ref<UIGestureRecognizer> keep(*this);
    auto pairs = m_pairs;
    for (auto& pair : pairs) {
        if (auto target = pair.target.lock()) {
            ++m_actionsSent;
            sendActionMessage(target.get(), pair.action, this, nullptr);
        }
    }
}

void UIGestureRecognizer::setState(long state)
{
    m_state = state;
    if (state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateChanged
        || state == UIGestureRecognizerStateEnded || state == UIGestureRecognizerStateCancelled)
        sendActions();
}

void UIGestureRecognizer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled && (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged))
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateCancelled));
}

RefPtr<UIView> UIGestureRecognizer::view() const
{
    return m_view.lock();
}

void UIGestureRecognizer::setView(UIView* view)
{
    m_view = objc::WeakPtr<UIView>(view);
}

CGPoint UIGestureRecognizer::locationInView(UIView* view) const
{
    if (m_touches.empty())
        return CGPointZero;
    CGPoint sum;
    for (auto& touch : m_touches) {
        CGPoint p = touch->locationInView(view);
        sum.x += p.x;
        sum.y += p.y;
    }
    return CGPointMake(sum.x / double(m_touches.size()), sum.y / double(m_touches.size()));
}

void UIGestureRecognizer::touchesBegan(NSArray*, UIEvent*)
{
}

void UIGestureRecognizer::touchesCancelled(NSArray*, UIEvent*)
{
    if (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged)
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateCancelled));
    else if (m_state == UIGestureRecognizerStatePossible)
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
}

bool UIGestureRecognizer::isTracking() const
{
    return m_state == UIGestureRecognizerStatePossible || m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged;
}

bool UIGestureRecognizer::offerTouch(UITouch* touch, UIEvent* event)
{
    if (!m_enabled || !touch)
        return false;
    if (auto delegate = m_delegate.lock(); delegate && objc::respondsTo(delegate.get(), "gestureRecognizer:shouldReceiveTouch:")) {
        if (!objc::send<bool(UIGestureRecognizer*, UITouch*)>(delegate, "gestureRecognizer:shouldReceiveTouch:", this, touch))
            return false;
    }
    m_touches.emplace_back(*touch);
    auto touches = NSArray::create({ Ref<Object>(*touch) });
    objc::send<void(NSArray*, UIEvent*)>(this, "touchesBegan:withEvent:", touches.get(), event);
    return true;
}

void UIGestureRecognizer::deliverMoved(UITouch* touch, UIEvent* event)
{
    if (!isTracking())
        return;
    auto touches = NSArray::create({ Ref<Object>(*touch) });
    objc::send<void(NSArray*, UIEvent*)>(this, "touchesMoved:withEvent:", touches.get(), event);
}

void UIGestureRecognizer::deliverEnded(UITouch* touch, UIEvent* event)
{
    if (isTracking()) {
        auto touches = NSArray::create({ Ref<Object>(*touch) });
        objc::send<void(NSArray*, UIEvent*)>(this, "touchesEnded:withEvent:", touches.get(), event);
    }
}

void UIGestureRecognizer::deliverCancelled(UITouch* touch, UIEvent* event)
{
    if (isTracking()) {
        auto touches = NSArray::create({ Ref<Object>(*touch) });
        objc::send<void(NSArray*, UIEvent*)>(this, "touchesCancelled:withEvent:", touches.get(), event);
    }
}

void UIGestureRecognizer::finishSequence()
{
    Ref<UIGestureRecognizer> keep(*this);
    objc::send<void>(this, "reset");
    m_touches.clear();
    m_state = UIGestureRecognizerStatePossible;
}

void UIGestureRecognizer::registerMethods(objc::ClassBuilder<UIGestureRecognizer>& b)
{
    b.method<&UIGestureRecognizer::initWithTarget>("initWithTarget:action:")
        .method<&UIGestureRecognizer::addTarget>("addTarget:action:")
        .method<&UIGestureRecognizer::removeTarget>("removeTarget:action:")
        .method<&UIGestureRecognizer::state>("state")
        .method<&UIGestureRecognizer::setState>("setState:")
        .method<&UIGestureRecognizer::delegate>("delegate")
        .method<&UIGestureRecognizer::setDelegate>("setDelegate:")
        .method<&UIGestureRecognizer::isEnabled>("isEnabled")
        .method<&UIGestureRecognizer::setEnabled>("setEnabled:")
        .method<&UIGestureRecognizer::view>("view")
        .method<&UIGestureRecognizer::cancelsTouchesInView>("cancelsTouchesInView")
        .method<&UIGestureRecognizer::setCancelsTouchesInView>("setCancelsTouchesInView:")
        .method<&UIGestureRecognizer::locationInView>("locationInView:")
        .method<&UIGestureRecognizer::numberOfTouches>("numberOfTouches")
        .method<&UIGestureRecognizer::touchesBegan>("touchesBegan:withEvent:")
        .method<&UIGestureRecognizer::touchesMoved>("touchesMoved:withEvent:")
        .method<&UIGestureRecognizer::touchesEnded>("touchesEnded:withEvent:")
        .method<&UIGestureRecognizer::touchesCancelled>("touchesCancelled:withEvent:")
        .method<&UIGestureRecognizer::reset>("reset");
}

} // namespace platform
