#pragma once
// An affine transform of the plane, as the platform writes it: a point
// (x, y) goes to (a·x + c·y + tx, b·x + d·y + ty). Values, no state.

#include "platform/uikit/UIGeometry.h"

namespace platform {

struct CGAffineTransform {
    CGFloat a { 1 }, b { 0 }, c { 0 }, d { 1 }, tx { 0 }, ty { 0 };
    bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity {};

CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle);
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty);
// t1 then t2.
CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1, const CGAffineTransform& t2);
CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat angle);
CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty);
bool CGAffineTransformIsIdentity(const CGAffineTransform& t);
CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t);
// The smallest upright rectangle holding the transformed rectangle.
CGRect CGRectApplyAffineTransform(CGRect r, const CGAffineTransform& t);

} // namespace platform

namespace objc {
template<> struct StructEncoding<platform::CGAffineTransform> { static constexpr const char* value = "{CGAffineTransform=dddddd}"; };
}
