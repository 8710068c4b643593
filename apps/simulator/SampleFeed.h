#pragma once
// The device's sample feed: what Instagram's feed service serves to the
// stand-in Instagram. A folder (kSampleFeedDir) with feed.json and the media
// it names by path on the service:
//
//   { "viewer": USER,
//     "items": [ { "id", "media_type" (1 photo, 2 video), "taken_at" (seconds
//                  since 1970), "like_count", "user": USER,
//                  "caption": { "text" } or null,
//                  "image_versions": [ { "url", "width", "height" }, … ]
//                      smallest first,
//                  "video_versions": [ { "type", "url" } ] (videos only),
//                  "has_audio" (videos only),
//                  "sponsored": { "advertiser" } (sponsored posts only) } ] }
//
// where USER is { "pk", "username", "profile_pic_url" } and every "url" is
// a path on the service ("/media/harbour.jpg").

#include <filesystem>
#include <string>

namespace igtarvo::simulator {

// The signed-in user of the sample feed.
inline constexpr const char* kSampleViewer = "tarvo.demo";
inline constexpr const char* kSampleViewerPk = "1002";

// Lays out the sample feed in `folder` (a path on this machine), with the
// posts taken shortly before `now` (seconds since 1970) and the media copied
// from `mediaSource` (the build's drawn pictures and clips). Throws
// std::filesystem_error when a file cannot be written or a medium is missing.
void layOutSampleFeed(const std::filesystem::path& folder, const std::filesystem::path& mediaSource, double now);

} // namespace igtarvo::simulator
