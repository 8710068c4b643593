#include "platform/photos/SavedPhotosAlbum.h"

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/media/MediaEngine.h"
#include "platform/photos/PhotoLibrary.h"
#include "platform/graphics/CGImage.h"
#include "platform/uikit/UIImage.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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

namespace {
// The bitmap as a JPEG file in the device's /tmp; its path on this machine,
// or "" when it cannot be written.
std::string writeTemporaryJPEG(const CGImage& bitmap)
{
    auto bytes = bitmap.encodeJPEG(92);
    if (bytes.empty())
        return {};
    std::string folder = Device::path("/tmp");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string name = folder + "/saved-photo-XXXXXX.jpg";
    int fd = ::mkstemps(name.data(), 4);
    if (fd < 0)
        return {};
    bool ok = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
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
        auto bitmap = picture ? picture->CGImage() : nullptr;
        if (!picture || (picture->path().empty() && !bitmap)) {
            reason = "the image has no pixels to save";
        } else if (!picture->path().empty()) {
            if (!PhotoLibrary::saveImageFile(Device::path(picture->path()), &reason) && reason.empty())
                reason = "the image could not be saved";
        } else {
            // A picture made in memory (drawn, or decoded from bytes) is
            // stored as JPEG bytes through a file of the device's /tmp.
            std::string file = writeTemporaryJPEG(*bitmap);
            if (file.empty())
                reason = "the image could not be encoded";
            else if (!PhotoLibrary::saveImageFile(file, &reason) && reason.empty())
                reason = "the image could not be saved";
            if (!file.empty())
                ::unlink(file.c_str());
        }
        if (!reason.empty())
            error = NSError::create(ALAssetsLibraryErrorDomain, -3301, reason);
        complete(target, completionSelector, picture, error, contextInfo);
    });
}

} // namespace platform
