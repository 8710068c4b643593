#include "platform/uikit/UIColor.h"

#include <algorithm>
#include <cstdio>

namespace platform {

OBJC_CLASS_LOAD(UIColor)

namespace {
double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

Ref<UIColor> shared(double r, double g, double b, double a = 1)
{
    return objc::make<UIColor>(r, g, b, a);
}
}

Ref<UIColor> UIColor::colorWithRed(double red, double green, double blue, double alpha)
{
    return objc::make<UIColor>(clamp01(red), clamp01(green), clamp01(blue), clamp01(alpha));
}

Ref<UIColor> UIColor::colorWithWhite(double white, double alpha)
{
    return colorWithRed(white, white, white, alpha);
}

#define NAMED_COLOR(name, ...)                              \
    Ref<UIColor> UIColor::name()                            \
    {                                                       \
        static const Ref<UIColor> color = shared(__VA_ARGS__); \
        return color;                                       \
    }

NAMED_COLOR(blackColor, 0, 0, 0)
NAMED_COLOR(darkGrayColor, 1.0 / 3, 1.0 / 3, 1.0 / 3)
NAMED_COLOR(lightGrayColor, 2.0 / 3, 2.0 / 3, 2.0 / 3)
NAMED_COLOR(whiteColor, 1, 1, 1)
NAMED_COLOR(grayColor, 0.5, 0.5, 0.5)
NAMED_COLOR(redColor, 1, 0, 0)
NAMED_COLOR(greenColor, 0, 1, 0)
NAMED_COLOR(blueColor, 0, 0, 1)
NAMED_COLOR(cyanColor, 0, 1, 1)
NAMED_COLOR(yellowColor, 1, 1, 0)
NAMED_COLOR(magentaColor, 1, 0, 1)
NAMED_COLOR(orangeColor, 1, 0.5, 0)
NAMED_COLOR(purpleColor, 0.5, 0, 0.5)
NAMED_COLOR(brownColor, 0.6, 0.4, 0.2)
NAMED_COLOR(clearColor, 0, 0, 0, 0)
NAMED_COLOR(groupTableViewBackgroundColor, 0.937, 0.937, 0.957)
#undef NAMED_COLOR

RefPtr<UIColor> UIColor::colorWithAlphaComponent(double alpha) const
{
    return colorWithRed(m_red, m_green, m_blue, alpha);
}

bool UIColor::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, staticClass()))
        return false;
    auto* c = static_cast<UIColor*>(other);
    return c->m_red == m_red && c->m_green == m_green && c->m_blue == m_blue && c->m_alpha == m_alpha;
}

RefPtr<NSString> UIColor::description() const
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "UIDeviceRGBColorSpace %g %g %g %g", m_red, m_green, m_blue, m_alpha);
    return ns(buf);
}

void UIColor::registerMethods(objc::ClassBuilder<UIColor>& b)
{
    b.classMethod<&UIColor::colorWithRed>("colorWithRed:green:blue:alpha:")
        .classMethod<&UIColor::colorWithWhite>("colorWithWhite:alpha:")
        .classMethod<&UIColor::blackColor>("blackColor")
        .classMethod<&UIColor::darkGrayColor>("darkGrayColor")
        .classMethod<&UIColor::lightGrayColor>("lightGrayColor")
        .classMethod<&UIColor::whiteColor>("whiteColor")
        .classMethod<&UIColor::grayColor>("grayColor")
        .classMethod<&UIColor::redColor>("redColor")
        .classMethod<&UIColor::greenColor>("greenColor")
        .classMethod<&UIColor::blueColor>("blueColor")
        .classMethod<&UIColor::cyanColor>("cyanColor")
        .classMethod<&UIColor::yellowColor>("yellowColor")
        .classMethod<&UIColor::magentaColor>("magentaColor")
        .classMethod<&UIColor::orangeColor>("orangeColor")
        .classMethod<&UIColor::purpleColor>("purpleColor")
        .classMethod<&UIColor::brownColor>("brownColor")
        .classMethod<&UIColor::clearColor>("clearColor")
        .classMethod<&UIColor::groupTableViewBackgroundColor>("groupTableViewBackgroundColor")
        .method<&UIColor::colorWithAlphaComponent>("colorWithAlphaComponent:")
        .method<&UIColor::isEqual>("isEqual:")
        .method<&UIColor::description>("description");
}

} // namespace platform
