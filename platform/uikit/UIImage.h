#pragma once
// A picture: its size in points, its scale (pixels per point) and the file it
// was loaded from. Named images are looked up in a bundle folder the way the
// platform looks them up: "name@2x.png" before "name.png" on a screen of
// scale 2. Paths are device paths (see Device).

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class UIImage : public NSObject {
    OBJC_CLASS(UIImage, NSObject)
public:
    UIImage() = default;
    UIImage(std::string path, CGSize size, double scale) : m_path(std::move(path)), m_size(size), m_scale(scale) { }
    static void registerMethods(objc::ClassBuilder<UIImage>&);

    // An image named in the main bundle folder; nil when no file matches.
    static RefPtr<UIImage> imageNamed(NSString* name);
    // An image named in a bundle folder (a device path); nil when no file matches.
    static RefPtr<UIImage> imageNamedInFolder(const std::string& name, const std::string& folder);
    // The image in a PNG or JPEG file (a device path); nil when the file is
    // missing or not a picture. "@2x"/"@3x" in the name sets the scale.
    static RefPtr<UIImage> imageWithContentsOfFile(NSString* path);
    // An image of a size in points with no file behind it (drawn in memory).
    static Ref<UIImage> imageWithSize(CGSize size, double scale);

    // The folder imageNamed: searches (a device path): the main bundle.
    static void setMainBundlePath(const std::string& folder);
    static std::string mainBundlePath();

    CGSize size() const { return m_size; }
    double scale() const { return m_scale; }
    // The device path of the file the image came from; empty for drawn images.
    const std::string& path() const { return m_path; }
    // The file name without folder, scale suffix or extension ("menu" for ".../menu@2x.png").
    std::string name() const;

private:
    std::string m_path;
    CGSize m_size;
    double m_scale { 1 };
};

} // namespace platform
