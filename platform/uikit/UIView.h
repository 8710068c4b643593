#pragma once
// A rectangle on screen that holds other views: frame, bounds, a tree of
// subviews with a weak link back to the superview, hit-testing, coordinate
// conversion, autoresizing and a layout pass. Layout asked for with
// setNeedsLayout runs on the main loop's next turn for views in a window, or
// at once with layoutIfNeeded; layoutSubviews is sent through the runtime, so
// a subclass or a hook that replaces it takes effect. Main thread only.

#include "platform/graphics/CGAffineTransform.h"
#include "platform/uikit/UIGeometry.h"
#include "platform/uikit/UIResponder.h"

namespace platform {

class UIColor;
class UIWindow;
class UIViewController;
class UIGestureRecognizer;
class CALayer;
class NSLayoutConstraint;

// "No intrinsic size in this dimension".
inline constexpr double UIViewNoIntrinsicMetric = -1;

enum UIViewAutoresizing : unsigned long {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1 << 0,
    UIViewAutoresizingFlexibleWidth = 1 << 1,
    UIViewAutoresizingFlexibleRightMargin = 1 << 2,
    UIViewAutoresizingFlexibleTopMargin = 1 << 3,
    UIViewAutoresizingFlexibleHeight = 1 << 4,
    UIViewAutoresizingFlexibleBottomMargin = 1 << 5,
};

enum UIViewContentMode : long {
    UIViewContentModeScaleToFill = 0,
    UIViewContentModeScaleAspectFit = 1,
    UIViewContentModeScaleAspectFill = 2,
    UIViewContentModeCenter = 4,
};

class UIView : public UIResponder {
    OBJC_CLASS(UIView, UIResponder)
public:
    UIView();
    ~UIView() override;
    static void registerMethods(objc::ClassBuilder<UIView>&);

    // A new view of this frame (alloc + initWithFrame:).
    static Ref<UIView> create(CGRect frame = CGRectZero);

    RefPtr<UIView> initWithFrame(CGRect frame);
    RefPtr<UIView> init();

    // Geometry ---------------------------------------------------------------
    CGRect frame() const { return m_frame; }
    // Moves and sizes the view; a new size autoresizes the subviews and asks for layout.
    void setFrame(CGRect frame);
    CGRect bounds() const { return m_bounds; }
    void setBounds(CGRect bounds);
    CGPoint center() const { return CGPointMake(CGRectGetMidX(m_frame), CGRectGetMidY(m_frame)); }
    void setCenter(CGPoint center);
    // A transform about the view's centre; the frame becomes the box around
    // the transformed bounds (a quarter turn of 300 x 44 gives 44 x 300).
    CGAffineTransform transform() const { return m_transform; }
    void setTransform(CGAffineTransform transform);
    unsigned long autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(unsigned long mask) { m_autoresizingMask = mask; }
    bool autoresizesSubviews() const { return m_autoresizesSubviews; }
    void setAutoresizesSubviews(bool on) { m_autoresizesSubviews = on; }

    // The view tree -----------------------------------------------------------
    RefPtr<UIView> superview() const { return m_superview.lock(); }
    // A copy of the subviews, back to front.
    RefPtr<NSArray> subviews() const;
    const std::vector<Ref<UIView>>& subviewList() const { return m_subviews; }
    // Adds (or moves to the front) a subview, taking it from its old superview.
    void addSubview(UIView* view);
    void insertSubview(UIView* view, long index);
    void bringSubviewToFront(UIView* view);
    void sendSubviewToBack(UIView* view);
    void removeFromSuperview();
    // The window the view is in, or nil.
    RefPtr<UIWindow> window() const;
    bool isDescendantOfView(UIView* view) const;
    // The view itself or the first descendant (depth first) with this tag.
    RefPtr<UIView> viewWithTag(long tag);

    // Tree change notifications, sent to the view through the runtime.
    void willMoveToSuperview(UIView* newSuperview) { }
    void didMoveToSuperview() { }
    void willMoveToWindow(UIWindow* newWindow) { }
    void didMoveToWindow() { }
    void didAddSubview(UIView* subview) { }
    void willRemoveSubview(UIView* subview) { }

