#include "platform/uikit/UICollectionViewCell.h"

namespace platform {

OBJC_CLASS_LOAD(UICollectionViewCell)

UICollectionViewCell::UICollectionViewCell()
    : m_contentView(UIView::create())
{
    m_contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(m_contentView.get());
}

UICollectionViewCell::~UICollectionViewCell() = default;

Ref<UICollectionViewCell> UICollectionViewCell::create(CGRect frame)
{
    auto cell = objc::make<UICollectionViewCell>();
    objc::send<RefPtr<UIView>(CGRect)>(cell, "initWithFrame:", frame);
    return cell;
}

RefPtr<UIView> UICollectionViewCell::initWithFrame(CGRect frame)
{
    UIView::initWithFrame(frame);
    m_contentView->setFrame(CGRectMake(0, 0, frame.size.width, frame.size.height));
    return RefPtr<UIView>(this);
}

void UICollectionViewCell::layoutSubviews()
{
    CGRect b = bounds();
    m_contentView->setFrame(CGRectMake(0, 0, b.size.width, b.size.height));
}

void UICollectionViewCell::registerMethods(objc::ClassBuilder<UICollectionViewCell>& b)
{
    b.method<&UICollectionViewCell::initWithFrame>("initWithFrame:")
        .method<&UICollectionViewCell::contentView>("contentView")
        .method<&UICollectionViewCell::reuseIdentifier>("reuseIdentifier")
        .method<&UICollectionViewCell::isSelected>("isSelected")
        .method<&UICollectionViewCell::setSelected>("setSelected:")
        .method<&UICollectionViewCell::isHighlighted>("isHighlighted")
        .method<&UICollectionViewCell::setHighlighted>("setHighlighted:")
        .method<&UICollectionViewCell::prepareForReuse>("prepareForReuse")
        .method<&UICollectionViewCell::layoutSubviews>("layoutSubviews");
}

} // namespace platform
