#pragma once
// A bitmap: premultiplied 32-bit pixels (cairo's ARGB32, native byte order)
// of a width and height in pixels. Immutable once made, so it can be shared
// between images and threads. Decoders refuse what they cannot read and
// every header that declares an absurd size (no pixels, a side over
// kMaxImageSide or more than kMaxImagePixels pixels) before allocating.

#include "platform/foundation/NSValues.h"

#include <memory>
#include <span>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace platform {

inline constexpr long kMaxImageSide = 16384;
inline constexpr long kMaxImagePixels = 64L * 1024 * 1024;

// Whether a bitmap of this many pixels may be made.
bool CGImageSizeIsSane(long width, long height);

class CGImage : public NSObject {
    OBJC_CLASS(CGImage, NSObject)
public:
    CGImage() = default;
    ~CGImage() override;
    static void registerMethods(objc::ClassBuilder<CGImage>&) { }

    // Takes a reference to an image surface (nil for a failed one).
    static RefPtr<CGImage> withSurface(cairo_surface_t* surface);
    // A transparent bitmap; nil for an absurd size.
    static RefPtr<CGImage> create(long width, long height);
    // PNG or JPEG bytes, told apart by their signature; nil when unreadable.
    static RefPtr<CGImage> decode(std::span<const uint8_t> bytes);
    static RefPtr<CGImage> decodePNG(std::span<const uint8_t> bytes);
    static RefPtr<CGImage> decodeJPEG(std::span<const uint8_t> bytes);

    long width() const;
    long height() const;
    // The surface, for drawing it somewhere else (do not draw into it).
    cairo_surface_t* surface() const { return m_surface; }
    // One pixel, straight (not premultiplied) RGBA, for inspection.
    struct RGBA { uint8_t r, g, b, a; };
    RGBA pixelAt(long x, long y) const;
    // Every pixel, straight RGBA, rows top to bottom without padding.
    std::vector<uint8_t> straightRGBA() const;

    // PNG bytes (zlib level 0 to 9); empty on failure.
    std::vector<uint8_t> encodePNG(int level = 6) const;
    // JPEG bytes of quality 0 to 100 (transparent parts come out black); empty on failure.
    std::vector<uint8_t> encodeJPEG(int quality) const;

private:
    cairo_surface_t* m_surface { nullptr };
};

} // namespace platform
