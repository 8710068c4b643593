#pragma once
// The watermark tab a video carries: the repost tab view of the poster,
// made for the video's size and the position, rendered into a picture.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace igtarvo {

// The tab picture (a UIImage) for a video of `videoSize` pixels, turned a
// quarter turn for positions 2 and 4; nil when no tab can be drawn.
objc::RefPtr<objc::Object> videoWatermarkTab(objc::id poster, platform::CGSize videoSize, long position);

} // namespace igtarvo
