#include "hosts/instagram/IGFeedPhotoView.h"

#include "platform/dispatch/Dispatch.h"
#include "platform/net/URLLoading.h"
#include "platform/uikit/UIColor.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedPhotoView)
OBJC_CLASS_DEFINE(IGRemoteImageView)

Ref<IGRemoteImageView> IGRemoteImageView::create(CGRect frame)
{
    auto view = objc::make<IGRemoteImageView>();
    objc::send<RefPtr<UIView>(CGRect)>(view, "initWithFrame:", frame);
    view->setContentMode(UIViewContentModeScaleAspectFill);
    view->setClipsToBounds(true);
    return view;
}

void IGRemoteImageView::setImageAddress(const std::string& url)
{
    unsigned generation = ++m_generation;
    setImage(nullptr);
    if (url.empty())
        return;
    Ref<IGRemoteImageView> self(*this);
    fetchOnMainQueue(url, [self, generation](RefPtr<NSData> data) {
        if (generation != self->m_generation)
            return;
        if (auto image = data ? UIImage::imageWithData(data.get()) : nullptr)
            self->setImage(image.get());
    });
}

void IGFeedPhotoView::registerMethods(objc::ClassBuilder<IGFeedPhotoView>& b)
{
    b.method<&IGFeedPhotoView::initWithFrame>("initWithFrame:")
        .method<&IGFeedPhotoView::imageURL>("imageURL")
        .method<&IGFeedPhotoView::setImageURL>("setImageURL:")
        .method<&IGFeedPhotoView::progressImageViewDidLoadImage>("progressImageView:didLoadImage:withDataLength:")
        .method<&IGFeedPhotoView::layoutSubviews>("layoutSubviews");
}

void fetchOnMainQueue(const std::string& url, std::function<void(RefPtr<NSData>)> done)
{
    dispatch_async(dispatch_get_global_queue(), [url, done = std::move(done)]() mutable {
        auto address = NSURL::create(url);
        RefPtr<NSData> data = address ? NSDataWithContentsOfURL(address.get()) : nullptr;
        dispatch_async(dispatch_get_main_queue(), [data, done = std::move(done)] { done(data); });
    });
}

RefPtr<UIView> IGFeedPhotoView::initWithFrame(CGRect frame)
{
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::colorWithWhite(0.93, 1).get());
    setClipsToBounds(true);
    m_imageView = UIImageView::create(nullptr);
    m_imageView->setFrame(bounds());
    m_imageView->setContentMode(UIViewContentModeScaleAspectFill);
    addSubview(m_imageView.get());
    return RefPtr<UIView>(this);
}

void IGFeedPhotoView::layoutSubviews()
{
    if (m_imageView)
        m_imageView->setFrame(bounds());
}

void IGFeedPhotoView::setImageURL(NSURL* url)
{
    m_imageURL = url;
    m_loaded = false;
    unsigned generation = ++m_generation;
    if (m_imageView)
        m_imageView->setImage(nullptr);
    if (!url)
        return;
    Ref<IGFeedPhotoView> self(*this);
    fetchOnMainQueue(url->text(), [self, generation](RefPtr<NSData> data) {
        if (generation != self->m_generation)
            return; // the view shows another post now
        auto image = data ? UIImage::imageWithData(data.get()) : nullptr;
        if (!image)
            return;
        self->m_imageView->setImage(image.get());
        self->m_loaded = true;
        self->setNeedsDisplay();
        objc::send<void(id, UIImage*, long)>(self, "progressImageView:didLoadImage:withDataLength:",
            self->m_imageView.get(), image.get(), long(data->length()));
    });
}

} // namespace hosts::instagram
