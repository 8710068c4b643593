#pragma once
// The base of gesture recognisers: attached to a view, offered the touches
// that start on that view or its subviews (each offer first asks the
// delegate's gestureRecognizer:shouldReceiveTouch:), it moves through states
// and sends its target/action pairs through the runtime when it begins,
// changes, ends (is recognised) or is cancelled. Targets are held weakly.
// Subclasses read touches in touchesBegan:withEvent: and the like, and set
// the state. After the touch sequence the state returns to possible.
// Main thread.

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class UIView;
class UITouch;
class UIEvent;

enum UIGestureRecognizerState : long {
    UIGestureRecognizerStatePossible = 0,
    UIGestureRecognizerStateBegan = 1,
    UIGestureRecognizerStateChanged = 2,
    UIGestureRecognizerStateEnded = 3,
    UIGestureRecognizerStateCancelled = 4,
    UIGestureRecognizerStateFailed = 5,
    UIGestureRecognizerStateRecognized = UIGestureRecognizerStateEnded,
};

class UIGestureRecognizer : public NSObject {
    OBJC_CLASS(UIGestureRecognizer, NSObject)
public:
    UIGestureRecognizer();
    ~UIGestureRecognizer() override;
    static void registerMethods(objc::ClassBuilder<UIGestureRecognizer>&);

    RefPtr<UIGestureRecognizer> initWithTarget(id target, objc::SEL action);
    void addTarget(id target, objc::SEL action);
    // Removes the pair (nil target: every target; nullptr action: every action).
    void removeTarget(id target, objc::SEL action);

    long state() const { return m_state; }
    // Moves to a state; beginning, changing, ending and cancelling send the actions.
    void setState(long state);
    RefPtr<Object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = objc::WeakPtr<Object>(delegate); }
    bool isEnabled() const { return m_enabled; }
    // Disabling cancels a gesture in progress.
    void setEnabled(bool enabled);
    RefPtr<UIView> view() const;
    // Set by UIView's addGestureRecognizer: and removeGestureRecognizer:.
    void setView(UIView* view);
    bool cancelsTouchesInView() const { return m_cancelsTouchesInView; }
    void setCancelsTouchesInView(bool on) { m_cancelsTouchesInView = on; }

    // Where the gesture is (the centre of its touches) in a view's coordinates (nil: the window's).
    CGPoint locationInView(UIView* view) const;
    unsigned long numberOfTouches() const { return m_touches.size(); }

    // The touch-handling steps; subclasses override them and set the state.
    void touchesBegan(NSArray* touches, UIEvent* event);
    void touchesMoved(NSArray* touches, UIEvent* event) { }
    void touchesEnded(NSArray* touches, UIEvent* event) { }
    void touchesCancelled(NSArray* touches, UIEvent* event);
    // Back to possible at the end of a touch sequence.
    void reset() { }

    // The event source's side: offers a touch (asking the delegate), then hands
    // touches on; answers whether the recogniser took the touch.
    bool offerTouch(UITouch* touch, UIEvent* event);
    void deliverMoved(UITouch* touch, UIEvent* event);
    void deliverEnded(UITouch* touch, UIEvent* event);
    void deliverCancelled(UITouch* touch, UIEvent* event);
    // Ends the touch sequence: sends reset and returns to possible.
    void finishSequence();
    // Whether the recogniser still follows its touches (not failed, ended or cancelled).
    bool isTracking() const;
    // How many action messages the recogniser has sent.
    unsigned long actionCount() const { return m_actionsSent; }

private:
    struct Pair {
        objc::WeakPtr<Object> target;
        objc::SEL action;
    };
    void sendActions();

    std::vector<Pair> m_pairs;
    std::vector<Ref<UITouch>> m_touches;
    objc::WeakPtr<Object> m_delegate;
    objc::WeakPtr<UIView> m_view;
    long m_state { UIGestureRecognizerStatePossible };
    unsigned long m_actionsSent { 0 };
    bool m_enabled { true };
    bool m_cancelsTouchesInView { true };
};

} // namespace platform
