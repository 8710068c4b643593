#pragma once
// The still-image side of a repost: squaring, rotating, scaling and
// rounding pictures, the resource bundle's pictures, and the watermarked,
// squared picture of a post.
//
// Contract for callers (the video export uses the same pieces):
//  - Main thread only: the tools make and render views.
//  - Canvases are transparent; "at screen scale" means the main screen's.
//  - Nothing reports failure: a missing picture gives nil (or an empty,
//    transparent canvas where a size is known); writes of "result.png" and
//    "squared.png" that fail are ignored.

#include "platform/uikit/UIImage.h"

namespace platform {
class NSBundle;
}

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::CGSize;
using platform::UIImage;

// Where the system's pictures are, on the device.
inline constexpr const char* kTarvoBundlePath = "/Library/Application Support/igTarvo/igTarvo.bundle";

class TarvoImageTools : public objc::Object {
    OBJC_CLASS(TarvoImageTools, objc::Object)
public:
    TarvoImageTools() = default;
    static void registerMethods(objc::ClassBuilder<TarvoImageTools>&);

    // The one instance, made (and its bundle opened) on the first call from any thread.
    static TarvoImageTools* sharedTools();
    RefPtr<TarvoImageTools> init();
    // The resource bundle, or nil when the device has none.
    RefPtr<platform::NSBundle> igTarvoBundle() const;

    // imageNamed: — a picture of the resource bundle by name (screen scale variant first), or nil.
    static RefPtr<UIImage> imageNamed(platform::NSString* name);
    // imageWithImage:scaledToSize: — the picture drawn into a canvas of that size at screen scale.
    static RefPtr<UIImage> imageWithImage(UIImage* image, CGSize size);
    // rotateImage:byRadians: — the picture turned by the angle (a quarter turn clockwise for π/2), at scale 1.
    static RefPtr<UIImage> rotateImage(UIImage* image, double radians);
    // roundedProfilePictureForImage:withHeight: — the picture in a circle of that diameter, at screen scale.
    static RefPtr<UIImage> roundedProfilePictureForImage(UIImage* image, double diameter);
    // squareImageFromImage: — the whole picture scaled by height/width and centred in a square, at screen scale.
    RefPtr<UIImage> squareImageFromImage(UIImage* image);
    // generateWatermarkForImage:withUser:position: — the picture with the
    // poster's tab along the position's edge (none for 0 or any value outside
    // 1-4), squared; writes "result.png" (before squaring) and "squared.png"
    // into the app's Documents folder.
    RefPtr<UIImage> generateWatermarkForImage(UIImage* image, id user, long position);
    // dataByAddingWatermarkForUser:toImage:position: — PNG bytes of the above.
    static RefPtr<platform::NSData> dataByAddingWatermarkForUser(id user, UIImage* image, long position);

    // The tab image of the last watermarking (rotated for positions 2 and 4), and the last circular picture.
    static RefPtr<UIImage> lastTabImage();
    static RefPtr<UIImage> lastProfilePicture();

private:
    RefPtr<objc::Object> m_bundle;
};

} // namespace igtarvo
