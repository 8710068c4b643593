#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UILongPressGestureRecognizer)

UILongPressGestureRecognizer::UILongPressGestureRecognizer() = default;
UILongPressGestureRecognizer::~UILongPressGestureRecognizer() = default;

Ref<UILongPressGestureRecognizer> UILongPressGestureRecognizer::create(id target, const char* action)
{
    auto recognizer = objc::make<UILongPressGestureRecognizer>();
    objc::send<RefPtr<UIGestureRecognizer>(id, objc::SEL)>(recognizer, "initWithTarget:action:", target, action ? objc::sel_registerName(action) : nullptr);
    return recognizer;
}

namespace {
UITouch* firstTouch(NSArray* touches)
{
    auto t = touches ? touches->firstObject() : nullptr;
    return objc::dynamicCast<UITouch>(t.get());
}
}

void UILongPressGestureRecognizer::touchesBegan(NSArray* touches, UIEvent*)
{
    UITouch* touch = firstTouch(touches);
    if (!touch || numberOfTouches() > 1)
        return;
    m_start = touch->windowLocation();
    unsigned long press = ++m_press;
    objc::WeakPtr<UILongPressGestureRecognizer> weak(this);
    auto delay = std::chrono::duration_cast<Duration>(std::chrono::duration<double>(m_minimumDuration));
    DispatchQueue::main()->after(delay, [weak, press] {
        auto self = weak.lock();
        if (self && self->m_press == press && self->state() == UIGestureRecognizerStatePossible && self->numberOfTouches() > 0)
            objc::send<void(long)>(self, "setState:", long(UIGestureRecognizerStateBegan));
    });
}

void UILongPressGestureRecognizer::touchesMoved(NSArray* touches, UIEvent*)
{
    UITouch* touch = firstTouch(touches);
    if (!touch)
        return;
    if (state() == UIGestureRecognizerStatePossible) {
        CGPoint p = touch->windowLocation();
        if (std::hypot(p.x - m_start.x, p.y - m_start.y) > m_allowableMovement)
            objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
    } else if (state() == UIGestureRecognizerStateBegan || state() == UIGestureRecognizerStateChanged) {
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateChanged));
    }
}

void UILongPressGestureRecognizer::touchesEnded(NSArray*, UIEvent*)
{
    if (state() == UIGestureRecognizerStateBegan || state() == UIGestureRecognizerStateChanged)
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateEnded));
    else if (state() == UIGestureRecognizerStatePossible)
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
}

void UILongPressGestureRecognizer::reset()
{
    ++m_press;
}

void UILongPressGestureRecognizer::registerMethods(objc::ClassBuilder<UILongPressGestureRecognizer>& b)
{
    b.method<&UILongPressGestureRecognizer::minimumPressDuration>("minimumPressDuration")
        .method<&UILongPressGestureRecognizer::setMinimumPressDuration>("setMinimumPressDuration:")
        .method<&UILongPressGestureRecognizer::allowableMovement>("allowableMovement")
        .method<&UILongPressGestureRecognizer::setAllowableMovement>("setAllowableMovement:")
        .method<&UILongPressGestureRecognizer::touchesBegan>("touchesBegan:withEvent:")
        .method<&UILongPressGestureRecognizer::touchesMoved>("touchesMoved:withEvent:")
        .method<&UILongPressGestureRecognizer::touchesEnded>("touchesEnded:withEvent:")
        .method<&UILongPressGestureRecognizer::reset>("reset");
}

} // namespace platform
