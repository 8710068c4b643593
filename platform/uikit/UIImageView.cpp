#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIImage.h"
#include "platform/graphics/CGContext.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UIImageView)

UIImageView::UIImageView()
{
    setUserInteractionEnabled(false);
}

UIImageView::~UIImageView() = default;

Ref<UIImageView> UIImageView::create(UIImage* image)
{
    auto view = objc::make<UIImageView>();
    objc::send<RefPtr<UIImageView>(UIImage*)>(view, "initWithImage:", image);
    return view;
}

RefPtr<UIImageView> UIImageView::initWithImage(UIImage* image)
{
    objc::send<RefPtr<UIView>(CGRect)>(this, "initWithFrame:", CGRect { CGPointZero, image ? image->size() : CGSizeZero });
    m_image = image;
    return RefPtr<UIImageView>(this);
}

RefPtr<UIImage> UIImageView::image() const
{
    return RefPtr<UIImage>(static_cast<UIImage*>(m_image.get()));
}

void UIImageView::setImage(UIImage* image)
{
    m_image = image;
    setNeedsDisplay();
}

RefPtr<UIImage> UIImageView::highlightedImage() const
{
    return RefPtr<UIImage>(static_cast<UIImage*>(m_highlightedImage.get()));
}

void UIImageView::setHighlightedImage(UIImage* image)
{
    m_highlightedImage = image;
}

CGSize UIImageView::sizeThatFits(CGSize) const
{
    return m_image ? static_cast<UIImage*>(m_image.get())->size() : CGSizeZero;
}

CGSize UIImageView::intrinsicContentSize() const
{
    if (!m_image)
        return CGSizeMake(-1, -1);
    return static_cast<UIImage*>(m_image.get())->size();
}

void UIImageView::drawRect(CGRect)
{
    auto* image = static_cast<UIImage*>((m_highlighted && m_highlightedImage ? m_highlightedImage : m_image).get());
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!image || !context)
        return;
    CGRect b = bounds();
    CGSize s = image->size();
    if (s.width <= 0 || s.height <= 0 || b.size.width <= 0 || b.size.height <= 0)
        return;
    CGRect target = b;
    switch (contentMode()) {
    case UIViewContentModeScaleAspectFit:
    case UIViewContentModeScaleAspectFill: {
        double k = contentMode() == UIViewContentModeScaleAspectFit
            ? std::min(b.size.width / s.width, b.size.height / s.height)
            : std::max(b.size.width / s.width, b.size.height / s.height);
        target.size = CGSizeMake(s.width * k, s.height * k);
        target.origin = CGPointMake(CGRectGetMidX(b) - target.size.width / 2, CGRectGetMidY(b) - target.size.height / 2);
        break;
    }
    case UIViewContentModeCenter:
        target = CGRectMake(CGRectGetMidX(b) - s.width / 2, CGRectGetMidY(b) - s.height / 2, s.width, s.height);
        break;
    default:
        break;
    }
    image->drawInRect(target);
}

void UIImageView::registerMethods(objc::ClassBuilder<UIImageView>& b)
{
    b.method<&UIImageView::intrinsicContentSize>("intrinsicContentSize")
        .method<&UIImageView::drawRect>("drawRect:")
        .method<&UIImageView::initWithImage>("initWithImage:")
        .method<&UIImageView::image>("image")
        .method<&UIImageView::setImage>("setImage:")
        .method<&UIImageView::highlightedImage>("highlightedImage")
        .method<&UIImageView::setHighlightedImage>("setHighlightedImage:")
        .method<&UIImageView::isHighlighted>("isHighlighted")
        .method<&UIImageView::setHighlighted>("setHighlighted:")
        .method<&UIImageView::sizeThatFits>("sizeThatFits:");
}

} // namespace platform
