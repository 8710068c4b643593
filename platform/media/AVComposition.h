#pragma once
// A composition made in memory from pieces of other assets' tracks. Each of
// its tracks is a list of segments: a time range of a source track placed
// at a time of the composition.

#include "platform/foundation/NSError.h"
#include "platform/media/AVAsset.h"

namespace platform {

class AVMutableCompositionTrack : public AVAssetTrack {
    OBJC_CLASS(AVMutableCompositionTrack, AVAssetTrack)
public:
    AVMutableCompositionTrack() = default;
    static void registerMethods(objc::ClassBuilder<AVMutableCompositionTrack>&);

    struct Segment {
        Ref<AVAssetTrack> source;
        CMTimeRange sourceRange;
        CMTime at;
    };

    // Places a range of a source track at a time; answers false (with the
    // error, when asked for) for a nil or mismatched track or an empty range.
    bool insertTimeRange(CMTimeRange range, AVAssetTrack* track, CMTime at, NSError** error);
    void setPreferredTransform(CGAffineTransform t) { m_transform = t; }
    CGAffineTransform transform() const { return m_transform; }
    const std::vector<Segment>& segments() const { return m_segments; }
    // The end of the last segment.
    CMTime end() const;

private:
    friend class AVMutableComposition;
    std::vector<Segment> m_segments;
    CGAffineTransform m_transform;
};

class AVMutableComposition : public AVAsset {
    OBJC_CLASS(AVMutableComposition, AVAsset)
public:
    AVMutableComposition() = default;
    static void registerMethods(objc::ClassBuilder<AVMutableComposition>&);
    static Ref<AVMutableComposition> composition() { return objc::make<AVMutableComposition>(); }

    // A new empty track; kCMPersistentTrackID_Invalid lets the composition choose its identifier.
    Ref<AVMutableCompositionTrack> addMutableTrackWithMediaType(NSString* mediaType, int32_t preferredTrackID);
    CMTime duration() const override;
    std::vector<Ref<AVAssetTrack>> trackList() const override;
    const std::vector<Ref<AVMutableCompositionTrack>>& compositionTracks() const { return m_tracks; }

private:
    std::vector<Ref<AVMutableCompositionTrack>> m_tracks;
};

} // namespace platform
