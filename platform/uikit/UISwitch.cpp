#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UIColor.h"

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

void UISwitch::registerMethods(objc::ClassBuilder<UISwitch>& b)
{
    b.method<&UISwitch::isOn>("isOn")
        .method<&UISwitch::setOn>("setOn:")
        .method<&UISwitch::setOnAnimated>("setOn:animated:")
        .method<&UISwitch::onTintColor>("onTintColor")
        .method<&UISwitch::setOnTintColor>("setOnTintColor:");
}

} // namespace platform
