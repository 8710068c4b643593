#include "hosts/instagram/IGStyledString.h"

namespace hosts::instagram {

OBJC_CLASS_DEFINE(IGStyledString)

void IGStyledString::registerMethods(objc::ClassBuilder<IGStyledString>& b)
{
    b.method<&IGStyledString::attributedString>("attributedString").method<&IGStyledString::setAttributedString>("setAttributedString:");
}

Ref<IGStyledString> IGStyledString::create(const std::string& text, const NSAttributedString::Attributes& attributes)
{
    auto styled = objc::make<IGStyledString>();
    styled->setAttributedString(platform::NSMutableAttributedString::create(text, attributes).get());
    return styled;
}

} // namespace hosts::instagram
