#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

namespace platform {

OBJC_CLASS_LOAD(UITouch)

UITouch::UITouch() = default;
UITouch::~UITouch() = default;

Ref<UITouch> UITouch::create(UIWindow* window, CGPoint point, double timestamp)
{
    auto touch = objc::make<UITouch>();
    touch->m_window = objc::WeakPtr<UIWindow>(window);
    touch->m_location = touch->m_previous = point;
    touch->m_timestamp = timestamp;
    return touch;
}

namespace {
CGPoint fromWindow(UIWindow* window, CGPoint p, UIView* view)
{
    if (!view || !window)
        return p;
    return view->convertPointFromView(p, window);
}
}

CGPoint UITouch::locationInView(UIView* view) const
{
    return fromWindow(m_window.lock().get(), m_location, view);
}

CGPoint UITouch::previousLocationInView(UIView* view) const
{
    return fromWindow(m_window.lock().get(), m_previous, view);
}

RefPtr<UIView> UITouch::view() const
{
    return RefPtr<UIView>(static_cast<UIView*>(m_view.get()));
}

RefPtr<UIWindow> UITouch::window() const
{
    return m_window.lock();
}

void UITouch::update(CGPoint windowPoint, long phase, double timestamp)
{
    m_previous = m_location;
    m_location = windowPoint;
    m_phase = phase;
    m_timestamp = timestamp;
}

void UITouch::setView(UIView* view)
{
    m_view = view;
}

void UITouch::registerMethods(objc::ClassBuilder<UITouch>& b)
{
    b.method<&UITouch::locationInView>("locationInView:")
        .method<&UITouch::previousLocationInView>("previousLocationInView:")
        .method<&UITouch::view>("view")
        .method<&UITouch::window>("window")
        .method<&UITouch::phase>("phase")
        .method<&UITouch::timestamp>("timestamp")
        .method<&UITouch::tapCount>("tapCount");
}

} // namespace platform
