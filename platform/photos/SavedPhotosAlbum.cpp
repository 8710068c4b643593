#include "platform/photos/SavedPhotosAlbum.h"

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/media/MediaEngine.h"
#include "platform/photos/PhotoLibrary.h"
#include "platform/uikit/UIImage.h"

namespace platform {

namespace {
void complete(RefPtr<Object> target, objc::SEL selector, RefPtr<Object> subject, RefPtr<NSError> error, void* context)
{
    dispatch_async(dispatch_get_main_queue(), [target, selector, subject, error, context] {
        if (target && selector && objc::object_respondsToSelector(target.get(), selector))
            objc::send<void(id, id, void*)>(target.get(), selector, subject.get(), static_cast<id>(error.get()), context);
    });
}
}

bool UIVideoAtPathIsCompatibleWithSavedPhotosAlbum(NSString* path)
{
    return path && media::isPlayableVideo(path->str());
}

void UISaveVideoAtPathToSavedPhotosAlbum(NSString* path, id completionTarget, objc::SEL completionSelector, void* contextInfo)
{
    RefPtr<NSString> file(path);
    RefPtr<Object> target(completionTarget);
    dispatch_async(dispatch_get_global_queue(), [file, target, completionSelector, contextInfo] {
        std::string reason;
        RefPtr<NSError> error;
        if (!file || !PhotoLibrary::saveVideo(file->str(), &reason))
            error = NSError::create(ALAssetsLibraryErrorDomain, -3302, reason.empty() ? "the video could not be saved" : reason);
        complete(target, completionSelector, file, error, contextInfo);
    });
}

void UIImageWriteToSavedPhotosAlbum(UIImage* image, id completionTarget, objc::SEL completionSelector, void* contextInfo)
{
    RefPtr<UIImage> picture(image);
    RefPtr<Object> target(completionTarget);
    dispatch_async(dispatch_get_global_queue(), [picture, target, completionSelector, contextInfo] {
        std::string reason;
        RefPtr<NSError> error;
        if (!picture || picture->path().empty())
            reason = "the image has no pixels to save";
        else if (!PhotoLibrary::saveImageFile(Device::path(picture->path()), &reason) && reason.empty())
            reason = "the image could not be saved";
        if (!reason.empty())
            error = NSError::create(ALAssetsLibraryErrorDomain, -3301, reason);
        complete(target, completionSelector, picture, error, contextInfo);
    });
}

} // namespace platform
