#include "platform/notify/NSNotificationCenter.h"

namespace platform {

OBJC_CLASS_LOAD(NSNotification)
OBJC_CLASS_LOAD(NSNotificationCenter)

namespace {
struct ObserverToken : NSObject {
    static objc::Class staticClass() { return NSObject::staticClass(); }
};
}

void NSNotification::registerMethods(objc::ClassBuilder<NSNotification>& b)
{
    b.method<&NSNotification::name>("name").method<&NSNotification::object>("object").method<&NSNotification::userInfo>("userInfo");
}

void NSNotificationCenter::registerMethods(objc::ClassBuilder<NSNotificationCenter>& b)
{
    b.method<&NSNotificationCenter::removeObserver>("removeObserver:")
        .method<&NSNotificationCenter::postNotification>("postNotification:")
        .classMethod<&NSNotificationCenter::defaultCenter>("defaultCenter");
    b.method<static_cast<void (NSNotificationCenter::*)(NSString*, id, NSDictionary*)>(&NSNotificationCenter::postNotificationName)>("postNotificationName:object:userInfo:");
}

NSNotificationCenter* NSNotificationCenter::defaultCenter()
{
    static NSNotificationCenter* center = objc::make<NSNotificationCenter>().leak();
    return center;
}

RefPtr<Object> NSNotificationCenter::addObserverForName(NSString* name, id object, DispatchQueue* queue, NotificationBlock block)
{
    auto token = objc::make<ObserverToken>();
    std::lock_guard guard(m_lock);
    m_observers.push_back({ token, name ? name->str() : std::string(), RefPtr<Object>(object), RefPtr<DispatchQueue>(queue), std::move(block) });
    return token;
}

void NSNotificationCenter::removeObserver(id token)
{
    std::vector<Observer> removed;
    std::lock_guard guard(m_lock);
    for (auto it = m_observers.begin(); it != m_observers.end();) {
        if (it->token.get() == token) {
            removed.push_back(std::move(*it));
            it = m_observers.erase(it);
        } else {
            ++it;
        }
    }
}

void NSNotificationCenter::postNotificationName(NSString* name, id object, NSDictionary* userInfo)
{
    auto notification = objc::make<NSNotification>(RefPtr<NSString>(name), RefPtr<Object>(object), RefPtr<NSDictionary>(userInfo));
    postNotification(notification.get());
}

void NSNotificationCenter::postNotification(NSNotification* notification)
{
    if (!notification)
        return;
    std::string name = str(notification->name());
    std::vector<Observer> matching;
    {
        std::lock_guard guard(m_lock);
        for (auto& o : m_observers) {
            if ((o.name.empty() || o.name == name) && (!o.object || o.object == notification->object()))
                matching.push_back(o);
        }
    }
    RefPtr<NSNotification> keep(notification);
    for (auto& o : matching) {
        if (!o.queue || o.queue->isCurrent() || (o.queue == DispatchQueue::main() && RunLoop::isMainThread()))
            o.block(notification);
        else
            o.queue->async([block = o.block, keep] { block(keep.get()); });
    }
}

size_t NSNotificationCenter::observerCount() const
{
    std::lock_guard guard(m_lock);
    return m_observers.size();
}

} // namespace platform
