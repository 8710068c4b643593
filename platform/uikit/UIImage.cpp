#include "platform/uikit/UIImage.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/uikit/UIScreen.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

namespace platform {

OBJC_CLASS_LOAD(UIImage)

namespace {

std::mutex g_bundleLock;
std::string g_mainBundle;

double scaleFromName(const std::string& path)
{
    auto slash = path.find_last_of('/');
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    if (file.find("@3x") != std::string::npos)
        return 3;
    if (file.find("@2x") != std::string::npos)
        return 2;
    return 1;
}

bool hasExtension(const std::string& name)
{
    auto dot = name.find_last_of('.');
    return dot != std::string::npos && dot + 1 < name.size() && name.find('/', dot) == std::string::npos;
}

// Files larger than any sane picture's encoding are not read at all.
constexpr std::streamoff kMaxImageFileBytes = 256L * 1024 * 1024;

std::vector<uint8_t> readFile(const std::string& hostPath, bool& ok)
{
    ok = false;
    std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxImageFileBytes)
        return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return {};
    ok = true;
    return bytes;
}

} // namespace

UIImage::UIImage(RefPtr<platform::CGImage> bitmap, double scale, std::string path)
    : m_bitmap(std::move(bitmap))
    , m_scale(scale > 0 ? scale : 1)
    , m_path(std::move(path))
{
}

UIImage::~UIImage() = default;

void UIImage::setMainBundlePath(const std::string& folder)
{
    std::lock_guard guard(g_bundleLock);
    g_mainBundle = folder;
}

std::string UIImage::mainBundlePath()
{
    std::lock_guard guard(g_bundleLock);
    return g_mainBundle;
}

RefPtr<UIImage> UIImage::imageWithContentsOfHostFile(const std::string& hostPath)
{
    bool ok = false;
    auto bytes = readFile(hostPath, ok);
    if (!ok)
        return nullptr;
    auto bitmap = platform::CGImage::decode(bytes);
    if (!bitmap)
        return nullptr;
    return objc::make<UIImage>(bitmap, scaleFromName(hostPath), Device::devicePath(hostPath));
}

RefPtr<UIImage> UIImage::imageWithContentsOfFile(NSString* path)
{
    if (!path || path->str().empty())
        return nullptr;
    auto image = imageWithContentsOfHostFile(Device::path(path->str()));
    if (image)
        image->m_path = path->str();
    return image;
}

RefPtr<UIImage> UIImage::imageWithDataScale(NSData* data, double scale)
{
    if (!data)
        return nullptr;
    auto bitmap = platform::CGImage::decode(data->bytes());
    if (!bitmap)
        return nullptr;
    return objc::make<UIImage>(bitmap, scale);
}

RefPtr<UIImage> UIImage::imageWithData(NSData* data)
{
    return imageWithDataScale(data, 1);
}

RefPtr<UIImage> UIImage::imageWithCGImage(platform::CGImage* bitmap, double scale)
{
    if (!bitmap)
        return nullptr;
    return objc::make<UIImage>(RefPtr<platform::CGImage>(bitmap), scale);
}

RefPtr<UIImage> UIImage::imageWithSize(CGSize size, double scale)
{
    if (scale <= 0)
        scale = 1;
    auto bitmap = platform::CGImage::create(long(std::ceil(size.width * scale)), long(std::ceil(size.height * scale)));
    if (!bitmap)
        return nullptr;
    return objc::make<UIImage>(bitmap, scale);
}

RefPtr<UIImage> UIImage::imageNamedInFolder(const std::string& name, const std::string& folder)
{
    if (name.empty())
        return nullptr;
    std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<std::string> candidates;
    if (hasExtension(name)) {
        auto dot = name.find_last_of('.');
        std::string stem = name.substr(0, dot), ext = name.substr(dot);
        candidates = { stem + "@2x" + ext, name, stem + "@3x" + ext };
        if (scaleFromName(stem) != 1)
            candidates = { name };
    } else {
        candidates = { name + "@2x.png", name + ".png", name + "@3x.png", name + "@2x.jpg", name + ".jpg", name + "@3x.jpg" };
        if (scaleFromName(name) != 1)
            candidates = { name + ".png", name + ".jpg" };
    }
    // Prefer the variant of the screen's own scale.
    int screenScale = int(std::lround(UIScreen::mainScreen()->scale()));
    std::stable_partition(candidates.begin(), candidates.end(), [&](const std::string& c) {
        return int(scaleFromName(c)) == screenScale;
    });
    for (const auto& candidate : candidates) {
        if (auto image = imageWithContentsOfFile(ns(base + candidate).get()))
            return image;
    }
    return nullptr;
}

