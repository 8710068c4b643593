#include "platform/graphics/CGAffineTransform.h"

#include <algorithm>
#include <cmath>

namespace platform {

CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle)
{
    double s = std::sin(angle), c = std::cos(angle);
    // Quarter turns come out exact, so that rotated sizes stay whole.
    if (std::fabs(s) < 1e-12) s = 0;
    if (std::fabs(c) < 1e-12) c = 0;
    return { c, s, -s, c, 0, 0 };
}

CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) { return { sx, 0, 0, sy, 0, 0 }; }
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty) { return { 1, 0, 0, 1, tx, ty }; }

CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1, const CGAffineTransform& t2)
{
    return {
        t1.a * t2.a + t1.b * t2.c, t1.a * t2.b + t1.b * t2.d,
        t1.c * t2.a + t1.d * t2.c, t1.c * t2.b + t1.d * t2.d,
        t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty,
    };
}

CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat angle)
{
    return CGAffineTransformConcat(CGAffineTransformMakeRotation(angle), t);
}

CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy)
{
    return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}

CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty)
{
    return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}

bool CGAffineTransformIsIdentity(const CGAffineTransform& t) { return t == CGAffineTransformIdentity; }

CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t)
{
    return { t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty };
}

CGRect CGRectApplyAffineTransform(CGRect r, const CGAffineTransform& t)
{
    CGPoint corners[4] = {
        CGPointApplyAffineTransform(r.origin, t),
        CGPointApplyAffineTransform({ CGRectGetMaxX(r), r.origin.y }, t),
        CGPointApplyAffineTransform({ r.origin.x, CGRectGetMaxY(r) }, t),
        CGPointApplyAffineTransform({ CGRectGetMaxX(r), CGRectGetMaxY(r) }, t),
    };
    double minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
    for (auto& p : corners) {
        minX = std::min(minX, p.x); maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y); maxY = std::max(maxY, p.y);
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

} // namespace platform
