#pragma once
// A picture: a bitmap (CGImage) with a scale (pixels per point), so that its
// size is in points. Pictures come from PNG and JPEG files or bytes, or from
// drawing (UIGraphicsGetImageFromCurrentImageContext). Named images are
// looked up in a bundle folder the way the platform looks them up:
// "name@2x.png" before "name.png" on a screen of scale 2. Device paths (see
// Device) unless a name says "host path". A file that cannot be decoded, or
// whose header declares an absurd size, gives nil. Immutable; any thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class CGImage;
class NSBundle;

class UIImage : public NSObject {
    OBJC_CLASS(UIImage, NSObject)
public:
    UIImage() = default;
    UIImage(RefPtr<platform::CGImage> bitmap, double scale, std::string path = {});
    ~UIImage() override;
    static void registerMethods(objc::ClassBuilder<UIImage>&);

    // An image named in the main bundle folder; nil when no file matches.
    static RefPtr<UIImage> imageNamed(NSString* name);
    // An image named in a bundle (nil: the main bundle), the screen's scale
    // variant first; the trait collection is not consulted.
    static RefPtr<UIImage> imageNamedInBundle(NSString* name, NSBundle* bundle, id traitCollection);
    // An image named in a bundle folder (a device path); nil when no file matches.
    static RefPtr<UIImage> imageNamedInFolder(const std::string& name, const std::string& folder);
    // The image in a PNG or JPEG file (a device path); nil when the file is
    // missing or not a picture. "@2x"/"@3x" in the name sets the scale.
    static RefPtr<UIImage> imageWithContentsOfFile(NSString* path);
    // The same for a path on this machine.
    static RefPtr<UIImage> imageWithContentsOfHostFile(const std::string& hostPath);
    // The image in PNG or JPEG bytes, at scale 1 (or the scale given); nil when not a picture.
    static RefPtr<UIImage> imageWithData(NSData* data);
    static RefPtr<UIImage> imageWithDataScale(NSData* data, double scale);
    // A bitmap at a scale.
    static RefPtr<UIImage> imageWithCGImage(platform::CGImage* bitmap, double scale);
    // A transparent image of a size in points (nil for an empty or absurd size).
    static RefPtr<UIImage> imageWithSize(CGSize size, double scale);

    // The folder imageNamed: searches (a device path): the main bundle.
    static void setMainBundlePath(const std::string& folder);
    static std::string mainBundlePath();

    CGSize size() const;
    double scale() const { return m_scale; }
    RefPtr<platform::CGImage> CGImage() const;
    // The device path of the file the image came from; empty for drawn images.
    const std::string& path() const { return m_path; }
    // The file name without folder, scale suffix or extension ("menu" for ".../menu@2x.png").
    std::string name() const;

    // Draws the picture upright into the current context (nothing without one).
    void drawInRect(CGRect rect);
    void drawInRectAlpha(CGRect rect, long blendMode, double alpha);
    void drawAtPoint(CGPoint point);

private:
    RefPtr<Object> m_bitmap;
    double m_scale { 1 };
    std::string m_path;
};

// PNG bytes of the picture (nil for nil).
RefPtr<NSData> UIImagePNGRepresentation(UIImage* image);
// JPEG bytes, quality 0 to 1 (nil for nil).
RefPtr<NSData> UIImageJPEGRepresentation(UIImage* image, double quality);

} // namespace platform
