#pragma once
// Times, time ranges and affine transforms as the media framework passes
// them: a time is a rational number of seconds (value / timescale).

#include "platform/uikit/UIGeometry.h"

#include <cstdint>

namespace platform {

struct CMTime {
    int64_t value { 0 };
    int32_t timescale { 0 }; // 0: an invalid time
    bool operator==(const CMTime&) const = default;
};

struct CMTimeRange {
    CMTime start;
    CMTime duration;
    bool operator==(const CMTimeRange&) const = default;
};

inline constexpr CMTime kCMTimeZero { 0, 1 };
inline constexpr CMTime kCMTimeInvalid { 0, 0 };
inline constexpr CMTime CMTimeMake(int64_t value, int32_t timescale) { return { value, timescale }; }
inline CMTime CMTimeMakeWithSeconds(double seconds, int32_t timescale) { return { int64_t(seconds * timescale + (seconds >= 0 ? 0.5 : -0.5)), timescale }; }
inline constexpr CMTimeRange CMTimeRangeMake(CMTime start, CMTime duration) { return { start, duration }; }
inline double CMTimeGetSeconds(CMTime t) { return t.timescale ? double(t.value) / t.timescale : 0; }
inline bool CMTIME_IS_VALID(CMTime t) { return t.timescale != 0; }

// The track identifier that lets a composition choose one.
inline constexpr int32_t kCMPersistentTrackID_Invalid = 0;

struct CGAffineTransform {
    CGFloat a { 1 }, b { 0 }, c { 0 }, d { 1 }, tx { 0 }, ty { 0 };
    bool operator==(const CGAffineTransform&) const = default;
};
inline constexpr CGAffineTransform CGAffineTransformIdentity {};

} // namespace platform

namespace objc {
template<> struct StructEncoding<platform::CMTime> { static constexpr const char* value = "{CMTime=qi}"; };
template<> struct StructEncoding<platform::CMTimeRange> { static constexpr const char* value = "{CMTimeRange={CMTime=qi}{CMTime=qi}}"; };
template<> struct StructEncoding<platform::CGAffineTransform> { static constexpr const char* value = "{CGAffineTransform=dddddd}"; };
}
