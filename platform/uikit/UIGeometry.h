#pragma once
// Points, sizes, rectangles and edge insets: the plain structures of the
// kit (text ranges are foundation's, and come along). Values are in points
// (the screen's scale turns them into pixels). Each one crosses message sends with the platform's encoding.

#include "platform/foundation/NSRange.h"
#include "platform/objc/Encoding.h"

#include <iosfwd>
#include <string>

namespace platform {

using CGFloat = double;

struct CGPoint {
    CGFloat x { 0 };
    CGFloat y { 0 };
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width { 0 };
    CGFloat height { 0 };
    bool operator==(const CGSize&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
};

// Insets from a rectangle's edges.
struct UIEdgeInsets {
    CGFloat top { 0 };
    CGFloat left { 0 };
    CGFloat bottom { 0 };
    CGFloat right { 0 };
    bool operator==(const UIEdgeInsets&) const = default;
};

inline constexpr CGPoint CGPointZero {};
inline constexpr CGSize CGSizeZero {};
inline constexpr CGRect CGRectZero {};

inline constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) { return { x, y }; }
inline constexpr CGSize CGSizeMake(CGFloat w, CGFloat h) { return { w, h }; }
inline constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return { { x, y }, { w, h } }; }
inline constexpr UIEdgeInsets UIEdgeInsetsMake(CGFloat t, CGFloat l, CGFloat b, CGFloat r) { return { t, l, b, r }; }

inline CGFloat CGRectGetMinX(const CGRect& r) { return r.origin.x; }
inline CGFloat CGRectGetMinY(const CGRect& r) { return r.origin.y; }
inline CGFloat CGRectGetMaxX(const CGRect& r) { return r.origin.x + r.size.width; }
inline CGFloat CGRectGetMaxY(const CGRect& r) { return r.origin.y + r.size.height; }
inline CGFloat CGRectGetMidX(const CGRect& r) { return r.origin.x + r.size.width / 2; }
inline CGFloat CGRectGetMidY(const CGRect& r) { return r.origin.y + r.size.height / 2; }
inline CGFloat CGRectGetWidth(const CGRect& r) { return r.size.width; }
inline CGFloat CGRectGetHeight(const CGRect& r) { return r.size.height; }

// Whether the point lies inside the rectangle (the maximum edges are outside).
bool CGRectContainsPoint(const CGRect& rect, const CGPoint& point);
// Whether the two rectangles share an area of more than zero.
bool CGRectIntersectsRect(const CGRect& a, const CGRect& b);
// The rectangle with its edges moved inwards by the insets.
CGRect UIEdgeInsetsInsetRect(const CGRect& rect, const UIEdgeInsets& insets);
// The rectangle moved inwards by dx and dy on each side.
CGRect CGRectInset(const CGRect& rect, CGFloat dx, CGFloat dy);
bool CGRectIsEmpty(const CGRect& rect);

// "{{x, y}, {w, h}}", as the platform prints rectangles.
std::string NSStringFromCGRect(const CGRect& rect);
std::string NSStringFromCGPoint(const CGPoint& point);
std::string NSStringFromCGSize(const CGSize& size);

// Printing, for test failure messages.
std::ostream& operator<<(std::ostream&, const CGPoint&);
std::ostream& operator<<(std::ostream&, const CGSize&);
std::ostream& operator<<(std::ostream&, const CGRect&);

} // namespace platform

namespace objc {
template<> struct StructEncoding<platform::CGPoint> { static constexpr const char* value = "{CGPoint=dd}"; };
template<> struct StructEncoding<platform::CGSize> { static constexpr const char* value = "{CGSize=dd}"; };
template<> struct StructEncoding<platform::CGRect> { static constexpr const char* value = "{CGRect={CGPoint=dd}{CGSize=dd}}"; };
template<> struct StructEncoding<platform::UIEdgeInsets> { static constexpr const char* value = "{UIEdgeInsets=dddd}"; };
}
