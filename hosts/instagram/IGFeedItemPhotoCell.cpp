#include "hosts/instagram/IGFeedItemPhotoCell.h"
#include "hosts/instagram/IGFeedItem.h"

#include <algorithm>

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItemPhotoCell)

void IGFeedItemPhotoCell::registerMethods(objc::ClassBuilder<IGFeedItemPhotoCell>& b)
{
    b.method<&IGFeedItemPhotoCell::initWithFrame>("initWithFrame:")
        .method<&IGFeedItemPhotoCell::photoView>("photoView")
        .method<&IGFeedItemPhotoCell::feedItem>("feedItem")
        .method<&IGFeedItemPhotoCell::setFeedItem>("setFeedItem:")
        .method<&IGFeedItemPhotoCell::layoutSubviews>("layoutSubviews");
}

std::string largestImageURL(id item)
{
    auto* post = objc::dynamicCast<IGFeedItem>(item);
    auto photo = post ? post->photo() : nullptr;
    auto versions = photo ? photo->imageVersions() : nullptr;
    auto* last = versions ? objc::dynamicCast<NSDictionary>(versions->lastObject().get()) : nullptr;
    auto url = last ? last->get("url") : nullptr;
    return isString(url.get()) ? str(url.get()) : std::string();
}

RefPtr<UIView> IGFeedItemPhotoCell::initWithFrame(CGRect frame)
{
    UICollectionViewCell::initWithFrame(frame);
    m_header = objc::make<IGFeedItemHeader>();
    objc::send<RefPtr<UIView>(CGRect)>(m_header, "initWithFrame:", CGRectMake(0, 0, frame.size.width, IGFeedItemHeader::kHeight));
    contentView()->addSubview(m_header.get());
    auto photoView = objc::make<IGFeedPhotoView>();
    objc::send<RefPtr<UIView>(CGRect)>(photoView, "initWithFrame:", CGRectMake(0, IGFeedItemHeader::kHeight, frame.size.width, std::max(0.0, frame.size.height - IGFeedItemHeader::kHeight)));
    m_photoView = photoView;
    contentView()->addSubview(m_photoView.get());
    return RefPtr<UIView>(this);
}

void IGFeedItemPhotoCell::layoutSubviews()
{
    UICollectionViewCell::layoutSubviews();
    CGRect b = contentView()->bounds();
    if (m_header)
        m_header->setFrame(CGRectMake(0, 0, b.size.width, IGFeedItemHeader::kHeight));
    if (m_photoView)
        m_photoView->setFrame(CGRectMake(0, IGFeedItemHeader::kHeight, b.size.width, std::max(0.0, b.size.height - IGFeedItemHeader::kHeight)));
}

void IGFeedItemPhotoCell::setFeedItem(id item)
{
    m_feedItem = item;
    objc::send<void(id)>(m_header, "setFeedItem:", item);
    std::string url = largestImageURL(item);
    auto address = url.empty() ? nullptr : NSURL::create(url);
    objc::send<void(NSURL*)>(m_photoView, "setImageURL:", address.get());
}

} // namespace hosts::instagram
