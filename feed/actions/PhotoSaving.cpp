#include "feed/actions/PhotoSaving.h"
#include "core/InstagramSurface.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/net/URLLoading.h"
#include "platform/photos/SavedPhotosAlbum.h"
#include "platform/uikit/UIImage.h"

namespace igtarvo {

using namespace platform;

void savePhotoToLibrary(RefPtr<Object> url, RefPtr<Object> feedbackView, RefPtr<Object> target)
{
    instagram::showAlertBar("Downloading Image...", 1);
    instagram::setAlertBarHidesAutomatically(false);
    dispatch_async(dispatch_get_global_queue(), [url, feedbackView, target] {
        RefPtr<NSData> data = url ? NSDataWithContentsOfURL(url.get()) : nullptr;
        dispatch_async(dispatch_get_main_queue(), [data, feedbackView, target] {
            auto image = data ? UIImage::imageWithData(data.get()) : nullptr;
            if (!image) {
                instagram::showAlertBar(kPhotoDownloadFailedText, 2);
                instagram::setAlertBarHidesAutomatically(true);
                return;
            }
            instagram::showHUD("Saved Image!", feedbackView.get());
            UIImageWriteToSavedPhotosAlbum(image.get(), target.get(), objc::sel_registerName(kPhotoSavedSelector), nullptr);
        });
    });
}

} // namespace igtarvo
