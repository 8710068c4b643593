#include "platform/uikit/UIScreen.h"

namespace platform {

OBJC_CLASS_LOAD(UIScreen)

UIScreen* UIScreen::mainScreen()
{
    static UIScreen* const screen = objc::make<UIScreen>().leak();
    return screen;
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
