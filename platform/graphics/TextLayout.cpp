#include "platform/graphics/TextLayout.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <mutex>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

namespace platform {

namespace detail {
extern const char* const kFontConfigXML;
}

namespace {

std::mutex g_textLock;

// The font map with the platform's face names: our rules first, then the
// system's configuration, so that the system's fall-backs apply to what our
// rules produce.
PangoFontMap* fontMap()
{
    static PangoFontMap* const map = [] {
        FcInit();
        FcConfig* config = FcConfigCreate();
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(detail::kFontConfigXML), FcTrue);
        FcChar8* system = FcConfigFilename(nullptr);
        FcConfigParseAndLoad(config, system, FcFalse);
        FcStrFree(system);
        FcConfigBuildFonts(config);
        PangoFontMap* m = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
        if (PANGO_IS_FC_FONT_MAP(m))
            pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(m), config);
        FcConfigDestroy(config);
        return m;
    }();
    return map;
}

struct GObjectDeleter {
    void operator()(void* p) const { if (p) g_object_unref(p); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, GObjectDeleter>;

void configureContext(PangoContext* context)
{
    pango_context_set_round_glyph_positions(context, FALSE);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
}

// A context for measuring: no target, one point to one unit.
PangoContext* measuringContext()
{
    static PangoContext* const context = [] {
        PangoContext* c = pango_font_map_create_context(fontMap());
        configureContext(c);
        return c;
    }();
    return context;
}

PangoFontDescription* describe(const std::string& font, double size)
{
    PangoFontDescription* d = pango_font_description_new();
    // The whole name is the family: fontconfig's rules split off the weight.
    pango_font_description_set_family(d, font.empty() ? "HelveticaNeue" : font.c_str());
    pango_font_description_set_absolute_size(d, std::max(size, 0.01) * PANGO_SCALE);
    return d;
}

LayoutPtr makeLayout(PangoContext* context, std::string_view text, const TextStyle& style, double width)
{
    LayoutPtr layout(pango_layout_new(context));
    PangoFontDescription* d = describe(style.font, style.size);
    pango_layout_set_font_description(layout.get(), d);
    pango_font_description_free(d);
    pango_layout_set_text(layout.get(), text.data(), int(text.size()));
    bool oneLine = style.lines == 1;
    if (width > 0) {
        pango_layout_set_width(layout.get(), int(width * PANGO_SCALE));
        pango_layout_set_wrap(layout.get(), style.lineBreakMode == 1 ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
        PangoEllipsizeMode ellipsis = PANGO_ELLIPSIZE_NONE;
        if (style.lineBreakMode == 3) ellipsis = PANGO_ELLIPSIZE_START;
        if (style.lineBreakMode == 4) ellipsis = PANGO_ELLIPSIZE_END;
        if (style.lineBreakMode == 5) ellipsis = PANGO_ELLIPSIZE_MIDDLE;
        if (oneLine && ellipsis == PANGO_ELLIPSIZE_NONE)
            pango_layout_set_width(layout.get(), -1); // clipped, not wrapped
        pango_layout_set_ellipsize(layout.get(), ellipsis);
        if (style.lines > 0 && ellipsis != PANGO_ELLIPSIZE_NONE)
            pango_layout_set_height(layout.get(), -int(style.lines));
    }
    switch (style.alignment) {
    case 1: pango_layout_set_alignment(layout.get(), PANGO_ALIGN_CENTER); break;
    case 2: pango_layout_set_alignment(layout.get(), PANGO_ALIGN_RIGHT); break;
    case 3: pango_layout_set_justify(layout.get(), TRUE); break;
    default: pango_layout_set_alignment(layout.get(), PANGO_ALIGN_LEFT); break;
    }
    return layout;
}

// The extent of the first `lines` lines (all when 0), in points.
CGSize extentOf(PangoLayout* layout, long lines)
{
    int count = pango_layout_get_line_count(layout);
    if (lines > 0 && count > lines)
        count = int(lines);
    double width = 0, height = 0;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    for (int i = 0; i < count; ++i) {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        width = std::max(width, double(logical.width) / PANGO_SCALE);
        height = double(logical.y + logical.height) / PANGO_SCALE;
        if (!pango_layout_iter_next_line(iter))
            break;
    }
    pango_layout_iter_free(iter);
    return { width, height };
}

} // namespace

CGSize TextMeasure(std::string_view utf8, const TextStyle& style, double width)
{
    std::lock_guard guard(g_textLock);
    if (utf8.empty())
        return { 0, 0 };
    auto layout = makeLayout(measuringContext(), utf8, style, width);
    return extentOf(layout.get(), style.lines);
}

double TextWidth(std::string_view utf8, const std::string& font, double size)
{
    TextStyle style;
    style.font = font;
    style.size = size;
    return TextMeasure(utf8, style, 0).width;
}

long TextLineCount(std::string_view utf8, const TextStyle& style, double width)
{
    std::lock_guard guard(g_textLock);
    if (utf8.empty())
        return 0;
    TextStyle wrapped = style;
    wrapped.lines = 0;
    wrapped.lineBreakMode = 0;
    auto layout = makeLayout(measuringContext(), utf8, wrapped, width);
    return pango_layout_get_line_count(layout.get());
}

std::string TextResolvedFamily(const std::string& font)
{
    std::lock_guard guard(g_textLock);
    PangoFontDescription* d = describe(font, 12);
    PangoFont* f = pango_font_map_load_font(fontMap(), measuringContext(), d);
    pango_font_description_free(d);
    if (!f)
        return {};
    PangoFontDescription* actual = pango_font_describe(f);
    std::string family = pango_font_description_get_family(actual) ? pango_font_description_get_family(actual) : "";
    PangoWeight weight = pango_font_description_get_weight(actual);
    pango_font_description_free(actual);
    g_object_unref(f);
    if (weight <= PANGO_WEIGHT_LIGHT)
        family += " Light";
    else if (weight >= PANGO_WEIGHT_BOLD)
        family += " Bold";
    return family;
}

void TextDraw(cairo_t* cr, std::string_view utf8, const TextStyle& style, CGRect rect, const double rgba[4])
{
    if (utf8.empty() || rect.size.width <= 0 || rect.size.height <= 0)
        return;
    std::lock_guard guard(g_textLock);
    PangoContext* context = pango_font_map_create_context(fontMap());
    configureContext(context);
    pango_cairo_update_context(cr, context);
    // The context's own transform is the target's; pango must not round to device pixels either.
    pango_context_set_round_glyph_positions(context, FALSE);
    auto layout = makeLayout(context, utf8, style, rect.size.width);
    CGSize extent = extentOf(layout.get(), style.lines);
    cairo_save(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    double x = rect.origin.x;
    if (pango_layout_get_width(layout.get()) < 0) {
        // Unwrapped (clipped) text is placed by the alignment ourselves.
        if (style.alignment == 1) x += (rect.size.width - extent.width) / 2;
        if (style.alignment == 2) x += rect.size.width - extent.width;
    }
    double y = rect.origin.y + (rect.size.height - extent.height) / 2;
    cairo_move_to(cr, x, y);
    cairo_set_source_rgba(cr, rgba[0], rgba[1], rgba[2], rgba[3]);
    // Only the lines that fit the limit.
    if (style.lines > 0 && pango_layout_get_line_count(layout.get()) > style.lines) {
        PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
        for (long i = 0; i < style.lines; ++i) {
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
            int baseline = pango_layout_iter_get_baseline(iter);
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(iter, nullptr, &logical);
            cairo_move_to(cr, x + double(logical.x) / PANGO_SCALE, y + double(baseline) / PANGO_SCALE);
            pango_cairo_show_layout_line(cr, line);
            if (!pango_layout_iter_next_line(iter))
                break;
        }
        pango_layout_iter_free(iter);
    } else {
        pango_cairo_show_layout(cr, layout.get());
    }
    cairo_restore(cr);
    g_object_unref(context);
}

} // namespace platform
