#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/graphics/CGContext.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UISwitch)

UISwitch::UISwitch() = default;
UISwitch::~UISwitch() = default;

Ref<UISwitch> UISwitch::create()
{
    auto control = objc::make<UISwitch>();
    control->initWithFrame(CGRectMake(0, 0, 51, 31));
    return control;
}

RefPtr<UIColor> UISwitch::onTintColor() const
{
    return RefPtr<UIColor>(static_cast<UIColor*>(m_onTintColor.get()));
}

void UISwitch::setOnTintColor(UIColor* color)
{
    m_onTintColor = color;
    setNeedsDisplay();
}

void UISwitch::userToggle()
{
    if (!isEnabled())
        return;
    objc::send<void(bool, bool)>(this, "setOn:animated:", !m_on, true);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

// The platform's switch: a pill-shaped track, filled with the on colour
// (green unless set) when on and outlined in light grey when off, with a
// white knob at the end the switch is set to.
void UISwitch::drawRect(CGRect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    CGRect b = bounds();
    double height = std::min(b.size.height, 31.0), width = std::min(b.size.width, 51.0);
    CGRect track = CGRectMake(b.origin.x + (b.size.width - width) / 2, b.origin.y + (b.size.height - height) / 2, width, height);
    double radius = height / 2;
    auto trackPath = UIBezierPath::bezierPathWithRoundedRectCornerRadius(track, radius);
    RefPtr<UIColor> on = onTintColor();
    if (!on)
        on = UIColor::colorWithRed(0.298, 0.851, 0.392, 1);
    if (m_on) {
        CGContextSetFillColorWithColor(context, on.get());
        CGContextAddPath(context, trackPath->CGPath().get());
        CGContextFillPath(context);
    } else {
        CGRect inner = CGRectMake(track.origin.x + 1, track.origin.y + 1, track.size.width - 2, track.size.height - 2);
        auto outline = UIBezierPath::bezierPathWithRoundedRectCornerRadius(inner, radius - 1);
        CGContextSetStrokeColorWithColor(context, UIColor::colorWithWhite(0.9, 1).get());
        CGContextSetLineWidth(context, 2);
        CGContextAddPath(context, outline->CGPath().get());
        CGContextStrokePath(context);
    }
    double knob = height - 4;
    double x = m_on ? track.origin.x + track.size.width - 2 - knob : track.origin.x + 2;
    CGRect knobRect = CGRectMake(x, track.origin.y + 2, knob, knob);
    CGContextSetFillColorWithColor(context, UIColor::colorWithWhite(0, 0.12).get());
    CGContextFillEllipseInRect(context, CGRectMake(knobRect.origin.x, knobRect.origin.y + 1.5, knob, knob));
    CGContextSetFillColorWithColor(context, UIColor::whiteColor().get());
    CGContextFillEllipseInRect(context, knobRect);
}

void UISwitch::registerMethods(objc::ClassBuilder<UISwitch>& b)
{
    b.method<&UISwitch::drawRect>("drawRect:");
    b.method<&UISwitch::isOn>("isOn")
        .method<&UISwitch::setOn>("setOn:")
        .method<&UISwitch::setOnAnimated>("setOn:animated:")
        .method<&UISwitch::onTintColor>("onTintColor")
        .method<&UISwitch::setOnTintColor>("setOnTintColor:");
}

} // namespace platform
