#pragma once
// A font: a face name and a size in points, as the platform names faces
// ("HelveticaNeue-Light"). Text is measured through pango (TextLayout) in
// the face fontconfig resolves the name to, with fractional widths.

#include "platform/foundation/NSValues.h"

#include <string_view>

namespace platform {

class UIFont : public NSObject {
    OBJC_CLASS(UIFont, NSObject)
public:
    UIFont() = default;
    UIFont(std::string name, double size) : m_name(std::move(name)), m_size(size) { }
    static void registerMethods(objc::ClassBuilder<UIFont>&);

    // The system face ("HelveticaNeue") at the given size.
    static Ref<UIFont> systemFontOfSize(double size);
    // The bold system face ("HelveticaNeue-Bold") at the given size.
    static Ref<UIFont> boldSystemFontOfSize(double size);
    // A face by name; nil for an empty name or a size below zero.
    static RefPtr<UIFont> fontWithName(NSString* name, double size);
    // The size the platform uses for labels and buttons (17).
    static double labelFontSize() { return 17; }

    RefPtr<NSString> fontName() const { return ns(m_name); }
    const std::string& name() const { return m_name; }
    double pointSize() const { return m_size; }
    // The same face at another size.
    RefPtr<UIFont> fontWithSize(double size) const;
    // Whether the face is a bold one (its name says "Bold").
    bool isBold() const;

    double ascender() const { return m_size * 0.952; }
    double descender() const { return m_size * -0.241; }
    // The distance between two baselines of single-spaced text.
    double lineHeight() const { return ascender() - descender(); }
    // The advance width of one line of UTF-8 text, in points.
    double widthOfText(std::string_view utf8) const;

    bool isEqual(id other) const;

private:
    std::string m_name { "HelveticaNeue" };
    double m_size { 17 };
};

} // namespace platform
