#include "platform/uikit/UIGeometry.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace platform {

bool CGRectContainsPoint(const CGRect& r, const CGPoint& p)
{
    return p.x >= CGRectGetMinX(r) && p.x < CGRectGetMaxX(r) && p.y >= CGRectGetMinY(r) && p.y < CGRectGetMaxY(r);
}

bool CGRectIntersectsRect(const CGRect& a, const CGRect& b)
{
    CGFloat left = std::max(CGRectGetMinX(a), CGRectGetMinX(b));
    CGFloat right = std::min(CGRectGetMaxX(a), CGRectGetMaxX(b));
    CGFloat top = std::max(CGRectGetMinY(a), CGRectGetMinY(b));
    CGFloat bottom = std::min(CGRectGetMaxY(a), CGRectGetMaxY(b));
    return right > left && bottom > top;
}

CGRect UIEdgeInsetsInsetRect(const CGRect& r, const UIEdgeInsets& in)
{
    return CGRectMake(r.origin.x + in.left, r.origin.y + in.top,
        std::max(0.0, r.size.width - in.left - in.right), std::max(0.0, r.size.height - in.top - in.bottom));
}

CGRect CGRectInset(const CGRect& r, CGFloat dx, CGFloat dy)
{
    return UIEdgeInsetsInsetRect(r, UIEdgeInsetsMake(dy, dx, dy, dx));
}

bool CGRectIsEmpty(const CGRect& r)
{
    return r.size.width <= 0 || r.size.height <= 0;
}

namespace {
std::string number(CGFloat v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}
}

std::string NSStringFromCGPoint(const CGPoint& p) { return "{" + number(p.x) + ", " + number(p.y) + "}"; }
std::string NSStringFromCGSize(const CGSize& s) { return "{" + number(s.width) + ", " + number(s.height) + "}"; }
std::string NSStringFromCGRect(const CGRect& r) { return "{" + NSStringFromCGPoint(r.origin) + ", " + NSStringFromCGSize(r.size) + "}"; }

std::ostream& operator<<(std::ostream& o, const CGPoint& p) { return o << NSStringFromCGPoint(p); }
std::ostream& operator<<(std::ostream& o, const CGSize& s) { return o << NSStringFromCGSize(s); }
std::ostream& operator<<(std::ostream& o, const CGRect& r) { return o << NSStringFromCGRect(r); }

} // namespace platform
