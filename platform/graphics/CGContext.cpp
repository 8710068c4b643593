#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIScreen.h"

#include <cairo.h>
#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(CGPath)
OBJC_CLASS_LOAD(CGContext)

// Paths ------------------------------------------------------------------------

void CGPath::addRect(CGRect r)
{
    moveTo(r.origin);
    lineTo({ CGRectGetMaxX(r), r.origin.y });
    lineTo({ CGRectGetMaxX(r), CGRectGetMaxY(r) });
    lineTo({ r.origin.x, CGRectGetMaxY(r) });
    close();
}

void CGPath::addEllipse(CGRect r)
{
    // Four cubic quarter arcs (kappa = 4/3·(√2−1)).
    constexpr double k = 0.5522847498307936;
    double cx = CGRectGetMidX(r), cy = CGRectGetMidY(r), rx = r.size.width / 2, ry = r.size.height / 2;
    moveTo({ cx + rx, cy });
    curveTo({ cx + rx, cy + k * ry }, { cx + k * rx, cy + ry }, { cx, cy + ry });
    curveTo({ cx - k * rx, cy + ry }, { cx - rx, cy + k * ry }, { cx - rx, cy });
    curveTo({ cx - rx, cy - k * ry }, { cx - k * rx, cy - ry }, { cx, cy - ry });
    curveTo({ cx + k * rx, cy - ry }, { cx + rx, cy - k * ry }, { cx + rx, cy });
    close();
}

void CGPath::addArc(CGPoint c, double radius, double start, double end, bool clockwise)
{
    // On a screen whose y runs down, growing angles turn clockwise.
    if (clockwise) {
        while (end < start) end += 2 * M_PI;
    } else {
        while (end > start) end -= 2 * M_PI;
    }
    int pieces = std::max(1, int(std::ceil(std::fabs(end - start) / (M_PI / 2))));
    double step = (end - start) / pieces;
    CGPoint first { c.x + radius * std::cos(start), c.y + radius * std::sin(start) };
    if (m_elements.empty() || m_elements.back().op == Op::Close)
        moveTo(first);
    else
        lineTo(first);
    for (int i = 0; i < pieces; ++i) {
        double a0 = start + i * step, a1 = a0 + step;
        double k = 4.0 / 3.0 * std::tan((a1 - a0) / 4);
        CGPoint p0 { c.x + radius * std::cos(a0), c.y + radius * std::sin(a0) };
        CGPoint p1 { c.x + radius * std::cos(a1), c.y + radius * std::sin(a1) };
        curveTo({ p0.x - k * radius * std::sin(a0), p0.y + k * radius * std::cos(a0) },
            { p1.x + k * radius * std::sin(a1), p1.y - k * radius * std::cos(a1) }, p1);
    }
}

CGRect CGPath::boundingBox() const
{
    bool any = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (auto& e : m_elements) {
        int n = e.op == Op::Curve ? 3 : e.op == Op::Close ? 0 : 1;
        for (int i = 0; i < n; ++i) {
            const CGPoint& p = e.points[i];
            if (!any) { minX = maxX = p.x; minY = maxY = p.y; any = true; }
            minX = std::min(minX, p.x); maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y); maxY = std::max(maxY, p.y);
        }
    }
    return any ? CGRectMake(minX, minY, maxX - minX, maxY - minY) : CGRectZero;
}

// Contexts --------------------------------------------------------------------

