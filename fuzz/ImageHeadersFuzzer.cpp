// Pictures from any bytes: a PNG or JPEG decodes to a bitmap of a sane size
// or to nothing, never a crash, an exit or an allocation a header asked for
// without pixels to back it; a decoded bitmap encodes to PNG bytes that
// decode again to the same size.

#include "fuzz/FuzzCheck.h"
#include "platform/graphics/CGImage.h"

#include <cstdint>
#include <span>

using namespace platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto bitmap = CGImage::decode(std::span<const uint8_t>(data, size));
    if (!bitmap)
        return 0;
    FUZZ_CHECK(CGImageSizeIsSane(bitmap->width(), bitmap->height()));
    auto corner = bitmap->pixelAt(bitmap->width() - 1, bitmap->height() - 1);
    (void)corner;
    auto png = bitmap->encodePNG(1);
    FUZZ_CHECK(!png.empty());
    auto again = CGImage::decodePNG(png);
    FUZZ_CHECK(again && again->width() == bitmap->width() && again->height() == bitmap->height());
    return 0;
}
