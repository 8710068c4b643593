#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UITapGestureRecognizer)

namespace {
constexpr double kSlop = 10;

UITouch* firstTouch(NSArray* touches)
{
    auto t = touches ? touches->firstObject() : nullptr;
    return objc::dynamicCast<UITouch>(t.get());
}
}

UITapGestureRecognizer::UITapGestureRecognizer() = default;
UITapGestureRecognizer::~UITapGestureRecognizer() = default;

Ref<UITapGestureRecognizer> UITapGestureRecognizer::create(id target, const char* action)
{
    auto recognizer = objc::make<UITapGestureRecognizer>();
    objc::send<RefPtr<UIGestureRecognizer>(id, objc::SEL)>(recognizer, "initWithTarget:action:", target, action ? objc::sel_registerName(action) : nullptr);
    return recognizer;
}

void UITapGestureRecognizer::touchesBegan(NSArray* touches, UIEvent*)
{
    if (UITouch* touch = firstTouch(touches))
        m_start = touch->windowLocation();
}

void UITapGestureRecognizer::touchesMoved(NSArray* touches, UIEvent*)
{
    UITouch* touch = firstTouch(touches);
    if (touch && state() == UIGestureRecognizerStatePossible) {
        CGPoint p = touch->windowLocation();
        if (std::hypot(p.x - m_start.x, p.y - m_start.y) > kSlop)
            objc::send<void(long)>(this, "setState:", long(UIGestureRecognizerStateFailed));
    }
}

void UITapGestureRecognizer::touchesEnded(NSArray* touches, UIEvent*)
{
    UITouch* touch = firstTouch(touches);
    if (!touch || state() != UIGestureRecognizerStatePossible)
        return;
    CGPoint p = touch->windowLocation();
    bool still = std::hypot(p.x - m_start.x, p.y - m_start.y) <= kSlop;
    objc::send<void(long)>(this, "setState:", long(still ? UIGestureRecognizerStateEnded : UIGestureRecognizerStateFailed));
}

void UITapGestureRecognizer::registerMethods(objc::ClassBuilder<UITapGestureRecognizer>& b)
{
    b.method<&UITapGestureRecognizer::numberOfTapsRequired>("numberOfTapsRequired")
        .method<&UITapGestureRecognizer::touchesBegan>("touchesBegan:withEvent:")
        .method<&UITapGestureRecognizer::touchesMoved>("touchesMoved:withEvent:")
        .method<&UITapGestureRecognizer::touchesEnded>("touchesEnded:withEvent:");
}

} // namespace platform