CGContext::~CGContext()
{
    if (m_cairo)
        cairo_destroy(m_cairo);
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

RefPtr<CGContext> CGContext::createBitmap(CGSize size, double scale, bool opaque)
{
    if (!(scale > 0) || !(size.width > 0) || !(size.height > 0) || !std::isfinite(size.width * scale) || !std::isfinite(size.height * scale))
        return nullptr;
    double pw = std::ceil(size.width * scale - 1e-9), ph = std::ceil(size.height * scale - 1e-9);
    if (pw > kMaxImageSide || ph > kMaxImageSide || !CGImageSizeIsSane(long(pw), long(ph)))
        return nullptr;
    auto context = objc::make<CGContext>();
    context->m_surface = cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, int(pw), int(ph));
    if (cairo_surface_status(context->m_surface) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    context->m_cairo = cairo_create(context->m_surface);
    context->m_size = size;
    context->m_scale = scale;
    cairo_scale(context->m_cairo, scale, scale);
    cairo_set_source_rgba(context->m_cairo, 0, 0, 0, 1);
    if (opaque) {
        cairo_save(context->m_cairo);
        cairo_paint(context->m_cairo); // opaque bitmaps start black, as the platform's do
        cairo_restore(context->m_cairo);
    }
    return context;
}

RefPtr<CGImage> CGContext::makeImage() const
{
    cairo_surface_flush(m_surface);
    long w = cairo_image_surface_get_width(m_surface), h = cairo_image_surface_get_height(m_surface);
    auto copy = CGImage::create(w, h);
    if (!copy)
        return nullptr;
    cairo_t* cr = cairo_create(copy->surface());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, m_surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(copy->surface());
    return copy;
}

namespace {

struct ContextEntry {
    Ref<CGContext> context;
    bool image;
};

std::vector<ContextEntry>& contextStack()
{
    thread_local std::vector<ContextEntry> stack;
    return stack;
}

void applyPath(cairo_t* cr, const CGPath& path)
{
    for (auto& e : path.elements()) {
        switch (e.op) {
        case CGPath::Op::Move: cairo_move_to(cr, e.points[0].x, e.points[0].y); break;
        case CGPath::Op::Line: cairo_line_to(cr, e.points[0].x, e.points[0].y); break;
        case CGPath::Op::Curve:
            cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y);
            break;
        case CGPath::Op::Close: cairo_close_path(cr); break;
        }
    }
}

// Colours and alpha live with the context's saved state as cairo user data.
struct Paint {
    double fill[4] { 0, 0, 0, 1 };
    double stroke[4] { 0, 0, 0, 1 };
    double alpha { 1 };
    double lineWidth { 1 };
};

// The paint state of a context, kept beside cairo's own state stack.
struct PaintStack {
    std::vector<Paint> saved;
    Paint current;
};

cairo_user_data_key_t g_paintKey;

PaintStack& paintOf(CGContextRef c)
{
    auto* stack = static_cast<PaintStack*>(cairo_get_user_data(c->cairo(), &g_paintKey));
    if (!stack) {
        stack = new PaintStack;
        cairo_set_user_data(c->cairo(), &g_paintKey, stack, [](void* p) { delete static_cast<PaintStack*>(p); });
    }
    return *stack;
}

void setColour(double out[4], UIColor* color)
{
    if (!color) {
        out[0] = out[1] = out[2] = out[3] = 0;
        return;
    }
    out[0] = color->red(); out[1] = color->green(); out[2] = color->blue(); out[3] = color->alpha();
}

void fillWithCurrent(CGContextRef c, bool preserve)
{
    Paint& p = paintOf(c).current;
    cairo_set_source_rgba(c->cairo(), p.fill[0], p.fill[1], p.fill[2], p.fill[3] * p.alpha);
    if (preserve) cairo_fill_preserve(c->cairo()); else cairo_fill(c->cairo());
}

} // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale)
{
    if (scale == 0)
        scale = UIScreen::mainScreen()->scale();
    auto context = CGContext::createBitmap(size, scale, opaque);
    if (!context)
        return;
    contextStack().push_back({ context.releaseNonNull(), true });
}

void UIGraphicsBeginImageContext(CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
}

CGContextRef UIGraphicsGetCurrentContext()
{
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back().context.get();
}

RefPtr<UIImage> UIGraphicsGetImageFromCurrentImageContext()
{
    auto& stack = contextStack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (!it->image)
            continue;
        auto bitmap = it->context->makeImage();
        if (!bitmap)
            return nullptr;
        return UIImage::imageWithCGImage(bitmap.get(), it->context->scale());
    }
    return nullptr;
}

void UIGraphicsEndImageContext()
{
    auto& stack = contextStack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (it->image) {
            stack.erase(std::next(it).base());
            return;
        }
    }
}

void UIGraphicsPushContext(CGContextRef context)
{
    if (context)
        contextStack().push_back({ Ref<CGContext>(*context), false });
}

void UIGraphicsPopContext()
{
    auto& stack = contextStack();
    if (!stack.empty() && !stack.back().image)
        stack.pop_back();
}

void CGContextSaveGState(CGContextRef c)
{
    if (!c) return;
    cairo_save(c->cairo());
    auto& paint = paintOf(c);
    paint.saved.push_back(paint.current);
}

void CGContextRestoreGState(CGContextRef c)
{
    if (!c) return;
    auto& paint = paintOf(c);
    if (paint.saved.empty())
        return; // unbalanced: nothing to restore
    cairo_restore(c->cairo());
    paint.current = paint.saved.back();
    paint.saved.pop_back();
}

void CGContextTranslateCTM(CGContextRef c, double tx, double ty) { if (c) cairo_translate(c->cairo(), tx, ty); }
void CGContextRotateCTM(CGContextRef c, double angle) { if (c) cairo_rotate(c->cairo(), angle); }
void CGContextScaleCTM(CGContextRef c, double sx, double sy) { if (c) cairo_scale(c->cairo(), sx, sy); }

void CGContextConcatCTM(CGContextRef c, const CGAffineTransform& t)
{
    if (!c) return;
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(c->cairo(), &m);
}

CGAffineTransform CGContextGetCTM(CGContextRef c)
{
    if (!c) return CGAffineTransformIdentity;
    cairo_matrix_t m;
    cairo_get_matrix(c->cairo(), &m);
    double s = c->scale();
    return { m.xx / s, m.yx / s, m.xy / s, m.yy / s, m.x0 / s, m.y0 / s };
}

