#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UISwipeGestureRecognizer)

UISwipeGestureRecognizer::UISwipeGestureRecognizer() = default;
UISwipeGestureRecognizer::~UISwipeGestureRecognizer() = default;

Ref<UISwipeGestureRecognizer> UISwipeGestureRecognizer::create(id target, const char* action)
{
    auto recognizer = objc::make<UISwipeGestureRecognizer>();
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

void UISwipeGestureRecognizer::touchesBegan(NSArray* touches, UIEvent*)
{
    UITouch* touch = firstTouch(touches);
    if (!touch)
        return;
    if (numberOfTouches() > m_touchesRequired) {
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
        return;
    }
    m_start = touch->windowLocation();
    m_startTime = touch->timestamp();
}

void UISwipeGestureRecognizer::touchesMoved(NSArray* touches, UIEvent*)
{
    if (UITouch* touch = firstTouch(touches))
        judge(touch, false);
}

void UISwipeGestureRecognizer::touchesEnded(NSArray* touches, UIEvent*)
{
    if (UITouch* touch = firstTouch(touches))
        judge(touch, true);
}

void UISwipeGestureRecognizer::judge(UITouch* touch, bool final)
{
    if (state() != UIGestureRecognizerStatePossible)
        return;
    CGPoint p = touch->windowLocation();
    double dx = p.x - m_start.x, dy = p.y - m_start.y;
    if (touch->timestamp() - m_startTime > kMaximumDuration) {
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
        return;
    }
    struct Way {
        unsigned long bit;
        double along;
        double across;
    };
    const Way ways[] = {
        { UISwipeGestureRecognizerDirectionRight, dx, dy },
        { UISwipeGestureRecognizerDirectionLeft, -dx, dy },
        { UISwipeGestureRecognizerDirectionUp, -dy, dx },
        { UISwipeGestureRecognizerDirectionDown, dy, dx },
    };
    for (const Way& way : ways) {
        if (way.along < kMinimumDistance || std::fabs(way.across) > way.along / 2)
            continue;
        // A clear swipe: recognised when it is an allowed direction, failed otherwise.
        long next = (m_direction & way.bit) ? UIGestureRecognizerStateEnded : UIGestureRecognizerStateFailed;
        objc::send<void(long)>(this, "setState:", next);
        return;
    }
    if (final)
        objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
}

void UISwipeGestureRecognizer::registerMethods(objc::ClassBuilder<UISwipeGestureRecognizer>& b)
{
    b.method<&UISwipeGestureRecognizer::direction>("direction")
        .method<&UISwipeGestureRecognizer::setDirection>("setDirection:")
        .method<&UISwipeGestureRecognizer::numberOfTouchesRequired>("numberOfTouchesRequired")
        .method<&UISwipeGestureRecognizer::setNumberOfTouchesRequired>("setNumberOfTouchesRequired:")
        .method<&UISwipeGestureRecognizer::touchesBegan>("touchesBegan:withEvent:")
        .method<&UISwipeGestureRecognizer::touchesMoved>("touchesMoved:withEvent:")
        .method<&UISwipeGestureRecognizer::touchesEnded>("touchesEnded:withEvent:");
}

} // namespace platform
