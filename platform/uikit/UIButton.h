#pragma once
// A control with a title and an image per state (normal, highlighted,
// disabled, selected; a state without its own falls back to normal). The
// title label and image view show the current state's values; the image sits
// left of the title, both centred. A tap (see UserInput) sends touch-up-inside.
// Main thread.

#include "platform/uikit/UIControl.h"

#include <map>

namespace platform {

class UIImage;
class UIImageView;
class UILabel;
class NSAttributedString;

enum UIButtonType : long {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
    UIButtonTypeDetailDisclosure = 2,
    UIButtonTypeInfoLight = 3,
    UIButtonTypeInfoDark = 4,
    UIButtonTypeContactAdd = 5,
};

class UIButton : public UIControl {
    OBJC_CLASS(UIButton, UIControl)
public:
    UIButton();
    ~UIButton() override;
    static void registerMethods(objc::ClassBuilder<UIButton>&);

    // A button of the type with a zero frame.
    static Ref<UIButton> buttonWithType(long type);

    long buttonType() const { return m_type; }
    void setTitle(NSString* title, unsigned long state);
    RefPtr<NSString> titleForState(unsigned long state) const;
    void setTitleColor(UIColor* color, unsigned long state);
    RefPtr<UIColor> titleColorForState(unsigned long state) const;
    void setImage(UIImage* image, unsigned long state);
    RefPtr<UIImage> imageForState(unsigned long state) const;
    void setBackgroundImage(UIImage* image, unsigned long state);
    RefPtr<UIImage> backgroundImageForState(unsigned long state) const;
    void setAttributedTitle(NSAttributedString* title, unsigned long state);
    RefPtr<NSAttributedString> attributedTitleForState(unsigned long state) const;

    // The values for the current state.
    RefPtr<NSString> currentTitle() const;
    RefPtr<UIImage> currentImage() const;
    RefPtr<UIColor> currentTitleColor() const;
    RefPtr<UILabel> titleLabel() const;
    RefPtr<UIImageView> imageView() const;

    // The image and the title side by side, plus the content insets.
    CGSize sizeThatFits(CGSize size) const;
    void layoutSubviews();
    CGSize intrinsicContentSize() const { return sizeThatFits(CGSizeZero); }
    // Draws the current state's background image over the bounds.
    void drawRect(CGRect rect);
    void stateDidChange() { refresh(); }
    UIEdgeInsets contentEdgeInsets() const { return m_contentInsets; }
    void setContentEdgeInsets(UIEdgeInsets insets) { m_contentInsets = insets; setNeedsLayout(); }

private:
    enum Slot { Title, AttributedTitle, TitleColor, Image, BackgroundImage };
    void setValue(Slot slot, id value, unsigned long state);
    RefPtr<Object> valueFor(Slot slot, unsigned long state) const;
    void refresh();

    long m_type { UIButtonTypeCustom };
    std::map<std::pair<int, unsigned long>, Ref<Object>> m_values;
    RefPtr<UILabel> m_titleLabel;
    RefPtr<UIImageView> m_imageView;
    UIEdgeInsets m_contentInsets;
};

} // namespace platform
