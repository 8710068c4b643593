#include "platform/uikit/UIImage.h"
#include "platform/foundation/Device.h"
#include "platform/uikit/UIScreen.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <mutex>
#include <optional>
#include <vector>

namespace platform {

OBJC_CLASS_LOAD(UIImage)

namespace {

std::mutex g_bundleLock;
std::string g_mainBundle;

uint32_t bigEndian(const unsigned char* p, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

// The pixel size from a PNG's header chunk or a JPEG's frame header.
std::optional<CGSize> pixelSizeOfFile(const std::string& hostPath)
{
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<unsigned char> head(24);
    in.read(reinterpret_cast<char*>(head.data()), 24);
    if (in.gcount() < 24)
        return std::nullopt;
    static const unsigned char png[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    if (std::equal(png, png + 8, head.begin()))
        return CGSize { double(bigEndian(&head[16], 4)), double(bigEndian(&head[20], 4)) };
    if (head[0] != 0xFF || head[1] != 0xD8)
        return std::nullopt;
    // JPEG: walk the markers to the first start-of-frame.
    in.seekg(2);
    for (;;) {
        unsigned char marker[4];
        if (!in.read(reinterpret_cast<char*>(marker), 4) || marker[0] != 0xFF)
            return std::nullopt;
        uint32_t length = bigEndian(marker + 2, 2);
        unsigned char type = marker[1];
        bool frame = type >= 0xC0 && type <= 0xCF && type != 0xC4 && type != 0xC8 && type != 0xCC;
        if (frame) {
            unsigned char sof[5];
            if (!in.read(reinterpret_cast<char*>(sof), 5))
                return std::nullopt;
            return CGSize { double(bigEndian(sof + 3, 2)), double(bigEndian(sof + 1, 2)) };
        }
        if (length < 2)
            return std::nullopt;
        in.seekg(length - 2, std::ios::cur);
    }
}

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

} // namespace

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

RefPtr<UIImage> UIImage::imageWithContentsOfFile(NSString* path)
{
    if (!path || path->str().empty())
        return nullptr;
    auto pixels = pixelSizeOfFile(Device::path(path->str()));
    if (!pixels)
        return nullptr;
    double scale = scaleFromName(path->str());
    return objc::make<UIImage>(path->str(), CGSize { pixels->width / scale, pixels->height / scale }, scale);
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
    } else {
        candidates = { name + "@2x.png", name + ".png", name + "@3x.png", name + "@2x.jpg", name + ".jpg" };
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

Ref<UIImage> UIImage::imageWithSize(CGSize size, double scale)
{
    return objc::make<UIImage>(std::string(), size, scale > 0 ? scale : 1);
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

void UIImage::registerMethods(objc::ClassBuilder<UIImage>& b)
{
    b.classMethod<&UIImage::imageNamed>("imageNamed:")
        .classMethod<&UIImage::imageWithContentsOfFile>("imageWithContentsOfFile:")
        .method<&UIImage::size>("size")
        .method<&UIImage::scale>("scale");
}

} // namespace platform
