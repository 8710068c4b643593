#include "hosts/springboard/activator/LAActivator.h"

#include "platform/foundation/NSProcessInfo.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UIView.h"

namespace hosts::springboard {

using namespace platform;

OBJC_CLASS_DEFINE(LAActivator)

void LAActivator::registerMethods(objc::ClassBuilder<LAActivator>& b)
{
    b.classMethod<&LAActivator::sharedInstance>("sharedInstance")
        .method<&LAActivator::isRunningInsideSpringBoard>("isRunningInsideSpringBoard")
        .method<&LAActivator::hasListenerWithName>("hasListenerWithName:")
        .method<&LAActivator::registerListener>("registerListener:forName:")
        .method<&LAActivator::assignEvent>("assignEvent:toListenerWithName:")
        .method<&LAActivator::sendEvent>("sendEvent:toListenerWithName:")
        .method<&LAActivator::iconFlickedUp>("iconFlickedUp:");
}

LAActivator* LAActivator::sharedInstance()
{
    static LAActivator* activator = objc::make<LAActivator>().leak();
    return activator;
}

bool LAActivator::isRunningInsideSpringBoard() const
{
    return str(NSProcessInfo::processInfo()->processName()) == "SpringBoard";
}

bool LAActivator::hasListenerWithName(NSString* name) const
{
    return name && m_listeners.count(name->str());
}

void LAActivator::registerListener(id listener, NSString* name)
{
    if (listener && name)
        m_listeners[name->str()] = RefPtr<objc::Object>(listener);
}

void LAActivator::assignEvent(LAEvent* event, NSString* listenerName)
{
    if (event && listenerName)
        m_assignments[str(event->name())] = listenerName->str();
}

void LAActivator::sendEvent(LAEvent* event, NSString* listenerName)
{
    if (!event || !listenerName)
        return;
    auto it = m_listeners.find(listenerName->str());
    if (it == m_listeners.end() || !objc::respondsTo(it->second, "activator:receiveEvent:"))
        return;
    objc::send<void(id, id)>(it->second, "activator:receiveEvent:", this, event);
}

bool LAActivator::sendDeactivateEvent(LAEvent* event)
{
    std::string listenerName = listenerNameForEvent(str(event->name()));
    auto it = m_listeners.find(listenerName);
    if (it == m_listeners.end() || !objc::respondsTo(it->second, "activator:receiveDeactivateEvent:"))
        return false;
    objc::send<void(id, id)>(it->second, "activator:receiveDeactivateEvent:", this, event);
    return event->isHandled();
}

std::string LAActivator::listenerNameForEvent(const std::string& eventName) const
{
    auto it = m_assignments.find(eventName);
    return it == m_assignments.end() ? std::string() : it->second;
}

bool LAActivator::fireEvent(const std::string& eventName, NSDictionary* userInfo)
{
    std::string listenerName = listenerNameForEvent(eventName);
    if (listenerName.empty())
        return false;
    auto event = LAEvent::eventWithName(ns(eventName).get());
    event->setUserInfo(userInfo);
    sendEvent(event.get(), ns(listenerName).get());
    return event->isHandled();
}

void LAActivator::watchIconView(objc::Object* iconView)
{
    auto* view = objc::dynamicCast<UIView>(iconView);
    if (!view)
        return;
    auto swipe = objc::make<UISwipeGestureRecognizer>();
    swipe->initWithTarget(this, objc::sel_registerName("iconFlickedUp:"));
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    view->addGestureRecognizer(swipe.get());
}

void LAActivator::iconFlickedUp(id recognizer)
{
    auto view = static_cast<UIGestureRecognizer*>(recognizer)->view();
    auto icon = objc::send<RefPtr<objc::Object>>(view, "icon");
    auto identifier = objc::send<RefPtr<objc::Object>>(icon, "applicationBundleID");
    auto info = NSDictionary::create({ { "displayIdentifier", identifier ? objc::Ref<objc::Object>(*identifier) : objc::Ref<objc::Object>(ns("")) },
        { "iconView", objc::Ref<objc::Object>(*view) } });
    fireEvent("libactivator.icon.flick.up", info.get());
}

std::string LAActivator::localizedText(const std::string& listenerName, const char* selector) const
{
    auto it = m_listeners.find(listenerName);
    if (it == m_listeners.end() || !objc::respondsTo(it->second, selector))
        return {};
    auto name = ns(listenerName);
    return str(objc::send<RefPtr<objc::Object>(id, id)>(it->second, selector, const_cast<LAActivator*>(this), name.get()));
}

} // namespace hosts::springboard
