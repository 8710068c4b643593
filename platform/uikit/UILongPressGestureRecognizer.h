#pragma once
// Recognises a finger held still: it begins once the finger has stayed
// within 10 points for the minimum press duration (0.5 s; timed on the main
// loop), changes as the held finger moves, and ends when it lifts. Moving
// too far or lifting early makes it fail. Main thread.

#include "platform/uikit/UIGestureRecognizer.h"

namespace platform {

class UILongPressGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UILongPressGestureRecognizer, UIGestureRecognizer)
public:
    UILongPressGestureRecognizer();
    ~UILongPressGestureRecognizer() override;
    static void registerMethods(objc::ClassBuilder<UILongPressGestureRecognizer>&);
    static Ref<UILongPressGestureRecognizer> create(id target, const char* action);

    double minimumPressDuration() const { return m_minimumDuration; }
    void setMinimumPressDuration(double seconds) { m_minimumDuration = seconds < 0 ? 0 : seconds; }
    double allowableMovement() const { return m_allowableMovement; }
    void setAllowableMovement(double points) { m_allowableMovement = points; }

    void touchesBegan(NSArray* touches, UIEvent* event);
    void touchesMoved(NSArray* touches, UIEvent* event);
    void touchesEnded(NSArray* touches, UIEvent* event);
    void reset();

private:
    double m_minimumDuration { 0.5 };
    double m_allowableMovement { 10 };
    CGPoint m_start;
    unsigned long m_press { 0 }; // numbers each press, so a late timer finds its press gone
};

} // namespace platform
