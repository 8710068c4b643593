#include "platform/uikit/UIScreen.h"
#include "platform/foundation/Device.h"

#include <cstdlib>

namespace platform {

OBJC_CLASS_LOAD(UIScreen)

namespace {
// A number setting written as a number or as text; 0 when absent or unreadable.
double numberSetting(const char* key)
{
    auto value = Device::setting(key);
    if (auto* number = objc::object_isKindOfClass(value.get(), NSNumber::staticClass()) ? static_cast<NSNumber*>(value.get()) : nullptr)
        return number->doubleValue();
    if (objc::object_isKindOfClass(value.get(), NSString::staticClass()))
        return std::strtod(static_cast<NSString*>(value.get())->str().c_str(), nullptr);
    return 0;
}
}

UIScreen* UIScreen::mainScreen()
{
    static UIScreen* const screen = [] {
        auto s = objc::make<UIScreen>();
        s->reloadFromDevice();
        return s.leak();
    }();
    return screen;
}

void UIScreen::reloadFromDevice()
{
    double width = numberSetting(kSettingScreenWidth), height = numberSetting(kSettingScreenHeight);
    double scale = numberSetting(kSettingScreenScale);
    // Sizes a phone could have; anything else keeps the default.
    if (width >= 1 && width <= 4096 && height >= 1 && height <= 4096)
        m_bounds = CGRectMake(0, 0, width, height);
    if (scale >= 1 && scale <= 4)
        m_scale = scale;
}

CGRect UIScreen::nativeBounds() const
{
    return CGRectMake(0, 0, m_bounds.size.width * m_scale, m_bounds.size.height * m_scale);
}

void UIScreen::setBoundsAndScale(CGSize size, double scale)
{
    m_bounds = CGRect { CGPointZero, size };
    m_scale = scale > 0 ? scale : 1;
}

void UIScreen::registerMethods(objc::ClassBuilder<UIScreen>& b)
{
    b.classMethod<&UIScreen::mainScreenObject>("mainScreen")
        .method<&UIScreen::bounds>("bounds")
        .method<&UIScreen::scale>("scale")
        .method<&UIScreen::nativeBounds>("nativeBounds");
}

} // namespace platform