    // Appearance -------------------------------------------------------------
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden) { m_hidden = hidden; }
    double alpha() const { return m_alpha; }
    void setAlpha(double alpha);
    RefPtr<UIColor> backgroundColor() const;
    void setBackgroundColor(UIColor* color);
    RefPtr<UIColor> tintColor() const;
    void setTintColor(UIColor* color);
    bool clipsToBounds() const { return m_clipsToBounds; }
    void setClipsToBounds(bool on) { m_clipsToBounds = on; }
    long contentMode() const { return m_contentMode; }
    void setContentMode(long mode) { m_contentMode = mode; }
    long tag() const { return m_tag; }
    void setTag(long tag) { m_tag = tag; }
    // The view's layer (made on first use; it lives as long as the view).
    Ref<CALayer> layer() const;
    // Marks the view for redrawing; counted, for the renderer and tests.
    void setNeedsDisplay() { ++m_displayRequests; }
    unsigned long displayRequestCount() const { return m_displayRequests; }
    // The view's own drawing, in its bounds' coordinates (nothing by default).
    void drawRect(CGRect rect) { }

    // Events ------------------------------------------------------------------
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool on) { m_userInteractionEnabled = on; }
    // The deepest visible, interactive descendant under the point (in the
    // view's coordinates), or nil; subviews are asked front to back.
    RefPtr<UIView> hitTest(CGPoint point, id event);
    bool pointInside(CGPoint point, id event);
    RefPtr<UIResponder> nextResponder() const;

    // Converts a point between this view and another (nil: the window).
    CGPoint convertPointToView(CGPoint point, UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, UIView* view) const;
    CGRect convertRectToView(CGRect rect, UIView* view) const;
    CGRect convertRectFromView(CGRect rect, UIView* view) const;

    // Layout ------------------------------------------------------------------
    void setNeedsLayout();
    // Runs the pending layout of this view and its subtree now.
    void layoutIfNeeded();
    // Positions the subviews (nothing by default; subclasses override).
    void layoutSubviews() { }
    bool needsLayout() const { return m_needsLayout; }
    // Constraints ----------------------------------------------------------------
    // Whether the frame is fixed (true, the default) or solved from constraints.
    bool translatesAutoresizingMaskIntoConstraints() const { return m_translatesAutoresizing; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool on);
    // The constraints this view holds (between itself, its subviews and its descendants).
    RefPtr<NSArray> constraints() const;
    const std::vector<Ref<NSLayoutConstraint>>& constraintList() const { return m_constraints; }
    void addConstraint(NSLayoutConstraint* constraint);
    void addConstraints(NSArray* constraints);
    void removeConstraint(NSLayoutConstraint* constraint);
    void removeConstraints(NSArray* constraints);
    // The size the content asks for; UIViewNoIntrinsicMetric where it asks nothing.
    CGSize intrinsicContentSize() const { return CGSizeMake(UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric); }
    void invalidateIntrinsicContentSize() { setNeedsLayout(); }

    // The size that best fits the view's content within `size` (its own size by default).
    CGSize sizeThatFits(CGSize size) const { return m_frame.size; }
    // Resizes the view to sizeThatFits: its current size.
    void sizeToFit();

    // Gestures ----------------------------------------------------------------
    RefPtr<NSArray> gestureRecognizers() const;
    std::vector<Ref<UIGestureRecognizer>> gestureRecognizerList() const;
    void addGestureRecognizer(UIGestureRecognizer* recognizer);
    void removeGestureRecognizer(UIGestureRecognizer* recognizer);

    // The controller whose view this is, if any (set by the controller).
    RefPtr<UIViewController> viewController() const;
    void setViewController(UIViewController* controller);

private:
    void autoresizeSubviews(CGSize oldSize);
    CGPoint pointToRootParent(CGPoint point, const UIView** root) const;
    CGPoint pointFromRootParent(CGPoint point, const UIView** root) const;

    CGRect m_frame;
    CGRect m_bounds;
    CGAffineTransform m_transform;
    mutable RefPtr<Object> m_layer;
    std::vector<Ref<NSLayoutConstraint>> m_constraints;
    objc::WeakPtr<UIView> m_superview;
    std::vector<Ref<UIView>> m_subviews;
    std::vector<Ref<Object>> m_gestureRecognizers;
    objc::WeakPtr<UIViewController> m_viewController;
    RefPtr<Object> m_backgroundColor;
    RefPtr<Object> m_tintColor;
    unsigned long m_autoresizingMask { UIViewAutoresizingNone };
    unsigned long m_displayRequests { 0 };
    long m_tag { 0 };
    long m_contentMode { UIViewContentModeScaleToFill };
    double m_alpha { 1 };
    bool m_hidden { false };
    bool m_userInteractionEnabled { true };
    bool m_clipsToBounds { false };
    bool m_autoresizesSubviews { true };
    bool m_needsLayout { true };
    bool m_layoutScheduled { false };
    bool m_translatesAutoresizing { true };
};

} // namespace platform
