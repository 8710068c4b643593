#include "hosts/instagram/IGFeedItemActionCell.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItemActionCell)

void IGFeedItemActionCell::registerMethods(objc::ClassBuilder<IGFeedItemActionCell>& b)
{
    b.method<&IGFeedItemActionCell::initWithFrame>("initWithFrame:")
        .method<&IGFeedItemActionCell::layoutSubviews>("layoutSubviews")
        .method<&IGFeedItemActionCell::feedItem>("feedItem")
        .method<&IGFeedItemActionCell::setFeedItem>("setFeedItem:")
        .method<&IGFeedItemActionCell::navigationController>("navigationController")
        .method<&IGFeedItemActionCell::setNavigationController>("setNavigationController:")
        .method<&IGFeedItemActionCell::moreButton>("moreButton");
}

namespace {
Ref<UIButton> textButton(const char* title, double size)
{
    auto button = UIButton::buttonWithType(0);
    button->setTitle(ns(title).get(), UIControlStateNormal);
    button->setTitleColor(UIColor::colorWithWhite(0.15, 1).get(), UIControlStateNormal);
    if (auto label = button->titleLabel())
        label->setFont(UIFont::boldSystemFontOfSize(size).get());
    return button;
}
}

RefPtr<UIView> IGFeedItemActionCell::initWithFrame(CGRect frame)
{
    UICollectionViewCell::initWithFrame(frame);
    setBackgroundColor(UIColor::whiteColor().get());
    m_likeButton = textButton("Like", 13);
    m_commentButton = textButton("Comment", 13);
    m_sendButton = textButton("Share", 13);
    m_moreButton = textButton("\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2", 14);
    for (auto* button : { m_likeButton.get(), m_commentButton.get(), m_sendButton.get(), m_moreButton.get() })
        addSubview(button);
    placeButtons();
    return RefPtr<UIView>(this);
}

void IGFeedItemActionCell::placeButtons()
{
    double width = bounds().size.width, height = bounds().size.height;
    double top = (height - kMoreButtonSide) / 2;
    m_likeButton->setFrame(CGRectMake(8, top, 48, kMoreButtonSide));
    m_commentButton->setFrame(CGRectMake(60, top, 76, kMoreButtonSide));
    m_sendButton->setFrame(CGRectMake(140, top, 56, kMoreButtonSide));
    m_moreButton->setFrame(CGRectMake(width - kMoreButtonSide, top, kMoreButtonSide, kMoreButtonSide));
}

void IGFeedItemActionCell::layoutSubviews()
{
    UICollectionViewCell::layoutSubviews();
    if (m_moreButton)
        placeButtons();
}

} // namespace hosts::instagram