void CGContextSetAlpha(CGContextRef c, double alpha) { if (c) paintOf(c).current.alpha = std::clamp(alpha, 0.0, 1.0); }
void CGContextSetFillColorWithColor(CGContextRef c, UIColor* color) { if (c) setColour(paintOf(c).current.fill, color); }
void CGContextSetStrokeColorWithColor(CGContextRef c, UIColor* color) { if (c) setColour(paintOf(c).current.stroke, color); }
void CGContextSetLineWidth(CGContextRef c, double width) { if (c) paintOf(c).current.lineWidth = std::max(0.0, width); }
void CGContextBeginPath(CGContextRef c) { if (c) cairo_new_path(c->cairo()); }

void CGContextAddPath(CGContextRef c, CGPathRef path)
{
    if (c && path)
        applyPath(c->cairo(), *path);
}

void CGContextAddRect(CGContextRef c, CGRect r)
{
    if (c) cairo_rectangle(c->cairo(), r.origin.x, r.origin.y, r.size.width, r.size.height);
}

void CGContextAddEllipseInRect(CGContextRef c, CGRect r)
{
    if (!c) return;
    auto path = objc::make<CGPath>();
    path->addEllipse(r);
    applyPath(c->cairo(), *path);
}

void CGContextClip(CGContextRef c) { if (c) cairo_clip(c->cairo()); }

void CGContextClipToRect(CGContextRef c, CGRect r)
{
    if (!c) return;
    cairo_new_path(c->cairo());
    CGContextAddRect(c, r);
    cairo_clip(c->cairo());
}

void CGContextFillPath(CGContextRef c) { if (c) fillWithCurrent(c, false); }

void CGContextStrokePath(CGContextRef c)
{
    if (!c) return;
    Paint& p = paintOf(c).current;
    cairo_set_line_width(c->cairo(), p.lineWidth);
    cairo_set_source_rgba(c->cairo(), p.stroke[0], p.stroke[1], p.stroke[2], p.stroke[3] * p.alpha);
    cairo_stroke(c->cairo());
}

void CGContextFillRect(CGContextRef c, CGRect r)
{
    if (!c) return;
    // Filling a rectangle leaves the current path alone.
    cairo_path_t* kept = cairo_copy_path(c->cairo());
    cairo_new_path(c->cairo());
    CGContextAddRect(c, r);
    fillWithCurrent(c, false);
    cairo_append_path(c->cairo(), kept);
    cairo_path_destroy(kept);
}

void CGContextFillEllipseInRect(CGContextRef c, CGRect r)
{
    if (!c) return;
    cairo_new_path(c->cairo());
    CGContextAddEllipseInRect(c, r);
    fillWithCurrent(c, false);
}

void CGContextStrokeRect(CGContextRef c, CGRect r)
{
    if (!c) return;
    cairo_new_path(c->cairo());
    CGContextAddRect(c, r);
    CGContextStrokePath(c);
}

void CGContextClearRect(CGContextRef c, CGRect r)
{
    if (!c) return;
    cairo_save(c->cairo());
    cairo_set_operator(c->cairo(), CAIRO_OPERATOR_CLEAR);
    cairo_new_path(c->cairo());
    CGContextAddRect(c, r);
    cairo_fill(c->cairo());
    cairo_restore(c->cairo());
}

namespace {
void paintImage(CGContextRef c, CGRect rect, CGImage* image, bool flipped, double alpha)
{
    if (!c || !image || rect.size.width == 0 || rect.size.height == 0)
        return;
    cairo_t* cr = c->cairo();
    cairo_save(cr);
    double sx = rect.size.width / double(image->width()), sy = rect.size.height / double(image->height());
    if (flipped) {
        cairo_translate(cr, rect.origin.x, rect.origin.y + rect.size.height);
        cairo_scale(cr, sx, -sy);
    } else {
        cairo_translate(cr, rect.origin.x, rect.origin.y);
        cairo_scale(cr, sx, sy);
    }
    cairo_new_path(cr);
    cairo_set_source_surface(cr, image->surface(), 0, 0);
    // Smooth scaling, and no blurred edges: the picture stops at its border.
    cairo_matrix_t device;
    cairo_get_matrix(cr, &device);
    bool oneToOne = device.xx == 1 && device.yy == 1 && device.xy == 0 && device.yx == 0
        && device.x0 == std::floor(device.x0) && device.y0 == std::floor(device.y0);
    cairo_pattern_set_filter(cairo_get_source(cr), oneToOne ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, 0, 0, double(image->width()), double(image->height()));
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, alpha * paintOf(c).current.alpha);
    cairo_restore(cr);
}
}

void CGContextDrawImage(CGContextRef c, CGRect rect, CGImage* image) { paintImage(c, rect, image, true, 1); }
void CGContextDrawImageUpright(CGContextRef c, CGRect rect, CGImage* image, double alpha) { paintImage(c, rect, image, false, alpha); }

} // namespace platform
