#include "platform/graphics/CGImage.h"

#include <cairo.h>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <png.h>

namespace platform {

OBJC_CLASS_LOAD(CGImage)

bool CGImageSizeIsSane(long width, long height)
{
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide
        && width * height <= kMaxImagePixels;
}

CGImage::~CGImage()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

RefPtr<CGImage> CGImage::withSurface(cairo_surface_t* surface)
{
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS
        || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return nullptr;
    cairo_surface_flush(surface);
    auto image = objc::make<CGImage>();
    image->m_surface = cairo_surface_reference(surface);
    return image;
}

RefPtr<CGImage> CGImage::create(long width, long height)
{
    if (!CGImageSizeIsSane(width, height))
        return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height));
    auto image = withSurface(s);
    cairo_surface_destroy(s);
    return image;
}

long CGImage::width() const { return cairo_image_surface_get_width(m_surface); }
long CGImage::height() const { return cairo_image_surface_get_height(m_surface); }

CGImage::RGBA CGImage::pixelAt(long x, long y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return { 0, 0, 0, 0 };
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    int stride = cairo_image_surface_get_stride(m_surface);
    uint32_t px;
    std::memcpy(&px, data + y * stride + x * 4, 4);
    uint8_t a = px >> 24;
    auto un = [a](uint32_t c) -> uint8_t { return a ? uint8_t((c * 255 + a / 2) / a) : 0; };
    return { un((px >> 16) & 0xFF), un((px >> 8) & 0xFF), un(px & 0xFF), a };
}

std::vector<uint8_t> CGImage::straightRGBA() const
{
    long w = width(), h = height();
    std::vector<uint8_t> out(size_t(w) * size_t(h) * 4);
    cairo_surface_flush(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    int stride = cairo_image_surface_get_stride(m_surface);
    uint8_t* to = out.data();
    for (long y = 0; y < h; ++y) {
        const unsigned char* row = data + y * stride;
        for (long x = 0; x < w; ++x, to += 4) {
            uint32_t px;
            std::memcpy(&px, row + x * 4, 4);
            uint32_t a = px >> 24;
            if (a == 0) {
                to[0] = to[1] = to[2] = to[3] = 0;
                continue;
            }
            auto un = [a](uint32_t c) -> uint8_t { return uint8_t((c * 255 + a / 2) / a); };
            to[0] = un((px >> 16) & 0xFF);
            to[1] = un((px >> 8) & 0xFF);
            to[2] = un(px & 0xFF);
            to[3] = uint8_t(a);
        }
    }
    return out;
}

RefPtr<CGImage> CGImage::decode(std::span<const uint8_t> bytes)
{
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8) == 0)
        return decodePNG(bytes);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return decodeJPEG(bytes);
    return nullptr;
}

// PNG ----------------------------------------------------------------------

namespace {

struct PNGReader {
    std::span<const uint8_t> bytes;
    size_t offset { 0 };
};

void pngRead(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<PNGReader*>(png_get_io_ptr(png));
    if (reader->bytes.size() - reader->offset < length)
        png_error(png, "truncated");
    std::memcpy(out, reader->bytes.data() + reader->offset, length);
    reader->offset += length;
}

void pngWarning(png_structp, png_const_charp) { }
void pngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void pngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) { }

} // namespace

RefPtr<CGImage> CGImage::decodePNG(std::span<const uint8_t> bytes)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return nullptr;
    png_infop info = png_create_info_struct(png);
    PNGReader reader { bytes };
    cairo_surface_t* volatile surface = nullptr;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (surface)
            cairo_surface_destroy(surface);
        return nullptr;
    }
    png_set_read_fn(png, &reader, pngRead);
    // libpng's own limits stay below ours, so that it refuses before it allocates.
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (!CGImageSizeIsSane(long(w), long(h)))
        png_error(png, "size");
    int colour = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) == 16)
        png_set_strip_16(png);
    if (colour == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) {
        if (png_get_bit_depth(png, info) < 8)
            png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(w), int(h));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        png_error(png, "memory");
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = data + size_t(y) * stride;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    // RGBA bytes to premultiplied native ARGB words, in place.
    for (png_uint_32 y = 0; y < h; ++y) {
        unsigned char* row = rows[y];
        for (png_uint_32 x = 0; x < w; ++x) {
            unsigned char* p = row + x * 4;
            uint32_t r = p[0], g = p[1], b = p[2], a = p[3];
            if (a != 255) {
                r = (r * a + 127) / 255;
                g = (g * a + 127) / 255;
                b = (b * a + 127) / 255;
            }
            uint32_t word = (a << 24) | (r << 16) | (g << 8) | b;
            std::memcpy(p, &word, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
    auto image = withSurface(surface);
    cairo_surface_destroy(surface);
    return image;
}

std::vector<uint8_t> CGImage::encodePNG(int level) const
{
    std::vector<uint8_t> out;
    long w = width(), h = height();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return {};
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> row(size_t(w) * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, pngWrite, pngFlush);
    png_set_compression_level(png, std::clamp(level, 0, 9));
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    int stride = cairo_image_surface_get_stride(m_surface);
    for (long y = 0; y < h; ++y) {
        const unsigned char* src = data + y * stride;
        for (long x = 0; x < w; ++x) {
            uint32_t px;
            std::memcpy(&px, src + x * 4, 4);
            uint32_t a = px >> 24, r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
            if (a != 255 && a != 0) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            uint8_t* d = row.data() + x * 4;
            d[0] = uint8_t(std::min(r, 255u));
            d[1] = uint8_t(std::min(g, 255u));
            d[2] = uint8_t(std::min(b, 255u));
            d[3] = uint8_t(a);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// JPEG ------------------------------------------------------------------------

namespace {

// libjpeg's own error handler ends the process; this one jumps back instead.
struct JPEGError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jpegFail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JPEGError*>(info->err)->jump, 1);
}

void jpegQuiet(j_common_ptr, int) { }

} // namespace

RefPtr<CGImage> CGImage::decodeJPEG(std::span<const uint8_t> bytes)
{
    jpeg_decompress_struct info {};
    JPEGError error {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    error.manager.emit_message = jpegQuiet;
    cairo_surface_t* volatile surface = nullptr;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        if (surface)
            cairo_surface_destroy(surface);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !CGImageSizeIsSane(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(info.output_width), int(info.output_height));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        std::longjmp(error.jump, 1);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = data + size_t(info.output_scanline) * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    // A warning means damaged data (a cut-off file reads as grey): not a picture.
    bool damaged = error.manager.num_warnings > 0;
    jpeg_destroy_decompress(&info);
    if (damaged) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_mark_dirty(surface);
    auto image = withSurface(surface);
    cairo_surface_destroy(surface);
    return image;
}

std::vector<uint8_t> CGImage::encodeJPEG(int quality) const
{
    jpeg_compress_struct info {};
    JPEGError error {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    error.manager.emit_message = jpegQuiet;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width());
    info.image_height = JDIMENSION(height());
    info.input_components = 4;
    // Premultiplied pixels read as BGRX are the picture over black.
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 0, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    unsigned char* data = cairo_image_surface_get_data(m_surface);
    int stride = cairo_image_surface_get_stride(m_surface);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = data + size_t(info.next_scanline) * stride;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    free(buffer);
    return out;
}

} // namespace platform
