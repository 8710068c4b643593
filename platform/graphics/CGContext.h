#pragma once
// Drawing: a context over a cairo image surface, with the platform's calls
// (a current transform that starts at the context's scale, a fill colour, a
// current path, clipping, saved states), paths, and the image contexts of
// UIGraphicsBeginImageContextWithOptions. Points are user space; a context
// of scale 2 has two pixels per point. Image contexts are a stack per thread:
// the calls act on the innermost one of the calling thread.

#include "platform/graphics/CGAffineTransform.h"
#include "platform/graphics/CGImage.h"

#include <vector>

namespace platform {

class UIColor;
class UIImage;

// A path: moves, lines, curves and closes, in user space.
class CGPath : public NSObject {
    OBJC_CLASS(CGPath, NSObject)
public:
    CGPath() = default;
    static void registerMethods(objc::ClassBuilder<CGPath>&) { }

    enum class Op { Move, Line, Curve, Close };
    struct Element {
        Op op;
        CGPoint points[3];
    };
    void moveTo(CGPoint p) { m_elements.push_back({ Op::Move, { p } }); }
    void lineTo(CGPoint p) { m_elements.push_back({ Op::Line, { p } }); }
    void curveTo(CGPoint c1, CGPoint c2, CGPoint p) { m_elements.push_back({ Op::Curve, { c1, c2, p } }); }
    void close() { m_elements.push_back({ Op::Close, {} }); }
    void addRect(CGRect r);
    // An ellipse inscribed in the rectangle (four curves).
    void addEllipse(CGRect r);
    // An arc around a centre, angles in radians (clockwise on screen when clockwise is true).
    void addArc(CGPoint centre, double radius, double start, double end, bool clockwise);
    const std::vector<Element>& elements() const { return m_elements; }
    bool isEmpty() const { return m_elements.empty(); }
    // The smallest rectangle holding every point (control points included).
    CGRect boundingBox() const;

private:
    std::vector<Element> m_elements;
};

class CGContext : public NSObject {
    OBJC_CLASS(CGContext, NSObject)
public:
    CGContext() = default;
    ~CGContext() override;
    static void registerMethods(objc::ClassBuilder<CGContext>&) { }

    // A context over a new transparent bitmap of size × scale pixels (each
    // side rounded up); nil for an empty or absurd size.
    static RefPtr<CGContext> createBitmap(CGSize size, double scale, bool opaque);

    cairo_t* cairo() const { return m_cairo; }
    double scale() const { return m_scale; }
    CGSize size() const { return m_size; }
    // A snapshot of the pixels drawn so far.
    RefPtr<CGImage> makeImage() const;

private:
    cairo_t* m_cairo { nullptr };
    cairo_surface_t* m_surface { nullptr };
    CGSize m_size;
    double m_scale { 1 };
};

using CGContextRef = CGContext*;
using CGPathRef = CGPath*;

// Image contexts -------------------------------------------------------------

// Opens a bitmap context of a size in points; scale 0 is the main screen's.
// An empty size opens nothing (the calls below then find no context).
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale);
void UIGraphicsBeginImageContext(CGSize size);
// The innermost context of this thread, or nil.
CGContextRef UIGraphicsGetCurrentContext();
// The picture drawn so far in the innermost image context, at its scale; nil without one.
RefPtr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
void UIGraphicsEndImageContext();
// Makes a context current for drawing code (a layer rendering a view's drawRect:).
void UIGraphicsPushContext(CGContextRef context);
void UIGraphicsPopContext();

// Context calls (each does nothing on a nil context) ------------------------

void CGContextSaveGState(CGContextRef c);
void CGContextRestoreGState(CGContextRef c);
void CGContextTranslateCTM(CGContextRef c, double tx, double ty);
void CGContextRotateCTM(CGContextRef c, double angle);
void CGContextScaleCTM(CGContextRef c, double sx, double sy);
void CGContextConcatCTM(CGContextRef c, const CGAffineTransform& t);
// The transform from user space to the context's points (its scale left out).
CGAffineTransform CGContextGetCTM(CGContextRef c);
void CGContextSetAlpha(CGContextRef c, double alpha);
void CGContextSetFillColorWithColor(CGContextRef c, UIColor* color);
void CGContextSetStrokeColorWithColor(CGContextRef c, UIColor* color);
void CGContextSetLineWidth(CGContextRef c, double width);
void CGContextBeginPath(CGContextRef c);
void CGContextAddPath(CGContextRef c, CGPathRef path);
void CGContextAddRect(CGContextRef c, CGRect rect);
void CGContextAddEllipseInRect(CGContextRef c, CGRect rect);
// Intersects the clip with the current path, and empties the path.
void CGContextClip(CGContextRef c);
void CGContextClipToRect(CGContextRef c, CGRect rect);
void CGContextFillPath(CGContextRef c);
void CGContextStrokePath(CGContextRef c);
void CGContextFillRect(CGContextRef c, CGRect rect);
void CGContextFillEllipseInRect(CGContextRef c, CGRect rect);
void CGContextStrokeRect(CGContextRef c, CGRect rect);
void CGContextClearRect(CGContextRef c, CGRect rect);
// Draws a bitmap into a rectangle the way the platform's drawing layer does:
// its first row at the rectangle's maximum y, so that in a context whose y
// runs down the picture appears upside down unless the caller flips it.
void CGContextDrawImage(CGContextRef c, CGRect rect, CGImage* image);
// Draws a bitmap upright into a rectangle (what UIImage's drawInRect: does).
void CGContextDrawImageUpright(CGContextRef c, CGRect rect, CGImage* image, double alpha = 1);

} // namespace platform
