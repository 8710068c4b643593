#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIView.h"

#include <cmath>
#include <sstream>

namespace platform {

OBJC_CLASS_LOAD(NSLayoutConstraint)

Ref<NSLayoutConstraint> NSLayoutConstraint::constraintWithItem(id first, long firstAttribute, long relation, id second,
    long secondAttribute, double multiplier, double constant)
{
    auto c = objc::make<NSLayoutConstraint>();
    c->m_first = first;
    c->m_firstAttribute = firstAttribute;
    c->m_relation = relation < 0 ? -1 : relation > 0 ? 1 : 0;
    c->m_second = second;
    c->m_secondAttribute = second ? secondAttribute : NSLayoutAttributeNotAnAttribute;
    c->m_multiplier = multiplier;
    c->m_constant = constant;
    return c;
}

RefPtr<UIView> NSLayoutConstraint::owner() const { return m_owner.lock(); }
void NSLayoutConstraint::setOwner(UIView* view) { m_owner = objc::WeakPtr<UIView>(view); }

void NSLayoutConstraint::setConstant(double constant)
{
    m_constant = constant;
    if (auto o = owner())
        o->setNeedsLayout();
}

void NSLayoutConstraint::setPriority(double priority)
{
    m_priority = std::fmin(std::fmax(priority, 1), UILayoutPriorityRequired);
    if (auto o = owner())
        o->setNeedsLayout();
}

namespace {
RefPtr<UIView> asView(Object* o)
{
    if (!o || !objc::object_isKindOfClass(o, UIView::staticClass()))
        return nullptr;
    return RefPtr<UIView>(static_cast<UIView*>(o));
}
}

void NSLayoutConstraint::setActive(bool active)
{
    if (!active) {
        if (auto o = owner())
            objc::send<void(NSLayoutConstraint*)>(o, "removeConstraint:", this);
        return;
    }
    if (isActive())
        return;
    auto first = firstItem(), second = secondItem();
    auto a = asView(first.get()), b = asView(second.get());
    RefPtr<UIView> holder;
    if (a && b) {
        for (RefPtr<UIView> v = a; v && !holder; v = v->superview()) {
            if (b->isDescendantOfView(v.get()))
                holder = v;
        }
    } else {
        holder = a ? a : b;
    }
    if (holder)
        objc::send<void(NSLayoutConstraint*)>(holder, "addConstraint:", this);
}

void NSLayoutConstraint::activateConstraints(NSArray* list)
{
    if (!list) return;
    for (auto& item : list->items())
        if (objc::object_isKindOfClass(item.get(), staticClass()))
            static_cast<NSLayoutConstraint*>(item.get())->setActive(true);
}

void NSLayoutConstraint::deactivateConstraints(NSArray* list)
{
    if (!list) return;
    for (auto& item : list->items())
        if (objc::object_isKindOfClass(item.get(), staticClass()))
            static_cast<NSLayoutConstraint*>(item.get())->setActive(false);
}

namespace {
const char* attributeName(long a)
{
    static const char* names[] = { "notAnAttribute", "left", "right", "top", "bottom", "leading", "trailing",
        "width", "height", "centerX", "centerY", "baseline" };
    return a >= 0 && a <= 11 ? names[a] : "?";
}
}

std::string NSLayoutConstraint::describe() const
{
    std::ostringstream out;
    if (!m_identifier.empty())
        out << "'" << m_identifier << "' ";
    auto first = firstItem(), second = secondItem();
    out << (first ? objc::class_getName(first->isa()) : "nil") << "." << attributeName(m_firstAttribute);
    out << (m_relation < 0 ? " <= " : m_relation > 0 ? " >= " : " == ");
    bool any = false;
    if (m_secondAttribute != NSLayoutAttributeNotAnAttribute) {
        if (m_multiplier != 1)
            out << m_multiplier << "*";
        out << (second ? objc::class_getName(second->isa()) : "nil") << "." << attributeName(m_secondAttribute);
        any = true;
    }
    if (!any)
        out << m_constant;
    else if (m_constant != 0)
        out << (m_constant < 0 ? " - " : " + ") << std::fabs(m_constant);
    if (m_priority < UILayoutPriorityRequired)
        out << " @" << m_priority;
    return out.str();
}

void NSLayoutConstraint::registerMethods(objc::ClassBuilder<NSLayoutConstraint>& b)
{
    b.classMethod<&NSLayoutConstraint::constraintWithItem>("constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:")
        .classMethod<&NSLayoutConstraint::activateConstraints>("activateConstraints:")
        .classMethod<&NSLayoutConstraint::deactivateConstraints>("deactivateConstraints:")
        .method<&NSLayoutConstraint::firstItem>("firstItem")
        .method<&NSLayoutConstraint::firstAttribute>("firstAttribute")
        .method<&NSLayoutConstraint::relation>("relation")
        .method<&NSLayoutConstraint::secondItem>("secondItem")
        .method<&NSLayoutConstraint::secondAttribute>("secondAttribute")
        .method<&NSLayoutConstraint::multiplier>("multiplier")
        .method<&NSLayoutConstraint::constant>("constant")
        .method<&NSLayoutConstraint::setConstant>("setConstant:")
        .method<&NSLayoutConstraint::priority>("priority")
        .method<&NSLayoutConstraint::setPriority>("setPriority:")
        .method<&NSLayoutConstraint::identifier>("identifier")
        .method<&NSLayoutConstraint::setIdentifier>("setIdentifier:")
        .method<&NSLayoutConstraint::isActive>("isActive")
        .method<&NSLayoutConstraint::setActive>("setActive:")
        .method<&NSLayoutConstraint::description>("description");
}

} // namespace platform
