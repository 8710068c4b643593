#pragma once
// The view that shows a feed photo. Given an address (setImageURL:) it
// fetches the picture over HTTP off the main thread, shows it filling the
// view, and then tells itself progressImageView:didLoadImage:withDataLength:
// (sent through the runtime) with its image view, the picture and the number
// of bytes. A view given another address meanwhile ignores the earlier
// answer; an answer that is not a picture leaves the view grey. Main thread.

#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"

#include <functional>

namespace hosts::instagram {

using objc::id;
using objc::Ref;
using objc::RefPtr;

class IGFeedPhotoView : public platform::UIView {
    OBJC_CLASS(IGFeedPhotoView, platform::UIView)
public:
    IGFeedPhotoView() = default;
    static void registerMethods(objc::ClassBuilder<IGFeedPhotoView>&);

    RefPtr<platform::UIView> initWithFrame(platform::CGRect frame);
    RefPtr<platform::NSURL> imageURL() const { return m_imageURL; }
    // Shows the picture at the address (nil: none).
    void setImageURL(platform::NSURL* url);
    // Instagram's own step once a picture arrived: nothing beyond showing it.
    void progressImageViewDidLoadImage(id imageView, platform::UIImage* image, long length) { }

    RefPtr<platform::UIImageView> imageView() const { return m_imageView; }
    // Whether the picture of the current address has been shown.
    bool hasLoadedImage() const { return m_loaded; }
    void layoutSubviews();

private:
    RefPtr<platform::UIImageView> m_imageView;
    RefPtr<platform::NSURL> m_imageURL;
    unsigned m_generation { 0 };
    bool m_loaded { false };
};

// A plain picture fetched from an address (a profile picture, a video's
// still): no more than an image view that fills itself in when the bytes
// arrive. Main thread.
class IGRemoteImageView : public platform::UIImageView {
    OBJC_CLASS(IGRemoteImageView, platform::UIImageView)
public:
    IGRemoteImageView() = default;
    static void registerMethods(objc::ClassBuilder<IGRemoteImageView>&) { }
    static Ref<IGRemoteImageView> create(platform::CGRect frame);
    // Shows the picture at the address ("" or a failed fetch: none).
    void setImageAddress(const std::string& url);

private:
    unsigned m_generation { 0 };
};

// Fetches an address over HTTP (or reads a file address) off the main
// thread and hands the bytes (nil on failure) to `done` on the main queue.
void fetchOnMainQueue(const std::string& url, std::function<void(RefPtr<platform::NSData>)> done);

} // namespace hosts::instagram
