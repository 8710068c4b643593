#pragma once
// Text measured and drawn with pango in the platform's faces: a face is named
// the phone's way ("HelveticaNeue-Light", "Helvetica Light") and resolved
// through the font configuration the platform loads in process (fonts.conf
// beside this file). Sizes are in points; widths are fractional (glyph
// positions are not rounded, metrics are not hinted). Any thread: one lock
// guards the shared font map.

#include "platform/uikit/UIGeometry.h"

#include <string>
#include <string_view>

typedef struct _cairo cairo_t;

namespace platform {

struct TextStyle {
    std::string font { "HelveticaNeue" };
    double size { 17 };
    // 0 left (and natural), 1 centre, 2 right, 3 justified.
    long alignment { 0 };
    // Lines at most (0: as many as the text needs).
    long lines { 1 };
    // The platform's line break modes: 0 word wrap, 1 char wrap, 2 clip, 3..5 truncate head, tail, middle.
    long lineBreakMode { 4 };
};

// The size of the text laid out in a width (<= 0: unlimited), at most style.lines lines.
CGSize TextMeasure(std::string_view utf8, const TextStyle& style, double width);
// The advance width of one line of text.
double TextWidth(std::string_view utf8, const std::string& font, double size);
// The face name fontconfig resolves a platform face to ("TeX Gyre Heros Light" …).
std::string TextResolvedFamily(const std::string& font);
// The number of lines the text takes in a width, with no line limit.
long TextLineCount(std::string_view utf8, const TextStyle& style, double width);

// Draws the text into the rectangle (user space of cr), centred vertically as
// a label draws, in the colour given (straight RGBA 0…1); clipped to the rectangle.
void TextDraw(cairo_t* cr, std::string_view utf8, const TextStyle& style, CGRect rect, const double rgba[4]);

} // namespace platform
