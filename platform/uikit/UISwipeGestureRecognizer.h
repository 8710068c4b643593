#pragma once
// Recognises a quick straight movement of one finger in one of the allowed
// directions: at least 50 points along it, no more than half that across it,
// within half a second of touching down. Discrete: it ends (and sends its
// actions once) as soon as the movement qualifies. Main thread.

#include "platform/uikit/UIGestureRecognizer.h"

namespace platform {

enum UISwipeGestureRecognizerDirection : unsigned long {
    UISwipeGestureRecognizerDirectionRight = 1 << 0,
    UISwipeGestureRecognizerDirectionLeft = 1 << 1,
    UISwipeGestureRecognizerDirectionUp = 1 << 2,
    UISwipeGestureRecognizerDirectionDown = 1 << 3,
};

class UISwipeGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UISwipeGestureRecognizer, UIGestureRecognizer)
public:
    UISwipeGestureRecognizer();
    ~UISwipeGestureRecognizer() override;
    static void registerMethods(objc::ClassBuilder<UISwipeGestureRecognizer>&);
    static Ref<UISwipeGestureRecognizer> create(id target, const char* action);

    static constexpr double kMinimumDistance = 50;
    static constexpr double kMaximumDuration = 0.5;

    unsigned long direction() const { return m_direction; }
    void setDirection(unsigned long direction) { m_direction = direction; }
    unsigned long numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(unsigned long n) { m_touchesRequired = n; }

    void touchesBegan(NSArray* touches, UIEvent* event);
    void touchesMoved(NSArray* touches, UIEvent* event);
    void touchesEnded(NSArray* touches, UIEvent* event);

private:
    // Recognised, failed, or still undecided (nothing changes).
    void judge(UITouch* touch, bool final);

    unsigned long m_direction { UISwipeGestureRecognizerDirectionRight };
    unsigned long m_touchesRequired { 1 };
    CGPoint m_start;
    double m_startTime { 0 };
};

} // namespace platform
