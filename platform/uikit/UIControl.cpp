#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIApplication.h"

namespace platform {

OBJC_CLASS_LOAD(UIControl)

UIControl::UIControl() = default;
UIControl::~UIControl() = default;

void UIControl::addTarget(id target, objc::SEL action, unsigned long events)
{
    if (!action || events == 0)
        return;
    for (auto& pair : m_pairs) {
        bool sameTarget = target ? pair.target.lock().get() == target : pair.nilTarget;
        if (sameTarget && pair.action == action) {
            pair.events |= events;
            return;
        }
    }
    m_pairs.push_back({ objc::WeakPtr<Object>(target), target == nullptr, action, events });
}

void UIControl::removeTarget(id target, objc::SEL action, unsigned long events)
{
    for (auto& pair : m_pairs) {
        bool targetMatches = !target || pair.target.lock().get() == target;
        if (targetMatches && (!action || pair.action == action))
            pair.events &= ~events;
    }
    std::erase_if(m_pairs, [](const Pair& p) { return p.events == 0; });
}

void UIControl::sendActionsForControlEvents(unsigned long events)
{
    Ref<UIControl> keep(*this);
    auto pairs = m_pairs;
    for (auto& pair : pairs) {
        if (!(pair.events & events))
            continue;
        RefPtr<Object> target = pair.target.lock();
        if (!target && !pair.nilTarget)
            continue; // the target is gone
        objc::send<void(objc::SEL, id, id)>(this, "sendAction:to:forEvent:", pair.action, target.get(), nullptr);
    }
}

void UIControl::sendAction(objc::SEL action, id target, id event)
{
    UIApplication::sharedApplication()->sendAction(action, target, this, event);
}

RefPtr<NSArray> UIControl::allTargets() const
{
    std::vector<Ref<Object>> targets;
    for (auto& pair : m_pairs) {
        if (auto t = pair.target.lock(); t && std::find(targets.begin(), targets.end(), t) == targets.end())
            targets.emplace_back(*t);
    }
    return NSArray::create(std::move(targets));
}

std::vector<std::string> UIControl::actionsForTarget(id target, unsigned long event) const
{
    std::vector<std::string> names;
    for (auto& pair : m_pairs) {
        bool sameTarget = target ? pair.target.lock().get() == target : pair.nilTarget;
        if (sameTarget && (pair.events & event))
            names.emplace_back(objc::sel_getName(pair.action));
    }
    return names;
}

unsigned long UIControl::allControlEvents() const
{
    unsigned long events = 0;
    for (auto& pair : m_pairs)
        events |= pair.events;
    return events;
}

void UIControl::setEnabled(bool on)
{
    m_enabled = on;
    objc::send<void>(this, "_stateDidChange");
}

void UIControl::setSelected(bool on)
{
    m_selected = on;
    objc::send<void>(this, "_stateDidChange");
}

void UIControl::setHighlighted(bool on)
{
    m_highlighted = on;
    objc::send<void>(this, "_stateDidChange");
}

unsigned long UIControl::state() const
{
    unsigned long s = UIControlStateNormal;
    if (m_highlighted)
        s |= UIControlStateHighlighted;
    if (!m_enabled)
        s |= UIControlStateDisabled;
    if (m_selected)
        s |= UIControlStateSelected;
    return s;
}

void UIControl::registerMethods(objc::ClassBuilder<UIControl>& b)
{
    b.method<&UIControl::addTarget>("addTarget:action:forControlEvents:")
        .method<&UIControl::removeTarget>("removeTarget:action:forControlEvents:")
        .method<&UIControl::sendActionsForControlEvents>("sendActionsForControlEvents:")
        .method<&UIControl::sendAction>("sendAction:to:forEvent:")
        .method<&UIControl::allTargets>("allTargets")
        .method<&UIControl::allControlEvents>("allControlEvents")
        .method<&UIControl::isEnabled>("isEnabled")
        .method<&UIControl::setEnabled>("setEnabled:")
        .method<&UIControl::isSelected>("isSelected")
        .method<&UIControl::setSelected>("setSelected:")
        .method<&UIControl::isHighlighted>("isHighlighted")
        .method<&UIControl::setHighlighted>("setHighlighted:")
        .method<&UIControl::state>("state")
        .method<&UIControl::stateDidChange>("_stateDidChange");
}

} // namespace platform
