#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIImage.h"

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

void UIImageView::registerMethods(objc::ClassBuilder<UIImageView>& b)
{
    b.method<&UIImageView::initWithImage>("initWithImage:")
        .method<&UIImageView::image>("image")
        .method<&UIImageView::setImage>("setImage:")
        .method<&UIImageView::highlightedImage>("highlightedImage")
        .method<&UIImageView::setHighlightedImage>("setHighlightedImage:")
        .method<&UIImageView::isHighlighted>("isHighlighted")
        .method<&UIImageView::setHighlighted>("setHighlighted:")
        .method<&UIImageView::sizeThatFits>("sizeThatFits:");
}

} // namespace platform
