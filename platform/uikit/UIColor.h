#pragma once
// A colour: red, green, blue and alpha components from 0 to 1 (device RGB).
// Immutable; the named system colours are shared instances.

#include "platform/foundation/NSValues.h"

namespace platform {

class UIColor : public NSObject {
    OBJC_CLASS(UIColor, NSObject)
public:
    UIColor() = default;
    UIColor(double r, double g, double b, double a) : m_red(r), m_green(g), m_blue(b), m_alpha(a) { }
    static void registerMethods(objc::ClassBuilder<UIColor>&);

    // A colour from components; values are clamped to 0...1.
    static Ref<UIColor> colorWithRed(double red, double green, double blue, double alpha);
    // A grey of the given brightness.
    static Ref<UIColor> colorWithWhite(double white, double alpha);

    static Ref<UIColor> blackColor();
    static Ref<UIColor> darkGrayColor();   // white 1/3
    static Ref<UIColor> lightGrayColor();  // white 2/3
    static Ref<UIColor> whiteColor();
    static Ref<UIColor> grayColor();       // white 1/2
    static Ref<UIColor> redColor();
    static Ref<UIColor> greenColor();
    static Ref<UIColor> blueColor();
    static Ref<UIColor> cyanColor();
    static Ref<UIColor> yellowColor();
    static Ref<UIColor> magentaColor();
    static Ref<UIColor> orangeColor();     // 1, 0.5, 0
    static Ref<UIColor> purpleColor();     // 0.5, 0, 0.5
    static Ref<UIColor> brownColor();      // 0.6, 0.4, 0.2
    static Ref<UIColor> clearColor();      // black, alpha 0
    static Ref<UIColor> groupTableViewBackgroundColor(); // 0.937, 0.937, 0.957

    double red() const { return m_red; }
    double green() const { return m_green; }
    double blue() const { return m_blue; }
    double alpha() const { return m_alpha; }
    // The same colour with another alpha.
    RefPtr<UIColor> colorWithAlphaComponent(double alpha) const;
    // Equal components (compared exactly).
    bool isEqual(id other) const;
    // "UIDeviceRGBColorSpace 1 0 0 1", as the platform describes colours.
    RefPtr<NSString> description() const;

private:
    double m_red { 0 };
    double m_green { 0 };
    double m_blue { 0 };
    double m_alpha { 1 };
};

} // namespace platform
