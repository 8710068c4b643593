#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGFeedItem.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItemHeader)

void IGFeedItemHeader::registerMethods(objc::ClassBuilder<IGFeedItemHeader>& b)
{
    b.method<&IGFeedItemHeader::initWithFrame>("initWithFrame:")
        .method<&IGFeedItemHeader::feedItem>("feedItem")
        .method<&IGFeedItemHeader::setFeedItem>("setFeedItem:")
        .method<&IGFeedItemHeader::timestampLabel>("timestampLabel")
        .method<&IGFeedItemHeader::timestampButton>("timestampButton")
        .method<&IGFeedItemHeader::layoutSubviews>("layoutSubviews");
}

Ref<IGFeedItemHeader> IGFeedItemHeader::create(id feedItem)
{
    auto header = objc::make<IGFeedItemHeader>();
    objc::send<RefPtr<UIView>(CGRect)>(header, "initWithFrame:", CGRectMake(0, 0, 320, 44));
    header->m_feedItem = feedItem;
    return header;
}

RefPtr<UIView> IGFeedItemHeader::initWithFrame(CGRect frame)
{
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::whiteColor().get());
    m_pictureView = IGRemoteImageView::create(CGRectMake(8, 6, 32, 32));
    m_pictureView->layer()->setCornerRadius(16);
    addSubview(m_pictureView.get());
    m_usernameLabel = UILabel::create(CGRectMake(48, 12, 180, 20));
    m_usernameLabel->setFont(UIFont::boldSystemFontOfSize(14).get());
    m_usernameLabel->setTextColor(UIColor::colorWithRed(0.07, 0.2, 0.34, 1).get());
    addSubview(m_usernameLabel.get());
    return RefPtr<UIView>(this);
}

void IGFeedItemHeader::layoutSubviews()
{
    double width = bounds().size.width, height = bounds().size.height;
    if (m_pictureView)
        m_pictureView->setFrame(CGRectMake(8, (height - 32) / 2, 32, 32));
    if (m_usernameLabel)
        m_usernameLabel->setFrame(CGRectMake(48, (height - 20) / 2, width - 48 - 130, 20));
    if (m_label)
        m_label->setFrame(CGRectMake(width - 128, (height - 20) / 2, 120, 20));
}

void IGFeedItemHeader::setFeedItem(id item)
{
    m_feedItem = item;
    auto* post = objc::dynamicCast<IGFeedItem>(item);
    auto user = post ? post->user() : nullptr;
    m_usernameLabel->setText(ns(user ? user->usernameString() : std::string()).get());
    auto picture = user ? objc::dynamicCast<NSURL>(user->profilePicURL()) : nullptr;
    m_pictureView->setImageAddress(picture ? picture->text() : std::string());
    // The time, as Instagram's code asks for it (through the runtime).
    auto label = objc::send<RefPtr<UILabel>>(this, "timestampLabel");
    if (label) {
        label->setTextAlignment(NSTextAlignmentRight);
        label->setFont(UIFont::systemFontOfSize(12).get());
        label->setTextColor(UIColor::colorWithWhite(0.6, 1).get());
    }
    setNeedsLayout();
}

RefPtr<UILabel> IGFeedItemHeader::timestampLabel()
{
    if (!m_label) {
        m_label = UILabel::create(CGRectMake(200, 12, 112, 20));
        addSubview(m_label.get());
    }
    m_label->setText(ns("RECENTLY").get());
    return m_label;
}

RefPtr<UIButton> IGFeedItemHeader::timestampButton()
{
    if (!m_button) {
        m_button = UIButton::buttonWithType(0);
        m_button->setHidden(true);
        addSubview(m_button.get());
    }
    m_button->setTitle(ns("RECENTLY").get(), UIControlStateNormal);
    return m_button;
}

} // namespace hosts::instagram
