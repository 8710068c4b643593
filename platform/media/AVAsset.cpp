#include "platform/media/AVAsset.h"

#include "platform/media/MediaEngine.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(AVAssetTrack)
OBJC_CLASS_LOAD(AVAsset)
OBJC_CLASS_LOAD(AVURLAsset)

namespace {
// Media times are kept in 600ths of a second, as the platform's movies are.
constexpr int32_t kTimescale = 600;

CGAffineTransform rotationTransform(int degrees, CGSize size)
{
    switch (degrees) {
    case 90: return { 0, 1, -1, 0, size.height, 0 };
    case 180: return { -1, 0, 0, -1, size.width, size.height };
    case 270: return { 0, -1, 1, 0, 0, size.width };
    default: return CGAffineTransformIdentity;
    }
}
}

void AVAssetTrack::registerMethods(objc::ClassBuilder<AVAssetTrack>& b)
{
    b.method<&AVAssetTrack::mediaType>("mediaType")
        .method<&AVAssetTrack::trackID>("trackID")
        .method<&AVAssetTrack::timeRange>("timeRange")
        .method<&AVAssetTrack::naturalSize>("naturalSize")
        .method<&AVAssetTrack::preferredTransform>("preferredTransform");
}

Ref<NSArray> AVAsset::tracks() const
{
    std::vector<Ref<Object>> items;
    for (auto& t : trackList())
        items.emplace_back(t);
    return NSArray::create(std::move(items));
}

Ref<NSArray> AVAsset::tracksWithMediaType(NSString* mediaType) const
{
    std::vector<Ref<Object>> items;
    for (auto& t : trackList())
        if (mediaType && t->type() == mediaType->str())
            items.emplace_back(t);
    return NSArray::create(std::move(items));
}

void AVAsset::registerMethods(objc::ClassBuilder<AVAsset>& b)
{
    b.method<&AVAsset::duration>("duration")
        .method<&AVAsset::tracks>("tracks")
        .method<&AVAsset::tracksWithMediaType>("tracksWithMediaType:");
}

RefPtr<AVURLAsset> AVURLAsset::URLAssetWithURL(NSURL* url, NSDictionary*)
{
    if (!url || !url->isFileURL())
        return nullptr;
    std::string path = str(url->path().get());
    auto info = media::probe(path);
    if (!info || (!info->hasVideo && !info->hasAudio) || info->duration <= 0)
        return nullptr;
    auto asset = objc::make<AVURLAsset>();
    asset->m_url = url;
    asset->m_path = path;
    asset->m_duration = CMTimeMakeWithSeconds(info->duration, kTimescale);
    int32_t nextID = 1;
    if (info->hasVideo) {
        auto track = objc::make<AVAssetTrack>();
        track->m_mediaType = AVMediaTypeVideo;
        track->m_trackID = nextID++;
        track->m_timeRange = { kCMTimeZero, CMTimeMakeWithSeconds(info->videoDuration, kTimescale) };
        track->m_naturalSize = CGSizeMake(info->width, info->height);
        track->m_preferredTransform = rotationTransform(info->rotation, track->m_naturalSize);
        track->m_sourcePath = path;
        asset->m_tracks.push_back(track);
    }
    if (info->hasAudio) {
        auto track = objc::make<AVAssetTrack>();
        track->m_mediaType = AVMediaTypeAudio;
        track->m_trackID = nextID++;
        track->m_timeRange = { kCMTimeZero, CMTimeMakeWithSeconds(info->audioDuration, kTimescale) };
        track->m_sourcePath = path;
        asset->m_tracks.push_back(track);
    }
    return asset;
}

namespace {
RefPtr<AVURLAsset> URLAssetWithURLOptions(NSURL* url, NSDictionary* options) { return AVURLAsset::URLAssetWithURL(url, options); }
}

void AVURLAsset::registerMethods(objc::ClassBuilder<AVURLAsset>& b)
{
    b.classMethod<&URLAssetWithURLOptions>("URLAssetWithURL:options:")
        .method<&AVURLAsset::URL>("URL");
}

} // namespace platform
