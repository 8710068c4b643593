#include "platform/uikit/UIFont.h"
#include "platform/graphics/TextLayout.h"

namespace platform {

OBJC_CLASS_LOAD(UIFont)


Ref<UIFont> UIFont::systemFontOfSize(double size)
{
    return objc::make<UIFont>("HelveticaNeue", size);
}

Ref<UIFont> UIFont::boldSystemFontOfSize(double size)
{
    return objc::make<UIFont>("HelveticaNeue-Bold", size);
}

RefPtr<UIFont> UIFont::fontWithName(NSString* name, double size)
{
    if (!name || name->str().empty() || size < 0)
        return nullptr;
    return objc::make<UIFont>(name->str(), size);
}

RefPtr<UIFont> UIFont::fontWithSize(double size) const
{
    return objc::make<UIFont>(m_name, size);
}

bool UIFont::isBold() const
{
    return m_name.find("Bold") != std::string::npos;
}

double UIFont::widthOfText(std::string_view text) const
{
    return TextWidth(text, m_name, m_size);
}

bool UIFont::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, staticClass()))
        return false;
    auto* f = static_cast<UIFont*>(other);
    return f->m_name == m_name && f->m_size == m_size;
}

void UIFont::registerMethods(objc::ClassBuilder<UIFont>& b)
{
    b.classMethod<&UIFont::systemFontOfSize>("systemFontOfSize:")
        .classMethod<&UIFont::boldSystemFontOfSize>("boldSystemFontOfSize:")
        .classMethod<&UIFont::fontWithName>("fontWithName:size:")
        .method<&UIFont::fontName>("fontName")
        .method<&UIFont::pointSize>("pointSize")
        .method<&UIFont::fontWithSize>("fontWithSize:")
        .method<&UIFont::ascender>("ascender")
        .method<&UIFont::descender>("descender")
        .method<&UIFont::lineHeight>("lineHeight")
        .method<&UIFont::isEqual>("isEqual:");
}

} // namespace platform
