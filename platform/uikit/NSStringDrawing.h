#pragma once
// Text measure, as UIKit adds it to strings: sizeWithAttributes: and
// boundingRectWithSize:options:attributes:context:, laid out by pango in the
// attributes' font (NSFontAttributeName; the system font of size 12 without
// one). Sizes are fractional points, not rounded up. Any thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class UIFont;

enum NSStringDrawingOptions : long {
    NSStringDrawingUsesLineFragmentOrigin = 1 << 0,
};

// One line of the text in the font.
CGSize NSStringSizeWithFont(const std::string& text, UIFont* font);
// The text wrapped in size.width (with NSStringDrawingUsesLineFragmentOrigin; one line without).
CGRect NSStringBoundingRect(const std::string& text, CGSize size, long options, UIFont* font);

// Adds the two messages to NSString (done when the platform loads).
void registerStringDrawing();

} // namespace platform
