#include "platform/uikit/UIButton.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UIButton)

UIButton::UIButton()
    : m_titleLabel(UILabel::create())
    , m_imageView(UIImageView::create(nullptr))
{
    m_titleLabel->setFont(UIFont::systemFontOfSize(15).get());
    m_titleLabel->setHidden(true);
    m_imageView->setHidden(true);
    addSubview(m_imageView.get());
    addSubview(m_titleLabel.get());
}

UIButton::~UIButton() = default;

Ref<UIButton> UIButton::buttonWithType(long type)
{
    auto button = objc::make<UIButton>();
    objc::send<RefPtr<UIView>(CGRect)>(button, "initWithFrame:", CGRectZero);
    button->m_type = type;
    if (type == UIButtonTypeSystem)
        button->setTitleColor(button->tintColor().get(), UIControlStateNormal);
    else
        button->setTitleColor(UIColor::whiteColor().get(), UIControlStateNormal);
    return button;
}

void UIButton::setValue(Slot slot, id value, unsigned long state)
{
    auto key = std::make_pair(int(slot), state);
    if (value)
        m_values.insert_or_assign(key, Ref<Object>(*value));
    else
        m_values.erase(key);
    refresh();
}

RefPtr<Object> UIButton::valueFor(Slot slot, unsigned long state) const
{
    auto it = m_values.find({ int(slot), state });
    if (it != m_values.end())
        return it->second;
    // Selected and highlighted fall back to selected, then to normal.
    if ((state & UIControlStateSelected) && state != UIControlStateSelected) {
        it = m_values.find({ int(slot), UIControlStateSelected });
        if (it != m_values.end())
            return it->second;
    }
    it = m_values.find({ int(slot), UIControlStateNormal });
    return it == m_values.end() ? nullptr : RefPtr<Object>(it->second);
}

void UIButton::setTitle(NSString* title, unsigned long state) { setValue(Title, title, state); }
void UIButton::setTitleColor(UIColor* color, unsigned long state) { setValue(TitleColor, color, state); }
void UIButton::setImage(UIImage* image, unsigned long state) { setValue(Image, image, state); }
void UIButton::setBackgroundImage(UIImage* image, unsigned long state) { setValue(BackgroundImage, image, state); }
void UIButton::setAttributedTitle(NSAttributedString* title, unsigned long state) { setValue(AttributedTitle, title, state); }

RefPtr<NSString> UIButton::titleForState(unsigned long state) const
{
    auto v = valueFor(Title, state);
    return RefPtr<NSString>(static_cast<NSString*>(v.get()));
}

RefPtr<UIColor> UIButton::titleColorForState(unsigned long state) const
{
    auto v = valueFor(TitleColor, state);
    return RefPtr<UIColor>(static_cast<UIColor*>(v.get()));
}

RefPtr<UIImage> UIButton::imageForState(unsigned long state) const
{
    auto v = valueFor(Image, state);
    return RefPtr<UIImage>(static_cast<UIImage*>(v.get()));
}

RefPtr<UIImage> UIButton::backgroundImageForState(unsigned long state) const
{
    auto v = valueFor(BackgroundImage, state);
    return RefPtr<UIImage>(static_cast<UIImage*>(v.get()));
}

RefPtr<NSAttributedString> UIButton::attributedTitleForState(unsigned long state) const
{
    auto v = valueFor(AttributedTitle, state);
    return RefPtr<NSAttributedString>(static_cast<NSAttributedString*>(v.get()));
}

RefPtr<NSString> UIButton::currentTitle() const { return titleForState(state()); }
RefPtr<UIImage> UIButton::currentImage() const { return imageForState(state()); }
RefPtr<UIColor> UIButton::currentTitleColor() const { return titleColorForState(state()); }

RefPtr<UILabel> UIButton::titleLabel() const { return m_titleLabel; }
RefPtr<UIImageView> UIButton::imageView() const { return m_imageView; }

