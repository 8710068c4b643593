#pragma once
// One finger on the screen: where it is in its window, where it was, the
// view it started on (found by hit-testing the window), its phase and the
// time of its last change (seconds on the monotonic clock). Main thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class UIView;
class UIWindow;

enum UITouchPhase : long {
    UITouchPhaseBegan = 0,
    UITouchPhaseMoved = 1,
    UITouchPhaseStationary = 2,
    UITouchPhaseEnded = 3,
    UITouchPhaseCancelled = 4,
};

class UITouch : public NSObject {
    OBJC_CLASS(UITouch, NSObject)
public:
    UITouch();
    ~UITouch() override;
    static void registerMethods(objc::ClassBuilder<UITouch>&);
    // A touch that begins at a point of the window (window coordinates).
    static Ref<UITouch> create(UIWindow* window, CGPoint point, double timestamp);

    // The touch's position in a view's coordinates (nil: the window's).
    CGPoint locationInView(UIView* view) const;
    CGPoint previousLocationInView(UIView* view) const;
    RefPtr<UIView> view() const;
    RefPtr<UIWindow> window() const;
    long phase() const { return m_phase; }
    double timestamp() const { return m_timestamp; }
    unsigned long tapCount() const { return m_tapCount; }

    // Moves the touch (window coordinates) and sets its phase and time; used by the event source.
    void update(CGPoint windowPoint, long phase, double timestamp);
    void setView(UIView* view);
    // Where the touch is, in window coordinates.
    CGPoint windowLocation() const { return m_location; }

private:
    objc::WeakPtr<UIWindow> m_window;
    RefPtr<Object> m_view;
    CGPoint m_location;
    CGPoint m_previous;
    long m_phase { UITouchPhaseBegan };
    double m_timestamp { 0 };
    unsigned long m_tapCount { 1 };
};

} // namespace platform
