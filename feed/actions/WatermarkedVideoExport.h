#pragma once
// The watermarked export of a video: the poster's repost tab drawn by the
// same view a still repost uses, made for the video's size and placed along
// the position's edge, burnt into every frame of a re-encoded QuickTime file
// that keeps the video's duration and its sound (when it has any).
//
// Main thread: the tab is a view rendered into a picture, and its profile
// picture is read synchronously. The export itself runs on the media
// framework's queue; its completion runs there too.

#include "platform/media/AVAssetExportSession.h"
#include "platform/uikit/UIGeometry.h"

#include <string>

namespace igtarvo {

using objc::id;
using objc::RefPtr;

// The tab picture (a UIImage) for a video of `videoSize` pixels: the tab view
// made for that reference size and position, its layer rendered at screen
// scale, turned a quarter turn clockwise for positions 2 and 4. Nil when no
// tab can be drawn.
RefPtr<objc::Object> videoWatermarkTab(id poster, platform::CGSize videoSize, long position);

// An export session, ready to start, that writes the movie at `input` (a
// path on this machine) with the poster's tab at `position` to `output`:
// medium quality, QuickTime, optimised for network use. The tab's layer is
// placed in the video's coordinates (origin bottom-left): 1 along the bottom
// from the left, 2 down the left edge from the top, 3 along the top from the
// left, 4 down the right edge from the top; any other position shows none.
// Nil when the input is not a movie with a picture.
RefPtr<platform::AVAssetExportSession> watermarkedExportSession(const std::string& input, id poster, long position, const std::string& output);

} // namespace igtarvo
