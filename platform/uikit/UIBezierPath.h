#pragma once
// A path in points for drawing and clipping: rectangles, rounded rectangles
// with chosen corners, ovals. Drawing calls act on the current context
// (UIGraphicsGetCurrentContext); without one they do nothing. Main thread
// (or the thread that owns the current context).

#include "platform/graphics/CGContext.h"

namespace platform {

enum UIRectCorner : unsigned long {
    UIRectCornerTopLeft = 1 << 0,
    UIRectCornerTopRight = 1 << 1,
    UIRectCornerBottomLeft = 1 << 2,
    UIRectCornerBottomRight = 1 << 3,
    UIRectCornerAllCorners = 0xF,
};

class UIBezierPath : public NSObject {
    OBJC_CLASS(UIBezierPath, NSObject)
public:
    UIBezierPath();
    static void registerMethods(objc::ClassBuilder<UIBezierPath>&);

    static Ref<UIBezierPath> bezierPath();
    static Ref<UIBezierPath> bezierPathWithRect(CGRect rect);
    static Ref<UIBezierPath> bezierPathWithOvalInRect(CGRect rect);
    // All four corners rounded with one radius (limited to half the shorter side).
    static Ref<UIBezierPath> bezierPathWithRoundedRectCornerRadius(CGRect rect, double radius);
    // The chosen corners rounded with elliptical radii (each limited to half the side).
    static Ref<UIBezierPath> bezierPathWithRoundedRect(CGRect rect, unsigned long corners, CGSize radii);

    RefPtr<platform::CGPath> CGPath() const { return m_path; }
    CGRect bounds() const;
    void moveToPoint(CGPoint p);
    void addLineToPoint(CGPoint p);
    void closePath();
    // Fills, strokes or clips the current context with the path.
    void fill();
    void stroke();
    void addClip();
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width) { m_lineWidth = width; }

private:
    Ref<platform::CGPath> m_path;
    double m_lineWidth { 1 };
};

} // namespace platform