void UIButton::refresh()
{
    unsigned long s = state();
    if (auto attributed = attributedTitleForState(s))
        m_titleLabel->setAttributedText(attributed.get());
    else
        m_titleLabel->setText(titleForState(s).get());
    if (auto color = titleColorForState(s))
        m_titleLabel->setTextColor(color.get());
    m_titleLabel->setHidden(m_titleLabel->textString().empty());
    auto image = imageForState(s);
    m_imageView->setImage(image.get());
    m_imageView->setHidden(!image);
    setNeedsLayout();
}

CGSize UIButton::sizeThatFits(CGSize) const
{
    CGSize title = m_titleLabel->isHidden() ? CGSizeZero : m_titleLabel->sizeThatFits(CGSizeZero);
    CGSize image = m_imageView->isHidden() ? CGSizeZero : m_imageView->sizeThatFits(CGSizeZero);
    return CGSizeMake(title.width + image.width + m_contentInsets.left + m_contentInsets.right,
        std::max(title.height, image.height) + m_contentInsets.top + m_contentInsets.bottom);
}

void UIButton::drawRect(CGRect)
{
    auto background = objc::send<RefPtr<UIImage>(unsigned long)>(this, "backgroundImageForState:", state());
    if (background)
        background->drawInRect(bounds());
}

void UIButton::layoutSubviews()
{
    CGRect content = UIEdgeInsetsInsetRect(bounds(), m_contentInsets);
    CGSize title = m_titleLabel->isHidden() ? CGSizeZero : m_titleLabel->sizeThatFits(CGSizeZero);
    CGSize image = m_imageView->isHidden() ? CGSizeZero : m_imageView->sizeThatFits(CGSizeZero);
    title.width = std::min(title.width, std::max(0.0, content.size.width - image.width));
    double x = content.origin.x + std::round((content.size.width - image.width - title.width) / 2);
    double midY = CGRectGetMidY(content);
    m_imageView->setFrame(CGRectMake(x, std::round(midY - image.height / 2), image.width, image.height));
    m_titleLabel->setFrame(CGRectMake(x + image.width, std::round(midY - title.height / 2), title.width, title.height));
}

void UIButton::registerMethods(objc::ClassBuilder<UIButton>& b)
{
    b.classMethod<&UIButton::buttonWithType>("buttonWithType:")
        .method<&UIButton::buttonType>("buttonType")
        .method<&UIButton::setTitle>("setTitle:forState:")
        .method<&UIButton::titleForState>("titleForState:")
        .method<&UIButton::setTitleColor>("setTitleColor:forState:")
        .method<&UIButton::titleColorForState>("titleColorForState:")
        .method<&UIButton::setImage>("setImage:forState:")
        .method<&UIButton::imageForState>("imageForState:")
        .method<&UIButton::setBackgroundImage>("setBackgroundImage:forState:")
        .method<&UIButton::backgroundImageForState>("backgroundImageForState:")
        .method<&UIButton::setAttributedTitle>("setAttributedTitle:forState:")
        .method<&UIButton::attributedTitleForState>("attributedTitleForState:")
        .method<&UIButton::currentTitle>("currentTitle")
        .method<&UIButton::currentImage>("currentImage")
        .method<&UIButton::currentTitleColor>("currentTitleColor")
        .method<&UIButton::titleLabel>("titleLabel")
        .method<&UIButton::imageView>("imageView")
        .method<&UIButton::sizeThatFits>("sizeThatFits:")
        .method<&UIButton::layoutSubviews>("layoutSubviews")
        .method<&UIButton::intrinsicContentSize>("intrinsicContentSize")
        .method<&UIButton::drawRect>("drawRect:")
        .method<&UIButton::stateDidChange>("_stateDidChange")
        .method<&UIButton::contentEdgeInsets>("contentEdgeInsets")
        .method<&UIButton::setContentEdgeInsets>("setContentEdgeInsets:");
}

} // namespace platform
