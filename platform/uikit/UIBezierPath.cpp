#include "platform/uikit/UIBezierPath.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(UIBezierPath)

UIBezierPath::UIBezierPath()
    : m_path(objc::make<platform::CGPath>())
{
}

Ref<UIBezierPath> UIBezierPath::bezierPath()
{
    return objc::make<UIBezierPath>();
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithRect(CGRect rect)
{
    auto path = bezierPath();
    path->m_path->addRect(rect);
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(CGRect rect)
{
    auto path = bezierPath();
    path->m_path->addEllipse(rect);
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithRoundedRectCornerRadius(CGRect rect, double radius)
{
    return bezierPathWithRoundedRect(rect, UIRectCornerAllCorners, CGSizeMake(radius, radius));
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(CGRect r, unsigned long corners, CGSize radii)
{
    auto path = bezierPath();
    auto& p = *path->m_path;
    double rx = std::clamp(radii.width, 0.0, std::abs(r.size.width) / 2);
    double ry = std::clamp(radii.height, 0.0, std::abs(r.size.height) / 2);
    constexpr double k = 0.5522847498307936; // a quarter ellipse as one cubic
    double x0 = r.origin.x, y0 = r.origin.y, x1 = CGRectGetMaxX(r), y1 = CGRectGetMaxY(r);
    auto rounded = [&](unsigned long corner) { return (corners & corner) && rx > 0 && ry > 0; };
    // Clockwise on screen from the top-left corner's end.
    p.moveTo({ rounded(UIRectCornerTopLeft) ? x0 + rx : x0, y0 });
    if (rounded(UIRectCornerTopRight)) {
        p.lineTo({ x1 - rx, y0 });
        p.curveTo({ x1 - rx + k * rx, y0 }, { x1, y0 + ry - k * ry }, { x1, y0 + ry });
    } else {
        p.lineTo({ x1, y0 });
    }
    if (rounded(UIRectCornerBottomRight)) {
        p.lineTo({ x1, y1 - ry });
        p.curveTo({ x1, y1 - ry + k * ry }, { x1 - rx + k * rx, y1 }, { x1 - rx, y1 });
    } else {
        p.lineTo({ x1, y1 });
    }
    if (rounded(UIRectCornerBottomLeft)) {
        p.lineTo({ x0 + rx, y1 });
        p.curveTo({ x0 + rx - k * rx, y1 }, { x0, y1 - ry + k * ry }, { x0, y1 - ry });
    } else {
        p.lineTo({ x0, y1 });
    }
    if (rounded(UIRectCornerTopLeft)) {
        p.lineTo({ x0, y0 + ry });
        p.curveTo({ x0, y0 + ry - k * ry }, { x0 + rx - k * rx, y0 }, { x0 + rx, y0 });
    }
    p.close();
    return path;
}

CGRect UIBezierPath::bounds() const { return m_path->boundingBox(); }
void UIBezierPath::moveToPoint(CGPoint pt) { m_path->moveTo(pt); }
void UIBezierPath::addLineToPoint(CGPoint pt) { m_path->lineTo(pt); }
void UIBezierPath::closePath() { m_path->close(); }

void UIBezierPath::fill()
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGContextBeginPath(c);
    CGContextAddPath(c, m_path.get());
    CGContextFillPath(c);
}

void UIBezierPath::stroke()
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGContextSaveGState(c);
    CGContextSetLineWidth(c, m_lineWidth);
    CGContextBeginPath(c);
    CGContextAddPath(c, m_path.get());
    CGContextStrokePath(c);
    CGContextRestoreGState(c);
}

void UIBezierPath::addClip()
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGContextBeginPath(c);
    CGContextAddPath(c, m_path.get());
    CGContextClip(c);
}

void UIBezierPath::registerMethods(objc::ClassBuilder<UIBezierPath>& b)
{
    b.classMethod<&UIBezierPath::bezierPath>("bezierPath")
        .classMethod<&UIBezierPath::bezierPathWithRect>("bezierPathWithRect:")
        .classMethod<&UIBezierPath::bezierPathWithOvalInRect>("bezierPathWithOvalInRect:")
        .classMethod<&UIBezierPath::bezierPathWithRoundedRectCornerRadius>("bezierPathWithRoundedRect:cornerRadius:")
        .classMethod<&UIBezierPath::bezierPathWithRoundedRect>("bezierPathWithRoundedRect:byRoundingCorners:cornerRadii:")
        .method<&UIBezierPath::CGPath>("CGPath")
        .method<&UIBezierPath::bounds>("bounds")
        .method<&UIBezierPath::moveToPoint>("moveToPoint:")
        .method<&UIBezierPath::addLineToPoint>("addLineToPoint:")
        .method<&UIBezierPath::closePath>("closePath")
        .method<&UIBezierPath::fill>("fill")
        .method<&UIBezierPath::stroke>("stroke")
        .method<&UIBezierPath::addClip>("addClip")
        .method<&UIBezierPath::lineWidth>("lineWidth")
        .method<&UIBezierPath::setLineWidth>("setLineWidth:");
}

} // namespace platform
