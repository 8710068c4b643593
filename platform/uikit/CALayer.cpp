#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstring>

namespace platform {

OBJC_CLASS_LOAD(CALayer)

CALayer::~CALayer() = default;

Ref<CALayer> CALayer::layer()
{
    return objc::make<CALayer>();
}

RefPtr<UIView> CALayer::view() const { return m_view.lock(); }
void CALayer::setView(UIView* view) { m_view = objc::WeakPtr<UIView>(view); }

CGRect CALayer::frame() const
{
    if (auto v = view())
        return v->frame();
    return m_frame;
}

void CALayer::setFrame(CGRect frame)
{
    if (auto v = view())
        return objc::send<void(CGRect)>(v, "setFrame:", frame);
    m_frame = frame;
}

CGRect CALayer::bounds() const
{
    if (auto v = view())
        return v->bounds();
    return CGRect { CGPointZero, m_frame.size };
}

RefPtr<UIColor> CALayer::backgroundColor() const
{
    if (auto v = view())
        return v->backgroundColor();
    return RefPtr<UIColor>(static_cast<UIColor*>(m_backgroundColor.get()));
}

void CALayer::setBackgroundColor(UIColor* color)
{
    if (auto v = view())
        return v->setBackgroundColor(color);
    m_backgroundColor = color;
}

RefPtr<UIColor> CALayer::borderColor() const { return RefPtr<UIColor>(static_cast<UIColor*>(m_borderColor.get())); }
void CALayer::setBorderColor(UIColor* color) { m_borderColor = color; }
RefPtr<UIColor> CALayer::shadowColor() const { return RefPtr<UIColor>(static_cast<UIColor*>(m_shadowColor.get())); }
void CALayer::setShadowColor(UIColor* color) { m_shadowColor = color; }
void CALayer::setShadowOpacity(double opacity) { m_shadowOpacity = std::clamp(opacity, 0.0, 1.0); }

double CALayer::opacity() const
{
    if (auto v = view())
        return v->alpha();
    return m_opacity;
}

void CALayer::setOpacity(double opacity)
{
    if (auto v = view())
        return v->setAlpha(opacity);
    m_opacity = std::clamp(opacity, 0.0, 1.0);
}

bool CALayer::isHidden() const
{
    if (auto v = view())
        return v->isHidden();
    return m_hidden;
}

void CALayer::setHidden(bool hidden)
{
    if (auto v = view())
        return v->setHidden(hidden);
    m_hidden = hidden;
}

CGAffineTransform CALayer::affineTransform() const
{
    if (auto v = view())
        return v->transform();
    return m_transform;
}

void CALayer::setAffineTransform(CGAffineTransform transform)
{
    if (auto v = view())
        return v->setTransform(transform);
    m_transform = transform;
}

RefPtr<NSArray> CALayer::sublayers() const
{
    if (m_sublayers.empty())
        return nullptr;
    return NSArray::create(std::vector<Ref<Object>>(m_sublayers.begin(), m_sublayers.end()));
}

void CALayer::addSublayer(CALayer* layer)
{
    if (!layer || layer == this)
        return;
    Ref<CALayer> keep(*layer);
    layer->removeFromSuperlayer();
    m_sublayers.push_back(keep);
    layer->m_superlayer = objc::WeakPtr<CALayer>(this);
}

void CALayer::removeFromSuperlayer()
{
    auto parent = superlayer();
    if (!parent)
        return;
    Ref<CALayer> keep(*this);
    auto& list = parent->m_sublayers;
    list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    m_superlayer = objc::WeakPtr<CALayer>();
}

// Rendering -----------------------------------------------------------------

namespace {

void fillColour(cairo_t* cr, UIColor* colour, double extraAlpha = 1)
{
    cairo_set_source_rgba(cr, colour->red(), colour->green(), colour->blue(), colour->alpha() * extraAlpha);
}

void roundedRect(CGContext* context, CGRect rect, double radius)
{
    cairo_new_path(context->cairo());
    if (radius <= 0) {
        CGContextAddRect(context, rect);
        return;
    }
    auto path = UIBezierPath::bezierPathWithRoundedRectCornerRadius(rect, radius);
    CGContextAddPath(context, path->CGPath().get());
}

// Three box blurs of the alpha channel approximate a gaussian of sigma ≈ half-width.
void boxBlur(unsigned char* data, int width, int height, int stride, int half)
{
    std::vector<unsigned char> line(size_t(std::max(width, height)));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y) {
            unsigned char* row = data + size_t(y) * stride;
            int sum = 0, span = 2 * half + 1;
            for (int x = -half; x <= half; ++x)
                sum += row[std::clamp(x, 0, width - 1)];
            for (int x = 0; x < width; ++x) {
                line[x] = (unsigned char)(sum / span);
                sum += row[std::clamp(x + half + 1, 0, width - 1)] - row[std::clamp(x - half, 0, width - 1)];
            }
            std::memcpy(row, line.data(), size_t(width));
        }
        for (int x = 0; x < width; ++x) {
            int sum = 0, span = 2 * half + 1;
            for (int y = -half; y <= half; ++y)
                sum += data[size_t(std::clamp(y, 0, height - 1)) * stride + x];
            for (int y = 0; y < height; ++y) {
                line[y] = (unsigned char)(sum / span);
                sum += data[size_t(std::clamp(y + half + 1, 0, height - 1)) * stride + x]
                    - data[size_t(std::clamp(y - half, 0, height - 1)) * stride + x];
            }
            for (int y = 0; y < height; ++y)
                data[size_t(y) * stride + x] = line[y];
        }
    }
}

