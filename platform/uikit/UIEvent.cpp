#include "platform/uikit/UIEvent.h"

namespace platform {

OBJC_CLASS_LOAD(UIEvent)

Ref<UIEvent> UIEvent::create(std::vector<Ref<UITouch>> touches, double timestamp)
{
    auto event = objc::make<UIEvent>();
    event->m_touches = std::move(touches);
    event->m_timestamp = timestamp;
    return event;
}

RefPtr<NSArray> UIEvent::allTouches() const
{
    return NSArray::create(std::vector<Ref<Object>>(m_touches.begin(), m_touches.end()));
}

void UIEvent::registerMethods(objc::ClassBuilder<UIEvent>& b)
{
    b.method<&UIEvent::allTouches>("allTouches")
        .method<&UIEvent::timestamp>("timestamp")
        .method<&UIEvent::type>("type");
}

} // namespace platform