RefPtr<UIImage> UIImage::imageNamed(NSString* name)
{
    if (!name)
        return nullptr;
    return imageNamedInFolder(name->str(), mainBundlePath());
}

RefPtr<UIImage> UIImage::imageNamedInBundle(NSString* name, NSBundle* bundle, id)
{
    if (!name)
        return nullptr;
    if (!bundle)
        return imageNamed(name);
    return imageNamedInFolder(name->str(), Device::devicePath(bundle->path()));
}

CGSize UIImage::size() const
{
    auto bitmap = CGImage();
    if (!bitmap)
        return CGSizeZero;
    return CGSizeMake(double(bitmap->width()) / m_scale, double(bitmap->height()) / m_scale);
}

RefPtr<platform::CGImage> UIImage::CGImage() const
{
    return RefPtr<platform::CGImage>(static_cast<platform::CGImage*>(m_bitmap.get()));
}

std::string UIImage::name() const
{
    auto slash = m_path.find_last_of('/');
    std::string file = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    if (auto dot = file.find_last_of('.'); dot != std::string::npos)
        file.erase(dot);
    if (auto at = file.rfind('@'); at != std::string::npos && file.size() - at == 3 && file.back() == 'x')
        file.erase(at);
    return file;
}

void UIImage::drawInRect(CGRect rect)
{
    CGContextDrawImageUpright(UIGraphicsGetCurrentContext(), rect, CGImage().get());
}

void UIImage::drawInRectAlpha(CGRect rect, long, double alpha)
{
    CGContextDrawImageUpright(UIGraphicsGetCurrentContext(), rect, CGImage().get(), alpha);
}

void UIImage::drawAtPoint(CGPoint point)
{
    drawInRect(CGRect { point, size() });
}

RefPtr<NSData> UIImagePNGRepresentation(UIImage* image)
{
    if (!image || !image->CGImage())
        return nullptr;
    auto bytes = image->CGImage()->encodePNG();
    if (bytes.empty())
        return nullptr;
    return NSData::create(std::move(bytes));
}

RefPtr<NSData> UIImageJPEGRepresentation(UIImage* image, double quality)
{
    if (!image || !image->CGImage())
        return nullptr;
    auto bytes = image->CGImage()->encodeJPEG(int(std::lround(std::clamp(quality, 0.0, 1.0) * 100)));
    if (bytes.empty())
        return nullptr;
    return NSData::create(std::move(bytes));
}

void UIImage::registerMethods(objc::ClassBuilder<UIImage>& b)
{
    b.classMethod<&UIImage::imageNamed>("imageNamed:")
        .classMethod<&UIImage::imageNamedInBundle>("imageNamed:inBundle:compatibleWithTraitCollection:")
        .classMethod<&UIImage::imageWithContentsOfFile>("imageWithContentsOfFile:")
        .classMethod<&UIImage::imageWithData>("imageWithData:")
        .classMethod<&UIImage::imageWithDataScale>("imageWithData:scale:")
        .classMethod<&UIImage::imageWithCGImage>("imageWithCGImage:scale:")
        .method<&UIImage::size>("size")
        .method<&UIImage::scale>("scale")
        .method<&UIImage::CGImage>("CGImage")
        .method<&UIImage::drawInRect>("drawInRect:")
        .method<&UIImage::drawInRectAlpha>("drawInRect:blendMode:alpha:")
        .method<&UIImage::drawAtPoint>("drawAtPoint:");
}

} // namespace platform