// The layer's shadow: its rounded bounds, offset, blurred by the radius, in the shadow colour.
void drawShadow(CGContext* context, CGRect bounds, double radius, UIColor* colour, double opacity, CGSize offset, double blur)
{
    cairo_t* cr = context->cairo();
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    double scale = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
    int half = std::max(0, int(std::lround(blur * scale / 2)));
    CGRect shape = CGRectMake(bounds.origin.x + offset.width, bounds.origin.y + offset.height, bounds.size.width, bounds.size.height);
    double x0 = shape.origin.x, y0 = shape.origin.y, x1 = CGRectGetMaxX(shape), y1 = CGRectGetMaxY(shape);
    cairo_user_to_device(cr, &x0, &y0);
    cairo_user_to_device(cr, &x1, &y1);
    int margin = 3 * half + 2;
    int left = int(std::floor(std::min(x0, x1))) - margin, top = int(std::floor(std::min(y0, y1))) - margin;
    int width = int(std::ceil(std::fabs(x1 - x0))) + 2 * margin, height = int(std::ceil(std::fabs(y1 - y0))) + 2 * margin;
    if (width <= 0 || height <= 0 || !CGImageSizeIsSane(width, height))
        return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* mc = cairo_create(mask);
    cairo_matrix_t shifted = m;
    shifted.x0 -= left;
    shifted.y0 -= top;
    cairo_set_matrix(mc, &shifted);
    auto path = UIBezierPath::bezierPathWithRoundedRectCornerRadius(shape, radius);
    for (auto& e : path->CGPath()->elements()) {
        if (e.op == CGPath::Op::Move) cairo_move_to(mc, e.points[0].x, e.points[0].y);
        else if (e.op == CGPath::Op::Line) cairo_line_to(mc, e.points[0].x, e.points[0].y);
        else if (e.op == CGPath::Op::Curve) cairo_curve_to(mc, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y);
        else cairo_close_path(mc);
    }
    cairo_set_source_rgba(mc, 0, 0, 0, 1);
    cairo_fill(mc);
    cairo_destroy(mc);
    cairo_surface_flush(mask);
    if (half > 0)
        boxBlur(cairo_image_surface_get_data(mask), width, height, cairo_image_surface_get_stride(mask), half);
    cairo_surface_mark_dirty(mask);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    fillColour(cr, colour, opacity);
    cairo_mask_surface(cr, mask, left, top);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

RefPtr<CGImage> bitmapOf(Object* contents)
{
    if (!contents)
        return nullptr;
    if (objc::object_isKindOfClass(contents, UIImage::staticClass()))
        return static_cast<UIImage*>(contents)->CGImage();
    if (objc::object_isKindOfClass(contents, CGImage::staticClass()))
        return RefPtr<CGImage>(static_cast<CGImage*>(contents));
    return nullptr;
}

objc::IMP plainDrawRect()
{
    static const objc::IMP imp = objc::class_getMethodImplementation(UIView::staticClass(), objc::sel_registerName("drawRect:"));
    return imp;
}

} // namespace

void CALayer::renderInContext(CGContext* context)
{
    if (!context)
        return;
    render(context, true);
}

