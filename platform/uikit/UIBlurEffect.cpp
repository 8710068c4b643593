#include "platform/uikit/UIBlurEffect.h"

namespace platform {

OBJC_CLASS_LOAD(UIBlurEffect)

bool UIBlurEffect::isEqual(id other) const
{
    return objc::object_isKindOfClass(other, staticClass()) && static_cast<UIBlurEffect*>(other)->m_style == m_style;
}

void UIBlurEffect::registerMethods(objc::ClassBuilder<UIBlurEffect>& b)
{
    b.classMethod<&UIBlurEffect::effectWithStyle>("effectWithStyle:")
        .method<&UIBlurEffect::isEqual>("isEqual:");
}

} // namespace platform
