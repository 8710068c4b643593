#pragma once
// Assets and their tracks, after the platform's media framework: a movie
// file opened as a URL asset, its tracks by media type, its duration, and
// each video track's natural size and preferred transform. Reading is done
// when the asset is made; the asset keeps no file open.

#include "platform/media/CMTime.h"
#include "platform/foundation/NSURL.h"

#include <vector>

namespace platform {

inline constexpr const char* AVMediaTypeVideo = "vide";
inline constexpr const char* AVMediaTypeAudio = "soun";

class AVAsset;

class AVAssetTrack : public NSObject {
    OBJC_CLASS(AVAssetTrack, NSObject)
public:
    AVAssetTrack() = default;
    static void registerMethods(objc::ClassBuilder<AVAssetTrack>&);

    RefPtr<NSString> mediaType() const { return ns(m_mediaType); }
    const std::string& type() const { return m_mediaType; }
    int32_t trackID() const { return m_trackID; }
    CMTimeRange timeRange() const { return m_timeRange; }
    // The stored picture size (video tracks; zero for sound).
    CGSize naturalSize() const { return m_naturalSize; }
    CGAffineTransform preferredTransform() const { return m_preferredTransform; }
    // The file the track's samples are in (a path on this machine).
    const std::string& sourcePath() const { return m_sourcePath; }

protected:
    friend class AVURLAsset;
    friend class AVMutableComposition;
    std::string m_mediaType;
    int32_t m_trackID { 0 };
    CMTimeRange m_timeRange;
    CGSize m_naturalSize;
    CGAffineTransform m_preferredTransform;
    std::string m_sourcePath;
};

// What every asset answers.
class AVAsset : public NSObject {
    OBJC_CLASS(AVAsset, NSObject)
public:
    AVAsset() = default;
    static void registerMethods(objc::ClassBuilder<AVAsset>&);

    virtual CMTime duration() const { return kCMTimeZero; }
    virtual std::vector<Ref<AVAssetTrack>> trackList() const { return {}; }
    Ref<NSArray> tracks() const;
    // The tracks of one media type (AVMediaTypeVideo, AVMediaTypeAudio), in file order.
    Ref<NSArray> tracksWithMediaType(NSString* mediaType) const;
};

class AVURLAsset : public AVAsset {
    OBJC_CLASS(AVURLAsset, AVAsset)
public:
    AVURLAsset() = default;
    static void registerMethods(objc::ClassBuilder<AVURLAsset>&);

    // The movie at a file address; nil when the file is missing or is not a
    // movie the platform reads.
    static RefPtr<AVURLAsset> URLAssetWithURL(NSURL* url, NSDictionary* options = nullptr);

    CMTime duration() const override { return m_duration; }
    std::vector<Ref<AVAssetTrack>> trackList() const override { return m_tracks; }
    RefPtr<NSURL> URL() const { return m_url; }
    const std::string& path() const { return m_path; }

private:
    RefPtr<NSURL> m_url;
    std::string m_path;
    CMTime m_duration { kCMTimeZero };
    std::vector<Ref<AVAssetTrack>> m_tracks;
};

} // namespace platform