void CALayer::render(CGContext* context, bool atOrigin)
{
    if (isHidden())
        return;
    double alpha = opacity();
    if (alpha <= 0)
        return;
    cairo_t* cr = context->cairo();
    auto v = view();
    CGRect b = bounds();
    CGContextSaveGState(context);
    if (!atOrigin) {
        // Into the layer's own space: its centre, its transform, then its bounds.
        CGRect f = frame();
        CGAffineTransform t = affineTransform();
        if (CGAffineTransformIsIdentity(t)) {
            CGContextTranslateCTM(context, f.origin.x, f.origin.y);
        } else {
            CGContextTranslateCTM(context, CGRectGetMidX(f), CGRectGetMidY(f));
            CGContextConcatCTM(context, t);
            CGContextTranslateCTM(context, -b.size.width / 2, -b.size.height / 2);
        }
    }
    CGContextTranslateCTM(context, -b.origin.x, -b.origin.y);
    if (alpha < 1)
        cairo_push_group(cr);

    auto background = backgroundColor();
    auto contentsBitmap = bitmapOf(m_contents.get());
    if (m_shadowOpacity > 0 && shadowColor() && (background || contentsBitmap || v))
        drawShadow(context, b, m_cornerRadius, shadowColor().get(), m_shadowOpacity, m_shadowOffset, m_shadowRadius);
    if (background && background->alpha() > 0) {
        roundedRect(context, b, m_cornerRadius);
        fillColour(cr, background.get());
        cairo_fill(cr);
    }
    bool masks = m_masksToBounds || (v && v->clipsToBounds());
    if (masks) {
        roundedRect(context, b, m_cornerRadius);
        cairo_clip(cr);
    }
    if (contentsBitmap)
        CGContextDrawImageUpright(context, b, contentsBitmap.get());
    if (v && objc::class_getMethodImplementation(v->isa(), objc::sel_registerName("drawRect:")) != plainDrawRect()) {
        UIGraphicsPushContext(context);
        CGContextSaveGState(context);
        objc::send<void(CGRect)>(v, "drawRect:", b);
        CGContextRestoreGState(context);
        UIGraphicsPopContext();
    }
    auto sublayers = m_sublayers;
    for (auto& layer : sublayers)
        layer->render(context, false);
    if (v) {
        auto subviews = v->subviewList();
        for (auto& sub : subviews)
            sub->layer()->render(context, false);
    }
    if (m_borderWidth > 0 && borderColor()) {
        roundedRect(context, CGRectInset(b, m_borderWidth / 2, m_borderWidth / 2), std::max(0.0, m_cornerRadius - m_borderWidth / 2));
        cairo_set_line_width(cr, m_borderWidth);
        fillColour(cr, borderColor().get());
        cairo_stroke(cr);
    }
    if (alpha < 1) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    CGContextRestoreGState(context);
}

void CALayer::registerMethods(objc::ClassBuilder<CALayer>& b)
{
    b.classMethod<&CALayer::layer>("layer")
        .method<&CALayer::frame>("frame")
        .method<&CALayer::setFrame>("setFrame:")
        .method<&CALayer::bounds>("bounds")
        .method<&CALayer::backgroundColor>("backgroundColor")
        .method<&CALayer::setBackgroundColor>("setBackgroundColor:")
        .method<&CALayer::cornerRadius>("cornerRadius")
        .method<&CALayer::setCornerRadius>("setCornerRadius:")
        .method<&CALayer::masksToBounds>("masksToBounds")
        .method<&CALayer::setMasksToBounds>("setMasksToBounds:")
        .method<&CALayer::borderWidth>("borderWidth")
        .method<&CALayer::setBorderWidth>("setBorderWidth:")
        .method<&CALayer::borderColor>("borderColor")
        .method<&CALayer::setBorderColor>("setBorderColor:")
        .method<&CALayer::shadowColor>("shadowColor")
        .method<&CALayer::setShadowColor>("setShadowColor:")
        .method<&CALayer::shadowOffset>("shadowOffset")
        .method<&CALayer::setShadowOffset>("setShadowOffset:")
        .method<&CALayer::shadowOpacity>("shadowOpacity")
        .method<&CALayer::setShadowOpacity>("setShadowOpacity:")
        .method<&CALayer::shadowRadius>("shadowRadius")
        .method<&CALayer::setShadowRadius>("setShadowRadius:")
        .method<&CALayer::opacity>("opacity")
        .method<&CALayer::setOpacity>("setOpacity:")
        .method<&CALayer::isHidden>("isHidden")
        .method<&CALayer::setHidden>("setHidden:")
        .method<&CALayer::contents>("contents")
        .method<&CALayer::setContents>("setContents:")
        .method<&CALayer::affineTransform>("affineTransform")
        .method<&CALayer::setAffineTransform>("setAffineTransform:")
        .method<&CALayer::sublayers>("sublayers")
        .method<&CALayer::addSublayer>("addSublayer:")
        .method<&CALayer::removeFromSuperlayer>("removeFromSuperlayer")
        .method<&CALayer::superlayer>("superlayer")
        .method<&CALayer::renderInContext>("renderInContext:");
}

} // namespace platform
