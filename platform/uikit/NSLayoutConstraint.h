#pragma once
// One linear relation between two views' attributes:
//     first.attribute  (== | <= | >=)  multiplier · second.attribute + constant
// with a priority (1000 required). A constraint takes part in layout once a
// view holds it (addConstraint:, or `active`, which adds it to the items'
// nearest common ancestor). A constraint does not keep its items: views own
// their constraints, so a view holding a constraint on itself is no cycle, and
// a constraint whose item is gone takes no part in layout. The layout engine solves every held constraint
// of a view tree into frames (see LayoutEngine). Main thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class UIView;

enum NSLayoutAttribute : long {
    NSLayoutAttributeNotAnAttribute = 0,
    NSLayoutAttributeLeft = 1,
    NSLayoutAttributeRight = 2,
    NSLayoutAttributeTop = 3,
    NSLayoutAttributeBottom = 4,
    NSLayoutAttributeLeading = 5,
    NSLayoutAttributeTrailing = 6,
    NSLayoutAttributeWidth = 7,
    NSLayoutAttributeHeight = 8,
    NSLayoutAttributeCenterX = 9,
    NSLayoutAttributeCenterY = 10,
    NSLayoutAttributeBaseline = 11,
};

enum NSLayoutRelation : long {
    NSLayoutRelationLessThanOrEqual = -1,
    NSLayoutRelationEqual = 0,
    NSLayoutRelationGreaterThanOrEqual = 1,
};

inline constexpr double UILayoutPriorityRequired = 1000;
inline constexpr double UILayoutPriorityDefaultHigh = 750;
inline constexpr double UILayoutPriorityDefaultLow = 250;

class NSLayoutConstraint : public NSObject {
    OBJC_CLASS(NSLayoutConstraint, NSObject)
public:
    NSLayoutConstraint() = default;
    static void registerMethods(objc::ClassBuilder<NSLayoutConstraint>&);

    // A constraint between two items (the second nil with NotAnAttribute for a constant).
    static Ref<NSLayoutConstraint> constraintWithItem(id first, long firstAttribute, long relation, id second,
        long secondAttribute, double multiplier, double constant);

    RefPtr<Object> firstItem() const { return m_first.lock(); }
    long firstAttribute() const { return m_firstAttribute; }
    long relation() const { return m_relation; }
    RefPtr<Object> secondItem() const { return m_second.lock(); }
    long secondAttribute() const { return m_secondAttribute; }
    double multiplier() const { return m_multiplier; }
    double constant() const { return m_constant; }
    // A new constant asks the holding view for layout.
    void setConstant(double constant);
    double priority() const { return m_priority; }
    void setPriority(double priority);
    RefPtr<NSString> identifier() const { return m_identifier.empty() ? nullptr : RefPtr<NSString>(ns(m_identifier)); }
    void setIdentifier(NSString* identifier) { m_identifier = identifier ? identifier->str() : std::string(); }
    // Held by a view.
    bool isActive() const { return bool(owner()); }
    // Adds the constraint to the items' nearest common ancestor, or removes it.
    void setActive(bool active);
    static void activateConstraints(NSArray* constraints);
    static void deactivateConstraints(NSArray* constraints);

    // The view holding the constraint (set by addConstraint:).
    RefPtr<UIView> owner() const;
    void setOwner(UIView* view);
    // "UIImageView.left == TarvoWatermarkView.left + 5", as the layout log names constraints.
    std::string describe() const;
    RefPtr<NSString> description() const { return ns(describe()); }

private:
    objc::WeakPtr<Object> m_first;
    objc::WeakPtr<Object> m_second;
    objc::WeakPtr<UIView> m_owner;
    std::string m_identifier;
    long m_firstAttribute { 0 };
    long m_relation { 0 };
    long m_secondAttribute { 0 };
    double m_multiplier { 1 };
    double m_constant { 0 };
    double m_priority { UILayoutPriorityRequired };
};

} // namespace platform
