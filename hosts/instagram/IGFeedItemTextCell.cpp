#include "hosts/instagram/IGFeedItemTextCell.h"

#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGStyledString.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"

#include <cstdio>

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItemTextCell)

void IGFeedItemTextCell::registerMethods(objc::ClassBuilder<IGFeedItemTextCell>& b)
{
    b.method<&IGFeedItemTextCell::initWithFrame>("initWithFrame:")
        .method<&IGFeedItemTextCell::setFeedItem>("setFeedItem:")
        .method<&IGFeedItemTextCell::feedItem>("feedItem")
        .method<&IGFeedItemTextCell::cellType>("cellType")
        .method<&IGFeedItemTextCell::delegate>("delegate")
        .method<&IGFeedItemTextCell::setDelegate>("setDelegate:")
        .method<&IGFeedItemTextCell::showTimeStamp>("showTimeStamp")
        .method<&IGFeedItemTextCell::setShowTimeStamp>("setShowTimeStamp:")
        .method<&IGFeedItemTextCell::timeStampLabel>("timeStampLabel")
        .method<&IGFeedItemTextCell::styledStringForLikesWithFeedItem>("styledStringForLikesWithFeedItem:")
        .method<&IGFeedItemTextCell::coreTextViewDidTapOnString>("coreTextView:didTapOnString:URL:");
}

Ref<IGFeedItemTextCell> IGFeedItemTextCell::create(long cellType, id delegate)
{
    auto cell = objc::make<IGFeedItemTextCell>();
    objc::send<RefPtr<UIView>(CGRect)>(cell, "initWithFrame:", CGRectMake(0, 0, 320, 80));
    cell->m_cellType = cellType;
    cell->setDelegate(delegate);
    return cell;
}

RefPtr<UIView> IGFeedItemTextCell::initWithFrame(CGRect frame)
{
    UICollectionViewCell::initWithFrame(frame);
    setBackgroundColor(UIColor::whiteColor().get());
    m_likesView = IGCoreTextView::create();
    m_captionView = IGCoreTextView::create();
    m_likesView->setDelegate(this);
    m_captionView->setDelegate(this);
    addSubview(m_likesView.get());
    addSubview(m_captionView.get());
    return RefPtr<UIView>(this);
}

RefPtr<UILabel> IGFeedItemTextCell::timeStampLabel()
{
    if (!m_timeStampLabel) {
        m_timeStampLabel = UILabel::create(CGRectMake(8, 60, 200, 14));
        addSubview(m_timeStampLabel.get());
    }
    // Instagram writes its own short text each time it hands out the label.
    m_timeStampLabel->setText(ns("RECENTLY").get());
    return m_timeStampLabel;
}

RefPtr<objc::Object> IGFeedItemTextCell::styledStringForLikesWithFeedItem(id item)
{
    long likes = objc::respondsTo(item, "likeCount") ? objc::send<long>(item, "likeCount") : 0;
    // Instagram groups thousands: "♥ 1,234 likes".
    std::string digits = std::to_string(likes);
    for (long i = long(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(size_t(i), ",");
    return IGStyledString::create("\xE2\x99\xA5 " + digits + " likes",
        { { NSForegroundColorAttributeName, UIColor::colorWithRed(0.07, 0.2, 0.34, 1) } });
}

void IGFeedItemTextCell::coreTextViewDidTapOnString(id, id, id url)
{
    auto* address = objc::dynamicCast<NSURL>(url);
    if (address && address->text().rfind("instagram://", 0) == 0)
        m_handled.push_back(address->text());
}

void IGFeedItemTextCell::configure(id item, const std::string& caption)
{
    m_feedItem = item;
    auto likes = objc::send<RefPtr<objc::Object>(id)>(this, "styledStringForLikesWithFeedItem:", item);
    objc::send<void(id)>(m_likesView, "setStyledString:", likes.get());
    double width = bounds().size.width - 16;
    objc::send<void(CGRect)>(m_likesView, "setFrame:", CGRectMake(8, 4, width, 18));
    objc::send<void(id)>(m_captionView, "setStyledString:", IGStyledString::create(caption).get());
    objc::send<void(CGRect)>(m_captionView, "setFrame:", CGRectMake(8, 24, width, 34));
    auto label = objc::send<RefPtr<UILabel>>(this, "timeStampLabel");
    if (label) {
        label->setFrame(CGRectMake(8, 60, width, 14));
        label->setFont(UIFont::systemFontOfSize(10).get());
        label->setTextColor(UIColor::colorWithWhite(0.6, 1).get());
    }
}

void IGFeedItemTextCell::setFeedItem(id item)
{
    auto* post = objc::dynamicCast<IGFeedItem>(item);
    auto user = post ? post->user() : nullptr;
    auto caption = post ? post->caption() : nullptr;
    std::string text = user ? user->usernameString() : std::string();
    if (caption)
        text += " " + caption->textString();
    configure(item, text);
}

} // namespace hosts::instagram
