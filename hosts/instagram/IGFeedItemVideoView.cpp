#include "hosts/instagram/IGFeedItemVideoView.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemPhotoCell.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"

#include <algorithm>

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItemVideoView)
OBJC_CLASS_DEFINE(IGFeedItemVideoCell)

void IGFeedItemVideoView::registerMethods(objc::ClassBuilder<IGFeedItemVideoView>& b)
{
    b.method<&IGFeedItemVideoView::initWithFrame>("initWithFrame:")
        .method<&IGFeedItemVideoView::feedItem>("feedItem")
        .method<&IGFeedItemVideoView::setFeedItem>("setFeedItem:")
        .method<&IGFeedItemVideoView::videoPlayerDidLoadVideoInView>("videoPlayer:didLoadVideoInView:")
        .method<&IGFeedItemVideoView::layoutSubviews>("layoutSubviews");
    b.ivar<&IGFeedItemVideoView::m_video>("_video");
}

namespace {
Ref<UILabel> mark(const char* text, double size)
{
    auto label = UILabel::create(CGRectZero);
    label->setText(ns(text).get());
    label->setFont(UIFont::boldSystemFontOfSize(size).get());
    label->setTextColor(UIColor::whiteColor().get());
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setBackgroundColor(UIColor::colorWithWhite(0, 0.45).get());
    return label;
}
}

RefPtr<UIView> IGFeedItemVideoView::initWithFrame(CGRect frame)
{
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::colorWithWhite(0.1, 1).get());
    setClipsToBounds(true);
    m_stillView = IGRemoteImageView::create(bounds());
    addSubview(m_stillView.get());
    m_playMark = mark("\xE2\x96\xB6", 26);
    addSubview(m_playMark.get());
    m_soundMark = mark("sound off", 11);
    addSubview(m_soundMark.get());
    layoutSubviews();
    return RefPtr<UIView>(this);
}

void IGFeedItemVideoView::layoutSubviews()
{
    CGRect b = bounds();
    if (m_stillView)
        m_stillView->setFrame(b);
    if (m_playMark)
        m_playMark->setFrame(CGRectMake(b.size.width / 2 - 28, b.size.height / 2 - 28, 56, 56));
    if (m_soundMark)
        m_soundMark->setFrame(CGRectMake(b.size.width - 78, b.size.height - 30, 70, 22));
}

void IGFeedItemVideoView::setFeedItem(id item)
{
    m_feedItem = item;
    auto* post = objc::dynamicCast<IGFeedItem>(item);
    m_video = post ? RefPtr<objc::Object>(post->video()) : nullptr;
    m_playing = false;
    m_loadedLength = 0;
    unsigned generation = ++m_generation;
    if (m_soundMark)
        m_soundMark->setHidden(!post || post->hasAudio());
    m_stillView->setImageAddress(largestImageURL(item));
    auto* video = post ? post->video().get() : nullptr;
    auto address = video ? video->videoURLForVideoVersion(IGVideo::videoVersionForCurrentNetworkConditions()) : nullptr;
    if (!address)
        return;
    Ref<IGFeedItemVideoView> self(*this);
    fetchOnMainQueue(address->text(), [self, generation](RefPtr<NSData> data) {
        if (generation != self->m_generation || !data || data->length() == 0)
            return;
        self->m_loadedLength = long(data->length());
        objc::send<void(id, id)>(self, "videoPlayer:didLoadVideoInView:", self.get(), self.get());
    });
}

void IGFeedItemVideoCell::registerMethods(objc::ClassBuilder<IGFeedItemVideoCell>& b)
{
    b.method<&IGFeedItemVideoCell::initWithFrame>("initWithFrame:")
        .method<&IGFeedItemVideoCell::videoView>("videoView")
        .method<&IGFeedItemVideoCell::feedItem>("feedItem")
        .method<&IGFeedItemVideoCell::setFeedItem>("setFeedItem:")
        .method<&IGFeedItemVideoCell::layoutSubviews>("layoutSubviews");
}

RefPtr<UIView> IGFeedItemVideoCell::initWithFrame(CGRect frame)
{
    UICollectionViewCell::initWithFrame(frame);
    m_header = objc::make<IGFeedItemHeader>();
    objc::send<RefPtr<UIView>(CGRect)>(m_header, "initWithFrame:", CGRectMake(0, 0, frame.size.width, IGFeedItemHeader::kHeight));
    contentView()->addSubview(m_header.get());
    m_videoView = objc::make<IGFeedItemVideoView>();
    objc::send<RefPtr<UIView>(CGRect)>(m_videoView, "initWithFrame:", CGRectMake(0, IGFeedItemHeader::kHeight, frame.size.width, std::max(0.0, frame.size.height - IGFeedItemHeader::kHeight)));
    contentView()->addSubview(m_videoView.get());
    return RefPtr<UIView>(this);
}

void IGFeedItemVideoCell::layoutSubviews()
{
    UICollectionViewCell::layoutSubviews();
    CGRect b = contentView()->bounds();
    if (m_header)
        m_header->setFrame(CGRectMake(0, 0, b.size.width, IGFeedItemHeader::kHeight));
    if (m_videoView)
        m_videoView->setFrame(CGRectMake(0, IGFeedItemHeader::kHeight, b.size.width, std::max(0.0, b.size.height - IGFeedItemHeader::kHeight)));
}

void IGFeedItemVideoCell::setFeedItem(id item)
{
    objc::send<void(id)>(m_header, "setFeedItem:", item);
    objc::send<void(id)>(m_videoView, "setFeedItem:", item);
}

} // namespace hosts::instagram
