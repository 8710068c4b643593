#include "platform/uikit/UIFont.h"

namespace platform {

OBJC_CLASS_LOAD(UIFont)

namespace {
// Advance widths of the printable ASCII characters (space to tilde), in
// thousandths of the size, of the regular and bold Helvetica faces.
constexpr short kRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,
};
constexpr short kBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584,
};
// Characters outside ASCII take an average width.
constexpr short kOther = 556;
}

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
    const short* table = isBold() ? kBold : kRegular;
    long units = 0;
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            units += table[c - 0x20];
            ++i;
        } else if (c < 0x80) {
            ++i; // control characters take no room
        } else {
            units += kOther;
            i += c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        }
    }
    return double(units) * m_size / 1000.0;
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
