#include "platform/media/AVComposition.h"

namespace platform {

OBJC_CLASS_LOAD(AVMutableCompositionTrack)
OBJC_CLASS_LOAD(AVMutableComposition)

namespace {
CMTime add(CMTime a, CMTime b)
{
    if (!a.timescale)
        return b;
    if (!b.timescale)
        return a;
    if (a.timescale == b.timescale)
        return { a.value + b.value, a.timescale };
    return CMTimeMakeWithSeconds(CMTimeGetSeconds(a) + CMTimeGetSeconds(b), 600);
}
}

bool AVMutableCompositionTrack::insertTimeRange(CMTimeRange range, AVAssetTrack* track, CMTime at, NSError** error)
{
    auto fail = [&](const std::string& text) {
        if (error)
            *error = NSError::create(AVFoundationErrorDomain, -11800, text).leak();
        return false;
    };
    if (!track)
        return fail("no source track to insert");
    if (track->type() != type())
        return fail("the source track holds " + track->type() + ", this track " + type());
    if (CMTimeGetSeconds(range.duration) <= 0)
        return fail("an empty time range");
    m_segments.push_back({ Ref<AVAssetTrack>(*track), range, at });
    m_timeRange = { kCMTimeZero, end() };
    if (type() == AVMediaTypeVideo && m_naturalSize == CGSizeZero)
        m_naturalSize = track->naturalSize();
    return true;
}

CMTime AVMutableCompositionTrack::end() const
{
    CMTime last = kCMTimeZero;
    for (auto& s : m_segments) {
        CMTime e = add(s.at, s.sourceRange.duration);
        if (CMTimeGetSeconds(e) > CMTimeGetSeconds(last))
            last = e;
    }
    return last;
}

void AVMutableCompositionTrack::registerMethods(objc::ClassBuilder<AVMutableCompositionTrack>& b)
{
    b.method<&AVMutableCompositionTrack::setPreferredTransform>("setPreferredTransform:");
}

Ref<AVMutableCompositionTrack> AVMutableComposition::addMutableTrackWithMediaType(NSString* mediaType, int32_t preferredTrackID)
{
    auto track = objc::make<AVMutableCompositionTrack>();
    track->m_mediaType = mediaType ? mediaType->str() : std::string();
    int32_t id = preferredTrackID;
    if (id == kCMPersistentTrackID_Invalid)
        id = int32_t(m_tracks.size()) + 1;
    track->m_trackID = id;
    m_tracks.push_back(track);
    return track;
}

CMTime AVMutableComposition::duration() const
{
    CMTime longest = kCMTimeZero;
    for (auto& t : m_tracks)
        if (CMTimeGetSeconds(t->end()) > CMTimeGetSeconds(longest))
            longest = t->end();
    return longest;
}

std::vector<Ref<AVAssetTrack>> AVMutableComposition::trackList() const
{
    return { m_tracks.begin(), m_tracks.end() };
}

void AVMutableComposition::registerMethods(objc::ClassBuilder<AVMutableComposition>& b)
{
    b.classMethod<&AVMutableComposition::composition>("composition")
        .method<&AVMutableComposition::addMutableTrackWithMediaType>("addMutableTrackWithMediaType:preferredTrackID:");
}

} // namespace platform
